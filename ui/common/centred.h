// Where a window goes to sit in the middle of another rectangle (the screen, the main window).
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Top-left corner that centres a window of `size` in `available`.
constexpr QPoint CentredTopLeft(const QRect& available, const QSize& size) {
    return {available.left() + (available.width() - size.width()) / 2,
            available.top() + (available.height() - size.height()) / 2};
}
