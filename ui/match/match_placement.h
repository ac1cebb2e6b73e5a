// Where the match window opens: beside the two windows, on the screen the pointer is on.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

// Right of the details window (of the main window while the details window is hidden), else
// left of the main window, tops aligned, when the screen has room there over neither window;
// else, on a screen too small for that, the place within the screen that covers least of them
// (the right side first among equals). A window larger than the screen keeps its top-left
// corner on it.
QPoint MatchWindowPosition(const std::optional<QRect>& details, const QRect& main, QSize window,
                           const QRect& screen);
