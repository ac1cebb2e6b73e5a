// How long one keystroke over the replay list takes with 50,000 replays listed (a folder made
// from real headers): the window's whole answer (the search, the rows, the selection, the
// scroll bar and the field) up to a synchronous repaint of the window; and the search alone
// for a few texts. The bytes the search's texts fill are reported per replay. Runs on Qt's
// offscreen platform unless QT_QPA_PLATFORM names another.
#include <QTest>
#include <benchmark/benchmark.h>
#include <iostream>
#include <memory>

#include "bench/bench_folder.h"
#include "bench/window_bench.h"
#include "folder/replay_search.h"
#include "ui/details/details_form.h"
#include "ui/main/replay_list_view.h"
#include "ui/main/tarvex_main.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t ReplayCount = 50000;

// Both windows over the folder, the details window hidden, and the search's texts made again
// apart from the window for the search alone.
struct Listed {
    Listed()
        : folder(fs::path(TARVEX_SHARED_DIR) / "testdata" / "replays" / "real", ReplayCount),
          main(std::make_unique<TMainForm>([path = folder.path().string()] {
              return ReplayFolderChoice{path, "bench", {}, {}};
          })),
          details(new TMoreForm(*main, [] { return GameInstall{}; })) {
        main->show();
        QCoreApplication::processEvents();
        search.reserve(main->Replays.size());
        for (const TZH_replay& replay : main->Replays)
            search.add(replay);
        // A replay Nic played stays selected while "ni", "nic" and "e" are typed.
        for (std::size_t i = 0; i < main->Replays.size(); ++i)
            if (main->Replays[i].file.name.find("_Nic_") != std::string::npos) {
                main->RepList->setCurrentIndex(
                    main->RepList->model()->index(static_cast<int>(i), 0));
                break;
            }
        QCoreApplication::processEvents();
    }
    bench::ReplayFolder folder;
    std::unique_ptr<TMainForm> main;
    TMoreForm* details; // owned by the main window
    ReplaySearch search;
};

std::unique_ptr<Listed> Folder;

// One key pressed on the list, its answer drawn; `before` sets the text first, untimed.
void Keystroke(benchmark::State& state, const QString& before, const std::function<void()>& key) {
    TMainForm& main = *Folder->main;
    for (auto _ : state) {
        state.PauseTiming();
        main.SetFilterText(before);
        main.repaint();
        state.ResumeTiming();
        key();
        main.repaint();
    }
    state.counters["shown"] = main.RepList->model()->rowCount();
    main.SetFilterText({});
}

void TypeTheFirstLetter(benchmark::State& state) {
    const char letter = static_cast<char>(state.range(0));
    Keystroke(state, {}, [&] { QTest::keyClicks(Folder->main->RepList, QString(QChar(letter))); });
}

void TypeTheThirdLetter(benchmark::State& state) {
    Keystroke(state, QStringLiteral("ni"),
              [] { QTest::keyClicks(Folder->main->RepList, QStringLiteral("c")); });
}

void TakeTheLastLetterBack(benchmark::State& state) {
    Keystroke(state, QStringLiteral("e"),
              [] { QTest::keyClick(Folder->main->RepList, Qt::Key_Backspace); });
}

void SearchAlone(benchmark::State& state, const char* text) {
    const ReplayQuery query(text);
    std::vector<int> found;
    for (auto _ : state)
        Folder->search.find(query, found);
    state.counters["found"] = static_cast<double>(found.size());
    state.counters["text_bytes_per_replay"] =
        static_cast<double>(Folder->search.bytes()) / static_cast<double>(Folder->search.size());
}

// What the listing adds to each replay read at start-up: its text made and kept.
void PreparingTheTexts(benchmark::State& state) {
    const std::vector<TZH_replay>& replays = Folder->main->Replays;
    for (auto _ : state) {
        ReplaySearch search;
        search.reserve(replays.size());
        for (const TZH_replay& replay : replays)
            search.add(replay);
        benchmark::DoNotOptimize(search.size());
    }
    state.counters["per_replay"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * static_cast<double>(replays.size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

// 'e' finds every replay (".rep"), 'z' a few: the longest and shortest lists of rows.
BENCHMARK(TypeTheFirstLetter)->Arg('e')->Arg('z')->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(TypeTheThirdLetter)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(TakeTheLastLetterBack)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PreparingTheTexts)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchAlone, one_letter, "e")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchAlone, a_name, "nic")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchAlone, two_words, "2v2 hardai")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchAlone, a_date, "04/2025")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchAlone, nothing_found, "qqqq")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunWindowBenchmarks(
        argc, argv,
        [] {
            Folder = std::make_unique<Listed>();
            std::cout << "one keystroke over the list of " << Folder->main->Replays.size()
                      << " replays (" << Folder->folder.source() << "), target under 5 ms\n";
            return true;
        },
        [] { Folder.reset(); });
}
