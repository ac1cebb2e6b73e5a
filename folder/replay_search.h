// The replays of a listing, prepared for the list's filter: their match texts (see
// replay_match_text.h) one after the other in one block, made once as the replays are read,
// so that a keystroke searches memory only and each replay costs its text and four bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "folder/replay_match_text.h"

class ReplaySearch {
public:
    void clear();
    // Room for this many more replays, at a typical text's length.
    void reserve(std::size_t replays);
    // The next replay of the listing.
    void add(const TZH_replay& replay);

    std::size_t size() const { return ends_.size(); }
    // The bytes the texts and their ends fill.
    std::size_t bytes() const;

    // Sets found to the replays the query finds, by their place in the listing, in order.
    void find(const ReplayQuery& query, std::vector<int>& found) const;

private:
    // Where word next occurs in texts_, from `from` on.
    std::size_t next(std::string_view word, std::size_t from) const;

    std::string texts_;
    std::vector<std::uint32_t> ends_;          // where each replay's text ends in texts_
    std::array<std::size_t, 256> counts_ = {}; // how often each byte occurs in the first texts
};
