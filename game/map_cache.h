// The game's map cache (Maps\MapCache.ini): the text in which the game keeps what it learnt of
// every map without opening the map file again: its size and checksum, its extent, its start
// spots, tech buildings and supply piles. A block per map:
//
//   MapCache maps_5ctournament_20island_5ctournament_20island_2emap
//     fileSize = 130668
//     fileCRC = 314460028
//     numPlayers = 4
//     extentMin = X:0.00 Y:0.00 Z:0.00
//     Player_1_Start = X:961.84 Y:2537.37 Z:0.00
//     techPosition = X:1643.94 Y:1774.47 Z:0.00
//   END
//
// Caches are shared with maps by strangers and written by other tools: the reader trusts
// nothing in them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "replay/start_spots.h"

// The official cache is about 20 KiB and a player's grows by 1 to 2 KiB per map he keeps.
inline constexpr std::size_t MaxMapCacheBytes = 4u << 20;
// Real maps have a few dozen supply piles and tech buildings at most; the cap keeps a hostile
// entry of a hundred thousand positions from costing megabytes in every copy.
inline constexpr std::size_t MaxPositionsPerKind = 512;

struct MapExtent {
    MapPoint min;
    MapPoint max;
};

struct MapCacheEntry {
    std::string name; // the block's name: the map file's path, encoded
    uint32_t fileSize = 0;
    uint32_t fileCRC = 0;
    uint32_t numPlayers = 0;
    std::optional<MapExtent> extent; // none unless the block gives extentMin and extentMax
    // Player_1_Start to Player_<numPlayers>_Start; empty when numPlayers is 0 or above the
    // lobby's eight slots, which no game can use.
    MapSpots spots;
    std::vector<MapPoint> techPositions;
    std::vector<MapPoint> supplyPositions;
};

// Every complete entry in file order (a block ended by END, with its fileSize and fileCRC).
// An entry holding a malformed number (coordinates that are not finite included) is left out,
// not the rest; unknown keys and comments are skipped; lines end in LF or CR LF. Of two
// blocks of one name the later stands, as in the game. Never throws.
std::vector<MapCacheEntry> ParseMapCache(std::string_view text);

// The first MaxMapCacheBytes of a cache file, parsed; nullopt when it can't be read.
std::optional<std::vector<MapCacheEntry>> ReadMapCacheFile(const std::string& path);

// The extent when it can put places on the map's picture: its width and height finite and
// above zero. None for none, and for an extent without area or inverted: its entry places
// nothing, neither start spots nor anything a player did.
std::optional<MapExtent> PictureExtent(const std::optional<MapExtent>& extent);

// Where a point of the map lies on its preview picture, as fractions of the picture's width
// and height from its top left corner (the picture's top row is the map's largest y); nullopt
// when PictureExtent refuses the extent, or the point or the fraction isn't finite: such a
// place gets no mark.
std::optional<MapPoint> PictureFraction(const MapExtent& extent, MapPoint point);
