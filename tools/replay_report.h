// How tarvex-info prints one replay: a readable line, or one JSON object.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "replay/zerohour_intf.h"

// Every member of the record under its name in the code; texts as UTF-8.
nlohmann::ordered_json ReplayToJson(const TZH_replay& replay);

// One line for a person: file, validity, version, map, money, flags, length, players.
std::string ReplaySummary(const TZH_replay& replay);

// 125 -> "2m 5s", 59 -> "59s", the way the details window shows a length.
std::string FormatDuration(int32_t seconds);
