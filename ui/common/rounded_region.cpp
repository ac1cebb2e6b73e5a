#include "ui/common/rounded_region.h"

#include <cmath>

QRegion EllipseRegion(const QRect& bounds) {
    QRegion region;
    const double rx = bounds.width() / 2.0;
    const double ry = bounds.height() / 2.0;
    for (int row = 0; row < bounds.height(); ++row) {
        const double dy = (row + 0.5 - ry) / ry;
        if (dy * dy >= 1.0) continue;
        const double halfWidth = rx * std::sqrt(1.0 - dy * dy);
        // Pixel column i is inside when its centre i + 0.5 lies within rx ± halfWidth.
        const int first = static_cast<int>(std::ceil(rx - halfWidth - 0.5));
        const int last = static_cast<int>(std::floor(rx + halfWidth - 0.5));
        if (last >= first)
            region += QRect(bounds.left() + first, bounds.top() + row, last - first + 1, 1);
    }
    return region;
}

QRegion RoundedRegion(const QSize& size, int ellipse) {
    const int w = size.width();
    const int h = size.height();
    const int r = ellipse / 2;
    QRegion region(QRect(0, r, w, h - 2 * r));
    region += QRegion(QRect(r, 0, w - 2 * r, h));
    const QSize corner(ellipse, ellipse);
    for (const QPoint& at : {QPoint(0, 0), QPoint(w - ellipse, 0), QPoint(0, h - ellipse),
                             QPoint(w - ellipse, h - ellipse)})
        region += EllipseRegion(QRect(at, corner));
    return region;
}
