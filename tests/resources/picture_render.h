#pragma once
// Helpers shared by the picture checks: render a compiled-in SVG and read its pixels.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <optional>

#include "resources/pictures.h"

namespace tarvex::pictures::testing {

// Renders the picture at its logical size times `ratio`, on a transparent image.
QImage render(const Picture& picture, int ratio);

// The logical pixel (x, y) at `ratio`: every device pixel it covers must have the same colour,
// which is returned; nullopt when they differ (a blurred edge).
std::optional<QRgb> logicalPixel(const QImage& image, int ratio, QPoint at);

// Inclusive rectangle from the ranges the window's layout uses.
inline QRect inclusive(int x0, int x1, int y0, int y1) {
    return QRect(QPoint(x0, y0), QPoint(x1, y1));
}

// Whether a window cut to the rounded rectangle (0, 0)-(width, height) of the picture, with corner
// ellipses of the given radius, keeps pixel (x, y): its centre lies inside the outline.
bool insideRoundedOutline(const Picture& picture, double radius, QPoint at);

// How many pixels of the image are not fully opaque.
int translucentPixels(const QImage& image);

// Centroid of the pixels that have exactly `colour`; nullopt when there are none.
std::optional<QPointF> centroidOf(const QImage& image, QRgb colour);

} // namespace tarvex::pictures::testing
