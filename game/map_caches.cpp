#include "game/map_caches.h"

#include <algorithm>

#include "platform/platform.h"

namespace {

constexpr std::string_view CacheBelowFolder = "Maps/MapCache.ini";
constexpr std::string_view CacheEntry = "maps\\mapcache.ini"; // as big::EntryKey gives it

bool IsCacheEntry(std::string_view name) {
    return big::EntryKey(name) == CacheEntry;
}

} // namespace

std::string_view MapCacheKindName(MapCacheKind kind) {
    return kind == MapCacheKind::Game ? "game" : "player";
}

MapCaches::MapCaches(Text userDataFolder, InstallFinder findInstall)
    : userDataFolder_(std::move(userDataFolder)),
      gameFiles_(std::move(findInstall), IsCacheEntry, GameFiles::Tables::ReadAgainWhenChanged) {}

std::optional<MapCaches::CacheReading> MapCaches::readGameCache() {
    auto found = gameFiles_.find(CacheBelowFolder, CacheEntry, MaxMapCacheBytes);
    if (!found) return std::nullopt;
    return CacheReading{
        MapCacheFile{MapCacheKind::Game, found->source, ParseMapCache(found->bytes)}, found->path,
        found->stamp};
}

std::optional<MapCaches::CacheReading> MapCaches::readPlayerCache() const {
    if (userDataFolder_.empty()) return std::nullopt;
    const auto found = FindLooseFile(userDataFolder_, CacheBelowFolder);
    if (!found) return std::nullopt;
    // A cache larger than the limit is read up to it: the entries there still count.
    auto entries = ReadMapCacheFile(found->path);
    if (!entries) return std::nullopt;
    return CacheReading{MapCacheFile{MapCacheKind::Player, found->path, std::move(*entries)},
                        found->path, found->stamp};
}

const MapCacheFile* MapCaches::file(MapCacheKind kind) {
    std::optional<CacheReading>& held = kind == MapCacheKind::Game ? game_ : player_;
    if (!held || platform::FileStampOf(held->path) != held->stamp)
        held = kind == MapCacheKind::Game ? readGameCache() : readPlayerCache();
    return held ? &held->file : nullptr;
}

std::optional<MapData> MapCaches::find(const TZH_map& map) {
    if (map.number < 0) return std::nullopt;
    const auto crc = static_cast<uint32_t>(map.code);
    const auto size = static_cast<uint32_t>(map.number);
    for (const MapCacheKind kind : {MapCacheKind::Game, MapCacheKind::Player}) {
        const MapCacheFile* cache = file(kind);
        if (!cache) continue;
        const auto entry =
            std::find_if(cache->entries.begin(), cache->entries.end(), [&](const MapCacheEntry& e) {
                return e.fileCRC == crc && e.fileSize == size;
            });
        if (entry != cache->entries.end()) return MapData{&*entry, kind};
    }
    return std::nullopt;
}

ReplayStarts StartsOf(const TZH_replay& replay, MapCaches& caches) {
    ReplayStarts starts;
    if (replay.valid) starts.map = caches.find(replay.map);
    starts.players = ResolveStartSpots(replay, starts.map ? &starts.map->entry->spots : nullptr);
    return starts;
}
