// Fuzz target over the map cache's reader and the start spots placed from what it keeps: any
// text in; every entry kept must hold at most the lobby's eight spots, place its marks on the
// map's picture at finite fractions or not at all, and give each player a spot of the map or
// none. Built as a libFuzzer program (TARVEX_FUZZ) and as a plain corpus player for ctest.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "game/map_cache.h"
#include "replay/start_spots.h"

namespace {

// A broken rule is a finding, like a crash: report it and stop so that the input is kept.
void Require(bool condition, const char* rule) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_map_cache: broken rule: %s\n", rule);
    std::abort();
}

bool Finite(MapPoint point) {
    return std::isfinite(point.x) && std::isfinite(point.y);
}

// Random spots with and without a team, one fixed spot (2) and an observer.
TZH_replay Match(uint32_t seed) {
    TZH_replay replay;
    replay.valid = true;
    replay.seed = seed;
    for (const auto [army, spot, team] :
         {std::array<int, 3>{-1, 255, 0}, {2, 1, 0}, {-2, 255, -1}, {-1, 255, 1}, {-1, 255, -1}}) {
        TZH_player& p = replay.players.emplace_back();
        p.army = static_cast<int8_t>(army);
        p.slotValue3 = static_cast<uint8_t>(spot);
        p.team = static_cast<int8_t>(team);
    }
    return replay;
}

void CheckEntry(const MapCacheEntry& entry, const TZH_replay& replay) {
    Require(entry.spots.size() <= MaxStartSpots, "no more spots than the lobby's slots");
    if (entry.extent) {
        const auto placed = [&](MapPoint point) {
            const auto onPicture = PictureFraction(*entry.extent, point);
            return !onPicture || Finite(*onPicture);
        };
        for (const auto& spot : entry.spots)
            Require(!spot || placed(*spot), "a spot placed at a finite fraction or not at all");
        for (const auto* points : {&entry.techPositions, &entry.supplyPositions})
            for (const MapPoint point : *points)
                Require(placed(point), "a mark placed at a finite fraction or not at all");
    }
    const auto starts = ResolveStartSpots(replay, &entry.spots);
    Require(starts.size() == replay.players.size(), "a start per player");
    for (const PlayerStart& start : starts)
        Require(entry.spots.empty() ? start.spot == -1 || start.spot == 1
                                    : start.spot >= -1 && start.spot < int(entry.spots.size()),
                "a spot of the map, or the stored one without the map's");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto entries = ParseMapCache(text);
    uint32_t seed = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(size, 4); ++i)
        seed = seed << 8 | data[i];
    const TZH_replay replay = Match(seed);
    for (const MapCacheEntry& entry : entries)
        CheckEntry(entry, replay);
    return 0;
}
