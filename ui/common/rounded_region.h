// The rounded outline of a skinned window.
#pragma once

#include <QRect>
#include <QRegion>
#include <QSize>

// The pixels whose centres lie inside the ellipse inscribed in `bounds`. Built row by row so
// that it is symmetric on every side: Qt's own ellipse region is one pixel wider on its left
// than on its right, which would show the skin's cut-away corner colour on one side.
QRegion EllipseRegion(const QRect& bounds);

// The rectangle (0, 0)-(size) with its corners rounded by ellipses `ellipse` pixels wide
// and high: two overlapping rectangles plus the four corner ellipses.
QRegion RoundedRegion(const QSize& size, int ellipse);
