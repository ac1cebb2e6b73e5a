// The walk over the orders after a header, on bodies made order by order: what it counts for
// whom, how it tells a drop from a surrender from a quit, and how it ends on hostile bytes.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "orders/match.h"
#include "tests/support/replay_builder.h"

namespace rb = replay_builder;
using namespace std::string_literals;

namespace {

constexpr uint32_t EndMarker = 27, Select = 1001, Build = 1049, GameCheck = 1095,
                   ClientStats = 2001;
// Player indices: 2 + position in the record's players.
constexpr int32_t First = 2, Second = 3, Observer = 5;

std::string Plain(uint32_t frame, uint32_t type, int32_t player) {
    return rb::OrderBytes(frame, type, player);
}

// A self-destruct order with its flag (true: surrendered or quit; false: dropped).
std::string Leave(uint32_t frame, int32_t player, bool flag) {
    return rb::OrderBytes(frame, 1093, player, {{2, 1}}, std::string(1, flag ? '\1' : '\0'));
}

// A command with three groups: an object id, a location and a boolean.
std::string MoveTo(uint32_t frame, int32_t player) {
    return rb::OrderBytes(frame, 1068, player, {{3, 1}, {6, 1}, {2, 1}}, std::string(17, '\x11'));
}

std::string Commands(int count, int32_t player) {
    std::string body;
    while (count-- > 0)
        body += Plain(0, Build, player);
    return body;
}

// Two humans, a computer, an observer.
MatchOrders Walk(const std::string& body) {
    const std::pair<bool, int8_t> players[] = {{true, 2}, {true, -1}, {false, 3}, {true, -2}};
    TZH_replay record;
    for (const auto& [human, army] : players) {
        record.players.emplace_back().human = human;
        record.players.back().army = army;
    }
    return WalkOrders(body, record);
}

} // namespace

TEST(OrdersWalk, CountsEachKindOfOrderForItsPlayer) {
    // Order type, and whether it is a command (c), a selection (s) or neither (-).
    const std::pair<uint32_t, char> kinds[] = {
        {1001, 's'}, {1004, 's'}, {1016, 's'}, {1035, 's'}, {1058, 's'}, {1005, 'c'}, {1015, 'c'},
        {1036, 'c'}, {1057, 'c'}, {1096, 'c'}, {27, '-'},   {1088, '-'}, {1092, '-'}, {1093, '-'},
        {1095, '-'}, {1097, '-'}, {1000, '-'}, {1098, '-'}, {2001, '-'}, {0, '-'},
    };
    for (const auto& [type, kind] : kinds) {
        SCOPED_TRACE(type);
        const MatchOrders match = Walk(Plain(10, type, Second));
        EXPECT_EQ(match.players.at(1).commands, kind == 'c' ? 1u : 0u);
        EXPECT_EQ(match.players[1].selections, kind == 's' ? 1u : 0u);
    }
    // The map's own sides (0, 1), indices past the players and negative ones count for no one.
    const MatchOrders match =
        Walk(Plain(0, Build, 0) + Plain(0, Build, 1) + Plain(1, Build, First) +
             Plain(2, Select, Observer) + Plain(3, Build, 6) + Plain(3, Build, -1) +
             Plain(4, Build, 0x7FFFFFFF) + Plain(5, Build, Second) + Plain(6, Build, Second));
    EXPECT_EQ(match.players[0].commands, 1u);
    EXPECT_EQ(match.players[1].commands, 2u);
    EXPECT_EQ(match.players[3].selections, 1u);
}

// The first self-destruct order: dropped when its flag is false, surrendered when his orders go
// on more than 300 frames later, else quit. Commands per minute of game time up to it, or to the
// end, with one decimal. (To the end marker, rounding, computers and selections: the real
// replays' rates hold them.)
TEST(OrdersWalk, LeavingAndActionsPerMinute) {
    struct Case {
        const char* name;
        std::string body;
        std::size_t player;
        std::optional<uint32_t> left;
        LeaveHow how;
        std::optional<double> apm;
    };
    constexpr auto Quit = LeaveHow::Quit, Dropped = LeaveHow::Dropped,
                   Surrendered = LeaveHow::Surrendered;
    const Case cases[] = {
        {"no self-destruct order",
         Plain(600, Build, First) + Plain(9000, GameCheck, First),
         0,
         {},
         Quit,
         0.2},
        {"flag false: dropped", Leave(600, First, false) + Plain(5000, GameCheck, First), 0, 600,
         Dropped, 0.0},
        {"an order 300 frames later: quit", Leave(600, First, true) + Plain(900, GameCheck, First),
         0, 600, Quit, 0.0},
        {"an order 301 frames later: surrendered",
         Leave(600, First, true) + Plain(901, GameCheck, First), 0, 600, Surrendered, 0.0},
        {"another player's orders don't count",
         Leave(600, First, true) + Plain(5000, GameCheck, Second), 0, 600, Quit, 0.0},
        {"the first one counts", Leave(600, First, true) + Leave(700, First, false), 0, 600, Quit,
         0.0},
        {"the flag after another group",
         rb::OrderBytes(600, 1093, First, {{0, 1}, {2, 1}}, "\1\1\1\1\0"s), 0, 600, Dropped, 0.0},
        {"no flag: his own will", Plain(600, 1093, First), 0, 600, Quit, 0.0},
        {"a rate to his leaving", Commands(10, First) + Leave(5400, First, true), 0, 5400, Quit,
         3.3},
        {"commands after leaving don't count",
         Commands(6, First) + Leave(1800, First, true) + Plain(1900, Build, First), 0, 1800, Quit,
         6.0},
        {"no end marker: to the last order",
         Commands(2, First) + Plain(3600, ClientStats, 0),
         0,
         {},
         Quit,
         1.0},
        {"a human who gave none", Plain(3600, EndMarker, First), 1, {}, Quit, 0.0},
        {"an observer has none",
         Commands(2, Observer) + Plain(3600, EndMarker, First),
         3,
         {},
         Quit,
         std::nullopt},
        {"an empty span has none", Commands(2, First), 0, {}, Quit, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PlayerOrders player = Walk(c.body).players.at(c.player);
        EXPECT_EQ(player.apm, c.apm);
        ASSERT_EQ(player.left.has_value(), c.left.has_value());
        if (player.left) {
            EXPECT_EQ(std::make_pair(player.left->frame, player.left->how),
                      std::make_pair(*c.left, c.how));
        }
    }
}

TEST(OrdersWalk, CutAtEveryByteKeepsTheWholeOrdersBeforeTheCut) {
    // Orders of every shape: no arguments, one group, three groups, all eleven argument types.
    const std::string allTypes = rb::OrderBytes(
        40, 1047, Second,
        {{0, 1}, {1, 1}, {2, 2}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 1}, {10, 3}},
        std::string(68, '\x7F'));
    // Each order, and the first player's selections and commands and the second's commands.
    using Counts = std::array<uint32_t, 3>;
    const std::pair<std::string, Counts> pieces[] = {
        {Plain(10, Select, First), {1, 0, 0}}, {MoveTo(20, First), {0, 1, 0}},
        {Leave(30, Second, true), {}},         {allTypes, {0, 0, 1}},
        {Plain(50, GameCheck, First), {}},     {MoveTo(60, First), {0, 1, 0}}};
    std::string body;
    for (const auto& piece : pieces)
        body += piece.first;
    for (std::size_t cut = 0; cut <= body.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        Counts whole{};
        std::size_t end = 0;
        bool boundary = cut == 0;
        for (const auto& [bytes, counts] : pieces) {
            if ((end += bytes.size()) > cut) break;
            for (std::size_t k = 0; k < whole.size(); ++k)
                whole[k] += counts[k];
            boundary = boundary || end == cut;
        }
        const MatchOrders match = Walk(body.substr(0, cut));
        EXPECT_EQ(match.complete, boundary);
        EXPECT_EQ((Counts{match.players[0].selections, match.players[0].commands,
                          match.players[1].commands}),
                  whole);
    }
}

TEST(OrdersWalk, HostileBodiesEndTheWalkWithWhatWasCounted) {
    // (An empty body and one cut inside an order's head: the cut at every byte holds them.)
    const std::string good = MoveTo(100, First) + MoveTo(200, First);
    struct Case {
        const char* name;
        std::string body;
        bool complete;
        uint32_t commands, endFrame;
    };
    const Case cases[] = {
        {"an unknown argument type",
         good + rb::OrderBytes(300, 1068, First, {{11, 1}}, "\0\0\0\0"s) + good, false, 2, 200},
        {"argument type 255, none of it", good + rb::OrderBytes(300, 1068, First, {{255, 0}}),
         false, 2, 200},
        {"an unknown type in the fourth group",
         good + rb::OrderBytes(300, 1068, First, {{0, 1}, {2, 1}, {6, 0}, {11, 1}}, "\0\0\0\0\0"s) +
             good,
         false, 2, 200},
        {"an unknown type in the sixth group",
         good + rb::OrderBytes(300, 1068, First, {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {11, 0}}),
         false, 2, 200},
        {"255 groups of 255 pixel regions",
         good + rb::OrderBytes(300, 1068, First, std::vector<rb::ArgumentGroup>(255, {8, 255})),
         false, 2, 200},
        {"more groups than bytes", good + Plain(300, 1068, First).substr(0, 12) + "\xC8\x00\x01"s,
         false, 2, 200},
        {"frames going backwards", good + MoveTo(150, First) + MoveTo(400, First), false, 2, 200},
        {"a body of zeros, whole orders", std::string(13 * 100, '\0'), true, 0, 0},
        {"a body of 0xFF", std::string(100000, '\xFF'), false, 0, 0},
        {"an end marker, then more",
         good + Plain(250, EndMarker, First) + Plain(300, ClientStats, 0), true, 2, 250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MatchOrders match = Walk(c.body);
        EXPECT_EQ(match.complete, c.complete);
        EXPECT_EQ(match.players.at(0).commands, c.commands);
        EXPECT_EQ(match.endFrame, c.endFrame);
    }
}
