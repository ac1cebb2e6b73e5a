// The two map caches a replay's map data comes from: the game's, for its own maps, and the
// player's, for the maps he keeps in his user data folder. Each is found and read once, when
// a replay first needs it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    const MapCacheEntry* entry = nullptr; // owned by the MapCaches that found it
    MapCacheKind cache = MapCacheKind::Game;
};

class MapCaches {
public:
    using InstallFinder = std::function<GameInstall()>;

    // Nothing is read here. userDataFolder: empty when there is none.
    explicit MapCaches(Text userDataFolder, InstallFinder findInstall = FindGameInstall);

    // The entry of the exact map a replay was played on: the one whose fileCRC and fileSize
    // are the header's map code and number, the game's cache first (the player's is read only
    // when the game's lacks the map). Nothing is guessed from the map's name.
    std::optional<MapData> find(const TZH_map& map);

    // The cache of that kind, read now if it wasn't yet; nullptr when there is none.
    const MapCacheFile* file(MapCacheKind kind);

private:
    struct Slot {
        bool lookedFor = false;
        std::optional<MapCacheFile> file;
    };

    std::optional<MapCacheFile> findGameCache() const;
    std::optional<MapCacheFile> findPlayerCache() const;

    Text userDataFolder_;
    InstallFinder findInstall_;
    Slot game_;
    Slot player_;
};

// What the details of one replay show of its start: the map's data and each player's spot.
struct ReplayStarts {
    std::optional<MapData> map;       // none for an invalid replay or a map no cache holds
    std::vector<PlayerStart> players; // one per player, in the record's order
};

ReplayStarts StartsOf(const TZH_replay& replay, MapCaches& caches);
