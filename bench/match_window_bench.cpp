// The match window on a 60-minute replay of eight humans (made here: about two orders a second
// each, a building placed every 20 seconds, a unit queued every 10), on Tournament Island with
// the real map cache in the install: its opening from the click on the details window's map
// picture up to the drawn window, the file read and walked included; and one step of the time
// line's cursor with its repaint, as a drag makes them (a frame at 60 per second is 16.7 ms).
#include <QImage>
#include <QListWidget>

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <random>
#include <sstream>

#include "bench/bench_folder.h"
#include "bench/window_bench.h"
#include "tests/support/big_builder.h"
#include "tests/support/replay_builder.h"
#include "ui/details/details_form.h"
#include "ui/details/details_layout.h"
#include "ui/main/replay_list_view.h"
#include "ui/main/tarvex_main.h"
#include "ui/match/match_form.h"

namespace fs = std::filesystem;
namespace rb = replay_builder;

namespace {

constexpr uint32_t Minutes = 60;
constexpr uint32_t EndFrame = Minutes * 60 * 30;
constexpr int Players = 8;

template <typename T> std::string Raw(T value) {
    return {reinterpret_cast<const char*>(&value), sizeof value};
}

std::string Location(float x, float y) {
    return Raw(x) + Raw(y) + Raw(0.0f);
}

// Every player, every second: a selection of three units, then a move; every ten seconds a unit
// queued, every twenty a building placed round his spot.
std::string Orders() {
    std::string body;
    std::mt19937 random(7);
    std::uniform_real_distribution<float> near(-400, 400);
    for (uint32_t second = 0; second < Minutes * 60; ++second)
        for (int player = 0; player < Players; ++player) {
            const uint32_t frame = second * 30 + static_cast<uint32_t>(player);
            const int32_t index = 2 + player;
            const float x = 700 + 300 * static_cast<float>(player % 4);
            const float y = player < 4 ? 900 : 2500;
            body += rb::OrderBytes(frame, 1001, index, {{2, 1}, {3, 3}},
                                   std::string(1, '\1') + Raw(100) + Raw(101) + Raw(102));
            body += rb::OrderBytes(frame, 1068, index, {{6, 1}},
                                   Location(x + near(random), y + near(random)));
            if (second % 10 == 0)
                body += rb::OrderBytes(frame, 1047, index, {{0, 2}}, Raw(135) + Raw(second));
            if (second % 20 == 0)
                body += rb::OrderBytes(frame, 1049, index, {{0, 1}, {6, 1}, {1, 1}},
                                       Raw(1229) + Location(x + near(random), y + near(random)) +
                                           Raw(-0.78f));
        }
    return body + rb::OrderBytes(EndFrame, 27, 2);
}

void WriteLongReplay(const fs::path& path) {
    rb::Settings settings; // Tournament Island's checksum and size
    for (int i = 0; i < Players; ++i)
        settings.slots.push_back(rb::Human("Joueur numero " + std::to_string(i),
                                           "0A00000" + std::to_string(i), i, 2 + i % 3, -1, i / 4));
    rb::Replay replay;
    replay.settings = rb::SettingsText(settings);
    replay.frames = EndFrame;
    replay.bodySize = 0;
    replay.body = Orders();
    rb::WriteFile(path.string(), rb::Bytes(replay));
}

// Counts the paints a window receives: the measured steps must have painted.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// The three windows over the long replay, selected, the details window shown.
struct Windows {
    Windows() {
        const fs::path shared = fs::path(TARVEX_SHARED_DIR) / "testdata";
        const fs::path game = scratch.path() / "game", replays = scratch.path() / "data/Replays";
        fs::create_directories(game);
        fs::create_directories(replays);
        std::ostringstream cache;
        cache << std::ifstream(shared / "maps/MapCache.ini", std::ios::binary).rdbuf();
        big_builder::WriteArchive(game / "MapsZH.big", {{"Maps\\MapCache.ini", cache.str()}});
        WriteLongReplay(replays / "long.rep");
        bytes = fs::file_size(replays / "long.rep");
        const GameInstall install{{game.string()}, {(game / "MapsZH.big").string()}, ""};
        main = std::make_unique<TMainForm>([path = replays.string()] {
            return ReplayFolderChoice{path, "bench", {}, {}};
        });
        details = new TMoreForm(*main, [install] { return install; });
        main->show();
        details->show();
        main->RepList->setCurrentIndex(main->RepList->model()->index(0, 0));
        QCoreApplication::processEvents();
        details->PlayersList->viewport()->repaint();
        details->Match->installEventFilter(&painted);
    }

    // The click on the map picture, up to the match window's first paint.
    void ClickMapPicture() {
        const QPoint picture = details_layout::MapPictureAt + QPoint(24, 23);
        const int before = painted.paints;
        details->BackgroundMouseUp(Qt::LeftButton, {}, picture.x(), picture.y());
        for (int i = 0; i < 1000 && painted.paints == before; ++i)
            QCoreApplication::processEvents();
    }

    bench::ScratchFolder scratch{"tarvex-match-bench-"};
    std::uintmax_t bytes = 0;
    std::unique_ptr<TMainForm> main;
    TMoreForm* details = nullptr; // owned by the main window
    PaintCounter painted;
};

std::unique_ptr<Windows> Shown;

bool OpenedWithMarks() {
    const TMatchForm& match = *Shown->details->Match;
    return match.isVisible() && match.View().rows.size() == Players &&
           match.View().marks.size() >= Players * Minutes * 3;
}

void OpenFromTheMapPicture(benchmark::State& state) {
    Shown->ClickMapPicture();
    if (!OpenedWithMarks()) {
        state.SkipWithError("the match window did not open on the long replay's course");
        return;
    }
    const int before = Shown->painted.paints;
    for (auto _ : state) {
        // Closed between clicks: each one opens it anew, placed and drawn.
        Shown->details->Match->hide();
        Shown->ClickMapPicture();
    }
    if (Shown->painted.paints - before < state.iterations()) {
        state.SkipWithError("the openings did not all paint the window");
        return;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(Shown->bytes));
}

// One pixel of the time line per step, back and forth over the whole match.
void CursorDragStep(benchmark::State& state) {
    Shown->ClickMapPicture();
    TMatchForm& match = *Shown->details->Match;
    if (!OpenedWithMarks()) {
        state.SkipWithError("the match window did not open on the long replay's course");
        return;
    }
    const int before = Shown->painted.paints;
    const uint32_t step = EndFrame / 420;
    uint32_t at = EndFrame;
    bool back = true;
    for (auto _ : state) {
        if (at < step || at > EndFrame - step) back = at > step;
        at = back ? at - step : at + step;
        match.SetCursor(at);
        match.repaint();
    }
    if (Shown->painted.paints - before < state.iterations()) {
        state.SkipWithError("the steps did not all repaint the window");
        return;
    }
    state.counters["repaints per second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(OpenFromTheMapPicture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CursorDragStep)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(
        argc, argv,
        [] {
            if (!fs::is_directory(fs::path(TARVEX_SHARED_DIR) / "testdata" / "maps")) {
                std::cerr << "match_window_bench: the shared map cache is missing\n";
                return false;
            }
            Shown = std::make_unique<Windows>();
            std::cout << "the match window on a 60-minute replay of 8 humans ("
                      << Shown->bytes / 1024
                      << " KiB): opening, and one cursor step with its repaint\n";
            return true;
        },
        [] { Shown.reset(); });
}
