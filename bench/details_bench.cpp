// How long one selection change in the main list takes, up to the drawn details window: for
// an 8-player replay whose map picture lies in the maps folder (among a hundred others, under
// other letter case, so the case-blind search reads the folder), for an unreadable replay,
// and for the largest real replay with the pointer resting on a player row, whose tooltip has
// the whole file read and its orders walked; for a replay in a folder of 100 and one of
// 50,000 without a maps folder, where the two should cost the same; and between two real
// replays with and without the map cache in the install, whose start spots are drawn. Each
// step selects the other of two such rows, as the Down key walks the list.
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
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>

#include "bench/bench_folder.h"
#include "bench/window_bench.h"
#include "tests/support/big_builder.h"
#include "tests/support/replay_builder.h"
#include "ui/details/details_form.h"
#include "ui/details/map_picture.h"
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

// Both windows over a replay folder, the details window shown beside the list.
struct Windows {
    explicit Windows(const fs::path& folder, InstallFinder install = FindGameInstall)
        : main(std::make_unique<TMainForm>([path = folder.string()] {
              return ReplayFolderChoice{path, "bench", {}, {}};
          })),
          details(new TMoreForm(*main, std::move(install))) {
        main->show();
        details->show();
        QCoreApplication::processEvents();
    }

    QModelIndex Row(std::size_t i) const {
        return main->RepList->model()->index(static_cast<int>(i), 0);
    }

    QModelIndex RowOf(const std::string& file) const {
        for (std::size_t i = 0; i < main->Replays.size(); ++i)
            if (main->Replays[i].file.name == file) return Row(i);
        throw std::runtime_error("no row for " + file);
    }

    // Selects the row and lets both windows draw, the details window's header included.
    void SelectAndDraw(const QModelIndex& row) const {
        main->RepList->setCurrentIndex(row);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    // The pointer resting on the first player row: Qt's tooltip request, at which the details
    // window reads the selected replay's orders.
    void RestOnFirstPlayer() const {
        QListWidget& players = *details->PlayersList;
        if (players.count() == 0) return;
        const QPoint at = players.visualItemRect(players.item(0)).center();
        QHelpEvent rest(QEvent::ToolTip, at, players.viewport()->mapToGlobal(at));
        QApplication::sendEvent(players.viewport(), &rest);
    }

    // Shows the second row then the first, then each of them in turn, as the Down key walks
    // the list, once `ready` says the details window drew what it should. A row is shown by
    // `show` when given, else by SelectAndDraw.
    void Alternate(benchmark::State& state, const QModelIndex (&rows)[2],
                   const std::function<bool()>& ready,
                   const std::function<void(const QModelIndex&)>& show = {}) const {
        const auto step = [&](const QModelIndex& row) { show ? show(row) : SelectAndDraw(row); };
        step(rows[1]);
        step(rows[0]);
        if (!ready()) {
            state.SkipWithError("the details window did not draw what it should");
            return;
        }
        std::size_t at = 0;
        for (auto _ : state)
            step(rows[++at % 2]);
    }

    std::unique_ptr<TMainForm> main;
    TMoreForm* details; // owned by the main window
};

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

// The made-up replays and the largest real one, listed.
struct Sample {
    Sample() {
        const fs::path& folder = scratch.path();
        fs::create_directories(folder / "maps");
        for (int i = 0; i < 100; ++i)
            WriteMapPicture(folder / "maps" / ("OtherMap" + std::to_string(i) + ".bmp"), Qt::gray);
        WriteMapPicture(folder / "maps" / "TournamentDesert.bmp", MapColour);
        WriteEightPlayerReplay(folder / "a1.rep");
        WriteEightPlayerReplay(folder / "a2.rep");
        rb::WriteFile((folder / "b1.rep").string(), "pas un replay");
        rb::WriteFile((folder / "b2.rep").string(), "toujours pas un replay");
        // Two names for the largest real replay: every step reads it whole.
        if (const fs::path largest = LargestRealReplay(); !largest.empty())
            for (const char* name : {"r1.rep", "r2.rep"})
                fs::create_symlink(largest, folder / name);
        windows = std::make_unique<Windows>(folder);
    }
    bench::ScratchFolder scratch{"tarvex-details-bench-"};
    std::unique_ptr<Windows> windows;
};

std::unique_ptr<Sample> Shown;

void SelectionChange(benchmark::State& state, const std::string& first, const std::string& second,
                     bool valid) {
    const Windows& windows = *Shown->windows;
    const QModelIndex rows[] = {windows.RowOf(first), windows.RowOf(second)};
    // Make sure the measured work is the real one: the rows and the header were drawn.
    windows.Alternate(state, rows, [&] {
        const QImage& background = windows.details->Background;
        const QColor cell = background.pixelColor(QPoint(90, 40) * background.devicePixelRatio());
        return (cell == MapColour) == valid &&
               windows.details->PlayersList->count() == (valid ? 8 : 0);
    });
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
    const Windows& windows = *Shown->windows;
    const QModelIndex rows[] = {windows.RowOf("r1.rep"), windows.RowOf("r2.rep")};
    const auto selectAndRest = [&](const QModelIndex& row) {
        windows.SelectAndDraw(row);
        windows.RestOnFirstPlayer();
    };
    // The orders were read: the human's tooltip says more than the header's one line.
    windows.Alternate(
        state, rows,
        [&] {
            const QListWidget& players = *windows.details->PlayersList;
            return players.count() > 0 && players.item(0)->toolTip().contains(QLatin1Char('\n'));
        },
        selectAndRest);
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
        windows = std::make_unique<Windows>(folder.path(), [] { return GameInstall{}; });
    }
    bench::ReplayFolder folder;
    std::unique_ptr<Windows> windows;
};

std::unique_ptr<ListedFolder> Listed;

// One selection change, up to the drawn windows, in a folder of state.range(0) replays that
// has no maps folder: every row's paint looks for one, whatever the letter case.
void SelectionWithoutMapsFolder(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    if (!Listed || Listed->windows->main->Replays.size() != count) {
        Listed.reset();
        Listed = std::make_unique<ListedFolder>(count);
    }
    const Windows& windows = *Listed->windows;
    std::vector<QModelIndex> rows;
    for (std::size_t i = 0; i < windows.main->Replays.size() && rows.size() < 2; ++i)
        if (windows.main->Replays[i].valid) rows.push_back(windows.Row(i));
    if (rows.size() < 2) {
        state.SkipWithError("fewer than two readable replays");
        return;
    }
    windows.Alternate(state, {rows[0], rows[1]},
                      [&] { return windows.details->PlayersList->count() > 0; });
}

// One look-up and load of the map picture: done again for every row drawn.
void MapPictureLookUp(benchmark::State& state) {
    const Text folder = Shown->scratch.path().string();
    for (auto _ : state)
        benchmark::DoNotOptimize(PictureForMap(folder, "tournament desert"));
}

// A selection change between two real replays on official maps, up to the drawn windows:
// range(0) 1 with the real map cache in the install's MapsZH.big (the discs drawn), 0 with no
// install (as before the caches).
void RealReplaysWithStartSpots(benchmark::State& state) {
    const fs::path shared = fs::path(TARVEX_SHARED_DIR) / "testdata";
    if (!fs::is_directory(shared / "maps")) {
        state.SkipWithError("the shared map cache is missing");
        return;
    }
    const bool withCache = state.range(0) == 1;
    const bench::ScratchFolder scratch("tarvex-details-bench-");
    const fs::path game = scratch.path() / "game", replays = scratch.path() / "data/Replays";
    fs::create_directories(game);
    fs::create_directories(replays);
    std::ostringstream cache;
    cache << std::ifstream(shared / "maps/MapCache.ini", std::ios::binary).rdbuf();
    big_builder::WriteArchive(game / "MapsZH.big", {{"Maps\\MapCache.ini", cache.str()}});
    for (const char* file : {"00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep",
                             "11-25-57_2v2_Kana_HardAI_Erbolat_Hulk.rep"})
        fs::copy_file(shared / "replays/real" / file, replays / file);
    const GameInstall install{{game.string()}, {(game / "MapsZH.big").string()}, ""};
    const Windows windows(replays, [&] { return withCache ? install : GameInstall{}; });
    windows.Alternate(state, {windows.Row(0), windows.Row(1)},
                      [&] { return windows.details->StartMarks().spots.empty() != withCache; });
}

BENCHMARK(EightPlayersWithMapPicture)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(UnreadableReplay)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(LargestRealReplayWithItsOrders)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(MapPictureLookUp)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(RealReplaysWithStartSpots)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(SelectionWithoutMapsFolder)
    ->Arg(100)
    ->Arg(50000)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(
        argc, argv,
        [] {
            Shown = std::make_unique<Sample>();
            std::cout << "one selection change, up to the drawn windows (a frame is 16 ms)\n";
            return true;
        },
        [] {
            Listed.reset();
            Shown.reset();
        });
}
