// What the orders of a career's games tell: how each game ended for him, how active he was,
// how he opened. Of each game only a few numbers are kept, never its orders.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "career/career.h"
#include "orders/course_names.h"
#include "orders/match.h"

// A building he placed, or a sneak attack's tunnel (object is then the power's number).
struct OpeningPlacement {
    uint32_t object = 0;
    bool sneakAttack = false;
    auto operator<=>(const OpeningPlacement&) const = default;
};

inline constexpr std::size_t OpeningPlacements = 3;

// All a career keeps of one game's orders.
struct CareerGameOrders {
    std::optional<double> apm;         // as PlayerOrders gives it
    std::optional<PlayerLeaving> left; // as PlayerOrders gives it
    std::array<OpeningPlacement, OpeningPlacements> opening{};
    uint8_t placements = 0;  // how many of opening he made (his first placements)
    uint32_t thirdFrame = 0; // when he placed the third
};

// His orders' summary.
CareerGameOrders SummarizeOrders(const PlayerOrders& his);

// The games read so far, by how they ended for him.
struct CareerEnds {
    CareerGames surrendered;
    CareerGames quit;
    CareerGames dropped;
    CareerGames none; // stayed to the end, or was destroyed: the file can't tell
};

// His first three placements in an army, over the games that began so.
struct CareerOpening {
    int8_t army = RandomArmy;
    std::array<OpeningPlacement, OpeningPlacements> objects{};
    CourseData data; // names the objects (the first game's data set)
    CareerGames games;
    double thirdSeconds = 0; // the median game time of the third placement
};

struct CareerOrderFigures {
    std::size_t read = 0; // games whose orders are in
    CareerEnds ends;
    // The median APM of the games read in each of career.months (none: no game with an APM).
    std::vector<std::optional<double>> monthApm;
    // Per army in the order of career.armies, most frequent first; only games with three
    // placements have an opening.
    std::vector<CareerOpening> openings;
};

// The figures of the games whose orders are in: orders[g] for career.games[g] (nullopt: not
// read, or unreadable). A match made with another data set than the tables' groups apart.
CareerOrderFigures TallyOrders(const Career& career, const std::vector<TZH_replay>& records,
                               const std::vector<std::optional<CareerGameOrders>>& orders);

// The name of a placement as the match window lists it ("Centrale électrique", "objet n° N"),
// and as the JSON gives it (nullopt when the tables don't name it).
std::string PlacementText(const CourseData& data, const OpeningPlacement& placement);
std::optional<std::string_view> PlacementName(const CourseData& data,
                                              const OpeningPlacement& placement);
