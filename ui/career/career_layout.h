// Where everything sits on a player's career window, in window coordinates: his name and totals
// across the top; his games per month, his activity and how his games ended down the left; the
// lists (armies, maps, players, openings) on the right; the reading of the orders along the
// bottom. The skin is painted for exactly these places.
#pragma once

#include <QRect>
#include <QSize>

#include "ui/common/skin_colours.h"

namespace career_layout {

inline constexpr QSize WindowSize{640, 440};
inline constexpr int CornerEllipse = 10;
// A release anywhere on the close glyph closes the window (both ends included).
inline constexpr QRect CloseGlyphArea{QPoint(620, 2), QPoint(628, 7)};

// His name, and the line of his totals under it.
inline constexpr QRect HeaderPanel{11, 11, 618, 34};
inline constexpr QRect NameLine{16, 12, 608, 16};
inline constexpr QRect TotalsLine{16, 28, 608, 15};

// A panel's title takes its first line.
inline constexpr int TitleHeight = 14;
inline constexpr int TextIndent = 5;

// Games per month: a bar per month from his first to his last.
inline constexpr QRect MonthsPanel{11, 53, 300, 104};
inline constexpr QRect MonthBars{16, 69, 290, 72};
inline constexpr int WidestMonthBar = 24;
// His first month under the bars' left end, his last under their right end.
inline constexpr QRect MonthNames{16, 142, 290, 13};

// Commands per minute: a point per game against its date, under the same months as the bars,
// and each month's median.
inline constexpr QRect ActivityPanel{11, 165, 300, 150};
inline constexpr QRect ActivityChart{16, 181, 290, 130};

// How his games ended for him: a row per way.
inline constexpr QRect EndsPanel{11, 323, 300, 82};
inline constexpr int EndsTop = 338;
inline constexpr int EndRowHeight = 16;

// The lists, one shown at a time, chosen by their tabs on the panel's first line; the column
// titles under them, then the rows beside the flat scroll bar.
inline constexpr QRect ListPanel{319, 53, 310, 352};
inline constexpr QRect TabsLine{319, 53, 310, 16};
inline constexpr int TabGap = 12;
inline constexpr QRect ColumnTitles{324, 70, 286, 13};
inline constexpr QRect ListRows{324, 85, 286, 318};
inline constexpr int RowHeight = 13;
inline constexpr int WholeRowsShown = ListRows.height() / RowHeight;
inline constexpr QRect ScrollRect{617, 85, 10, 318};
// Rows one wheel notch moves the list.
inline constexpr int WheelNotchRows = 3;

// The reading of the orders: its line and a thin bar under it.
inline constexpr QRect ReadingPanel{11, 413, 618, 16};
inline constexpr QRect ReadingLine{16, 413, 300, 16};
inline constexpr QRect ReadingBar{322, 419, 300, 4};

using skin::Black;
using skin::Grey;
using skin::Orange;

} // namespace career_layout
