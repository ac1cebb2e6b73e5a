// The career window over a player's games (built here: 2,000 matches of ten minutes of his
// orders against another human, over 24 months): its opening from the click on his row in the
// details window up to the drawn window, on a list of 50,000 of his replays (the 2,000 files,
// each counted 25 times as matches of their own: nothing of the headers is read again); the
// reading of his 2,000 games' orders with the window open, with the longest time the window's
// thread went without its turn (a timer asked for every millisecond); and the window's closing
// in the middle of a reading, up to the reading stopped.
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <iostream>
#include <memory>

#include "bench/bench_folder.h"
#include "bench/window_bench.h"
#include "tests/support/replay_builder.h"
#include "ui/career/player_form.h"
#include "ui/details/details_form.h"
#include "ui/main/replay_list_view.h"
#include "ui/main/tarvex_main.h"

namespace fs = std::filesystem;
namespace rb = replay_builder;

namespace {

constexpr int Games = 2000;
constexpr std::size_t ListSize = 50000;
constexpr uint32_t Seconds = 600;

template <typename T> std::string Raw(T value) {
    return {reinterpret_cast<const char*>(&value), sizeof value};
}

// Both players, every second, select three units and move them; he places three buildings in
// the first minute (one of three openings) and quits every fourth game.
std::string Orders(int game) {
    std::string body;
    const std::string place = Raw(1000.0f) + Raw(1000.0f) + Raw(0.0f) + Raw(0.0f);
    const uint32_t opening[3][3] = {{1229, 1509, 1230}, {1509, 1229, 1509}, {1230, 1230, 1229}};
    for (uint32_t second = 0; second < Seconds; ++second)
        for (int32_t index = 2; index <= 3; ++index) {
            const uint32_t frame = second * 30 + static_cast<uint32_t>(index);
            body += rb::OrderBytes(frame, 1001, index, {{2, 1}, {3, 3}},
                                   std::string(1, '\1') + Raw(100) + Raw(101) + Raw(102));
            body +=
                rb::OrderBytes(frame, 1068, index, {{6, 1}}, Raw(900.0f) + Raw(800.0f) + Raw(0.0f));
            if (index == 2 && second % 15 == 5 && second < 50)
                body += rb::OrderBytes(frame, 1049, index, {{0, 1}, {6, 1}, {1, 1}},
                                       Raw(opening[game % 3][second / 15]) + place);
        }
    if (game % 4 == 0) body += rb::OrderBytes(Seconds * 30 - 60, 1093, 2, {{2, 1}}, "\1");
    return body + rb::OrderBytes(Seconds * 30, 27, 2);
}

void WriteGames(const fs::path& folder) {
    for (int game = 0; game < Games; ++game) {
        rb::Settings settings;
        settings.seed = std::to_string(1000 + game);
        settings.slots = {rb::Human("Bench", "0A000001", 0, 2 + game % 3, 0, 0),
                          rb::Human("Autre", "0A000002", 1, 3, 1, 1)};
        rb::Replay replay;
        replay.settings = rb::SettingsText(settings);
        const uint16_t month = static_cast<uint16_t>(game * 24 / Games);
        replay.startDate = {static_cast<uint16_t>(2023 + month / 12),
                            static_cast<uint16_t>(month % 12 + 1),
                            0,
                            static_cast<uint16_t>(1 + game % 28),
                            20,
                            0,
                            0,
                            0};
        replay.frames = Seconds * 30;
        replay.bodySize = 0;
        replay.body = Orders(game);
        rb::WriteFile((folder / ("g" + std::to_string(game) + ".rep")).string(), rb::Bytes(replay));
    }
}

struct Windows {
    Windows() {
        WriteGames(scratch.path());
        for (const auto& entry : fs::directory_iterator(scratch.path()))
            bytes += entry.file_size();
        main = std::make_unique<TMainForm>([path = scratch.path().string()] {
            return ReplayFolderChoice{path, "bench", {}, {}};
        });
        details = new TMoreForm(*main, [] { return GameInstall{}; });
        main->show();
        details->show();
        main->RepList->setCurrentIndex(main->RepList->model()->index(0, 0));
        QCoreApplication::processEvents();
        games = main->Replays;
    }

    // The list of 50,000 replays, or of the 2,000 built ones.
    void List(bool large) {
        main->Replays = games;
        if (!large) return;
        for (std::size_t i = games.size(); i < ListSize; ++i) {
            main->Replays.push_back(games[i % games.size()]);
            main->Replays.back().seed = static_cast<uint32_t>(100000 + i); // a match of its own
        }
    }

    // The click on his row, up to the window's first paint.
    void ClickHisRow() {
        painted = false;
        details->OpenCareer(0);
        for (int i = 0; i < 1000 && !painted; ++i)
            QCoreApplication::processEvents();
    }

    bench::ScratchFolder scratch{"tarvex-career-window-bench-"};
    std::uintmax_t bytes = 0;
    std::unique_ptr<TMainForm> main;
    TMoreForm* details = nullptr; // owned by the main window
    std::vector<TZH_replay> games;
    bool painted = false;
};

std::unique_ptr<Windows> Shown;

// Notes the career window's paints.
struct PaintWatch : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) Shown->painted = true;
        return false;
    }
};

void OpenOnFiftyThousand(benchmark::State& state) {
    Shown->List(true);
    TPlayerForm& career = *Shown->details->Career;
    for (auto _ : state) {
        Shown->ClickHisRow();
        state.PauseTiming();
        if (!Shown->painted || career.Shown().games.size() != ListSize) {
            state.SkipWithError("the career window did not open on his 50,000 games");
            break;
        }
        career.close();
        state.ResumeTiming();
    }
}

void ReadWithTheWindowOpen(benchmark::State& state) {
    const bool large = state.range(0) != 0;
    Shown->List(large);
    const std::size_t games = large ? ListSize : static_cast<std::size_t>(Games);
    TPlayerForm& career = *Shown->details->Career;
    qint64 longest = 0;
    for (auto _ : state) {
        QElapsedTimer turn;
        QTimer tick;
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout,
                         [&] { longest = std::max(longest, turn.restart()); });
        Shown->ClickHisRow();
        turn.start();
        tick.start();
        // Up to the figures of the last games shown, not just their orders read.
        while (career.Reading())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        tick.stop();
        state.PauseTiming();
        if (career.GamesRead() != games || career.Orders().openings.size() != 6) {
            state.SkipWithError("not his openings");
            break;
        }
        career.close();
        state.ResumeTiming();
    }
    state.counters["longest wait of the window's thread (ms)"] = static_cast<double>(longest);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(Shown->bytes * games / Games));
}

void CloseWhileReading(benchmark::State& state) {
    Shown->List(false);
    TPlayerForm& career = *Shown->details->Career;
    for (auto _ : state) {
        state.PauseTiming();
        Shown->ClickHisRow();
        while (career.GamesRead() < static_cast<std::size_t>(Games) / 4)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        state.ResumeTiming();
        career.close();
        if (career.Reading()) state.SkipWithError("the reading went on");
    }
}

BENCHMARK(OpenOnFiftyThousand)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadWithTheWindowOpen)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Arg(0)
    ->Arg(1);
BENCHMARK(CloseWhileReading)->Unit(benchmark::kMillisecond)->UseRealTime();

PaintWatch* Watch = nullptr;

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(
        argc, argv,
        [] {
            Shown = std::make_unique<Windows>();
            Watch = new PaintWatch;
            Shown->details->Career->installEventFilter(Watch);
            std::cout << "the career window over " << Games << " games of his ("
                      << Shown->bytes / (1024 * 1024) << " MiB), and a list of " << ListSize
                      << " of his replays\n";
            return true;
        },
        [] {
            Shown.reset();
            delete Watch;
        });
}
