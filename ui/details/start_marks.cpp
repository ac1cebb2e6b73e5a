#include "ui/details/start_marks.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "ui/details/details_layout.h"
#include "ui/details/header_texts.h"

namespace {

constexpr int ArmyObserver = -2;
// Between the details window and the larger map, and between a disc and its label.
constexpr int PanelGap = 2;
constexpr qreal LabelGap = 2;

QPointF Fraction(const MapExtent& extent, MapPoint point) {
    const auto at = PictureFraction(extent, point);
    return at ? QPointF(at->x, at->y) : QPointF(-1, -1);
}

bool OnPicture(QPointF fraction) {
    return fraction.x() >= 0 && fraction.x() <= 1 && fraction.y() >= 0 && fraction.y() <= 1;
}

std::vector<QPointF> Fractions(const MapExtent& extent, const std::vector<MapPoint>& points) {
    std::vector<QPointF> out;
    for (const MapPoint& point : points)
        if (const QPointF at = Fraction(extent, point); OnPicture(at)) out.push_back(at);
    return out;
}

} // namespace

QColor PlayerColour(int colour) {
    // The game's lobby colours: gold, red, blue, green, orange, sky blue, purple, pink.
    static const std::array<QColor, 8> lobby{
        QColor(221, 226, 13), QColor(255, 0, 0),    QColor(34, 52, 254), QColor(62, 209, 46),
        QColor(255, 160, 25), QColor(50, 215, 230), QColor(150, 0, 200), QColor(255, 150, 255)};
    if (colour < 0 || colour >= static_cast<int>(lobby.size())) return QColor(200, 200, 200);
    return lobby[static_cast<std::size_t>(colour)];
}

MapMarks MarksOf(const TZH_replay& replay, const ReplayStarts& starts) {
    MapMarks marks;
    // Without its extent nothing of the map can be placed on a picture.
    if (!starts.map || !starts.map->entry->extent) return marks;
    const MapCacheEntry& entry = *starts.map->entry;
    for (std::size_t spot = 0; spot < entry.spots.size(); ++spot) {
        if (!entry.spots[spot]) continue;
        const QPointF at = Fraction(*entry.extent, *entry.spots[spot]);
        if (!OnPicture(at)) continue;
        SpotMark mark{at, static_cast<int>(spot), false, {}, {}};
        for (std::size_t i = 0; i < starts.players.size() && i < replay.players.size(); ++i) {
            const TZH_player& player = replay.players[i];
            if (player.army == ArmyObserver || starts.players[i].spot != mark.spot) continue;
            mark.taken = true;
            mark.colour = PlayerColour(player.colourResolved);
            mark.name = ShownText(player.name);
            break;
        }
        marks.spots.push_back(std::move(mark));
    }
    marks.supplies = Fractions(*entry.extent, entry.supplyPositions);
    marks.techs = Fractions(*entry.extent, entry.techPositions);
    return marks;
}

QPointF OnArea(QPointF fraction, const QRectF& area) {
    // The last pixel for a point on the right or bottom edge, not the one past it.
    const qreal x = std::min(area.left() + fraction.x() * area.width(), area.right() - 0.5);
    const qreal y = std::min(area.top() + fraction.y() * area.height(), area.bottom() - 0.5);
    return {std::floor(x) + 0.5, std::floor(y) + 0.5};
}

std::vector<QRectF> PlaceLabels(const std::vector<QPointF>& centres, qreal diameter,
                                const std::vector<QSizeF>& sizes, const QRectF& bounds) {
    const qreal reach = diameter / 2 + LabelGap;
    const auto inside = [&](QRectF label) {
        label.moveLeft(std::clamp(label.left(), bounds.left(),
                                  std::max(bounds.left(), bounds.right() - label.width())));
        label.moveTop(std::clamp(label.top(), bounds.top(),
                                 std::max(bounds.top(), bounds.bottom() - label.height())));
        return label;
    };
    std::vector<QRectF> placed;
    for (std::size_t i = 0; i < centres.size() && i < sizes.size(); ++i) {
        const QPointF c = centres[i];
        const QSizeF size = sizes[i];
        const QRectF above(QPointF(c.x() - size.width() / 2, c.y() - reach - size.height()), size);
        const QRectF below(QPointF(c.x() - size.width() / 2, c.y() + reach), size);
        const QRectF right(QPointF(c.x() + reach, c.y() - size.height() / 2), size);
        const QRectF left(QPointF(c.x() - reach - size.width(), c.y() - size.height() / 2), size);
        const bool upper = c.y() < bounds.center().y();
        const QRectF tries[] = {upper ? above : below, upper ? below : above, right, left};
        const auto free = [&](const QRectF& label) {
            for (const QRectF& other : placed)
                if (label.intersects(other)) return false;
            for (const QPointF& disc : centres)
                if (label.intersects(QRectF(disc - QPointF(reach, reach), QSizeF(2, 2) * reach)))
                    return false;
            return true;
        };
        QRectF chosen = inside(tries[0]);
        for (const QRectF& label : tries)
            if (free(inside(label))) {
                chosen = inside(label);
                break;
            }
        placed.push_back(chosen);
    }
    return placed;
}

QPoint PanelPosition(const QRect& details, const QRect& main, QSize panel, const QRect& screen) {
    const int top = details.top() + details_layout::MapPictureAt.y() - PanelMargin;
    int left = details.right() + 1 + PanelGap;
    if (left + panel.width() > screen.right() + 1) left = main.left() - PanelGap - panel.width();
    left = std::clamp(left, screen.left(),
                      std::max(screen.left(), screen.right() + 1 - panel.width()));
    const int clampedTop =
        std::clamp(top, screen.top(), std::max(screen.top(), screen.bottom() + 1 - panel.height()));
    return {left, clampedTop};
}
