// What a player's career window shows, made from his tallies without a window: the texts of its
// header, its months, the rows of its lists and of its ends, its activity's points, and the games
// behind each figure with what the filter's field says of them. The geometry of the bars and
// points, and which figure lies under the pointer, are here too.
#pragma once

#include <QPointF>
#include <QRect>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

#include "career/career.h"
#include "career/career_orders.h"
#include "ui/career/career_texts.h"

// Games a click on a figure shows: what the filter's field says of them (without his name),
// and which.
struct CareerPick {
    QString figure;
    CareerGames games;
};

// A row of a list, or of the ends.
struct CareerRow {
    QStringList cells; // one per column of its list
    // What a click on each cell shows: one per cell, or a single one for the whole row; none for
    // a heading (an army's name over its openings).
    std::vector<CareerPick> picks;
    QString tip; // its tooltip, when a cell can't show all it says
};

// What a click on `column` of `row` shows: its own games, else the row's first pick's; none
// for a heading.
const CareerPick* PickAt(const CareerRow& row, std::size_t column);

// A column of a list, from the rows' left edge.
struct CareerColumn {
    int left = 0;
    int width = 0;
    bool right = false; // aligned on its right edge (the numbers)
};
std::vector<CareerColumn> ColumnsOf(CareerTab tab);
// The column under a point `x` pixels right of the rows' left edge, else none.
std::optional<std::size_t> ColumnAt(CareerTab tab, int x);

// What the headers of his games tell, made when the window opens.
struct CareerHeaderView {
    QString name;
    QString totals;
    std::vector<CareerRow> armies, maps, players;
};
CareerHeaderView HeaderViewOf(const Career& career);

// A game's point of activity: where along the months (0 at his first month's start, 1 a month
// later) and his commands per minute.
struct ActivityPoint {
    double at = 0;
    double apm = 0;
};

// What the orders read so far tell.
struct CareerOrdersView {
    std::vector<CareerRow> ends; // one per CareerEnds, in its order
    std::vector<ActivityPoint> points;
    std::vector<std::optional<double>> medians; // per month of the career
    double peakApm = 0;
    std::vector<CareerRow> openings; // each army's name, then its openings, most frequent first
};
// orders[g]: the summary of career.games[g], when read.
CareerOrdersView OrdersViewOf(const Career& career, const std::vector<TZH_replay>& records,
                              const std::vector<std::optional<CareerGameOrders>>& orders,
                              const CareerOrderFigures& figures);

// The months' bars over `area`: month i of `months` as high against the area as its games
// against the busiest month's; a month without a game has none. Each bar fills its share of the
// width but a pixel, at least one pixel wide and at most `widest`, in the middle of its share.
QRect MonthBar(std::size_t month, std::size_t months, std::size_t games, std::size_t peak,
               const QRect& area, int widest);
// The month under a pixel column, else none.
std::optional<std::size_t> MonthAtX(std::size_t months, const QRect& area, int x);
// Where a point of activity lies on `area`, months across as the bars, the peak at its top.
QPointF ActivityAt(const ActivityPoint& point, std::size_t months, double peak, const QRect& area);
// The same for a position along the months and a number of commands per minute.
QPointF ActivityAt(double at, double apm, std::size_t months, double peak, const QRect& area);
