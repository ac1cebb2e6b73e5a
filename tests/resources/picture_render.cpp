#include "picture_render.h"

#include <QPainter>
#include <QString>
#include <QSvgRenderer>

namespace tarvex::pictures::testing {

QImage render(const Picture& picture, int ratio) {
  QSvgRenderer renderer(QString::fromUtf8(picture.path.data(), static_cast<qsizetype>(picture.path.size())));
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

}  // namespace tarvex::pictures::testing
