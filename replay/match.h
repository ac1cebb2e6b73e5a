// What happened in a match, from the orders recorded after a replay's header: how many orders
// each player gave, when and how he left, and where the recording ends.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "zerohour_intf.h"

enum class LeaveHow { Dropped, Surrendered, Quit };

struct PlayerLeaving {
    uint32_t frame = 0; // the frame of his first self-destruct order
    LeaveHow how = LeaveHow::Quit;
};

struct PlayerOrders {
    uint32_t commands = 0;
    uint32_t selections = 0;
    std::optional<PlayerLeaving> left; // none: stayed to the end or was destroyed
    std::optional<double> apm;         // commands per minute of game time, one decimal; none
                                       // for computers, observers and an empty span
};

struct MatchOrders {
    bool complete = false;              // the walk ended exactly at the file's last byte
    uint32_t endFrame = 0;              // the end marker's frame, else the last order's
    std::vector<PlayerOrders> players;  // one per element of the record's players, same order
};

// Walks the orders in body (the bytes that follow the header) for the players of record.
MatchOrders WalkOrders(std::string_view body, const TZH_replay& record);

// Reads a valid replay's whole file (never more than 64 MiB) and walks its orders; nullopt
// for an invalid record. Throws ReplayReadError when the file can't be read.
std::optional<MatchOrders> ReadMatch(const TZH_replay& record);

// "dropped", "surrendered", "quit".
std::string_view LeaveHowName(LeaveHow how);
