// The two map caches a replay's map data comes from: the game's, for its own maps, and the
// player's, for the maps he keeps in his user data folder. The game rewrites the player's
// while it runs: each is looked at again whenever a replay needs it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game_files.h"
#include "game/game_install.h"
#include "game/map_cache.h"
#include "replay/start_spots.h"
#include "replay/zerohour_intf.h"

enum class MapCacheKind { Game, Player };

// "game" or "player".
std::string_view MapCacheKindName(MapCacheKind kind);

struct MapCacheFile {
    MapCacheKind kind = MapCacheKind::Game;
    std::string source; // the file, or the archive and its entry
    std::vector<MapCacheEntry> entries;
};

struct MapData {
    const MapCacheEntry* entry = nullptr; // owned by the MapCaches that found it, till it is
                                          // next asked
    MapCacheKind cache = MapCacheKind::Game;
};

class MapCaches {
public:
    // Nothing is read here. userDataFolder: empty when there is none. The install is looked
    // for once, when the game's cache is first needed.
    explicit MapCaches(Text userDataFolder, InstallFinder findInstall = FindGameInstall);

    // The entry of the exact map a replay was played on: the one whose fileCRC and fileSize
    // are the header's map code and number, the game's cache first (the player's is looked at
    // only when the game's lacks the map). Nothing is guessed from the map's name.
    std::optional<MapData> find(const TZH_map& map);

    // The cache of that kind as its file is now, nullptr when there is none: one look at the
    // status of the file it was read from, read again when its size or modification time
    // changed (the game was writing it, or wrote it since); looked for again when there was
    // none.
    const MapCacheFile* file(MapCacheKind kind);

private:
    // A cache as it was read, and the state of the file it came from just before.
    struct CacheReading {
        MapCacheFile file;
        std::string path; // the loose file or the archive
        std::optional<platform::FileStamp> stamp;
    };

    std::optional<CacheReading> readGameCache();
    std::optional<CacheReading> readPlayerCache() const;

    Text userDataFolder_;
    GameFiles gameFiles_;
    std::optional<CacheReading> game_;
    std::optional<CacheReading> player_;
};

// What the details of one replay show of its start: the map's data and each player's spot.
struct ReplayStarts {
    std::optional<MapData> map;       // none for an invalid replay or a map no cache holds
    std::vector<PlayerStart> players; // one per player, in the record's order
};

ReplayStarts StartsOf(const TZH_replay& replay, MapCaches& caches);
