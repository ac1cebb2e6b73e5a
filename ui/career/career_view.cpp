#include "ui/career/career_view.h"

#include <QDate>
#include <algorithm>
#include <cmath>

#include "ui/details/header_texts.h"

namespace {

CareerRow Row(QStringList cells, const QString& figure, const CareerGames& games) {
    return {std::move(cells), {{figure, games}}, {}};
}

// Where a date lies along the months from `first`: its month's number, and how far into it.
double MonthPosition(const TZH_date& date, CareerMonth first) {
    const QDate day(date.year, date.month, date.day);
    const int days = day.isValid() ? day.daysInMonth() : 31;
    const double into = (date.day - 1 + (date.hour * 60 + date.minute) / 1440.0) / days;
    return MonthOf(date) - first + std::clamp(into, 0.0, 1.0);
}

std::vector<CareerRow> OpeningRows(const std::vector<CareerOpening>& openings) {
    std::vector<CareerRow> rows;
    std::optional<int8_t> army;
    for (const CareerOpening& opening : openings) {
        const QString armyText = CareerArmyText(opening.army);
        if (opening.army != army) {
            rows.push_back({{armyText}, {}, {}});
            army = opening.army;
        }
        QStringList names;
        for (const OpeningPlacement& placement : opening.objects)
            names.append(QString::fromStdString(PlacementText(opening.data, placement)));
        const QString all = names.join(QStringLiteral(", "));
        CareerRow row = Row({all, NumberText(opening.games.size()),
                             DurationText(static_cast<int32_t>(std::lround(opening.thirdSeconds)))},
                            armyText + QStringLiteral(" : ") + all, opening.games);
        row.tip = names.join(QLatin1Char('\n'));
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

const CareerPick* PickAt(const CareerRow& row, std::size_t column) {
    if (row.picks.empty()) return nullptr;
    if (column < row.picks.size() && !row.picks[column].games.empty()) return &row.picks[column];
    return &row.picks.front();
}

std::vector<CareerColumn> ColumnsOf(CareerTab tab) {
    switch (tab) {
    case CareerTab::Armies:
        return {{0, 96, false}, {96, 48, true}, {144, 38, true}, {188, 98, false}};
    case CareerTab::Maps:
        return {{0, 226, false}, {226, 60, true}};
    case CareerTab::Players:
        return {{0, 122, false}, {122, 40, true}, {162, 50, true}, {212, 74, true}};
    case CareerTab::Openings:
        return {{0, 176, false}, {176, 46, true}, {222, 64, true}};
    }
    return {};
}

std::optional<std::size_t> ColumnAt(CareerTab tab, int x) {
    const std::vector<CareerColumn> columns = ColumnsOf(tab);
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (x >= columns[i].left && x < columns[i].left + columns[i].width) return i;
    return std::nullopt;
}

CareerHeaderView HeaderViewOf(const Career& career) {
    CareerHeaderView view;
    view.name = ShownText(career.name);
    view.totals = TotalsText(career.games.size(), career.first, career.last, career.seconds);
    for (const CareerArmy& army : career.armies) {
        const QString name = CareerArmyText(army.army);
        view.armies.push_back(Row({name, NumberText(army.games.size()),
                                   ShareText(army.games.size(), career.games.size()),
                                   army.random ? RandomText(army.random) : QString()},
                                  name, army.games));
    }
    for (const CareerMap& map : career.maps) {
        const QString name = ShownText(map.map);
        view.maps.push_back(Row({name, NumberText(map.games.size())}, name, map.games));
    }
    for (const CareerPlayer& player : career.players) {
        const QString name = ShownText(player.name);
        const CareerGames both = player.games();
        view.players.push_back(
            {{name, NumberText(player.with.size()), NumberText(player.against.size()),
              player.last ? CareerDateText(*player.last) : QString()},
             {{name, both},
              {WithText(name), player.with},
              {AgainstText(name), player.against},
              {name, both}},
             {}});
    }
    return view;
}

CareerOrdersView OrdersViewOf(const Career& career, const std::vector<TZH_replay>& records,
                              const std::vector<std::optional<CareerGameOrders>>& orders,
                              const CareerOrderFigures& figures) {
    CareerOrdersView view;
    const CareerEnds& ends = figures.ends;
    for (const auto& [end, games] :
         {std::pair{CareerEnd::Surrendered, &ends.surrendered},
          std::pair{CareerEnd::Quit, &ends.quit}, std::pair{CareerEnd::Dropped, &ends.dropped},
          std::pair{CareerEnd::None, &ends.none}})
        view.ends.push_back(
            Row({EndText(end), NumberText(games->size()), ShareText(games->size(), figures.read)},
                EndText(end), *games));
    if (!career.months.empty()) {
        const CareerMonth first = career.months.front().month;
        for (std::size_t g = 0; g < career.games.size() && g < orders.size(); ++g) {
            const std::optional<TZH_date>& date = records[career.games[g].record].date;
            if (!orders[g] || !orders[g]->apm || !date) continue;
            view.points.push_back({MonthPosition(*date, first), *orders[g]->apm});
            view.peakApm = std::max(view.peakApm, *orders[g]->apm);
        }
    }
    view.medians = figures.monthApm;
    view.openings = OpeningRows(figures.openings);
    return view;
}

QRect MonthBar(std::size_t month, std::size_t months, std::size_t games, std::size_t peak,
               const QRect& area, int widest) {
    if (games == 0 || peak == 0 || month >= months) return {};
    const auto edge = [&](std::size_t m) {
        return area.left() + static_cast<int>(m * static_cast<std::size_t>(area.width()) / months);
    };
    const int share = edge(month + 1) - edge(month);
    const int width = std::clamp(share - 1, 1, widest);
    const int left = edge(month) + (share - 1 - width) / 2;
    const int height =
        std::max(1, static_cast<int>(std::lround(static_cast<double>(games) * area.height() /
                                                 static_cast<double>(peak))));
    return {left, area.bottom() + 1 - height, width, height};
}

std::optional<std::size_t> MonthAtX(std::size_t months, const QRect& area, int x) {
    if (months == 0 || x < area.left() || x > area.right()) return std::nullopt;
    return static_cast<std::size_t>(x - area.left()) * months /
           static_cast<std::size_t>(area.width());
}

QPointF ActivityAt(double at, double apm, std::size_t months, double peak, const QRect& area) {
    const double across = months ? std::clamp(at / static_cast<double>(months), 0.0, 1.0) : 0.0;
    const double up = peak > 0 ? std::clamp(apm / peak, 0.0, 1.0) : 0.0;
    return {area.left() + across * (area.width() - 1), area.bottom() - up * (area.height() - 1)};
}

QPointF ActivityAt(const ActivityPoint& point, std::size_t months, double peak, const QRect& area) {
    return ActivityAt(point.at, point.apm, months, peak, area);
}
