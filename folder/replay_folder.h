// Walking the replay files of a folder, their headers read ahead.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "folder/replay_read_ahead.h"
#include "replay/zerohour.h"
#include "replay/zerohour_intf.h"

inline constexpr std::string_view ReplayFileMask = "*.rep";

// A folder a listing walks, and what goes before the name of each of its files in the records
// (the name the list shows and the filter searches): nothing for the replay folder, the
// folder's name and a backslash for the game's archive folder, on every system.
struct ReplaySource {
    Text folder;
    Text shownPrefix;
};

// A replay file of a listing, as the scan hands it over.
struct ListedReplayFile {
    const Text& path;                 // the folder and the entry's name
    std::string_view shownPrefix;     // its source's
    std::optional<TZH_replay> record; // its record, when it was read ahead
    ReplayReadAhead* ahead = nullptr;

    // The record read ahead, handed over once, else ReadReplay(path); its file named with the
    // source's prefix. Throws ReplayReadError.
    TZH_replay read() {
        TZH_replay read = record  ? std::move(*record)
                          : ahead ? ahead->readHere(path)
                                  : ReadReplay(path);
        record.reset();
        if (!shownPrefix.empty()) read.file.name.insert(0, shownPrefix);
        return read;
    }
};

// Calls visit for every entry of the sources' folders that matches mask and is not a
// directory, folder after folder, each in the order it lists its entries. beforeEntry, when
// given, runs once for every matching entry first, directories included (the window services
// its pending events there). listed, when given, learns the number of matching entries of all
// the folders before the first of them (a caller can make room for that many records at once).
// Meanwhile the next files' headers of the folder in hand are read ahead within readAhead's
// limits (NoReadAhead for a visit that reads nothing; its hooks count entries from each
// folder's first).
void ForEachReplayFile(const std::vector<ReplaySource>& sources, std::string_view mask,
                       const std::function<void(ListedReplayFile& file)>& visit,
                       const std::function<void()>& beforeEntry = {},
                       const std::function<void(std::size_t entries)>& listed = {},
                       const ReadAheadLimits& readAhead = {});
// The same for one folder, its files named as they are.
void ForEachReplayFile(const Text& folder, std::string_view mask,
                       const std::function<void(ListedReplayFile& file)>& visit,
                       const std::function<void()>& beforeEntry = {},
                       const std::function<void(std::size_t entries)>& listed = {},
                       const ReadAheadLimits& readAhead = {});
