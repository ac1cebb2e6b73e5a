// How tarvex-info prints one replay: a readable line, or one JSON object.
#pragma once

#include <optional>
#include <string>

#include "game/map_caches.h"
#include "orders/match.h"
#include "replay/zerohour_intf.h"

class JsonWriter;

// starts: each player's start spot and the map's data as the map caches gave them; without
// them, only the spots fixed in the lobby are known and "mapData" is null.

// One JSON object on one line: every member of the record under its name in the code (but the
// seed and the checksums), texts as UTF-8, "invalidReason" by InvalidReasonName (null for a valid
// replay), "date" as "2024-03-14T21:14:05" or null; each player's "startResolved" (from 1, or null)
// and "startRandom", and "mapData" (null when no cache holds the map). Appended to out, which a
// caller may reuse from one replay to the next.
void AppendReplayJson(std::string& out, const TZH_replay& replay,
                      const ReplayStarts* starts = nullptr);
// The same with the member "match" last: the orders' walk, or null (an invalid replay).
void AppendReplayJson(std::string& out, const TZH_replay& replay,
                      const std::optional<MatchOrders>& match,
                      const ReplayStarts* starts = nullptr);
std::string ReplayToJson(const TZH_replay& replay);

// One line for a person: file, validity, version, map, money, flags, length, players (with
// their start spots: "spot 3", "spot 3, random", "spot random" when unknown).
std::string ReplaySummary(const TZH_replay& replay, const ReplayStarts* starts = nullptr);
// The same, each player with his drawn army and colour ("random → China Nuke") and how he left
// ("left at 12m 3s, surrendered").
std::string ReplaySummary(const TZH_replay& replay, const std::optional<MatchOrders>& match,
                          const ReplayStarts* starts = nullptr);

// --course: the file's name, then each human who played, his name and his course one line
// each ("  0m 08s  posé  Centrale électrique  (1132, 854)"); "INVALID" after the name of an
// invalid replay.
std::string CourseReport(const TZH_replay& replay, const std::optional<MatchOrders>& match);

// Values of a record's JSON that the career's JSON gives again: "date" ("2024-03-14T21:14:05"
// or null), a player's "apm" (one decimal, or null) and "left" ({"frame", "how"} or null).
void DateJson(JsonWriter& json, const std::optional<TZH_date>& date);
void ApmJson(JsonWriter& json, const std::optional<double>& apm);
void LeftJson(JsonWriter& json, const std::optional<PlayerLeaving>& left);
