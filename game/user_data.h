// The game's user data folder, and the Replays folder in it that Tarvex lists.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "replay/zerohour_intf.h"

// The game's registry value exists but does not hold text.
class RegistryTypeError : public std::runtime_error {
public:
    explicit RegistryTypeError(std::string_view valueName);
};

struct ReplayFolderChoice {
    Text folder;         // the folder to list
    std::string how;     // how it was found, in a sentence or two (for tarvex-info --where)
    Text userDataFolder; // where the game keeps the player's maps and their cache; empty when
                         // the documents folder is unknown
};

// Documents folder + leaf name + "Replays", where the leaf name is the game's registry value
// (machine, 32-bit view first, then 64-bit, then the user's) or else the game's default; the
// program's own folder when that is not an existing directory. The user data folder is the
// documents folder + leaf name either way. Throws RegistryTypeError.
ReplayFolderChoice FindReplayFolder();
