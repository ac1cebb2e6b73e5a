#include "ui/details/start_painting.h"

#include <QPainter>
#include <QPainterPath>

#include "ui/common/fonts.h"
#include "ui/details/details_layout.h"
#include "ui/details/start_marks.h"

namespace dl = details_layout;

namespace {

// The skin's metal, as on the details window's frame.
const QColor Metal(45, 46, 48);
const QColor MetalLight(70, 72, 75);
const QColor MetalDark(24, 25, 26);
const QColor FreeSpot(95, 96, 98);
const QColor Supply(236, 200, 90);
const QColor Tech(170, 220, 255);
const QColor NameText(225, 225, 225);
// Longer names are cut short: two fit side by side on the map.
constexpr int LongestName = 62;

// A disc of `diameter` with a one-pixel black ring, so it reads on any ground.
void Disc(QPainter& painter, QPointF centre, qreal diameter, const QColor& colour) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(dl::Black);
    painter.drawEllipse(centre, diameter / 2 + 1, diameter / 2 + 1);
    painter.setBrush(colour);
    painter.drawEllipse(centre, diameter / 2, diameter / 2);
}

void SupplyMark(QPainter& painter, QPointF at) {
    painter.setPen(QPen(dl::Black, 1));
    painter.setBrush(Supply);
    painter.drawRect(QRectF(at - QPointF(2, 2), QSizeF(4, 4)));
}

void TechMark(QPainter& painter, QPointF at) {
    painter.setPen(QPen(dl::Black, 1));
    painter.setBrush(Tech);
    const QPointF diamond[] = {at + QPointF(0, -3.5), at + QPointF(3.5, 0), at + QPointF(0, 3.5),
                               at + QPointF(-3.5, 0)};
    painter.drawPolygon(diamond, 4);
}

// Light text with a dark outline: legible on any part of a map.
void OutlinedText(QPainter& painter, const QRectF& cell, const QString& text) {
    QPainterPath path;
    path.addText(cell.left(), cell.top() + painter.fontMetrics().ascent(), painter.font(), text);
    painter.setPen(QPen(dl::Black, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(NameText);
    painter.drawPath(path);
}

} // namespace

void PaintStartDiscs(QPainter& painter, const MapMarks& marks, const QRectF& area, qreal diameter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(area, Qt::IntersectClip);
    for (const SpotMark& spot : marks.spots)
        if (spot.taken) Disc(painter, OnArea(spot.at, area), diameter, spot.colour);
    painter.restore();
}

void PaintMapPanel(QPainter& painter, const MapMarks& marks, const QImage& map,
                   const QRectF& mapArea) {
    painter.save();
    const QRect whole(QPoint(0, 0), PanelSize);
    const QRect ground(QPoint(PanelMargin, PanelMargin), PanelMapSize);
    painter.fillRect(whole, Metal);
    // A soft bevel, and a groove round the ground, as the frames have.
    painter.fillRect(QRect(0, 0, whole.width(), 1), MetalLight);
    painter.fillRect(QRect(0, 0, 1, whole.height()), MetalLight);
    painter.fillRect(QRect(0, whole.height() - 1, whole.width(), 1), MetalDark);
    painter.fillRect(QRect(whole.width() - 1, 0, 1, whole.height()), MetalDark);
    painter.fillRect(ground.adjusted(-1, -1, 1, 1), MetalDark);
    painter.fillRect(ground, dl::Black);
    if (!map.isNull()) painter.drawImage(ground.topLeft(), map);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(ground);
    const QRectF area = mapArea.translated(ground.topLeft());
    for (const QPointF& at : marks.supplies)
        SupplyMark(painter, OnArea(at, area));
    for (const QPointF& at : marks.techs)
        TechMark(painter, OnArea(at, area));
    QFont number = ArialFont(9, true);
    for (const SpotMark& spot : marks.spots) {
        const QPointF centre = OnArea(spot.at, area);
        Disc(painter, centre, PanelDisc, spot.taken ? spot.colour : FreeSpot);
        // The lobby's numbers, from 1.
        painter.setFont(number);
        painter.setPen(spot.taken ? dl::Black : dl::Grey);
        painter.drawText(
            QRectF(centre - QPointF(PanelDisc / 2, PanelDisc / 2), QSizeF(PanelDisc, PanelDisc)),
            Qt::AlignCenter, QString::number(spot.spot + 1));
    }
    painter.setFont(ArialFont(11, true));
    const QFontMetrics metrics = painter.fontMetrics();
    std::vector<QPointF> centres;
    std::vector<QString> names;
    std::vector<QSizeF> sizes;
    for (const SpotMark& spot : marks.spots) {
        if (!spot.taken || spot.name.isEmpty()) continue;
        centres.push_back(OnArea(spot.at, area));
        names.push_back(metrics.elidedText(spot.name, Qt::ElideRight, LongestName));
        sizes.emplace_back(metrics.horizontalAdvance(names.back()) + 1, metrics.height());
    }
    const std::vector<QRectF> labels = PlaceLabels(centres, PanelDisc, sizes, QRectF(ground));
    for (std::size_t i = 0; i < labels.size(); ++i)
        OutlinedText(painter, labels[i], names[i]);
    painter.restore();
}
