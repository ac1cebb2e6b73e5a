// How tarvex-info prints one replay: a readable line, or one JSON object.
#pragma once

#include <optional>
#include <string>

#include "replay/match.h"
#include "replay/zerohour_intf.h"

// One JSON object on one line: every member of the record under its name in the code, texts
// as UTF-8, "invalidReason" by InvalidReasonName (null for a valid replay), "date" as
// "2024-03-14T21:14:05" or null. Appended to out, which a caller may reuse from one replay to
// the next.
void AppendReplayJson(std::string& out, const TZH_replay& replay);
// The same with the member "match" last: the orders' walk, or null (an invalid replay).
void AppendReplayJson(std::string& out, const TZH_replay& replay,
                      const std::optional<MatchOrders>& match);
std::string ReplayToJson(const TZH_replay& replay);

// One line for a person: file, validity, version, map, money, flags, length, players.
std::string ReplaySummary(const TZH_replay& replay);
// The same, each player with his drawn army and colour ("random → China Nuke") and how he left
// ("left at 12m 3s, surrendered").
std::string ReplaySummary(const TZH_replay& replay, const std::optional<MatchOrders>& match);
