#include "tests/resources/picture_render.h"

#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <algorithm>

namespace tarvex::pictures::testing {

QImage render(const Picture& picture, int ratio) {
    QSvgRenderer renderer(
        QString::fromUtf8(picture.path.data(), static_cast<qsizetype>(picture.path.size())));
    QImage image(picture.width * ratio, picture.height * ratio, QImage::Format_ARGB32);
    if (!renderer.isValid()) return {};
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, picture.width, picture.height));
    return image;
}

std::optional<QRgb> logicalPixel(const QImage& image, int ratio, QPoint at) {
    const QRgb first = image.pixel(at.x() * ratio, at.y() * ratio);
    for (int dy = 0; dy < ratio; ++dy)
        for (int dx = 0; dx < ratio; ++dx)
            if (image.pixel(at.x() * ratio + dx, at.y() * ratio + dy) != first) return std::nullopt;
    return first;
}

bool insideRoundedOutline(const Picture& picture, double radius, QPoint at) {
    const double px = at.x() + 0.5, py = at.y() + 0.5;
    const double cx = std::clamp(px, radius, picture.width - radius);
    const double cy = std::clamp(py, radius, picture.height - radius);
    return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= radius * radius;
}

int translucentPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 255) ++count;
    return count;
}

std::optional<QPointF> centroidOf(const QImage& image, QRgb colour) {
    double sumX = 0, sumY = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour) {
                sumX += x;
                sumY += y;
                ++count;
            }
    if (count == 0) return std::nullopt;
    return QPointF(sumX / count, sumY / count);
}

} // namespace tarvex::pictures::testing
