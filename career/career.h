// A player's career from the records of a list: the games where a human bore his name, and
// what their headers tell of them (dates, time played, months, armies, maps, the players he
// met). Every figure keeps the games behind it, so that a window can show their files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "replay/zerohour_intf.h"

// Games of a career by their index in Career::games, ascending.
using CareerGames = std::vector<uint32_t>;

// One match he played: its first file in the list, and the other files that saved the same
// match (the game's last replay and a copy of it), in list order.
struct CareerGame {
    std::size_t record = 0;
    std::vector<std::size_t> copies;
    uint8_t seat = 0;         // his place in the record's players
    int8_t army = RandomArmy; // as the game drew it (armyResolved); -1 when it can't be told
    bool armyRandom = false;  // the game drew it
};

// A calendar month, year * 12 + month - 1: months follow each other as numbers.
using CareerMonth = int32_t;
CareerMonth MonthOf(const TZH_date& date);
int MonthYear(CareerMonth month);
int MonthNumber(CareerMonth month); // 1..12

struct CareerMonthGames {
    CareerMonth month = 0;
    CareerGames games;
};

struct CareerArmy {
    int8_t army = RandomArmy;
    CareerGames games;
    uint32_t random = 0; // of those, the games where the game drew it
};

struct CareerMap {
    Text map;
    CareerGames games;
};

// Another human he met: in his team (with) or against him. Players with no team play against
// everyone.
struct CareerPlayer {
    Text name;
    CareerGames with;
    CareerGames against;
    std::optional<TZH_date> last; // of their last game together
    CareerGames games() const;    // both
};

struct Career {
    Text name;
    std::vector<CareerGame> games; // in list order of their first file
    std::optional<TZH_date> first;
    std::optional<TZH_date> last;
    int64_t seconds = 0; // the games' lengths added up
    // Every month from his first game's to his last game's, empty ones included; games
    // without a date are in none.
    std::vector<CareerMonthGames> months;
    std::vector<CareerArmy> armies;    // most games first, then by army
    std::vector<CareerMap> maps;       // most games first, then by name
    std::vector<CareerPlayer> players; // most games first, then by name
};

// His first seat in a valid replay that isn't an observer's: where the career finds him.
std::optional<std::size_t> CareerSeat(const TZH_replay& record, std::string_view name);

// The career of the human named exactly `name` (bytes as the game wrote them, case included)
// in records: the valid replays where he plays a seat that is not an observer's, a match
// saved in several files (same date, seed and players) counted once.
Career TallyCareer(const std::vector<TZH_replay>& records, std::string_view name);

// The files of those games: every copy, as indices into the records, in list order.
std::vector<std::size_t> CareerFiles(const Career& career, const CareerGames& games);

// Whether a and b saved the same match: same date, seed and players.
bool SameMatch(const TZH_replay& a, const TZH_replay& b);

// Orders dates, months and times of day alike: earlier first.
bool EarlierDate(const TZH_date& a, const TZH_date& b);
