// How tarvex-info --player prints a career: lines in the career window's order, or one JSON
// object.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "career/career.h"
#include "career/career_orders.h"

// orders[g]: the summary of career.games[g]'s orders; a game without one (its files could
// not be read) is left out of the ends, the games' list and the openings.
struct CareerReport {
    const std::vector<TZH_replay>& records;
    const Career& career;
    const std::vector<std::optional<CareerGameOrders>>& orders;
};

// One object on one line: "name", "games" (their count), "first", "last" (2025-04-27),
// "seconds", "armies", "maps", "players", "ends", "gamesPlayed" (each game: "path", "date",
// "army", "apm", "left", as --json --match gives them for him) and "openings".
std::string CareerJson(const CareerReport& report);

// The same as lines of text, each ending with a line's end.
std::string CareerLines(const CareerReport& report);
