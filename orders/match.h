// What happened in a match, from the orders recorded after a replay's header: how many orders
// each player gave, when and how he left, and where the recording ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "orders/match_course.h"
#include "replay/zerohour_intf.h"

// How a player's first self-destruct order came about: the others dropped him after his
// connection failed (its flag false); he surrendered (he went on sending orders more than ten
// seconds of game time later); or he quit.
enum class LeaveHow { Dropped, Surrendered, Quit };

struct PlayerLeaving {
    uint32_t frame = 0; // the frame of his first self-destruct order
    LeaveHow how = LeaveHow::Quit;
};

// Computers' orders are never recorded: theirs stay at zero.
struct PlayerOrders {
    uint32_t commands = 0;   // moves, attacks, building, training, powers, upgrades, beacons
    uint32_t selections = 0; // selecting and grouping units (bookkeeping orders count as neither)
    std::optional<PlayerLeaving> left;  // none: stayed to the end or was destroyed
    std::optional<double> apm;          // commands per minute of game time, from frame 0 to his
                                        // leaving frame or the end frame, one decimal; none
                                        // for computers, observers and an empty span
    std::optional<PlayerCourse> course; // humans who are not observers only
};

struct MatchOrders {
    bool complete = false;             // the walk ended exactly at the file's last byte
    uint32_t endFrame = 0;             // the end marker's frame, else the last order's
    std::vector<PlayerOrders> players; // one per element of the record's players, same order
};

// A replay's file is never read further than this for its orders.
inline constexpr std::size_t MatchReadLimit = 64 * 1024 * 1024;

// A human who plays, not an observer: the players with an APM and a course.
bool PlaysTheMatch(const TZH_player& player);

// Walks the orders in body (the bytes that follow the header) for the players of record.
// The first order that is cut or malformed (an unknown argument type, counts running past the
// end, a frame before the one of the order before it) ends the walk: what was counted so far
// stays, and complete is false.
// placementsOf: the one seat whose course is read, and of it only the buildings and tunnels he
// placed (what a career's openings need); else every human who plays has his whole course.
MatchOrders WalkOrders(std::string_view body, const TZH_replay& record,
                       std::optional<std::size_t> placementsOf = std::nullopt);

// The orders of a file's bytes (from its first byte): the walk from where the header ends;
// nothing counted and complete false when the header's end can't be found.
MatchOrders MatchFromBytes(std::string_view fileBytes, const TZH_replay& record,
                           std::optional<std::size_t> placementsOf = std::nullopt);

// Reads a valid replay's whole file (never more than MatchReadLimit bytes: complete is false
// for a longer one) and walks its orders; nullopt for an invalid record. Throws ReplayReadError
// when the file can't be read, or no longer holds the header of record.
std::optional<MatchOrders> ReadMatch(const TZH_replay& record);
// The same, reading at most readLimit bytes.
std::optional<MatchOrders> ReadMatch(const TZH_replay& record, std::size_t readLimit,
                                     std::optional<std::size_t> placementsOf = std::nullopt);

// "dropped", "surrendered", "quit".
std::string_view LeaveHowName(LeaveHow how);
