// A vector picture from our resources, rendered at the screen's device pixel ratio so it is
// sharp on high-resolution screens, and kept until the ratio changes.
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>
#include <QWidget>

#include "resources/pictures.h"

class SkinPicture {
public:
    // source: an SVG file or resource path (":/skins/main.svg"); size: its logical size.
    SkinPicture(QString source, QSize size);
    explicit SkinPicture(const tarvex::pictures::Picture& picture);

    // The picture for a device pixel ratio; rendered again only when the ratio changes.
    // A null pixmap when the source can't be read.
    const QPixmap& pixmap(qreal devicePixelRatio);

    QSize size() const { return size_; }
    const QString& source() const { return source_; }

private:
    QString source_;
    QSize size_;
    QPixmap cached_;
    qreal cachedRatio_ = 0;
};

// A child widget that shows one skin picture at its top-left corner (the pressed looks).
class SkinPictureWidget : public QWidget {
    Q_OBJECT
public:
    SkinPictureWidget(const tarvex::pictures::Picture& picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SkinPicture picture_;
};
