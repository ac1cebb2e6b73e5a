#include "startup_figures.h"

#include <cstdio>

namespace bench {

namespace {

std::string Format(const char* format, double a, double b = 0, double c = 0) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

const char* Verdict(bool within) { return within ? "" : " (over)"; }

} // namespace

std::string FiguresTable(const std::vector<Measurement>& points) {
    if (points.empty() || points.front().replays != 0) return "no measurement of the empty folder\n";
    const Measurement& empty = points.front();
    std::string table = Format("empty folder: window shown after %.0f ms, peak memory %.1f MiB; ", empty.shownMs,
                               empty.peakKiB / 1024) +
                        Format("tarvex-info %.1f ms, --json %.1f ms\n\n", empty.infoMs, empty.infoJsonMs);
    table += "Per replay, above the empty folder, as a ratio to the bare loop's time per file\n"
             "(targets: program and tarvex-info within 1.5, memory within 1024 bytes):\n\n"
             " replays    shown    bare/file   program   memory/replay   tarvex-info   --json\n";
    for (std::size_t i = 1; i < points.size(); ++i) {
        const Measurement& p = points[i];
        const auto n = static_cast<double>(p.replays);
        const double bareUs = p.bareMs * 1000 / n;
        const double programRatio = (p.shownMs - empty.shownMs) * 1000 / n / bareUs;
        const double bytes = (p.peakKiB - empty.peakKiB) * 1024 / n;
        const double infoRatio = (p.infoMs - empty.infoMs) * 1000 / n / bareUs;
        const double jsonRatio = (p.infoJsonMs - empty.infoJsonMs) * 1000 / n / bareUs;
        table += Format("%8.0f %7.0f ms", n, p.shownMs) + Format(" %8.2f us", bareUs) +
                 Format(" %8.2f", programRatio) + Verdict(programRatio <= TimeRatioTarget) +
                 Format(" %10.0f B", bytes) + Verdict(bytes <= BytesPerReplayTarget) +
                 Format(" %11.2f", infoRatio) + Verdict(infoRatio <= TimeRatioTarget) +
                 Format(" %10.2f\n", jsonRatio);
    }
    return table;
}

} // namespace bench
