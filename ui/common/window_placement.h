// Where a window of its own (the match window, a player's career) opens: beside the windows
// already shown, on the screen the pointer is on.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

class QScreen;
class QWidget;

// Right of the rightmost of `shown` (the main window first, then the other windows shown), else
// left of the leftmost, tops aligned with the main window, when the screen has room there over
// none of them; else, on a screen too small for that, the place within the screen that covers
// least of them (the right side first among equals). A window larger than the screen keeps its
// top-left corner on it.
QPoint BesideWindowsPosition(const std::vector<QRect>& shown, QSize window, const QRect& screen);

// Which of `screens` (their geometries) a window for a pointer at `pointer` goes to: the one
// under the pointer, else the nearest to it (the first of equals); nullopt without screens.
std::optional<std::size_t> NearestScreen(QPoint pointer, const std::vector<QRect>& screens);
// The same among the desktop's screens; null without one.
QScreen* ScreenNearest(QPoint pointer);
// Where a window of its own opens: the screen the pointer is on, else the nearest, else the
// primary one.
QScreen* PointerScreen();

// A hidden `window` moves beside `shown` (BesideWindowsPosition) on the screen the pointer is
// on; a shown one stays where it is.
void PlaceBesideWindows(QWidget& window, const std::vector<QRect>& shown);
