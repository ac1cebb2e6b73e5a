// Finding the game's replay folder and walking the replay files in it.
#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/game_identity.h"
#include "replay_read_ahead.h"
#include "zerohour.h"
#include "zerohour_intf.h"

inline constexpr std::string_view GameRegistryKey = platform::game::RegistryKey;
inline constexpr std::string_view UserDataValueName = platform::game::UserDataValueName;
inline constexpr std::string_view DefaultUserDataLeafName = platform::game::DefaultUserDataLeafName;
inline constexpr std::string_view ReplaySubfolder = platform::game::ReplaySubfolder;
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

// Documents folder + leaf name + "Replays", where the leaf name is the game's registry value
// (machine, 32-bit view first, then 64-bit, then the user's) or else the game's default; the
// program's own folder when that is not an existing directory. Throws RegistryTypeError.
ReplayFolderChoice FindReplayFolder();

// A replay file of a listing, as the scan hands it over.
struct ListedReplayFile {
    const Text& path;                 // the folder and the entry's name
    std::optional<TZH_replay> record; // its record, when it was read ahead
    ReplayReadAhead* ahead = nullptr;

    // The record read ahead, handed over once, else ReadReplay(path). Throws ReplayReadError.
    TZH_replay read() {
        if (!record) return ahead ? ahead->readHere(path) : ReadReplay(path);
        TZH_replay read = std::move(*record);
        record.reset();
        return read;
    }
};

// Calls visit for every entry of folder that matches mask and is not a directory, in the
// order the folder lists them. beforeEntry, when given, runs once for every matching entry
// first, directories included (the window services its pending events there). listed, when
// given, learns the number of matching entries before the first of them (a caller can make
// room for that many records at once). Meanwhile the next files' headers are read ahead
// within readAhead's limits (NoReadAhead for a visit that reads nothing).
void ForEachReplayFile(const Text& folder, std::string_view mask,
                       const std::function<void(ListedReplayFile& file)>& visit,
                       const std::function<void()>& beforeEntry = {},
                       const std::function<void(std::size_t entries)>& listed = {},
                       const ReadAheadLimits& readAhead = {});
