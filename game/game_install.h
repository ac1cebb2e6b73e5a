// Where the game is installed, and the archives its own maps come from.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "replay/zerohour_intf.h"

struct GameInstall {
    std::vector<Text> folders; // existing install folders, each once, the registry's first
    std::vector<Text>
        archives;    // their *.big files: per folder the map archive first, then the others
    std::string how; // how they were found, a line each (for tarvex-info --where)
};

// The folder named by the game's registry value InstallPath (the same keys and order as the
// user data folder's name), then the folder Steam installed the game in: steamapps/common/
// <installdir> of the library holding its appmanifest. Never throws.
GameInstall FindGameInstall();

// Finds the game's installation: FindGameInstall, or what a test or a caller sharing one
// look gives.
using InstallFinder = std::function<GameInstall()>;

// The *.big files of folder: the game's map archive first, then the others in folder order.
std::vector<Text> ArchivesIn(const Text& folder);
