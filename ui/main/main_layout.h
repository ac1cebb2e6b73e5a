// Where everything sits on the main window, in window coordinates. The skin is drawn for
// exactly these positions, so they are fixed pixels, not a layout.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>

namespace main_layout {

inline constexpr QSize WindowSize{280, 310};
// The rounded outline's corner ellipses.
inline constexpr int CornerEllipse = 15;

inline constexpr QRect RepListRect{24, 35, 223, 248};
inline constexpr int RowHeight = 13;
// 19 rows fit wholly; the 248th pixel line shows the top of a 20th.
inline constexpr int WholeRowsVisible = RepListRect.height() / RowHeight;
// Row text starts this far right of the row's left edge.
inline constexpr int RowTextIndent = 4;

// While the list is filtered, the filter's field lies over its bottom: the list keeps one
// whole row less, and the field the rest of its height.
inline constexpr QRect FilteredListRect{RepListRect.left(), RepListRect.top(), RepListRect.width(),
                                        (WholeRowsVisible - 1) * RowHeight};
inline constexpr QRect FilterFieldRect{RepListRect.left(), FilteredListRect.bottom() + 1,
                                       RepListRect.width(),
                                       RepListRect.height() - FilteredListRect.height()};

// The list's flat scroll bar, right of the list.
inline constexpr QRect ScrollRect{249, 33, 10, 251};

// The pressed looks of the four skin buttons, and where a hidden one is parked.
inline constexpr QSize PressedLookSize{15, 15};
inline constexpr QPoint ParkedPressedLook{-15, 0};

// The grey credit line at the bottom left; the history button starts at x 229.
inline constexpr QRect CreditLineRect{12, 288, 214, 17};
inline constexpr int FirstButtonColumn = 229;

// The details window overlaps this window's right edge by this much, tops aligned.
inline constexpr int DetailsOverlap = 3;
constexpr QPoint DockedDetailsTopLeft(const QPoint& mainTopLeft, int mainWidth) {
    return {mainTopLeft.x() + mainWidth - DetailsOverlap, mainTopLeft.y()};
}

} // namespace main_layout
