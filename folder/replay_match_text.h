// How a typed text finds replays, for the list's filter and tarvex-info --find alike: every
// word of the text (split at blanks) must occur, ignoring case and accents, in the file's
// name, the map's name, a player's name or the match's date written "27/04/2025". An invalid
// replay is found by its file name only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "replay/zerohour_intf.h"

// Appends bytes, read as DisplayText reads them, in the form they are compared in: lower
// case, accents dropped ("É" is "e", "Œ" is "oe"), every blank or control character a space.
void AppendFoldedText(std::string& out, std::string_view bytes);

// Appends the text a replay is searched in: the folded file name, map name, player names and
// date, each on a line of its own, so that no word is found across two of them.
void AppendReplayMatchText(std::string& out, const TZH_replay& replay);

// A typed text, ready to be searched for: its folded words, in the order typed.
class ReplayQuery {
public:
    explicit ReplayQuery(std::string_view text);

    // True when the text held nothing but blanks: it finds every replay.
    bool empty() const { return words_.empty(); }
    const std::vector<std::string>& words() const { return words_; }
    // Every word occurs in matchText, a text AppendReplayMatchText made.
    bool MatchesText(std::string_view matchText) const;

private:
    std::vector<std::string> words_;
};

// The rule itself: whether the query finds the replay.
bool ReplayMatches(const ReplayQuery& query, const TZH_replay& replay);
