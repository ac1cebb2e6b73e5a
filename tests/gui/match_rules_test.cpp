// The match window's plain rules: the time line's arithmetic, where the window opens, what a
// match's orders make of the map's marks, the rows and the list, and which mark the pointer is on.
#include <gtest/gtest.h>
#include <limits>
#include <tuple>

#include "ui/common/window_placement.h"
#include "ui/match/match_texts.h"
#include "ui/match/match_timeline.h"
#include "ui/match/match_view.h"

namespace {

constexpr uint32_t Minute = 1800;

TZH_player Player(const char* name, bool human, int8_t colour, int8_t army = 2) {
    TZH_player player;
    player.name = name;
    player.human = human;
    player.army = army;
    player.colourResolved = colour;
    return player;
}

} // namespace

TEST(MatchTimeline, FramesAcrossThePixelsAndBack) {
    const TimeScale scale{36000, 105, 421}; // 20 minutes over 420 steps
    for (const auto& [frame, x] : {std::pair{0u, 105}, {18000u, 315}, {85u, 106}, {99999u, 525}}) {
        EXPECT_EQ(XAtFrame(scale, frame), x) << frame;
        if (frame <= scale.end) {
            EXPECT_NEAR(FrameAtX(scale, x), frame, 43u) << x;
        }
    }
    EXPECT_EQ(XAtFrame(TimeScale{0, 10, 50}, 0), 10); // an empty match: no division by zero
}

TEST(MatchTimeline, MinuteMarksFiveMinutesApartOrMoreWhenTheyWouldCrowd) {
    const auto minutes = [](uint32_t end) {
        std::vector<uint32_t> out;
        for (const MinuteMark& mark : MinuteMarks(TimelineScale(end)))
            out.push_back(mark.minute);
        return out;
    };
    // The end itself has none; under 30 pixels apart (70 minutes) they would crowd.
    EXPECT_EQ(minutes(20 * Minute), (std::vector<uint32_t>{5, 10, 15}));
    EXPECT_EQ(minutes(5 * Minute - 1), std::vector<uint32_t>{});
    EXPECT_EQ(minutes(70 * Minute), (std::vector<uint32_t>{10, 20, 30, 40, 50, 60}));
    EXPECT_EQ(minutes(1440 * Minute).front(), 160u);
    EXPECT_EQ(MinuteMarks(TimelineScale(20 * Minute)).back().x, 419); // 3/4 of 419 from 105
}

// Right, End and Home on a real replay are the window's test: here the ends of the match.
TEST(MatchTimeline, KeysKeepTheCursorWithinTheMatch) {
    for (const auto& [cursor, move, expected] :
         {std::tuple{250u, CursorMove::Back, 0u},
          {800u, CursorMove::Forward, 1000u},
          {4000u, CursorMove::Back, 700u}}) // beyond the end: from the end
        EXPECT_EQ(MovedCursor(cursor, move, 1000), expected) << cursor;
}

TEST(MatchTimeline, OneBarPerActiveMinuteAsHighAsItsShareOfThePeak) {
    // 2.5 minutes over 101 pixels: a minute is 40 pixels, the last half minute cut at the end.
    const TimeScale scale{Minute * 5 / 2, 0, 101};
    const QRect row(0, 10, 101, 10);
    const std::vector<QRect> bars = ActivityBars({20, 0, 5, 40}, 20, scale, row);
    ASSERT_EQ(bars.size(), 2u); // the idle minute has none, the fourth lies past the end
    EXPECT_EQ(bars[0], QRect(0, 10, 40, 10));
    EXPECT_EQ(bars[1], QRect(80, 17, 20, 3)); // from the row's bottom, a quarter of its height
    EXPECT_EQ(ActivityBars({1}, 1000, scale, row).front().height(), 1); // never thinner
    EXPECT_TRUE(ActivityBars({3}, 0, scale, row).empty());
}

TEST(WindowPlacement, BesideTheShownWindowsWhereTheScreenHasRoomElseCoveringLeast) {
    const QSize window(540, 430);
    const QRect main(400, 100, 280, 310);
    const QRect details(677, 100, 192, 310);
    const QRect match(871, 100, 540, 430);
    struct Case {
        const char* what;
        std::vector<QRect> others; // shown beside the main window
        QRect screen;
        QPoint expected;
    };
    const Case cases[] = {
        {"right of the details", {details}, {0, 0, 1920, 1080}, {871, 100}},
        {"right of the main window, the details hidden", {}, {0, 0, 1920, 1080}, {682, 100}},
        {"no room right: left of the main", {details}, {-400, 0, 1700, 1080}, {-142, 100}},
        {"right of the match window", {details, match}, {0, 0, 2000, 1080}, {1413, 100}},
        {"the match window right: left of the main",
         {details, match},
         {-400, 0, 2320, 1080},
         {-142, 100}},
        {"another screen", {details}, {1920, 0, 1920, 1080}, {1920, 100}},
        // 1024 x 768 with the windows in the middle: no side has room; the bottom-left corner
        // covers least, a corner of the main window.
        {"too small", {details}, {0, 0, 1024, 768}, {0, 338}},
        {"smaller than the window", {details}, {0, 0, 500, 400}, {0, 0}},
    };
    for (const Case& c : cases) {
        std::vector<QRect> shown{main};
        shown.insert(shown.end(), c.others.begin(), c.others.end());
        EXPECT_EQ(BesideWindowsPosition(shown, window, c.screen), c.expected) << c.what;
    }
}

TEST(MatchView, HumansRowsAndTheirMarksInTimeOrderWithTheLineForWhatCantBeShown) {
    TZH_replay replay;
    replay.duration = 600;
    replay.players = {Player("IA", false, 0), Player("Nic", true, 2), Player("Obs", true, 1, -2),
                      Player("Bo", true, 3)};
    PlayerCourse nic;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinite = std::numeric_limits<float>::infinity();
    nic.placed = {{248, 1229, {1000, 500}, -0.78f, false},
                  {500, 1229, {nan, 500}, 0, false},
                  {900, 58, {0, 0}, 0, true}};
    nic.powers = {{116, 24, WorldPoint{2000, 250}},
                  {300, 7, std::nullopt},
                  {310, 7, WorldPoint{0, infinite}}};
    nic.commandsPerMinute = {12, 30};
    PlayerCourse bo;
    bo.placed = {{264, 1509, {3000, 9000}, 0, false}};
    MatchOrders match{true, 36000, {}};
    match.players.resize(4);
    match.players[1].course = nic;
    match.players[1].commands = 42;
    match.players[1].left = PlayerLeaving{35000, LeaveHow::Quit};
    match.players[3].course = bo;
    const MapExtent extent{{0, 0}, {2000, 1000}};
    const MatchView view = MatchViewOf(replay, match, extent, CourseData{});

    ASSERT_EQ(view.rows.size(), 2u);
    EXPECT_EQ(std::tie(view.rows[0].player, view.rows[0].name),
              std::tuple(1u, QStringLiteral("Nic")));
    EXPECT_EQ(view.rows[0].leftAt, std::optional<uint32_t>(35000));
    struct Mark {
        uint32_t frame;
        QPointF at;
        MarkShape shape;
        std::size_t row;
    };
    // The power without a place, and places not a number or infinite have no mark; a place off
    // the map is kept on its edge.
    const Mark expected[] = {{116, {1, 0.75}, MarkShape::Power, 0},
                             {248, {0.5, 0.5}, MarkShape::Building, 0},
                             {264, {1, 0}, MarkShape::Building, 1},
                             {900, {0, 1}, MarkShape::SneakAttack, 0}};
    ASSERT_EQ(view.marks.size(), std::size(expected));
    for (std::size_t i = 0; i < view.marks.size(); ++i) {
        const CourseMark& mark = view.marks[i];
        EXPECT_EQ(std::tie(mark.frame, mark.at, mark.shape, mark.row),
                  std::tie(expected[i].frame, expected[i].at, expected[i].shape, expected[i].row))
            << i;
        EXPECT_EQ(mark.colour, view.rows[mark.row].colour) << i;
    }
    EXPECT_EQ(MarksUpTo(view.marks, 899), 3u);

    // What can't be shown, said: the places, or the orders, and why.
    MatchOrders cut{false, 0, std::vector<PlayerOrders>(4)};
    cut.players[1].course = cut.players[3].course = PlayerCourse{};
    TZH_replay computers = replay;
    computers.players = {Player("IA", false, 0), Player("IA", false, 1)};
    const MatchOrders none{true, 9000, {{}, {}}};
    // No extent, or one without area: no mark, and the places said unknown.
    for (const auto unusable :
         {std::optional<MapExtent>(), std::optional(MapExtent{{0, 0}, {0, 9}})}) {
        const MatchView unplaced = MatchViewOf(replay, match, unusable, {});
        EXPECT_TRUE(unplaced.marks.empty());
        EXPECT_EQ(unplaced.message, UnknownPositionsLine());
    }
    EXPECT_EQ(MatchViewOf(replay, cut, extent, {}).message, NoOrdersLine(NoOrders::CutFile));
    EXPECT_EQ(MatchViewOf(computers, none, extent, {}).message,
              NoOrdersLine(NoOrders::ComputersOnly));
    EXPECT_EQ(MatchViewOf(replay, std::nullopt, extent, {}).message,
              NoOrdersLine(NoOrders::Unreadable));
    EXPECT_EQ(MatchViewOf(replay, std::nullopt, extent, {}).endFrame, 600u * 30);
}

TEST(MatchView, TheNearestShownMarkWithinReach) {
    std::vector<CourseMark> marks(4);
    const QPointF at[] = {{0.5, 0.5}, {0.52, 0.5}, {0.5, 0.5}, {0.1, 0.1}};
    for (std::size_t i = 0; i < marks.size(); ++i)
        marks[i].at = at[i];
    const QRectF area(11, 11, 256, 256); // fraction 0.5 lands on 139.5
    struct Case {
        std::size_t shown;
        QPointF pointer;
        std::optional<std::size_t> expected;
    };
    const Case cases[] = {
        {4, {139.5, 139.5}, 2},          // two on one spot: the later, drawn on top
        {4, {144.5, 139.5}, 1},          // nearer the second
        {4, {139.5, 145}, std::nullopt}, // out of reach
    };
    for (const Case& c : cases)
        EXPECT_EQ(MarkNear(marks, c.shown, area, c.pointer, 5), c.expected)
            << c.shown << " " << c.pointer.x() << "," << c.pointer.y();
}
