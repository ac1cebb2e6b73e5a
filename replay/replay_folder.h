// Walking the replay files of a folder, their headers read ahead.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "replay/replay_read_ahead.h"
#include "replay/zerohour.h"
#include "replay/zerohour_intf.h"

inline constexpr std::string_view ReplayFileMask = "*.rep";

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
