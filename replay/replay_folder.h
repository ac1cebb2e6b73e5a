// Finding the game's replay folder and walking the replay files in it.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "zerohour_intf.h"

inline constexpr std::string_view GameRegistryKey =
    "SOFTWARE\\Electronic Arts\\EA GAMES\\Command and Conquer Generals Zero Hour";
inline constexpr std::string_view UserDataValueName = "UserDataLeafName";
// The folder name the game itself uses when its key holds no leaf name.
inline constexpr std::string_view DefaultUserDataLeafName =
    "Command and Conquer Generals Zero Hour Data";
inline constexpr std::string_view ReplaySubfolder = "Replays";
inline constexpr std::string_view ReplayFileMask = "*.rep";

// The game's registry value exists but does not hold text.
class RegistryTypeError : public std::runtime_error {
public:
    explicit RegistryTypeError(std::string_view valueName);
};

struct ReplayFolderChoice {
    Text folder;     // the folder to list
    std::string how; // how it was found, in a sentence or two (for tarvex-info --where)
};

// Documents folder + leaf name from the game's registry key + "Replays"; the program's own
// folder when that is not an existing directory. Throws RegistryTypeError.
ReplayFolderChoice FindReplayFolder();

// Calls visit(full path) for every entry of folder that matches mask and is not a directory,
// in the order the folder lists them. beforeEntry, when given, runs once for every matching
// entry first, directories included (the window services its pending events there).
void ForEachReplayFile(const Text& folder, std::string_view mask,
                       const std::function<void(const Text& path)>& visit,
                       const std::function<void()>& beforeEntry = {});
