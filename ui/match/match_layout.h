// Where everything sits on the match window, in window coordinates: the map on the left, the
// chosen player's list on its right, the time line across the bottom, as tall as its rows. The
// skin is painted for exactly these places.
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>
#include <cstddef>

#include "ui/common/skin_colours.h"

namespace match_layout {

inline constexpr int WindowWidth = 540;
inline constexpr int CornerEllipse = 10;
// A release anywhere on the close glyph closes the window (both ends included).
inline constexpr QRect CloseGlyphArea{QPoint(520, 2), QPoint(528, 7)};

// The map's picture, letterboxed into this square.
inline constexpr QRect MapCell{11, 11, 256, 256};

// The chosen player's list: his name above his lines, the flat scroll bar beside them.
inline constexpr QRect ListPanel{275, 11, 254, 256};
inline constexpr QRect ListTitle{279, 11, 236, 16};
inline constexpr QRect ListLines{279, 27, 236, 240};
inline constexpr int LineHeight = 12;
inline constexpr int WholeLinesShown = ListLines.height() / LineHeight;
inline constexpr QRect ScrollRect{519, 27, 10, 240};
// Lines one wheel notch moves the list.
inline constexpr int WheelNotchLines = 3;

// The time line: a line for the cursor's time and any message, one row per human, then the
// minute marks' labels under the rows.
inline constexpr QRect MessageLine{15, 276, 510, 15};
inline constexpr int RowsTop = 293;
inline constexpr int RowHeight = 15;
inline constexpr int MaxRows = 8;
inline constexpr int NameLeft = 15;
inline constexpr int NameWidth = 86;
inline constexpr int MinuteLabelHeight = 11;
// The match's time from its start to its end, from left to right.
inline constexpr int TimeLeft = 105;
inline constexpr int TimeWidth = 420;

// The rows the time line has room for: one per human, at least one (for a match without
// orders), at most MaxRows.
constexpr int TimelineRows(std::size_t humans) {
    return static_cast<int>(std::clamp<std::size_t>(humans, 1, MaxRows));
}
// The minute marks' labels' top, under `rows` rows.
constexpr int MinuteLabelsTop(int rows) {
    return RowsTop + rows * RowHeight + 1;
}
// The time line's panel, just tall enough for `rows` rows and the labels under them.
constexpr QRect TimelinePanel(int rows) {
    return {QPoint(11, 275), QPoint(528, MinuteLabelsTop(rows) + MinuteLabelHeight + 1)};
}
// The window round its panels: the frame as wide under the time line as above the map.
constexpr QSize WindowSize(int rows) {
    return {WindowWidth, TimelinePanel(rows).bottom() + 1 + 11};
}

using skin::Black;
using skin::Grey;
using skin::Orange;

} // namespace match_layout
