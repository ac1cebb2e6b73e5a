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

// The match window's time line: a match of `end` frames across its time area. Every frame's
// place on the window, and every place's frame, come from this one scale.
TimeScale TimelineScale(uint32_t end);

int XAtFrame(const TimeScale& scale, uint32_t frame);
// The frame under a pixel, kept within [0, end].
uint32_t FrameAtX(const TimeScale& scale, int x);

// The marks along the time line that let a time be read without moving the cursor: every 5
// minutes, or 10, 20, 40... when marks that close would lie less than MinuteMarkSpacing pixels
// apart; from the first step to the match's end (excluded), each at its pixel.
struct MinuteMark {
    uint32_t minute = 0;
    int x = 0;
};
inline constexpr uint32_t MinuteMarkStep = 5;
inline constexpr int MinuteMarkSpacing = 30;
std::vector<MinuteMark> MinuteMarks(const TimeScale& scale);

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
