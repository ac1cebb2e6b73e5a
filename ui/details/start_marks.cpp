#include "ui/details/start_marks.h"

#include <algorithm>
#include <cmath>

#include "replay/game_colours.h"
#include "ui/details/header_texts.h"

namespace {

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
    const GameColour* game = GameColourOf(colour);
    if (!game) return QColor(200, 200, 200);
    return QColor(game->red, game->green, game->blue);
}

MapMarks MarksOf(const TZH_replay& replay, const ReplayStarts& starts) {
    MapMarks marks;
    if (!starts.map) return marks;
    const MapCacheEntry& entry = *starts.map->entry;
    const std::optional<MapExtent> extent = PictureExtent(entry.extent);
    if (!extent) return marks;
    for (std::size_t spot = 0; spot < entry.spots.size(); ++spot) {
        if (!entry.spots[spot]) continue;
        const QPointF at = Fraction(*extent, *entry.spots[spot]);
        if (!OnPicture(at)) continue;
        SpotMark mark{at, static_cast<int>(spot), false, {}, {}};
        for (std::size_t i = 0; i < starts.players.size() && i < replay.players.size(); ++i) {
            const TZH_player& player = replay.players[i];
            if (player.army == ObserverArmy || starts.players[i].spot != mark.spot) continue;
            mark.taken = true;
            mark.colour = PlayerColour(player.colourResolved);
            mark.name = ShownText(player.name);
            break;
        }
        marks.spots.push_back(std::move(mark));
    }
    marks.supplies = Fractions(*extent, entry.supplyPositions);
    marks.techs = Fractions(*extent, entry.techPositions);
    return marks;
}

QPointF OnArea(QPointF fraction, const QRectF& area) {
    // The last pixel for a point on the right or bottom edge, not the one past it.
    const qreal x = std::min(area.left() + fraction.x() * area.width(), area.right() - 0.5);
    const qreal y = std::min(area.top() + fraction.y() * area.height(), area.bottom() - 0.5);
    return {std::floor(x) + 0.5, std::floor(y) + 0.5};
}

std::vector<QRectF> MarkAreas(const MapMarks& marks, const QRectF& area, qreal disc) {
    const auto around = [&](QPointF fraction, qreal reach) {
        const QPointF at = OnArea(fraction, area);
        const QPointF corner(reach + 1, reach + 1); // the outline
        return QRectF(at - corner, at + corner);
    };
    std::vector<QRectF> covered;
    for (const SpotMark& spot : marks.spots)
        covered.push_back(around(spot.at, disc / 2));
    for (const QPointF& at : marks.supplies)
        covered.push_back(around(at, SupplySide / 2));
    for (const QPointF& at : marks.techs)
        covered.push_back(around(at, TechReach));
    return covered;
}
