#include "ui/match/match_view.h"

#include <algorithm>

#include "ui/details/header_texts.h"
#include "ui/details/start_marks.h"
#include "ui/match/match_texts.h"

namespace {

// A world position as fractions of the map picture, kept on the picture; none for a place that
// can't be put there.
std::optional<QPointF> OnPicture(const MapExtent& extent, const WorldPoint& at) {
    const std::optional<MapPoint> fraction = PictureFraction(extent, MapPoint{at.x, at.y});
    if (!fraction) return std::nullopt;
    return QPointF(std::clamp<qreal>(fraction->x, 0, 1), std::clamp<qreal>(fraction->y, 0, 1));
}

bool HasOrders(const PlayerOrders& orders) {
    if (orders.commands > 0 || orders.selections > 0) return true;
    const PlayerCourse* course = orders.course ? &*orders.course : nullptr;
    return course && (!course->placed.empty() || !course->queued.empty() ||
                      !course->powers.empty() || !course->sciences.empty());
}

std::optional<NoOrders> WhyNoOrders(const TZH_replay& replay,
                                    const std::optional<MatchOrders>& match) {
    if (!match) return NoOrders::Unreadable;
    bool human = false;
    for (std::size_t i = 0; i < replay.players.size(); ++i) {
        const TZH_player& player = replay.players[i];
        if (!PlaysTheMatch(player)) continue;
        human = true;
        if (i < match->players.size() && HasOrders(match->players[i])) return std::nullopt;
    }
    if (!human) return NoOrders::ComputersOnly;
    return match->complete ? NoOrders::NoneRecorded : NoOrders::CutFile;
}

void AddMarks(MatchView& view, const PlayerCourse& course, const MapExtent& extent,
              const CourseData& data) {
    const MatchRow& row = view.rows.back();
    const std::size_t index = view.rows.size() - 1;
    for (const PlacedBuilding& placed : course.placed) {
        const std::optional<QPointF> at = OnPicture(extent, placed.at);
        if (!at) continue;
        const QString what = QString::fromStdString(
            placed.sneakAttack ? PowerText(data, placed.object) : ObjectText(data, placed.object));
        view.marks.push_back({placed.frame, *at,
                              placed.sneakAttack ? MarkShape::SneakAttack : MarkShape::Building,
                              index, row.colour, MarkTip(what, row.name, placed.frame)});
    }
    for (const FiredPower& power : course.powers) {
        const std::optional<QPointF> at = power.at ? OnPicture(extent, *power.at) : std::nullopt;
        if (!at) continue;
        view.marks.push_back(
            {power.frame, *at, MarkShape::Power, index, row.colour,
             MarkTip(QString::fromStdString(PowerText(data, power.power)), row.name, power.frame)});
    }
}

} // namespace

MatchView MatchViewOf(const TZH_replay& replay, const std::optional<MatchOrders>& match,
                      const std::optional<MapExtent>& extent, const CourseData& data) {
    MatchView view;
    const std::optional<MapExtent> placing = PictureExtent(extent);
    const uint32_t recorded = match ? match->endFrame : 0;
    view.endFrame =
        std::max<uint32_t>(1, recorded ? recorded
                                       : static_cast<uint32_t>(std::max(replay.duration, 0)) *
                                             static_cast<uint32_t>(FramesPerSecond));
    for (std::size_t i = 0; match && i < replay.players.size() && i < match->players.size(); ++i) {
        const PlayerOrders& orders = match->players[i];
        if (!orders.course) continue; // computers and observers have none
        const TZH_player& player = replay.players[i];
        view.rows.push_back({i, ShownText(player.name), PlayerColour(player.colourResolved),
                             orders.course->commandsPerMinute,
                             orders.left ? std::optional(orders.left->frame) : std::nullopt});
        if (placing) AddMarks(view, *orders.course, *placing, data);
    }
    std::stable_sort(view.marks.begin(), view.marks.end(),
                     [](const CourseMark& a, const CourseMark& b) { return a.frame < b.frame; });
    if (const std::optional<NoOrders> why = WhyNoOrders(replay, match))
        view.message = NoOrdersLine(*why);
    else if (!placing)
        view.message = UnknownPositionsLine();
    return view;
}

std::size_t MarksUpTo(const std::vector<CourseMark>& marks, uint32_t cursor) {
    const auto after =
        std::upper_bound(marks.begin(), marks.end(), cursor,
                         [](uint32_t frame, const CourseMark& mark) { return frame < mark.frame; });
    return static_cast<std::size_t>(after - marks.begin());
}

std::optional<std::size_t> MarkNear(const std::vector<CourseMark>& marks, std::size_t shown,
                                    const QRectF& area, QPointF pointer, qreal reach) {
    std::optional<std::size_t> nearest;
    qreal best = reach * reach;
    for (std::size_t i = 0; i < shown && i < marks.size(); ++i) {
        const QPointF d = OnArea(marks[i].at, area) - pointer;
        const qreal distance = d.x() * d.x() + d.y() * d.y();
        if (distance <= best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}
