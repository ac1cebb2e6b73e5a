// Where everything sits on the about window, and the plain rules of its scrolling.
#pragma once

#include <QRect>
#include <QSize>

namespace about_layout {

inline constexpr QSize WindowSize{192, 121};
inline constexpr int CornerEllipse = 10;
inline constexpr QRect MemoRect{11, 10, 160, 100};
inline constexpr QRect ScrollRect{173, 11, 10, 99};
// A release of any mouse button here closes the window (inclusive ranges).
inline constexpr QRect CloseGlyphArea{QPoint(172, 2), QPoint(180, 7)};
// The text shows this many display lines at a time; the bar scrolls over the rest.
inline constexpr int VisibleLines = 8;
// One wheel notch moves the bar this far.
inline constexpr int WheelStep = 5;

} // namespace about_layout

// The bar's range for a text of `lines` display lines (negative when it all fits).
inline int AboutScrollMax(int lines) {
    return lines - about_layout::VisibleLines;
}

// The scroller's length for a bar `barHeight` high with range `max`. A range of 0 (a text of
// exactly one view) gives the whole track rather than a division by zero.
inline int AboutScrollerWidth(int barHeight, int max) {
    return max == 0 ? barHeight : barHeight / max;
}
