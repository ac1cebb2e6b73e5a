// The start-up benchmark's figures: what was measured per folder size, and the table of
// costs per replay, as ratios to the bare loops, with the targets they are held to.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace bench {

struct Measurement {
    std::size_t replays = 0;
    double shownMs = 0;    // process start to the main window mapped
    double peakKiB = 0;    // the program's peak resident memory (VmHWM)
    double bareMs = 0;     // list the folder; open, read 2 KiB, close each file
    double threadedMs = 0; // the same reads from 16 threads at once
    double infoMs = 0;     // tarvex-info FOLDER, to its end
    double infoJsonMs = 0; // tarvex-info --json FOLDER
};

enum class Cache { Warm, Cold };

// Warm, per replay, the program's time above the empty folder may be this many times the
// bare loop's time per file, and tarvex-info's plain form the same; --json twice.
inline constexpr double TimeRatioTarget = 1.5;
inline constexpr double JsonRatioTarget = 2;
// Warm, per replay, the program's peak memory above the empty folder.
inline constexpr double BytesPerReplayTarget = 1024;
// Cold, the time above the empty folder beside the 16-thread loop's: tarvex-info, the window.
inline constexpr double ColdInfoRatioTarget = 1.5;
inline constexpr double ColdWindowRatioTarget = 2;

// One row per measurement; the first must be the empty folder, which the others are
// measured above.
std::string FiguresTable(const std::vector<Measurement>& points, Cache cache);

} // namespace bench
