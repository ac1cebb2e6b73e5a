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
    Text folder;     // the folder to list
    std::string how; // how it was found, in a sentence or two (for tarvex-info --where)
};

// Documents folder + leaf name + "Replays", where the leaf name is the game's registry value
// (machine, 32-bit view first, then 64-bit, then the user's) or else the game's default; the
// program's own folder when that is not an existing directory. Throws RegistryTypeError.
ReplayFolderChoice FindReplayFolder();

// The user data folder of a replay folder: its parent when the folder is the game's
// "Replays"; empty otherwise (the program's own folder, listed when the game has none).
Text UserDataFolderOf(const Text& replayFolder);
