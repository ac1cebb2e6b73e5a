// Replay files that could not be opened or read during a listing, and the one message
// that names them after the scan.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "replay/zerohour_intf.h"

struct UnreadableFile {
    QString name;   // the file name, as its row shows it
    QString reason; // the system's reason
};

// At most this many files are named; the rest are counted.
inline constexpr std::size_t MaxNamedUnreadableFiles = 10;

// "Impossible de lire ces replays :" and one line per file, then how many more.
QString UnreadableFilesMessage(const std::vector<UnreadableFile>& files);

using ReplayReader = std::function<TZH_replay(const Text& path)>;

struct ReadOutcome {
    TZH_replay record;
    std::optional<UnreadableFile> unreadable; // set when the file could not be read
};

// Reads one replay file with `read`. Whatever goes wrong gives an invalid record that still
// names the file (shownPrefix and its name, as the list names its source's files), and the
// reason, so that one bad file never ends a listing.
ReadOutcome ReadReplayKeepingErrors(const Text& path, const ReplayReader& read,
                                    std::string_view shownPrefix = {});
