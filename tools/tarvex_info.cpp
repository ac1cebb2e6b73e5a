// tarvex-info: prints what Tarvex reads from replay files, one line per replay.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "career/career.h"
#include "career/career_files.h"
#include "career/career_reading.h"
#include "folder/replay_folder.h"
#include "folder/replay_match_text.h"
#include "game/big_archive.h"
#include "game/game_install.h"
#include "game/map_caches.h"
#include "game/map_pictures.h"
#include "game/user_data.h"
#include "orders/match.h"
#include "platform/game_identity.h"
#include "platform/platform.h"
#include "replay/zerohour.h"
#include "tools/career_report.h"
#include "tools/replay_report.h"

namespace {

constexpr const char* Usage =
    "Usage: tarvex-info [--json] [--match] [--find TEXT] [PATH...]\n"
    "       tarvex-info --course PATH...\n"
    "       tarvex-info --player NAME [--json] [PATH...]\n"
    "       tarvex-info --where\n"
    "\n"
    "Prints one line per Command and Conquer Generals Zero Hour replay (.rep) file.\n"
    "A folder is read the way Tarvex lists it: every *.rep entry, in folder order.\n"
    "Without PATH, the game's replay folder is listed, then its archive folder\n"
    "(ArchivedReplays), whose files are named ArchivedReplays\\NAME.\n"
    "\n"
    "  --json     one JSON object per replay and line (JSON Lines)\n"
    "  --match    also read the orders after each header (whole files): the armies and\n"
    "             colours the game drew, and when and how each player left\n"
    "  --find TEXT  only the replays Tarvex's list shows when TEXT is typed over it:\n"
    "             every word of TEXT in the file's name, the map's name, a player's\n"
    "             name or the date (27/04/2025), whatever the case and accents\n"
    "  --course   each human player's orders, one line each with its game time: what\n"
    "             he placed, queued, fired and picked, his cancels and sales (in French)\n"
    "  --player NAME  the career of the human named NAME (exactly, case included): his\n"
    "             games, armies, maps, the players he met, how his games ended, his\n"
    "             commands per minute and his openings\n"
    "  --where    print the replay folder Tarvex would list and how it was found, its\n"
    "             archive folder, the game's install folder and archives its maps'\n"
    "             pictures come from, and the map caches its players' start spots come from\n"
    "  --help     show this help\n"
    "  --version  show the version\n";

// The game's user data folder, whatever folder the files given lie in: the map caches are
// the player's game's, as the window finds them.
Text FoundUserDataFolder() {
    try {
        return FindReplayFolder().userDataFolder;
    } catch (const RegistryTypeError&) {
        return {};
    }
}

struct Options {
    bool json = false;
    bool match = false;
    bool course = false;
    bool where = false;
    std::optional<ReplayQuery> find;
    std::optional<std::string> player;
    std::vector<std::string> paths;
};

class Printer {
public:
    Printer(bool json, bool match, bool course, const std::optional<ReplayQuery>& find)
        : json_(json), match_(match), course_(course), find_(find) {}

    void file(const std::string& path) {
        print([&path] { return ReadReplay(path); });
    }

    void path(const std::string& path) {
        if (platform::DirectoryExists(path))
            folders({ReplaySource{path, {}}});
        else
            file(path);
    }

    void folders(const std::vector<ReplaySource>& sources) {
        ForEachReplayFile(sources, ReplayFileMask, [this](ListedReplayFile& file) {
            print([&file] { return file.read(); });
        });
    }

    bool failed() const { return failed_; }

private:
    template <typename Read> void print(const Read& read) {
        try {
            const TZH_replay replay = read();
            if (find_ && !ReplayMatches(*find_, replay)) return;
            line_.clear();
            if (course_) {
                line_ = CourseReport(replay, ReadMatch(replay));
                line_.pop_back(); // the line's end comes below
            } else {
                report(replay);
            }
            line_ += '\n';
            std::cout.write(line_.data(), static_cast<std::streamsize>(line_.size()));
        } catch (const ReplayReadError& error) {
            std::cout.flush();
            std::cerr << "tarvex-info: cannot read " << error.path() << ": " << error.reason()
                      << '\n';
            failed_ = true;
        }
    }

    // The plain line or the JSON record, with the start spots the map caches give: the caches
    // are found and read at the first replay that needs them (--course needs none).
    void report(const TZH_replay& replay) {
        std::optional<ReplayStarts> found;
        if (replay.valid) found = StartsOf(replay, caches());
        const ReplayStarts* starts = found ? &*found : nullptr;
        if (match_) {
            const std::optional<MatchOrders> match = ReadMatch(replay);
            if (json_)
                AppendReplayJson(line_, replay, match, starts);
            else
                line_ = ReplaySummary(replay, match, starts);
        } else if (json_) {
            AppendReplayJson(line_, replay, starts);
        } else {
            line_ = ReplaySummary(replay, starts);
        }
    }

    MapCaches& caches() {
        if (!caches_) caches_.emplace(FoundUserDataFolder());
        return *caches_;
    }

    bool json_;
    bool match_;
    bool course_;
    const std::optional<ReplayQuery>& find_;
    bool failed_ = false;
    std::optional<MapCaches> caches_;
    std::string line_; // one buffer for every line printed
};

// The archive folder the list ends with, and how many replays it holds.
void PrintArchiveFolder(const ReplayFolderChoice& choice) {
    std::cout << "archive folder: ";
    if (choice.archiveFolder.empty()) {
        if (choice.userDataFolder.empty())
            std::cout << "none (no user data folder)\n";
        else
            std::cout << "none (no " << platform::game::ArchiveSubfolder << " in "
                      << choice.userDataFolder << ")\n";
        return;
    }
    std::size_t replays = 0;
    ForEachReplayFile(
        choice.archiveFolder, ReplayFileMask, [&replays](ListedReplayFile&) { ++replays; }, {}, {},
        NoReadAhead);
    std::cout << choice.archiveFolder << ": " << replays
              << (replays == 1 ? " replay\n" : " replays\n");
}

// The install folders and, per archive, how many map pictures its table holds.
void PrintInstall(const GameInstall& install) {
    std::cout << install.how << '\n';
    for (const Text& path : install.archives) {
        const big::Archive archive = big::Archive::Open(path, IsMapPreviewEntry);
        const big::Index& index = archive.index();
        std::cout << "archive: " << path << ": " << index.entries.size() << " of its "
                  << index.readCount << " entries are map pictures";
        if (index.outsideCount)
            std::cout << ", " << index.outsideCount << " entries past its end left out";
        if (!index.problem.empty()) std::cout << " (" << index.problem << ")";
        std::cout << '\n';
    }
}

// Each map cache found and how many entries it holds.
void PrintMapCaches(const GameInstall& install, const Text& userDataFolder) {
    MapCaches caches(userDataFolder, [&install] { return install; });
    for (const MapCacheKind kind : {MapCacheKind::Game, MapCacheKind::Player}) {
        std::cout << "map cache (" << MapCacheKindName(kind) << "): ";
        if (const MapCacheFile* file = caches.file(kind))
            std::cout << file->source << ": " << file->entries.size()
                      << (file->entries.size() == 1 ? " entry\n" : " entries\n");
        else if (kind == MapCacheKind::Game)
            std::cout << "none below the install folders or in their archives\n";
        else if (userDataFolder.empty())
            std::cout << "none (no user data folder)\n";
        else
            std::cout << "none in " << userDataFolder << "\n";
    }
}

// --player: the replays of the paths as Tarvex's list holds them, the career of the human
// named name in them, and his games' orders; each file opened once, on all cores. 1 when he
// played none, or a file could not be read.
int PrintCareer(const std::string& name, bool json, const std::vector<std::string>& paths) {
    std::vector<CareerFile> files;
    const auto addFolders = [&files](const std::vector<ReplaySource>& sources) {
        ForEachReplayFile(
            sources, ReplayFileMask,
            [&files](ListedReplayFile& file) {
                files.push_back({file.path, Text(file.shownPrefix)});
            },
            {}, {}, NoReadAhead);
    };
    // Without a path, the game's replay folder and its archive, as the list holds them.
    if (paths.empty()) addFolders(ListedSources(FindReplayFolder()));
    for (const std::string& path : paths)
        if (platform::DirectoryExists(path))
            addFolders({ReplaySource{path, {}}});
        else
            files.push_back({path, {}});
    std::vector<TZH_replay> records;
    std::vector<CareerFileRead> reads; // reads[r] of records[r]
    bool failed = false;
    std::vector<CareerFileRead> fileReads = ReadCareerFiles(files, name);
    for (std::size_t f = 0; f < files.size(); ++f) {
        CareerFileRead& read = fileReads[f];
        if (!read.record) {
            std::cerr << "tarvex-info: cannot read " << files[f].path << ": " << read.error << '\n';
            failed = true;
            continue;
        }
        records.push_back(std::move(*read.record));
        reads.push_back(std::move(read));
    }
    const Career career = TallyCareer(records, name);
    if (career.games.empty()) {
        std::cerr << "tarvex-info: no game of " << name << " in these replays\n";
        return 1;
    }
    std::vector<std::optional<CareerGameOrders>> orders(career.games.size());
    std::vector<CareerGameRead> unread;
    for (uint32_t g = 0; g < career.games.size(); ++g) {
        CareerGameRead read = FirstFileRead(career, g, [&reads](std::size_t r, std::string& error) {
            error = reads[r].error;
            return reads[r].orders;
        });
        if (read.orders)
            orders[g] = read.orders;
        else
            unread.push_back(std::move(read));
    }
    const CareerReport report{records, career, orders};
    std::cout << (json ? CareerJson(report) : CareerLines(report));
    std::cout.flush();
    for (const CareerGameRead& read : unread)
        std::cerr << "tarvex-info: cannot read " << records[read.record].file.path << ": "
                  << read.error << '\n';
    return failed || !unread.empty() ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Texts are printed as UTF-8: let the console show them as such.
    SetConsoleOutputCP(CP_UTF8);
#endif
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << Usage;
            return 0;
        } else if (arg == "--version") {
            std::cout << "tarvex-info " TARVEX_VERSION "\n";
            return 0;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--match") {
            options.match = true;
        } else if (arg == "--course") {
            options.course = true;
        } else if (arg == "--where") {
            options.where = true;
        } else if (arg == "--find") {
            if (i + 1 == argc) {
                std::cerr << "tarvex-info: --find needs a text\n" << Usage;
                return 2;
            }
            options.find.emplace(argv[++i]);
        } else if (arg == "--player") {
            if (i + 1 == argc) {
                std::cerr << "tarvex-info: --player needs a name\n" << Usage;
                return 2;
            }
            options.player.emplace(argv[++i]);
        } else if (arg == "--") {
            for (++i; i < argc; ++i)
                options.paths.push_back(argv[i]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::cerr << "tarvex-info: unknown option " << arg << "\n" << Usage;
            return 2;
        } else {
            options.paths.push_back(arg);
        }
    }
    try {
        if (options.course && options.paths.empty()) {
            std::cerr << "tarvex-info: --course needs the replay files to read\n" << Usage;
            return 2;
        }
        if (options.course && options.json) {
            std::cerr << "tarvex-info: --course prints text only; --json --match gives the "
                         "orders as JSON\n"
                      << Usage;
            return 2;
        }
        if (options.player && (options.match || options.course || options.where || options.find)) {
            std::cerr << "tarvex-info: --player goes with --json and paths only\n" << Usage;
            return 2;
        }
        if (options.player) return PrintCareer(*options.player, options.json, options.paths);
        Printer printer(options.json, options.match, options.course, options.find);
        if (options.where || options.paths.empty()) {
            const ReplayFolderChoice choice = FindReplayFolder();
            if (options.where) {
                std::cout << choice.folder << '\n' << choice.how << '\n';
                PrintArchiveFolder(choice);
                const GameInstall install = FindGameInstall();
                PrintInstall(install);
                PrintMapCaches(install, choice.userDataFolder);
                return 0;
            }
            printer.folders(ListedSources(choice));
        }
        for (const std::string& path : options.paths)
            printer.path(path);
        return printer.failed() ? 1 : 0;
    } catch (const std::exception& error) {
        std::cerr << "tarvex-info: " << error.what() << '\n';
        return 1;
    }
}
