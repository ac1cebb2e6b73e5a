// How long one selection change in the main list takes, up to the drawn details window: for
// an 8-player replay whose map picture lies in the maps folder (among a hundred others, under
// other letter case, so the case-blind search reads the folder), for an unreadable replay,
// and for the largest real replay with the pointer resting on a player row, whose tooltip has
// the whole file read and its orders walked; and for a replay in a folder of 100 and one of
// 50,000 without a maps folder, where the two should cost the same. Each step selects the
// other of two such rows, as the Down key walks the list. Then the start spots: reading the
// game's and the player's map caches and resolving a replay's spots, as the first selection
// that needs them does, and a selection change between two real replays with and without the
// map cache in the install.
#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QListWidget>
#include <QListWidgetItem>

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <random>
#include <sstream>

#include "bench/bench_folder.h"
#include "game/map_caches.h"
#include "game/user_data.h"
#include "replay/zerohour.h"
#include "resources/pictures.h"
#include "tests/support/big_builder.h"
#include "tests/support/replay_builder.h"
#include "ui/common/fonts.h"
#include "ui/details/details_form.h"
#include "ui/details/map_picture.h"
#include "ui/details/start_marks.h"
#include "ui/main/replay_list_view.h"
#include "ui/main/tarvex_main.h"

namespace fs = std::filesystem;
namespace rb = replay_builder;

namespace {

const QColor MapColour(20, 160, 90);

// The largest replay of the shared real ones; empty when they are missing.
fs::path LargestRealReplay() {
    const fs::path dir = fs::path(TARVEX_SHARED_DIR) / "testdata" / "replays" / "real";
    fs::path largest;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(dir, error))
        if (entry.path().extension() == ".rep" &&
            (largest.empty() || entry.file_size() > fs::file_size(largest)))
            largest = entry.path();
    return largest;
}

struct Windows {
    fs::path folder;
    std::unique_ptr<TMainForm> main;
    TMoreForm* details = nullptr;
    ~Windows() {
        main.reset();
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

std::unique_ptr<Windows> Shown;

void WriteEightPlayerReplay(const fs::path& path) {
    rb::Settings settings;
    settings.mapPath = "maps/tournament desert";
    for (int i = 0; i < 8; ++i)
        settings.slots.push_back(rb::Human("Joueur numero " + std::to_string(i),
                                           "0A00000" + std::to_string(i), i, 2 + i, i, i % 2));
    rb::Replay replay;
    replay.settings = rb::SettingsText(settings);
    rb::WriteFile(path.string(), rb::Bytes(replay));
}

void WriteMapPicture(const fs::path& path, const QColor& colour) {
    QImage image(48, 46, QImage::Format_RGB32);
    image.fill(colour);
    if (!image.save(QString::fromStdString(path.string()), "BMP"))
        throw std::runtime_error("cannot write " + path.string());
}

std::unique_ptr<Windows> MakeWindows() {
    auto windows = std::make_unique<Windows>();
    windows->folder = fs::temp_directory_path() /
                      ("tarvex-details-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(windows->folder / "maps");
    for (int i = 0; i < 100; ++i)
        WriteMapPicture(windows->folder / "maps" / ("OtherMap" + std::to_string(i) + ".bmp"),
                        Qt::gray);
    WriteMapPicture(windows->folder / "maps" / "TournamentDesert.bmp", MapColour);
    WriteEightPlayerReplay(windows->folder / "a1.rep");
    WriteEightPlayerReplay(windows->folder / "a2.rep");
    rb::WriteFile((windows->folder / "b1.rep").string(), "pas un replay");
    rb::WriteFile((windows->folder / "b2.rep").string(), "toujours pas un replay");
    // Two names for the largest real replay: every step reads it whole.
    if (const fs::path largest = LargestRealReplay(); !largest.empty())
        for (const char* name : {"r1.rep", "r2.rep"})
            fs::create_symlink(largest, windows->folder / name);
    const fs::path folder = windows->folder;
    windows->main = std::make_unique<TMainForm>([folder] {
        return ReplayFolderChoice{folder.string(), "bench"};
    });
    windows->details = new TMoreForm(*windows->main);
    windows->main->show();
    windows->details->show();
    QCoreApplication::processEvents();
    return windows;
}

QModelIndex RowOf(const std::string& file) {
    for (std::size_t i = 0; i < Shown->main->Replays.size(); ++i)
        if (Shown->main->Replays[i].file.name == file)
            return Shown->main->RepList->model()->index(static_cast<int>(i), 0);
    throw std::runtime_error("no row for " + file);
}

// Selects the row and lets both windows draw, the details window's header included.
void SelectAndDraw(const QModelIndex& row) {
    Shown->main->RepList->setCurrentIndex(row);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// The pointer resting on the first player row: Qt's tooltip request, at which the details
// window reads the selected replay's orders.
void RestOnFirstPlayer() {
    QListWidget& players = *Shown->details->PlayersList;
    if (players.count() == 0) return;
    const QPoint at = players.visualItemRect(players.item(0)).center();
    QHelpEvent rest(QEvent::ToolTip, at, players.viewport()->mapToGlobal(at));
    QApplication::sendEvent(players.viewport(), &rest);
}

void SelectionChange(benchmark::State& state, const std::string& first, const std::string& second,
                     bool valid) {
    const QModelIndex rows[] = {RowOf(first), RowOf(second)};
    SelectAndDraw(rows[1]);
    SelectAndDraw(rows[0]);
    // Make sure the measured work is the real one: the rows and the header were drawn.
    const QImage& background = Shown->details->Background;
    const QColor mapCell = background.pixelColor(QPoint(90, 40) * background.devicePixelRatio());
    if ((mapCell == MapColour) != valid ||
        Shown->details->PlayersList->count() != (valid ? 8 : 0)) {
        state.SkipWithError("the details window did not draw what it should");
        return;
    }
    std::size_t step = 0;
    for (auto _ : state)
        SelectAndDraw(rows[++step % 2]);
}

void EightPlayersWithMapPicture(benchmark::State& state) {
    SelectionChange(state, "a1.rep", "a2.rep", true);
}

void UnreadableReplay(benchmark::State& state) {
    SelectionChange(state, "b1.rep", "b2.rep", false);
}

void LargestRealReplayWithItsOrders(benchmark::State& state) {
    if (LargestRealReplay().empty()) {
        state.SkipWithError("the shared real replays are missing");
        return;
    }
    const QModelIndex rows[] = {RowOf("r1.rep"), RowOf("r2.rep")};
    SelectAndDraw(rows[1]);
    SelectAndDraw(rows[0]);
    RestOnFirstPlayer();
    // The orders were read: the human's tooltip says more than the header's one line.
    const QListWidget& players = *Shown->details->PlayersList;
    if (players.count() == 0 || !players.item(0)->toolTip().contains(QLatin1Char('\n'))) {
        state.SkipWithError("the details window did not read the replay's orders");
        return;
    }
    std::size_t step = 0;
    for (auto _ : state) {
        SelectAndDraw(rows[++step % 2]);
        RestOnFirstPlayer();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(fs::file_size(LargestRealReplay())));
}

// The windows over a folder of `count` copied real replays, without a maps folder: one
// folder at a time, kept while the benchmark runs with the same count.
struct ListedFolder {
    explicit ListedFolder(std::size_t count)
        : folder(fs::path(TARVEX_SHARED_DIR) / "testdata" / "replays" / "real", count) {
        // A player's folder, not one being written this very second.
        fs::last_write_time(folder.path(),
                            fs::file_time_type::clock::now() - std::chrono::hours(1));
        const Text path = folder.path().string();
        main = std::make_unique<TMainForm>([path] { return ReplayFolderChoice{path, "bench"}; });
        details = new TMoreForm(*main, [] { return GameInstall{}; });
        main->show();
        details->show();
        QCoreApplication::processEvents();
    }
    bench::ReplayFolder folder;
    std::unique_ptr<TMainForm> main;
    TMoreForm* details = nullptr; // owned by the main window
};

std::unique_ptr<ListedFolder> Listed;

// One selection change, up to the drawn windows, in a folder of state.range(0) replays that
// has no maps folder: every row's paint looks for one, whatever the letter case.
void SelectionWithoutMapsFolder(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    if (!Listed || Listed->main->Replays.size() != count) {
        Listed.reset();
        Listed = std::make_unique<ListedFolder>(count);
    }
    std::vector<QModelIndex> rows;
    for (std::size_t i = 0; i < Listed->main->Replays.size() && rows.size() < 2; ++i)
        if (Listed->main->Replays[i].valid)
            rows.push_back(Listed->main->RepList->model()->index(static_cast<int>(i), 0));
    const auto select = [](const QModelIndex& row) {
        Listed->main->RepList->setCurrentIndex(row);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    };
    if (rows.size() < 2) {
        state.SkipWithError("fewer than two readable replays");
        return;
    }
    select(rows[1]);
    select(rows[0]);
    if (Listed->details->PlayersList->count() == 0) {
        state.SkipWithError("the details window drew no player row");
        return;
    }
    std::size_t step = 0;
    for (auto _ : state)
        select(rows[++step % 2]);
}

// One look-up and load of the map picture: done again for every row drawn.
void MapPictureLookUp(benchmark::State& state) {
    const Text folder = Shown->folder.string();
    for (auto _ : state)
        benchmark::DoNotOptimize(PictureForMap(folder, "tournament desert"));
}

const fs::path SharedData = fs::path(TARVEX_SHARED_DIR) / "testdata";
const std::string OnOfficialMap = "00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep";
const std::string OnOfficialMap2 = "11-25-57_2v2_Kana_HardAI_Erbolat_Hulk.rep";
const std::string OnPlayersMap = "Golden Replay #2.rep";

// An install whose MapsZH.big holds the real map cache, and a user data folder whose cache
// holds the real one's entries again and the player's map of OnPlayersMap.
struct CacheFolders {
    CacheFolders() {
        fs::create_directories(root / "game");
        fs::create_directories(root / "data/Maps");
        std::ostringstream cache;
        cache << std::ifstream(SharedData / "maps/MapCache.ini", std::ios::binary).rdbuf();
        big_builder::WriteArchive(root / "game/MapsZH.big", {{"Maps\\MapCache.ini", cache.str()}});
        std::ofstream(root / "data/Maps/MapCache.ini", std::ios::binary)
            << cache.str()
            << "MapCache tansooo\r\n fileSize = 106110\r\n fileCRC = 1662318077\r\n"
               " numPlayers = 6\r\nEND\r\n";
        install = {{(root / "game").string()}, {(root / "game/MapsZH.big").string()}, ""};
    }
    ~CacheFolders() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    fs::path root = fs::temp_directory_path() /
                    ("tarvex-caches-bench-" + std::to_string(std::random_device{}()));
    GameInstall install;
};

// What the first selection that needs the map data does: both caches read, the spots
// resolved and placed as marks.
void FirstSelectionReadsBothCaches(benchmark::State& state) {
    if (!fs::is_directory(SharedData / "maps")) {
        state.SkipWithError("the shared map cache is missing");
        return;
    }
    const CacheFolders folders;
    const TZH_replay replay = ReadReplay((SharedData / "replays/real" / OnPlayersMap).string());
    for (auto _ : state) {
        MapCaches caches((folders.root / "data").string(), [&] { return folders.install; });
        const ReplayStarts starts = StartsOf(replay, caches);
        if (!starts.map || starts.map->cache != MapCacheKind::Player) {
            state.SkipWithError("the player's cache did not give the map");
            return;
        }
        benchmark::DoNotOptimize(MarksOf(replay, starts));
    }
}

// A selection change between two real replays on official maps, up to the drawn windows:
// range(0) 1 with the map caches (the discs drawn), 0 without any (as before them).
void RealReplaysWithStartSpots(benchmark::State& state) {
    if (!fs::is_directory(SharedData / "maps")) {
        state.SkipWithError("the shared map cache is missing");
        return;
    }
    const bool withCache = state.range(0) == 1;
    const CacheFolders folders;
    if (!withCache) fs::remove(folders.root / "data/Maps/MapCache.ini");
    const fs::path folder = folders.root / "data/Replays";
    fs::create_directories(folder);
    for (const std::string& file : {OnOfficialMap, OnOfficialMap2})
        fs::copy_file(SharedData / "replays/real" / file, folder / file);
    const Text path = folder.string();
    TMainForm main([path] { return ReplayFolderChoice{path, "bench"}; });
    auto* details =
        new TMoreForm(main, [&] { return withCache ? folders.install : GameInstall{}; });
    main.show();
    details->show();
    QCoreApplication::processEvents();
    const QModelIndex rows[] = {main.RepList->model()->index(0, 0),
                                main.RepList->model()->index(1, 0)};
    const auto select = [&](const QModelIndex& row) {
        main.RepList->setCurrentIndex(row);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    };
    select(rows[1]);
    select(rows[0]);
    if (details->StartMarks().spots.empty() == withCache) {
        state.SkipWithError("the start spots are not what the install holds");
        return;
    }
    std::size_t step = 0;
    for (auto _ : state)
        select(rows[++step % 2]);
}

BENCHMARK(EightPlayersWithMapPicture)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(UnreadableReplay)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(LargestRealReplayWithItsOrders)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(MapPictureLookUp)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(FirstSelectionReadsBothCaches)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(RealReplaysWithStartSpots)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(SelectionWithoutMapsFolder)
    ->Arg(100)
    ->Arg(50000)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    // Drawn off screen unless a platform is named: the figures are the program's own work.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    tarvex::pictures::ensureLoaded();
    RegisterFallbackFonts();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    Shown = MakeWindows();
    std::cout << "one selection change, up to the drawn windows (a frame is 16 ms)\n";
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Listed.reset();
    Shown.reset();
    return 0;
}
