#include "game/map_caches.h"

#include <algorithm>

#include "game/big_archive.h"
#include "platform/platform.h"

namespace {

constexpr std::string_view CacheBelowFolder = "Maps/MapCache.ini";
constexpr std::string_view CacheEntry = "maps\\mapcache.ini"; // as big::EntryKey gives it

std::optional<MapCacheFile> LooseCache(const Text& folder, MapCacheKind kind) {
    const auto path = platform::FindEntry(folder, CacheBelowFolder);
    if (!path || !platform::FileExists(*path)) return std::nullopt;
    auto entries = ReadMapCacheFile(*path);
    if (!entries) return std::nullopt;
    return MapCacheFile{kind, *path, std::move(*entries)};
}

bool IsCacheEntry(std::string_view name) {
    return big::EntryKey(name) == CacheEntry;
}

} // namespace

std::string_view MapCacheKindName(MapCacheKind kind) {
    return kind == MapCacheKind::Game ? "game" : "player";
}

MapCaches::MapCaches(Text userDataFolder, InstallFinder findInstall)
    : userDataFolder_(std::move(userDataFolder)), findInstall_(std::move(findInstall)) {}

// As the game's file system: a loose file below an install folder, else the first archive
// that holds one.
std::optional<MapCacheFile> MapCaches::findGameCache() const {
    const GameInstall install = findInstall_ ? findInstall_() : GameInstall{};
    for (const Text& folder : install.folders)
        if (auto file = LooseCache(folder, MapCacheKind::Game)) return file;
    for (const Text& path : install.archives) {
        const big::Archive archive = big::Archive::Open(path, IsCacheEntry);
        const big::Entry* entry = archive.find(CacheEntry);
        if (!entry) continue;
        if (const auto bytes = archive.read(*entry, MaxMapCacheBytes))
            return MapCacheFile{MapCacheKind::Game, path + " (" + entry->name + ")",
                                ParseMapCache(*bytes)};
    }
    return std::nullopt;
}

std::optional<MapCacheFile> MapCaches::findPlayerCache() const {
    if (userDataFolder_.empty()) return std::nullopt;
    return LooseCache(userDataFolder_, MapCacheKind::Player);
}

const MapCacheFile* MapCaches::file(MapCacheKind kind) {
    Slot& slot = kind == MapCacheKind::Game ? game_ : player_;
    if (!slot.lookedFor) {
        slot.file = kind == MapCacheKind::Game ? findGameCache() : findPlayerCache();
        slot.lookedFor = true;
    }
    return slot.file ? &*slot.file : nullptr;
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
