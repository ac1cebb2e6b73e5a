#include "ui/details/map_panel.h"

#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include "ui/common/fonts.h"
#include "ui/common/skin_colours.h"
#include "ui/details/details_layout.h"
#include "ui/details/start_painting.h"

namespace dl = details_layout;

namespace {

// The skin's metal, as on the details window's frame.
using skin::Metal;
const QColor MetalLight(70, 72, 75);
using skin::MetalDark;
const QColor FreeSpot(95, 96, 98);
const QColor NameText(225, 225, 225);
// Longer names are cut short: two fit side by side on the map.
constexpr int LongestName = 62;

const QRect Ground(QPoint(PanelMargin, PanelMargin), PanelMapSize);

// The metal round a black ground, with a soft bevel and a groove round the ground, as the
// frames have; the map's picture on the ground.
void PaintFrame(QPainter& painter, const QImage& map) {
    const QRect whole(QPoint(0, 0), PanelSize);
    painter.fillRect(whole, Metal);
    painter.fillRect(QRect(0, 0, whole.width(), 1), MetalLight);
    painter.fillRect(QRect(0, 0, 1, whole.height()), MetalLight);
    painter.fillRect(QRect(0, whole.height() - 1, whole.width(), 1), MetalDark);
    painter.fillRect(QRect(whole.width() - 1, 0, 1, whole.height()), MetalDark);
    painter.fillRect(Ground.adjusted(-1, -1, 1, 1), MetalDark);
    painter.fillRect(Ground, dl::Black);
    if (!map.isNull()) painter.drawImage(Ground.topLeft(), map);
}

void PaintSuppliesAndTechs(QPainter& painter, const MapMarks& marks, const QRectF& area) {
    for (const QPointF& at : marks.supplies)
        PaintSupply(painter, OnArea(at, area));
    for (const QPointF& at : marks.techs)
        PaintTech(painter, OnArea(at, area));
}

// Every spot, the free ones dim, with the lobby's numbers, from 1.
void PaintSpots(QPainter& painter, const MapMarks& marks, const QRectF& area) {
    painter.setFont(ArialFont(9, true));
    for (const SpotMark& spot : marks.spots) {
        const QPointF centre = OnArea(spot.at, area);
        PaintDisc(painter, centre, PanelDisc, spot.taken ? spot.colour : FreeSpot);
        painter.setPen(spot.taken ? dl::Black : dl::Grey);
        const QPointF corner(PanelDisc / 2, PanelDisc / 2);
        painter.drawText(QRectF(centre - corner, centre + corner), Qt::AlignCenter,
                         QString::number(spot.spot + 1));
    }
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

// The taken spots' players' names, placed clear of the marks where the map leaves room.
void PaintNames(QPainter& painter, const MapMarks& marks, const QRectF& area) {
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
    const std::vector<QRectF> labels =
        PlaceLabels(centres, PanelDisc, sizes, MarkAreas(marks, area, PanelDisc), QRectF(Ground));
    for (std::size_t i = 0; i < labels.size(); ++i)
        OutlinedText(painter, labels[i], names[i]);
}

} // namespace

MapPanel::MapPanel(QWidget& owner)
    : QWidget(&owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(PanelSize);
}

void MapPanel::SetContent(QImage map, const QRectF& mapArea, MapMarks marks) {
    map_ = std::move(map);
    mapArea_ = mapArea;
    marks_ = std::move(marks);
    update();
}

void MapPanel::ShowBeside(const QRect& details, const QRect& main, QScreen* screen) {
    if (screen && screen != this->screen()) setScreen(screen);
    const QRect room = screen ? screen->availableGeometry() : details.united(main);
    move(PanelPosition(details, main, size(), room));
    show();
}

void MapPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintFrame(painter, map_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(Ground);
    const QRectF area = mapArea_.translated(Ground.topLeft());
    PaintSuppliesAndTechs(painter, marks_, area);
    PaintSpots(painter, marks_, area);
    PaintNames(painter, marks_, area);
}
