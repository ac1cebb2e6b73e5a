#include "folder/replay_search.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

constexpr std::size_t npos = std::string_view::npos;

// A replay's text is rarely longer: a file name, a map, a few players and a date.
constexpr std::size_t TypicalTextBytes = 96;
// How many replays' bytes are counted to pick the rarest byte of a word.
constexpr std::size_t CountedReplays = 2000;

} // namespace

void ReplaySearch::clear() {
    texts_.clear();
    texts_.shrink_to_fit();
    ends_.clear();
    ends_.shrink_to_fit();
    counts_.fill(0);
}

void ReplaySearch::reserve(std::size_t replays) {
    texts_.reserve(texts_.size() + replays * TypicalTextBytes);
    ends_.reserve(ends_.size() + replays);
}

void ReplaySearch::add(const TZH_replay& replay) {
    const std::size_t start = texts_.size();
    AppendReplayMatchText(texts_, replay);
    // The first replays tell common bytes from rare ones well enough.
    if (ends_.size() < CountedReplays)
        for (std::size_t i = start; i < texts_.size(); ++i)
            ++counts_[static_cast<unsigned char>(texts_[i])];
    ends_.push_back(static_cast<std::uint32_t>(texts_.size()));
}

std::size_t ReplaySearch::bytes() const {
    return texts_.size() + ends_.size() * sizeof(std::uint32_t);
}

std::size_t ReplaySearch::next(std::string_view word, std::size_t from) const {
    // Looked for by its rarest byte, so that a common first letter (the digits of dates and
    // file names, the letters of ".rep") doesn't stop the scan at every other byte.
    std::size_t anchor = 0;
    for (std::size_t i = 1; i < word.size(); ++i)
        if (counts_[static_cast<unsigned char>(word[i])] <
            counts_[static_cast<unsigned char>(word[anchor])])
            anchor = i;
    const char* const data = texts_.data();
    const std::size_t size = texts_.size();
    for (std::size_t at = from + anchor; at + word.size() - anchor <= size;) {
        const auto* hit = static_cast<const char*>(std::memchr(data + at, word[anchor], size - at));
        if (!hit) return npos;
        const auto start = static_cast<std::size_t>(hit - data) - anchor;
        if (start + word.size() <= size && std::memcmp(data + start, word.data(), word.size()) == 0)
            return start;
        at = static_cast<std::size_t>(hit - data) + 1;
    }
    return npos;
}

void ReplaySearch::find(const ReplayQuery& query, std::vector<int>& found) const {
    found.clear();
    const std::vector<std::string>& words = query.words();
    if (words.empty()) {
        for (std::size_t i = 0; i < ends_.size(); ++i)
            found.push_back(static_cast<int>(i));
        return;
    }
    // The first word is looked for through the whole block at once, much faster than replay
    // by replay; a hit names its replay, in which the other words are looked for, and the
    // search goes on after that replay's text.
    const std::string_view all(texts_);
    const std::string_view first = words.front();
    std::size_t replay = 0;
    for (std::size_t at = next(first, 0); at != npos;) {
        while (ends_[replay] <= at)
            ++replay;
        const std::size_t start = replay == 0 ? 0 : ends_[replay - 1];
        const std::size_t end = ends_[replay];
        // A hit that runs on into the next replay's text is none.
        if (at + first.size() > end) {
            at = next(first, at + 1);
            continue;
        }
        const std::string_view text = all.substr(start, end - start);
        if (std::all_of(words.begin() + 1, words.end(),
                        [text](const std::string& word) { return text.find(word) != npos; }))
            found.push_back(static_cast<int>(replay));
        at = next(first, end);
    }
}
