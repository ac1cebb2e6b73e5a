// How long one position change of the flat scroll bar takes, from the assignment to the moved
// areas being on screen (drawn into the bar's picture and shown by a synchronous repaint),
// beside a repaint of the whole bar on a paint request. The bar is the main window's: 10 x 251,
// 13-pixel buttons and the 3-pixel scroller of a list of 100 rows. Runs on Qt's offscreen
// platform unless QT_QPA_PLATFORM names another.
#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>

#include "ui/controls/flat_scrollbar.h"

namespace {

TFlatScrollBar* Bar = nullptr;

void PositionChangeShownAtOnce(benchmark::State& state) {
    int changes = 0;
    for (auto _ : state) {
        // Alternating between two positions: every assignment is a real change.
        Bar->SetPosition(Bar->Position() == 40 ? 41 : 40);
        ++changes;
    }
    state.counters["per_change"] =
        benchmark::Counter(changes, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void WholeBarOnPaintRequest(benchmark::State& state) {
    for (auto _ : state)
        Bar->repaint();
}

} // namespace

BENCHMARK(PositionChangeShownAtOnce)->Unit(benchmark::kMicrosecond);
BENCHMARK(WholeBarOnPaintRequest)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    TFlatScrollBar bar;
    bar.SetKind(sbVertical);
    bar.setGeometry(0, 0, 10, 251);
    bar.SetButtonWidth(13);
    bar.SetColor(0x007F7F7F);
    bar.SetBarColor(0x007F7F7F);
    bar.SetMax(81);
    bar.SetScrollerWidth(3);
    bar.show();
    if (!QTest::qWaitForWindowExposed(&bar)) return 1;
    Bar = &bar;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
