// Where each player started. The game gives out the random start spots right after the random
// armies and colours, with the same generator, from the map's start spots, which a replay lacks:
// the caller brings them from the game's map cache.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "replay/zerohour_intf.h"

// A point of the map in game world units.
struct MapPoint {
    float x = 0;
    float y = 0;
};

// The map's start spots, numbered from 0 (spot 0 is the map's Player_1_Start): one per spot the
// map offers, nullopt for a spot whose waypoint the map lacks.
using MapSpots = std::vector<std::optional<MapPoint>>;

// The game's lobby has eight slots, so a map offers at most eight spots.
inline constexpr std::size_t MaxStartSpots = LobbySlots;

struct PlayerStart {
    int8_t spot = -1;    // from 0; -1 when unknown
    bool random = false; // the game chose it: left random in the lobby, or an observer's
};

// One entry per player of the record, in its order. spots: the map's, or nullptr when no cache
// holds the map; then only spots fixed in the lobby are known (as stored). A map offering no
// spot or more than eight is treated as unknown (the game itself hangs or overruns on them).
// An invalid record gets nothing resolved. Works on the record's seed, picks and slots alone.
std::vector<PlayerStart> ResolveStartSpots(const TZH_replay& replay, const MapSpots* spots);
