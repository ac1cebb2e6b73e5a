#include "ui/details/start_painting.h"

#include <QPainter>

#include "ui/details/details_layout.h"
#include "ui/details/start_marks.h"

namespace dl = details_layout;

namespace {

const QColor Supply(236, 200, 90);
const QColor Tech(170, 220, 255);

} // namespace

void PaintDisc(QPainter& painter, QPointF centre, qreal diameter, const QColor& colour) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(dl::Black);
    painter.drawEllipse(centre, diameter / 2 + 1, diameter / 2 + 1);
    painter.setBrush(colour);
    painter.drawEllipse(centre, diameter / 2, diameter / 2);
}

void PaintSupply(QPainter& painter, QPointF at) {
    painter.setPen(QPen(dl::Black, 1));
    painter.setBrush(Supply);
    const QPointF corner(SupplySide / 2, SupplySide / 2);
    painter.drawRect(QRectF(at - corner, at + corner));
}

void PaintTech(QPainter& painter, QPointF at) {
    painter.setPen(QPen(dl::Black, 1));
    painter.setBrush(Tech);
    const QPointF diamond[] = {at + QPointF(0, -TechReach), at + QPointF(TechReach, 0),
                               at + QPointF(0, TechReach), at + QPointF(-TechReach, 0)};
    painter.drawPolygon(diamond, 4);
}

void PaintStartDiscs(QPainter& painter, const MapMarks& marks, const QRectF& area, qreal diameter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(area, Qt::IntersectClip);
    for (const SpotMark& spot : marks.spots)
        if (spot.taken) PaintDisc(painter, OnArea(spot.at, area), diameter, spot.colour);
    painter.restore();
}
