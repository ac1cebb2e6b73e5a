// The time line's arithmetic: where a moment of the match lies across it, which moment lies
// under the pointer, how the keys move the cursor, and the bars of a player's activity.
#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <optional>
#include <vector>

#include "replay/zerohour_intf.h"

// The match's frames [0, end] laid across `width` pixels from `left`: frame 0 on the first
// pixel, the end on the last.
struct TimeScale {
    uint32_t end = 1;
    int left = 0;
    int width = 1;
};

int XAtFrame(const TimeScale& scale, uint32_t frame);
// The frame under a pixel, kept within [0, end].
uint32_t FrameAtX(const TimeScale& scale, int x);

// Left and Right move the cursor ten seconds of game time, Home and End to the ends.
enum class CursorMove { Back, Forward, Start, End };
inline constexpr uint32_t CursorStepFrames = 10 * FramesPerSecond;
uint32_t MovedCursor(uint32_t cursor, CursorMove move, uint32_t end);

// One bar per minute of `perMinute` in `row`, from the row's bottom, as high against the row as
// the minute's count against `peak`; a minute without a command has no bar. Each bar spans its
// minute (at least a pixel), the last one cut at the end of the match.
std::vector<QRect> ActivityBars(const std::vector<uint32_t>& perMinute, uint32_t peak,
                                const TimeScale& scale, const QRect& row);

// The time line's row under a point (rows of `rowHeight` from `rowsTop`), of `rows`.
std::optional<std::size_t> RowAt(QPoint at, int rowsTop, int rowHeight, std::size_t rows);
