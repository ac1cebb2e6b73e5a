// The start marks' plain rules: where a spot lands on a picture, who takes it, where the names
// and the larger map go.
#include "ui/details/start_marks.h"

#include <gtest/gtest.h>

#include "ui/details/map_preview.h"

namespace {

constexpr int8_t Observer = -2;

TZH_player Player(const char* name, int8_t army, int8_t colour) {
    TZH_player player;
    player.name = name;
    player.army = army;
    player.colourResolved = colour;
    return player;
}

} // namespace

TEST(StartMarks, TheExtentsCornersLandOnThePicturesCornersLetterboxedAsTheCell) {
    MapCacheEntry entry;
    entry.extent = {{100, 0}, {1100, 500}};
    // Top-left, bottom-right, a spot the map lacks, one outside the extent, the middle.
    entry.spots = {MapPoint{100, 500}, MapPoint{1100, 0}, std::nullopt, MapPoint{2000, 250},
                   MapPoint{600, 250}};
    const ReplayStarts starts{MapData{&entry, MapCacheKind::Game}, {}};
    const MapMarks marks = MarksOf(TZH_replay{}, starts);
    ASSERT_EQ(marks.spots.size(), 3u);
    EXPECT_EQ(marks.spots[2].spot, 4);
    struct Case {
        QSize picture; // fitted into the header's cell
        QPointF topLeft, bottomRight, middle;
    };
    const Case cases[] = {
        {{128, 128}, {1.5, 0.5}, {46.5, 45.5}, {24.5, 23.5}},
        {{200, 50}, {0.5, 17.5}, {47.5, 28.5}, {24.5, 23.5}},
        {{48, 46}, {0.5, 0.5}, {47.5, 45.5}, {24.5, 23.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.width() << "x" << c.picture.height());
        const QRectF area(FittedRect(c.picture, MapCellSize));
        EXPECT_EQ(OnArea(marks.spots[0].at, area), c.topLeft);
        EXPECT_EQ(OnArea(marks.spots[1].at, area), c.bottomRight);
        EXPECT_EQ(OnArea(marks.spots[2].at, area), c.middle);
    }
}

TEST(StartMarks, ASpotIsTakenByThePlayerWhoStartedThereInHisColour) {
    MapCacheEntry entry;
    entry.extent = {{0, 0}, {100, 100}};
    entry.spots = {MapPoint{10, 10}, MapPoint{90, 90}, MapPoint{50, 50}};
    entry.supplyPositions = {{25, 75}, {-5, 30}};
    entry.techPositions = {{50, 0}};
    TZH_replay replay;
    // An observer watches from a player's spot; a player without a colour gets the grey.
    replay.players = {Player("vu", Observer, 1), Player("Rouge", 4, 1), Player("Sans", 2, -1)};
    const ReplayStarts starts{MapData{&entry, MapCacheKind::Player},
                              {PlayerStart{2, true}, PlayerStart{2, true}, PlayerStart{0, false}}};
    const MapMarks marks = MarksOf(replay, starts);
    ASSERT_EQ(marks.spots.size(), 3u);
    EXPECT_TRUE(marks.spots[0].taken);
    EXPECT_EQ(marks.spots[0].name, QStringLiteral("Sans"));
    EXPECT_EQ(marks.spots[0].colour, QColor(200, 200, 200));
    EXPECT_FALSE(marks.spots[1].taken);
    EXPECT_EQ(marks.spots[2].name, QStringLiteral("Rouge"));
    EXPECT_EQ(marks.spots[2].colour, QColor(255, 0, 0));
    EXPECT_EQ(marks.supplies, std::vector<QPointF>{QPointF(0.25, 0.25)});
    EXPECT_EQ(marks.techs, std::vector<QPointF>{QPointF(0.5, 1)});
    // Unknown map: nothing at all.
    EXPECT_TRUE(MarksOf(replay, ReplayStarts{std::nullopt, starts.players}).spots.empty());
}

TEST(StartMarks, NamesStayClearOfEachOtherAndInsideTheMap) {
    const QRectF map(8, 8, 128, 128);
    const QSizeF name(60, 13);
    struct Case {
        const char* what;
        std::vector<QPointF> discs;
        std::vector<QRectF> labels;
    };
    const Case cases[] = {
        {"above in the upper half, below in the lower",
         {{40, 40}, {40, 110}},
         {{{10, 19.5}, name}, {{10, 117.5}, name}}},
        {"side by side: the second one below",
         {{40, 40}, {90, 40}},
         {{{10, 19.5}, name}, {{60, 47.5}, name}}},
        {"at the top edge: below, kept inside", {{134, 9}}, {{{76, 16.5}, name}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PlaceLabels(c.discs, 11, std::vector<QSizeF>(c.discs.size(), name), map),
                  c.labels);
    }
}

TEST(StartMarks, TheLargerMapGoesRightOfTheDetailsElseLeftOfTheMainWindow) {
    const QRect screen(0, 0, 1024, 768);
    const QRect main(100, 50, 280, 310);
    const QRect details(377, 50, 192, 310);
    const QRect nearTheEdge(900, 600, 192, 310);
    EXPECT_EQ(PanelPosition(details, main, PanelSize, screen), QPoint(571, 68));
    EXPECT_EQ(PanelPosition(nearTheEdge, QRect(623, 600, 280, 310), PanelSize, screen),
              QPoint(623 - 2 - 144, 618));
    // No room on either side: kept on the screen.
    EXPECT_EQ(PanelPosition(QRect(-50, -90, 192, 310), QRect(-327, -90, 280, 310), PanelSize,
                            QRect(0, 0, 250, 300)),
              QPoint(0, 0));
}
