// The start marks' plain rules: where a spot lands on a picture, who takes it, where the names
// and the larger map go.
#include "ui/details/start_marks.h"

#include <gtest/gtest.h>
#include <tuple>

#include "ui/common/window_placement.h"
#include "ui/details/map_panel_layout.h"
#include "ui/details/map_preview.h"

TEST(StartMarks, SpotsTakenInTheirPlayersColoursLandOnThePicturesCornersLetterboxedAsTheCell) {
    MapCacheEntry entry;
    entry.extent = MapExtent{{100, 0}, {1100, 500}};
    // Top-left, bottom-right, a spot the map lacks, one outside the extent, the middle.
    entry.spots = {MapPoint{100, 500}, MapPoint{1100, 0}, std::nullopt, MapPoint{2000, 250},
                   MapPoint{600, 250}};
    entry.supplyPositions = {{350, 125}, {-5, 30}};
    entry.techPositions = {{600, 0}};
    // An observer watches from a player's spot; a player without a colour gets the grey.
    TZH_replay replay;
    replay.players.resize(3);
    const std::tuple<const char*, int8_t, int8_t> players[] = {
        {"vu", -2, 1}, {"Rouge", 4, 1}, {"Sans", 2, -1}};
    for (std::size_t i = 0; i < 3; ++i)
        std::tie(replay.players[i].name, replay.players[i].army, replay.players[i].colourResolved) =
            players[i];
    const ReplayStarts starts{MapData{&entry, MapCacheKind::Game},
                              {PlayerStart{4, true}, PlayerStart{4, true}, PlayerStart{0, false}}};
    const MapMarks marks = MarksOf(replay, starts);
    ASSERT_EQ(marks.spots.size(), 3u);
    EXPECT_EQ(marks.spots[2].spot, 4);
    EXPECT_EQ(std::tie(marks.spots[0].name, marks.spots[0].colour),
              std::tuple(QStringLiteral("Sans"), QColor(200, 200, 200)));
    EXPECT_FALSE(marks.spots[1].taken);
    EXPECT_EQ(std::tie(marks.spots[2].name, marks.spots[2].colour),
              std::tuple(QStringLiteral("Rouge"), QColor(255, 0, 0)));
    EXPECT_EQ(marks.supplies, std::vector<QPointF>{QPointF(0.25, 0.75)});
    EXPECT_EQ(marks.techs, std::vector<QPointF>{QPointF(0.5, 1)});
    EXPECT_TRUE(MarksOf(replay, ReplayStarts{std::nullopt, starts.players}).spots.empty());
    // An entry without extentMin and extentMax places nothing, nor one whose extent has no area.
    for (const auto unusable :
         {std::optional<MapExtent>(), std::optional(MapExtent{{9, 0}, {9, 5}})}) {
        MapCacheEntry unplaced = entry;
        unplaced.extent = unusable;
        const MapMarks none =
            MarksOf(replay, {MapData{&unplaced, MapCacheKind::Game}, starts.players});
        EXPECT_TRUE(none.spots.empty() && none.supplies.empty() && none.techs.empty());
    }
    struct Case {
        QSize picture; // fitted into the header's cell
        QPointF topLeft, bottomRight, middle;
    };
    const Case cases[] = {
        {{128, 128}, {1.5, 0.5}, {46.5, 45.5}, {24.5, 23.5}},
        {{200, 50}, {0.5, 17.5}, {47.5, 28.5}, {24.5, 23.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.width() << "x" << c.picture.height());
        const QRectF area(FittedRect(c.picture, MapCellSize));
        EXPECT_EQ(OnArea(marks.spots[0].at, area), c.topLeft);
        EXPECT_EQ(OnArea(marks.spots[1].at, area), c.bottomRight);
        EXPECT_EQ(OnArea(marks.spots[2].at, area), c.middle);
    }
}

TEST(StartMarks, NamesStayClearOfEachOtherAndOfTheMarksAndInsideTheMap) {
    const QRectF map(8, 8, 128, 128);
    const QSizeF name(60, 13);
    // A taken spot at (40.5, 40.5); a tech building just above it, a free spot below right.
    MapMarks crowded;
    crowded.spots = {{{0.25, 0.25}, 0, true, Qt::red, "Nic"}, {{0.5, 0.4}, 1, false, {}, {}}};
    crowded.techs = {{0.25, 0.15}};
    struct Case {
        const char* what;
        std::vector<QPointF> discs;
        std::vector<QRectF> marks;
        std::vector<QRectF> labels;
    };
    const Case cases[] = {
        {"above in the upper half, below in the lower",
         {{40, 40}, {40, 110}},
         {},
         {{{10, 19.5}, name}, {{10, 117.5}, name}}},
        {"side by side: the second one below",
         {{40, 40}, {90, 40}},
         {},
         {{{10, 19.5}, name}, {{60, 47.5}, name}}},
        {"where the second would end at the first, a gap: below",
         {{40, 40}, {100, 40}},
         {},
         {{{10, 19.5}, name}, {{70, 47.5}, name}}},
        {"at the top edge, clear of its own disc: below, kept inside",
         {{134, 9}},
         {{127.5, 2.5, 13, 13}},
         {{{76, 16.5}, name}}},
        {"a tech building above, a free spot's disc below: on the right",
         {{40.5, 40.5}},
         MarkAreas(crowded, map, 11),
         {{{48, 34}, name}}},
        {"no place free: where it covers least (a corner of a supply pile, on the right)",
         {{40, 40}},
         {{{10, 19.5}, name}, {{10, 47.5}, name}, {20, 36, 10, 10}, {100, 36, 4, 4}},
         {{{47.5, 33.5}, name}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PlaceLabels(c.discs, 11, std::vector<QSizeF>(c.discs.size(), name), c.marks, map),
                  c.labels);
    }
}

TEST(StartMarks, TheLargerMapGoesToThePointersScreenRightOfTheDetailsElseLeftOfTheMainWindow) {
    const QRect screen(0, 0, 1024, 768);
    const QRect main(100, 50, 280, 310);
    const QRect details(377, 50, 192, 310);
    struct Case {
        const char* what;
        std::vector<QRect> screens;
        QPoint pointer;
        QRect details, main;
        QPoint at;
    };
    const Case cases[] = {
        {"room on the right", {screen}, {450, 90}, details, main, {571, 68}},
        {"none: left of the main window",
         {screen},
         {950, 640},
         {900, 600, 192, 310},
         {623, 600, 280, 310},
         {623 - 2 - 144, 618}},
        {"the lower of two stacked screens, the details window across both",
         {screen, screen.translated(0, 768)},
         {450, 770},
         details.translated(0, 700),
         main.translated(0, 700),
         {571, 768}},
        {"the window's centre and the pointer below the shorter screen, nearer to it",
         {{0, 0, 1920, 1080}, {1920, 0, 1280, 720}},
         {2022, 730},
         {1950, 700, 192, 310},
         {1673, 700, 280, 310},
         {2144, 576}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto chosen = NearestScreen(c.pointer, c.screens);
        ASSERT_TRUE(chosen);
        EXPECT_EQ(PanelPosition(c.details, c.main, PanelSize, c.screens[*chosen]), c.at);
    }
    EXPECT_FALSE(NearestScreen({0, 0}, {}));
}
