// What the match window shows of a match, made once at its opening from the replay, its orders
// and the map's cache entry: the time line's rows, the marks on the map kept in time order, and
// the line saying what can't be shown. Moving the cursor reads nothing but this.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "game/map_cache.h"
#include "orders/course_names.h"
#include "orders/match.h"
#include "replay/zerohour_intf.h"

// One human player of the time line.
struct MatchRow {
    std::size_t player = 0; // in the replay's players
    QString name;
    QColor colour;
    std::vector<uint32_t> perMinute; // his commands in each game minute
    std::optional<uint32_t> leftAt;  // the frame he left at
};

enum class MarkShape { Building, Power, SneakAttack };

// Something placed on the map: a building, a power fired at a place, the sneak attack.
struct CourseMark {
    uint32_t frame = 0;
    QPointF at; // fractions of the map picture's width and height from its top-left corner
    MarkShape shape = MarkShape::Building;
    std::size_t row = 0; // its player's row
    QColor colour;
    QString tip;
};

struct MatchView {
    uint32_t endFrame = 1;
    std::vector<MatchRow> rows;
    std::vector<CourseMark> marks; // in time order
    QString message;               // what the window can't show, or empty
};

// match: the orders as read, none when the file couldn't be read again; extent: the map's, from
// its cache entry, none when no cache holds the map or its entry has no extent. An extent that
// can't place anything (PictureExtent) is as none: no mark, and the line says the places are
// unknown; a place that can't be put on the picture has no mark, one off it is kept on its edge.
MatchView MatchViewOf(const TZH_replay& replay, const std::optional<MatchOrders>& match,
                      const std::optional<MapExtent>& extent, const CourseData& data);

// How many marks lie at or before the cursor.
std::size_t MarksUpTo(const std::vector<CourseMark>& marks, uint32_t cursor);

// The mark nearest to `pointer` within `reach` pixels among the first `shown`, placed on `area`
// (the latest of equally near ones, drawn on top); none when no mark is that near.
std::optional<std::size_t> MarkNear(const std::vector<CourseMark>& marks, std::size_t shown,
                                    const QRectF& area, QPointF pointer, qreal reach);
