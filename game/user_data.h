// The game's user data folder, and the Replays folder in it that Tarvex lists.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "folder/replay_folder.h"
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
    Text archiveFolder;  // the game's ArchivedReplays in the user data folder; empty when none
};

// Documents folder + leaf name + "Replays", where the leaf name is the game's registry value
// (machine, 32-bit view first, then 64-bit, then the user's) or else the game's default; the
// program's own folder when that is not an existing directory. The user data folder is the
// documents folder + leaf name either way, and the archive folder is its ArchivedReplays folder
// when there is one, whether Replays exists or not. Letter case is ignored in the game's
// folders, as on Windows. Throws RegistryTypeError.
ReplayFolderChoice FindReplayFolder();

// What Tarvex and tarvex-info list, in this order: the chosen folder's replays, then the
// archive folder's, named "ArchivedReplays\NAME" as the game writes their path.
std::vector<ReplaySource> ListedSources(const ReplayFolderChoice& choice);
