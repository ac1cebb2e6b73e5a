// Where the game keeps the preview picture of a map: beside a map of the player's own in the
// user data folder, and for the game's own maps in its archives or below its install folder.
// Finding and reading the picture's file only; decoding it is the window's business.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "game/game_files.h"
#include "game/game_install.h"
#include "replay/zerohour_intf.h"

// A preview file larger than this is refused unread: the game's are 128 x 128 TGA pictures
// of 64 KiB.
inline constexpr std::size_t MaxPreviewFileBytes = 1u << 20;

// A map's name as part of a picture file's name: false when it could lead out of its folder
// (a separator, "..", a drive) or name a device ("CON", "LPT1") or hold what Windows refuses.
bool IsSafeMapFileName(std::string_view name);

// "maps\NAME\NAME.tga", the preview's name below the install folder and in the archives.
std::string MapPreviewEntry(std::string_view mapName);
// True for maps\FOLDER\NAME.tga, a picture in a map's folder: any letter case, "\" or "/".
bool IsMapPreviewEntry(std::string_view entryName);

class MapPreviewFinder {
public:
    // Nothing is read here: the install folder is looked for at the first map of the game's
    // own, and each archive's table when the archives before it didn't hold the picture; the
    // tables are kept.
    explicit MapPreviewFinder(Text userDataFolder, InstallFinder findInstall = FindGameInstall);

    // The picture's bytes, or nullopt when the game keeps none for this map (or only one
    // larger than MaxPreviewFileBytes). A user map is looked for only in the user data
    // folder, a map of the game's only in its installation.
    std::optional<GameFile> find(const TZH_map& map);

private:
    Text userDataFolder_;
    GameFiles gameFiles_;
};
