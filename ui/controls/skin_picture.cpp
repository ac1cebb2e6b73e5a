#include "ui/controls/skin_picture.h"

#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <utility>

SkinPicture::SkinPicture(QString source, QSize size) : source_(std::move(source)), size_(size) {}

SkinPicture::SkinPicture(const tarvex::pictures::Picture& picture)
    : SkinPicture(
          QString::fromUtf8(picture.path.data(), static_cast<qsizetype>(picture.path.size())),
          QSize(picture.width, picture.height)) {}

const QPixmap& SkinPicture::pixmap(qreal devicePixelRatio) {
    if (devicePixelRatio == cachedRatio_) return cached_;
    cachedRatio_ = devicePixelRatio;
    cached_ = QPixmap();
    QSvgRenderer renderer(source_);
    if (!renderer.isValid()) return cached_;
    const QSize pixels(static_cast<int>(std::ceil(size_.width() * devicePixelRatio)),
                       static_cast<int>(std::ceil(size_.height() * devicePixelRatio)));
    QPixmap picture(pixels);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    picture.setDevicePixelRatio(devicePixelRatio);
    cached_ = picture;
    return cached_;
}

SkinPictureWidget::SkinPictureWidget(const tarvex::pictures::Picture& picture, QWidget* parent)
    : QWidget(parent), picture_(picture) {}

void SkinPictureWidget::paintEvent(QPaintEvent*) {
    const QPixmap& picture = picture_.pixmap(devicePixelRatioF());
    if (picture.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture);
}
