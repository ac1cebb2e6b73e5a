// Where everything sits on the match window, in window coordinates: the map on the left, the
// chosen player's list on its right, the time line across the bottom. The skin is painted for
// exactly these places.
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "ui/common/skin_colours.h"

namespace match_layout {

inline constexpr QSize WindowSize{540, 430};
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

// The time line: a line for the cursor's time and any message, then one row per human.
inline constexpr QRect TimelinePanel{11, 275, 518, 144};
inline constexpr QRect MessageLine{15, 276, 510, 15};
inline constexpr int RowsTop = 293;
inline constexpr int RowHeight = 15;
inline constexpr int MaxRows = 8;
inline constexpr int NameLeft = 15;
inline constexpr int NameWidth = 86;
// The match's time from its start to its end, from left to right.
inline constexpr int TimeLeft = 105;
inline constexpr int TimeWidth = 420;

using skin::Black;
using skin::Grey;
using skin::Orange;

} // namespace match_layout
