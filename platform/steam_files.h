// Steam keeps the list of its game libraries in steamapps/libraryfolders.vdf and one
// steamapps/appmanifest_<app id>.acf per installed game, text files in Valve's key-value
// format.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Steam's own text files are small; a larger one is not Steam's and is not read.
inline constexpr std::size_t SteamFileLimit = 1u << 20;

// The library folders that the file lists, in its order: the "path" of every numbered entry,
// or, in the older form of the file, the numbered entries' own values.
std::vector<std::string> SteamLibraryPaths(std::string_view vdfText);

// The game's folder name below the library's steamapps/common: "installdir" of the
// manifest's "AppState" block. nullopt when the manifest has none or an empty one.
std::optional<std::string> SteamAppInstallDir(std::string_view acfText);

} // namespace platform
