// Which Wine prefix holds the game: the one whose registry and documents folder the Linux
// side of the platform layer answers from.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/wine/wine_environment.h"
#include "platform/wine/wine_registry.h"

namespace platform::wine {

struct PrefixCandidate {
    std::string path;   // the prefix folder (holds system.reg, user.reg, drive_c)
    std::string origin; // why it was looked at: "$WINEPREFIX", "Steam library /x, app 2732960", ...
};

// Every existing prefix in the order of the search: $WINEPREFIX, ~/.wine, the Proton
// prefixes of every Steam library (the game's, Generals', then the others), Lutris' games
// in ~/Games, Bottles, Heroic. A folder reached twice is listed once.
std::vector<PrefixCandidate> CandidatePrefixes(const Environment& environment);

// The Steam libraries below home: each Steam installation's own folder, then those its
// libraryfolders.vdf lists; a folder reached twice is listed once.
std::vector<std::string> SteamLibraries(const std::string& home);

struct PrefixChoice {
    std::optional<PrefixCandidate> prefix;       // none: the registry is empty
    std::string why;                             // why this prefix, or why none
    std::shared_ptr<const RegistryFile> machine; // system.reg: HKEY_LOCAL_MACHINE
    std::shared_ptr<const RegistryFile> user;    // user.reg: HKEY_CURRENT_USER
    std::string documents;                       // without a trailing separator; may be empty
    std::string documentsHow;
};

// The first candidate whose registry holds the game's key; else the first whose documents
// folder holds the game's default data folder with its replays; else none, with the user's
// own documents folder.
PrefixChoice ChoosePrefix(const Environment& environment);

// The environment the choice is made from: the process's, or the one a test set.
Environment CurrentEnvironment();
// The choice for this process, made once from its environment.
const PrefixChoice& CurrentPrefix();
// Tests: make the next CurrentPrefix() choose again, from environment when given, else from
// the process environment.
void ResetCurrentPrefix(std::optional<Environment> environment = std::nullopt);

} // namespace platform::wine
