// Replay files that could not be opened or read during a listing, and the one message
// that names them after the scan.
#pragma once

#include <QString>
#include <vector>

struct UnreadableFile {
    QString name;   // the file name, as its row shows it
    QString reason; // the system's reason
};

// At most this many files are named; the rest are counted.
inline constexpr std::size_t MaxNamedUnreadableFiles = 10;

// "Impossible de lire ces replays :" and one line per file, then how many more.
QString UnreadableFilesMessage(const std::vector<UnreadableFile>& files);
