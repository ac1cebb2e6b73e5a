#include "bench/window_bench.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include "resources/pictures.h"
#include "ui/common/fonts.h"

int RunWindowBenchmarks(int argc, char** argv, const std::function<bool()>& setUp,
                        const std::function<void()>& tearDown) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    tarvex::pictures::ensureLoaded();
    RegisterFallbackFonts();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv) || !setUp()) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    tearDown();
    return 0;
}
