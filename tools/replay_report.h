// How tarvex-info prints one replay: a readable line, or one JSON object.
#pragma once

#include <string>

#include "replay/zerohour_intf.h"

// One JSON object on one line: every member of the record under its name in the code, texts
// as UTF-8. Appended to out, which a caller may reuse from one replay to the next.
void AppendReplayJson(std::string& out, const TZH_replay& replay);
std::string ReplayToJson(const TZH_replay& replay);

// One line for a person: file, validity, version, map, money, flags, length, players.
std::string ReplaySummary(const TZH_replay& replay);

// 125 -> "2m 5s", 59 -> "59s", the way the details window shows a length.
std::string FormatDuration(int32_t seconds);
