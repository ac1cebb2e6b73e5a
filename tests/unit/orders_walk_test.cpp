// The walk over the orders after a header, on bodies made order by order: what it counts for
// whom, how it tells a drop from a surrender from a quit, and how it ends on hostile bytes.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "replay/match.h"
#include "tools/replay_builder.h"

namespace rb = replay_builder;
using namespace std::string_literals;

namespace {

// Order types of each kind, as the game numbers them.
constexpr uint32_t EndMarker = 27;
constexpr uint32_t Select = 1001;       // a selection
constexpr uint32_t Build = 1049;        // a command
constexpr uint32_t GameCheck = 1095;    // bookkeeping, sent by every human's client
constexpr uint32_t SelfDestruct = 1093; // leaving
constexpr uint32_t ClientStats = 2001;  // a community client's own order: neither

// Player indices: 2 + position in the record's players.
constexpr int32_t First = 2, Second = 3, Computer = 4, Observer = 5;

TZH_player Player(bool human, int8_t army) {
    TZH_player p;
    p.human = human;
    p.army = army;
    return p;
}

// Two humans, a computer, an observer.
TZH_replay Record() {
    TZH_replay record;
    record.valid = true;
    record.players = {Player(true, 2), Player(true, -1), Player(false, 3), Player(true, -2)};
    return record;
}

std::string Plain(uint32_t frame, uint32_t type, int32_t player) { return rb::OrderBytes(frame, type, player); }

// A self-destruct order with its flag (true: surrendered or quit; false: dropped).
std::string Leave(uint32_t frame, int32_t player, bool flag) {
    return rb::OrderBytes(frame, SelfDestruct, player, {{2, 1}}, std::string(1, flag ? '\1' : '\0'));
}

// A command with arguments of several groups: an object id, a location and a boolean.
std::string MoveTo(uint32_t frame, int32_t player) {
    return rb::OrderBytes(frame, 1068, player, {{3, 1}, {6, 1}, {2, 1}}, std::string(4 + 12 + 1, '\x11'));
}

MatchOrders Walk(const std::string& body) { return WalkOrders(body, Record()); }

} // namespace

TEST(OrdersWalk, CountsEachKindOfOrderForItsPlayer) {
    // Order type, and whether it is a command (c), a selection (s) or neither (-).
    struct Case { uint32_t type; char kind; };
    const Case cases[] = {
        {1001, 's'}, {1004, 's'}, {1016, 's'}, {1035, 's'}, {1058, 's'}, {1005, 'c'}, {1015, 'c'},
        {1036, 'c'}, {1057, 'c'}, {1059, 'c'}, {1096, 'c'}, {27, '-'},   {1088, '-'}, {1092, '-'},
        {1095, '-'}, {1097, '-'}, {1000, '-'}, {1098, '-'}, {2001, '-'}, {0, '-'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const MatchOrders match = Walk(Plain(10, c.type, Second));
        ASSERT_EQ(match.players.size(), 4u);
        EXPECT_EQ(match.players[1].commands, c.kind == 'c' ? 1u : 0u);
        EXPECT_EQ(match.players[1].selections, c.kind == 's' ? 1u : 0u);
        EXPECT_EQ(match.players[0].commands + match.players[0].selections, 0u);
    }
}

TEST(OrdersWalk, PlayerIndexIsTwoPlusThePositionInTheRecord) {
    // The map's own sides (0, 1), indices past the players and negative ones count for no one.
    const std::string body = Plain(0, Build, 0) + Plain(0, Build, 1) + Plain(1, Build, First) +
                             Plain(2, Build, Computer) + Plain(2, Select, Observer) + Plain(3, Build, 6) +
                             Plain(3, Build, -1) + Plain(4, Build, 0x7FFFFFFF) + Plain(5, Build, Second) +
                             Plain(6, Build, Second);
    const MatchOrders match = Walk(body);
    ASSERT_EQ(match.players.size(), 4u);
    EXPECT_EQ(match.players[0].commands, 1u);
    EXPECT_EQ(match.players[1].commands, 2u);
    EXPECT_EQ(match.players[2].commands, 1u); // a computer's orders are never recorded, but count if there
    EXPECT_EQ(match.players[3].selections, 1u);
    EXPECT_TRUE(match.complete);
}

TEST(OrdersWalk, LeavingIsDroppedSurrenderedOrQuit) {
    struct Case {
        const char* name;
        std::string body;
        std::optional<uint32_t> frame;
        LeaveHow how;
    };
    const Case cases[] = {
        {"no self-destruct order", Plain(600, Build, First) + Plain(9000, GameCheck, First), std::nullopt,
         LeaveHow::Quit},
        {"flag false: dropped, whatever follows", Leave(600, First, false) + Plain(5000, GameCheck, First), 600,
         LeaveHow::Dropped},
        {"orders stop there: quit", Leave(600, First, true), 600, LeaveHow::Quit},
        {"an order 300 frames later: still quit", Leave(600, First, true) + Plain(900, GameCheck, First), 600,
         LeaveHow::Quit},
        {"an order 301 frames later: surrendered", Leave(600, First, true) + Plain(901, GameCheck, First), 600,
         LeaveHow::Surrendered},
        {"another player's later orders don't count", Leave(600, First, true) + Plain(5000, GameCheck, Second),
         600, LeaveHow::Quit},
        {"the first self-destruct order counts", Leave(600, First, true) + Leave(700, First, false), 600,
         LeaveHow::Quit},
        {"its flag need not be the first argument",
         rb::OrderBytes(600, SelfDestruct, First, {{0, 1}, {2, 1}}, "\1\1\1\1\0"s), 600, LeaveHow::Dropped},
        {"without a flag: left of his own will", Plain(600, SelfDestruct, First), 600, LeaveHow::Quit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MatchOrders match = Walk(c.body);
        const std::optional<PlayerLeaving>& left = match.players.at(0).left;
        ASSERT_EQ(left.has_value(), c.frame.has_value());
        if (!left) continue;
        EXPECT_EQ(left->frame, *c.frame);
        EXPECT_EQ(left->how, c.how);
        EXPECT_FALSE(match.players[1].left);
    }
}

TEST(OrdersWalk, ActionsPerMinuteOfGameTimeWithOneDecimal) {
    auto commands = [](int count, uint32_t from, int32_t player) {
        std::string body;
        for (int i = 0; i < count; ++i) body += Plain(from + static_cast<uint32_t>(i), Build, player);
        return body;
    };
    struct Case {
        const char* name;
        std::string body;
        std::size_t position;
        std::optional<double> apm;
    };
    const Case cases[] = {
        {"10 commands, end marker at 1 minute", commands(10, 0, First) + Plain(1800, EndMarker, First), 0, 10.0},
        {"10 commands, left after 3 minutes", commands(10, 0, First) + Leave(5400, First, true), 0, 3.3},
        {"selections are not commands", commands(3, 0, First) + Plain(5, Select, First) + Plain(900, EndMarker, 2),
         0, 6.0},
        {"commands after leaving don't count",
         commands(6, 0, First) + Leave(1800, First, true) + commands(4, 1900, First), 0, 6.0},
        {"no end marker: the last order's frame", commands(2, 0, First) + Plain(3600, ClientStats, 0), 0, 1.0},
        {"rounded to one decimal", commands(3, 0, First) + Plain(2610, EndMarker, First), 0, 2.1},
        {"a human who gave none", commands(2, 0, First) + Plain(3600, EndMarker, First), 1, 0.0},
        {"a computer has none", commands(2, 0, Computer) + Plain(3600, EndMarker, First), 2, std::nullopt},
        {"an observer has none", commands(2, 0, Observer) + Plain(3600, EndMarker, First), 3, std::nullopt},
        {"an empty span has none", Plain(0, Build, First) + Plain(0, Build, First), 0, std::nullopt},
        {"leaving at frame 0 has none", Leave(0, First, true) + Plain(3600, EndMarker, First), 0, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MatchOrders match = Walk(c.body);
        EXPECT_TRUE(match.complete);
        EXPECT_EQ(match.players.at(c.position).apm, c.apm);
    }
}

TEST(OrdersWalk, EndFrameIsTheEndMarkersElseTheLastOrders) {
    EXPECT_EQ(Walk(Plain(10, Build, First) + Plain(500, EndMarker, First) + Plain(600, ClientStats, 0)).endFrame, 500u);
    EXPECT_EQ(Walk(Plain(10, Build, First) + Plain(600, ClientStats, 0)).endFrame, 600u);
    const MatchOrders empty = Walk("");
    EXPECT_EQ(empty.endFrame, 0u);
    EXPECT_TRUE(empty.complete); // nothing after the header: the walk is at the file's end
}

TEST(OrdersWalk, CutAtEveryByteKeepsTheWholeOrdersBeforeTheCut) {
    // Orders of every shape: no arguments, one boolean, three groups, all eleven argument types.
    const std::string allTypes = rb::OrderBytes(
        40, 1047, Second, {{0, 1}, {1, 1}, {2, 2}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 1}, {10, 3}},
        std::string(4 + 4 + 2 + 4 + 4 + 4 + 12 + 8 + 16 + 4 + 6, '\x7F'));
    struct Piece { std::string bytes; uint32_t firstCommands, secondCommands, firstSelections; };
    const std::vector<Piece> pieces = {
        {Plain(10, Select, First), 0, 0, 1},  {MoveTo(20, First), 1, 0, 0},     {Leave(30, Second, true), 0, 0, 0},
        {allTypes, 0, 1, 0},                  {Plain(50, GameCheck, First), 0, 0, 0}, {MoveTo(60, First), 1, 0, 0},
    };
    std::string body;
    std::vector<std::size_t> ends;
    for (const Piece& piece : pieces) ends.push_back((body += piece.bytes).size());
    for (std::size_t cut = 0; cut <= body.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        uint32_t first = 0, second = 0, selections = 0;
        bool boundary = cut == 0;
        for (std::size_t i = 0; i < pieces.size() && ends[i] <= cut; ++i) {
            first += pieces[i].firstCommands;
            second += pieces[i].secondCommands;
            selections += pieces[i].firstSelections;
            boundary = boundary || ends[i] == cut;
        }
        const MatchOrders match = Walk(body.substr(0, cut));
        EXPECT_EQ(match.complete, boundary);
        EXPECT_EQ(match.players[0].commands, first);
        EXPECT_EQ(match.players[0].selections, selections);
        EXPECT_EQ(match.players[1].commands, second);
        EXPECT_EQ(match.players[1].left.has_value(), cut >= ends[2]);
    }
}

TEST(OrdersWalk, HostileBodiesEndTheWalkWithWhatWasCounted) {
    const std::string good = MoveTo(100, First) + MoveTo(200, First);
    struct Case {
        const char* name;
        std::string body;
        bool complete;
        uint32_t commands;
        uint32_t endFrame;
    };
    const Case cases[] = {
        {"an unknown argument type", good + rb::OrderBytes(300, 1068, First, {{11, 1}}, "\0\0\0\0"s) + MoveTo(400, First),
         false, 2, 200},
        {"argument type 255", good + rb::OrderBytes(300, 1068, First, {{255, 0}}), false, 2, 200},
        {"255 groups of 255 pixel regions", good + rb::OrderBytes(300, 1068, First, std::vector<rb::ArgumentGroup>(255, {8, 255})),
         false, 2, 200},
        {"more groups than bytes", good + Plain(300, 1068, First).substr(0, 12) + "\xC8\x00\x01"s, false, 2, 200},
        {"frames going backwards", good + MoveTo(150, First) + MoveTo(400, First), false, 2, 200},
        {"a body of zeros, whole orders", std::string(13 * 100, '\0'), true, 0, 0},
        {"a body of zeros, cut", std::string(13 * 100 + 7, '\0'), false, 0, 0},
        {"a body of 0xFF", std::string(100000, '\xFF'), false, 0, 0},
        {"an end marker, then garbage", good + Plain(250, EndMarker, First) + "\x01\x02\x03"s, false, 2, 250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MatchOrders match = Walk(c.body);
        EXPECT_EQ(match.complete, c.complete);
        EXPECT_EQ(match.players.at(0).commands, c.commands);
        EXPECT_EQ(match.endFrame, c.endFrame);
    }
}
