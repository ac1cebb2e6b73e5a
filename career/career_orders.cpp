#include "career/career_orders.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace {

// The middle value; the mean of the two middle ones for an even count.
double Median(std::vector<double>& values) {
    const std::size_t half = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(half),
                     values.end());
    const double upper = values[half];
    if (values.size() % 2) return upper;
    const double lower =
        *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(half));
    return (lower + upper) / 2;
}

CareerGames* EndOf(CareerEnds& ends, const std::optional<PlayerLeaving>& left) {
    if (!left) return &ends.none;
    switch (left->how) {
    case LeaveHow::Surrendered:
        return &ends.surrendered;
    case LeaveHow::Dropped:
        return &ends.dropped;
    case LeaveHow::Quit:
        return &ends.quit;
    }
    return &ends.quit;
}

std::vector<std::optional<double>>
MonthApm(const Career& career, const std::vector<std::optional<CareerGameOrders>>& orders) {
    std::vector<std::optional<double>> medians(career.months.size());
    std::vector<double> apm;
    for (std::size_t m = 0; m < career.months.size(); ++m) {
        apm.clear();
        for (const uint32_t g : career.months[m].games)
            if (orders[g] && orders[g]->apm) apm.push_back(*orders[g]->apm);
        if (!apm.empty()) medians[m] = Median(apm);
    }
    return medians;
}

// Numbers of objects mean the same in every replay the tables fit; any other data set may
// number them its own way.
uint64_t Numbering(const TZH_replay& record) {
    return CourseDataOf(record).tablesFit ? 0 : uint64_t{1} << 32 | record.iniCrc;
}

std::vector<CareerOpening> Openings(const Career& career, const std::vector<TZH_replay>& records,
                                    const std::vector<std::optional<CareerGameOrders>>& orders) {
    std::array<std::size_t, 256> armyRank{}; // by the army's byte: its place in career.armies
    for (std::size_t a = 0; a < career.armies.size(); ++a)
        armyRank[static_cast<uint8_t>(career.armies[a].army)] = a;
    using Key = std::tuple<std::size_t, uint64_t, std::array<OpeningPlacement, OpeningPlacements>>;
    std::map<Key, std::size_t> at;
    std::vector<CareerOpening> openings;
    std::vector<std::vector<double>> thirds;
    for (uint32_t g = 0; g < career.games.size(); ++g) {
        if (!orders[g] || orders[g]->placements < OpeningPlacements) continue;
        const CareerGame& game = career.games[g];
        const TZH_replay& record = records[game.record];
        const Key key{armyRank[static_cast<uint8_t>(game.army)], Numbering(record),
                      orders[g]->opening};
        const auto [it, added] = at.try_emplace(key, openings.size());
        if (added) {
            openings.push_back({game.army, orders[g]->opening, CourseDataOf(record), {}, 0});
            thirds.emplace_back();
        }
        openings[it->second].games.push_back(g);
        thirds[it->second].push_back(orders[g]->thirdFrame / double{FramesPerSecond});
    }
    for (std::size_t o = 0; o < openings.size(); ++o)
        openings[o].thirdSeconds = Median(thirds[o]);
    std::stable_sort(openings.begin(), openings.end(),
                     [&armyRank](const CareerOpening& a, const CareerOpening& b) {
                         const std::size_t ra = armyRank[static_cast<uint8_t>(a.army)];
                         const std::size_t rb = armyRank[static_cast<uint8_t>(b.army)];
                         if (ra != rb) return ra < rb;
                         return a.games.size() > b.games.size();
                     });
    return openings;
}

} // namespace

CareerGameOrders SummarizeOrders(const PlayerOrders& his) {
    CareerGameOrders summary;
    summary.apm = his.apm;
    summary.left = his.left;
    if (!his.course) return summary;
    const std::vector<PlacedBuilding>& placed = his.course->placed;
    summary.placements = static_cast<uint8_t>(std::min(placed.size(), OpeningPlacements));
    for (std::size_t i = 0; i < summary.placements; ++i)
        summary.opening[i] = {placed[i].object, placed[i].sneakAttack};
    if (summary.placements == OpeningPlacements)
        summary.thirdFrame = placed[OpeningPlacements - 1].frame;
    return summary;
}

CareerOrderFigures TallyOrders(const Career& career, const std::vector<TZH_replay>& records,
                               const std::vector<std::optional<CareerGameOrders>>& orders) {
    CareerOrderFigures figures;
    for (uint32_t g = 0; g < career.games.size(); ++g) {
        if (!orders[g]) continue;
        ++figures.read;
        EndOf(figures.ends, orders[g]->left)->push_back(g);
    }
    figures.monthApm = MonthApm(career, orders);
    figures.openings = Openings(career, records, orders);
    return figures;
}

std::string PlacementText(const CourseData& data, const OpeningPlacement& placement) {
    return placement.sneakAttack ? PowerText(data, placement.object)
                                 : ObjectText(data, placement.object);
}

std::optional<std::string_view> PlacementName(const CourseData& data,
                                              const OpeningPlacement& placement) {
    return placement.sneakAttack ? PowerName(data, placement.object)
                                 : ObjectName(data, placement.object);
}
