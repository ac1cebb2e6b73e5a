// Steam keeps the list of its game libraries in steamapps/libraryfolders.vdf, a text file in
// Valve's key-value format.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::wine {

// The library folders that the file lists, in its order: the "path" of every numbered entry,
// or, in the older form of the file, the numbered entries' own values.
std::vector<std::string> SteamLibraryPaths(std::string_view vdfText);

} // namespace platform::wine
