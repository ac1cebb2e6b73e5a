#include "bench/startup_figures.h"

#include <cstdio>

namespace bench {

namespace {

std::string Format(const char* format, double a, double b = 0, double c = 0) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

// A ratio, marked when it misses its target.
std::string Ratio(double ratio, double target) {
    return Format(" %7.2f", ratio) + (ratio <= target ? "      " : " (over)");
}

} // namespace

std::string FiguresTable(const std::vector<Measurement>& points, Cache cache) {
    if (points.empty() || points.front().replays != 0)
        return "no measurement of the empty folder\n";
    const Measurement& empty = points.front();
    std::string table =
        Format("empty folder: window shown after %.0f ms, peak memory %.1f MiB; ", empty.shownMs,
               empty.peakKiB / 1024) +
        Format("tarvex-info %.1f ms, --json %.1f ms\n", empty.infoMs, empty.infoJsonMs);
    if (cache == Cache::Warm) {
        table += "Per replay, above the empty folder, as a ratio to the bare loop's time per file\n"
                 "(targets: window and tarvex-info within 1.5, --json within 2, memory within 1024 "
                 "bytes):\n\n"
                 " replays    shown      bare  16 threads   window          tarvex-info      --json"
                 "          memory/replay\n";
    } else {
        table +=
            "Above the empty folder, as a ratio to the 16-thread loop's time\n"
            "(targets: tarvex-info within 1.5, window within 2); the bare loop for comparison:\n\n"
            " replays    shown      bare  16 threads   window          tarvex-info      --json"
            "          bare\n";
    }
    for (std::size_t i = 1; i < points.size(); ++i) {
        const Measurement& p = points[i];
        const double window = p.shownMs - empty.shownMs;
        const double info = p.infoMs - empty.infoMs;
        const double json = p.infoJsonMs - empty.infoJsonMs;
        table += Format("%8.0f %7.0f ms", static_cast<double>(p.replays), p.shownMs) +
                 Format(" %6.0f ms %7.0f ms", p.bareMs, p.threadedMs);
        if (cache == Cache::Warm) {
            const double bytes =
                (p.peakKiB - empty.peakKiB) * 1024 / static_cast<double>(p.replays);
            table += Ratio(window / p.bareMs, TimeRatioTarget) +
                     Ratio(info / p.bareMs, TimeRatioTarget) +
                     Ratio(json / p.bareMs, JsonRatioTarget) + Format(" %8.0f B", bytes) +
                     (bytes <= BytesPerReplayTarget ? "\n" : " (over)\n");
        } else {
            table += Ratio(window / p.threadedMs, ColdWindowRatioTarget) +
                     Ratio(info / p.threadedMs, ColdInfoRatioTarget) +
                     Ratio(json / p.threadedMs, 1e9) + Format(" %7.2f\n", p.bareMs / p.threadedMs);
        }
    }
    return table;
}

} // namespace bench
