// The game's own files as its file system finds them: a loose file below an install folder
// (letter case ignored) before the archives, and the archives in the install's order, its map
// archive first. Finding and reading the files only.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/big_archive.h"
#include "game/game_install.h"
#include "platform/platform.h"

struct GameFile {
    std::string bytes;
    std::string source; // the loose file, or the archive and its entry
    std::string path;   // the file the bytes came from: the loose file or the archive
    std::optional<platform::FileStamp> stamp; // that file's, taken before it was read
};

// A file below folder at relative ("/" between its parts, letter case ignored), and its stamp
// taken as it was found; nullopt when there is no such file.
struct FoundFile {
    std::string path;
    std::optional<platform::FileStamp> stamp;
};
std::optional<FoundFile> FindLooseFile(const Text& folder, std::string_view relative);

// That file read whole; nullopt when there is none or it holds more than limit bytes.
std::optional<GameFile> LooseGameFile(const Text& folder, std::string_view relative,
                                      std::size_t limit);

class GameFiles {
public:
    // What becomes of an archive's table once read: kept for every later look, or read again
    // at a look that finds the archive's size or time changed, for a file the game may
    // rewrite while the program runs.
    enum class Tables { Kept, ReadAgainWhenChanged };

    // Nothing is read here: the install is looked for at the first look, and only then; keep
    // chooses the archives' entries that are kept.
    GameFiles(InstallFinder findInstall, big::EntryFilter keep, Tables tables);

    // The file at loose below an install folder, else the entry of that name in the archives;
    // nullopt when none holds it, or only one larger than limit.
    std::optional<GameFile> find(std::string_view loose, std::string_view entry, std::size_t limit);

private:
    struct ReadArchive {
        big::Archive archive;
        std::optional<platform::FileStamp> stamp; // taken before its table was read
    };
    const ReadArchive& archive(std::size_t i);

    InstallFinder findInstall_;
    big::EntryFilter keep_;
    Tables tables_;
    std::optional<GameInstall> install_;
    std::vector<std::optional<ReadArchive>> archives_; // one per install archive, once read
};
