// A player's career window over real replays, opened as a player opens it: from his row in the
// details window (a computer's row opens nothing). The orders read in the background fill in his
// ends; a click on a map or on a player's column shows exactly those games in the main list (a
// match saved twice shows both files) until Escape; another name replaces the career in place.
// Then the months' and points' plain geometry.
#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

#include "tests/gui/gui_support.h"
#include "tests/support/shared_data.h"
#include "tests/support/temp_dir.h"
#include "ui/career/career_layout.h"
#include "ui/career/career_painting.h"
#include "ui/career/player_form.h"
#include "ui/details/details_form.h"
#include "ui/main/filter_field.h"
#include "ui/main/replay_list_view.h"
#include "ui/match/match_form.h"

namespace fs = std::filesystem;
namespace cl = career_layout;

namespace {

const char* const Golden1 = "!Golden Replay #1.rep";
const char* const Golden2 = "Golden Replay #2.rep";
const char* const Nic = "00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep";

class CareerWindow : public ::testing::Test {
protected:
    void SetUp() override {
        TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
        for (const char* file : {Golden1, Golden2, Nic})
            fs::copy_file(testsupport::RealReplayDir() / file, dir_ / file);
        // The same match saved twice.
        fs::copy_file(testsupport::RealReplayDir() / Golden2, dir_ / "copie.rep");
        main_ = std::make_unique<TMainForm>(guitest::FixedFolder(dir_.path()));
        details_ = new TMoreForm(*main_, [] { return GameInstall{}; });
        main_->show();
        details_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(details_));
    }
    int replayOf(const std::string& file) const {
        for (std::size_t i = 0; i < main_->Replays.size(); ++i)
            if (main_->Replays[i].file.name == file) return static_cast<int>(i);
        return -1;
    }
    void select(const std::string& file) {
        main_->RepList->setCurrentIndex(main_->RepList->model()->index(replayOf(file), 0));
        QCoreApplication::processEvents();
    }
    // The centre of the details row of the player named `name`.
    QPoint rowOf(const std::string& name) const {
        const TZH_replay& replay = main_->Replays[std::size_t(main_->SelectedReplay())];
        for (int row = 0; row < details_->PlayersList->count(); ++row) {
            QListWidgetItem* item = details_->PlayersList->item(row);
            if (replay.players[item->text().toULongLong()].name == name)
                return details_->PlayersList->visualItemRect(item).center();
        }
        ADD_FAILURE() << name;
        return {};
    }
    // Hovers, then clicks, the row; true when the pointer was a hand over it.
    bool clickRow(const std::string& name) {
        QWidget* rows = details_->PlayersList->viewport();
        QTest::mouseMove(rows, rowOf(name));
        const bool hand = rows->cursor().shape() == Qt::PointingHandCursor;
        QTest::mouseClick(rows, Qt::LeftButton, {}, rowOf(name));
        return hand;
    }
    QPoint onRow(int row, std::size_t column) const {
        const CareerColumn at = ColumnsOf(career().Tab())[column];
        return {cl::ListRows.left() + at.left + at.width / 2,
                TPlayerForm::RowRect(row).center().y()};
    }
    TPlayerForm& career() const { return *details_->Career; }
    QString selected() const {
        return QString::fromStdString(
            main_->Replays[std::size_t(main_->SelectedReplay())].file.name);
    }

    testsupport::TempDir dir_;
    std::unique_ptr<TMainForm> main_;
    TMoreForm* details_ = nullptr; // owned by the main window
};

} // namespace

TEST_F(CareerWindow, OpenedFromAHumansRowItsFiguresShowTheirGamesInTheList) {
    select(Nic);
    EXPECT_FALSE(clickRow("IA Difficile")); // a computer has no career: no hand, no window
    EXPECT_FALSE(career().isVisible());
    select(Golden2);
    ASSERT_TRUE(clickRow("tar"));
    ASSERT_TRUE(career().isVisible());
    EXPECT_EQ(career().windowTitle(), QStringLiteral("PlayerForm"));
    EXPECT_EQ(career().Header().name, QStringLiteral("tar"));
    EXPECT_EQ(career().Shown().games.size(), 2u); // the copy counts once
    // Minimising the main window takes it along, and the match window too, and back.
    details_->OpenMatch();
    main_->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(career().isVisible());
    EXPECT_FALSE(details_->Match->isVisible());
    main_->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(career().isVisible());
    EXPECT_TRUE(details_->Match->isVisible());
    details_->Match->close();
    // His orders: he surrendered in the first golden replay, stayed in the second.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !career().Reading(); }));
    EXPECT_EQ(career().GamesRead(), 2u);
    const std::vector<CareerRow>& ends = career().Orders().ends;
    ASSERT_EQ(ends.size(), 4u);
    EXPECT_EQ(ends[0].cells.value(1), QStringLiteral("1")); // surrendered
    EXPECT_EQ(ends[3].cells.value(1), QStringLiteral("1")); // none of these

    // The maps' list, its first row: both golden replays and the copy, under his name and the
    // map's; the career window stays open.
    QTest::mouseClick(&career(), Qt::LeftButton, {}, TabRects()[1].center());
    ASSERT_EQ(career().Tab(), CareerTab::Maps);
    QTest::mouseMove(&career(), onRow(0, 0));
    EXPECT_EQ(career().cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(&career(), Qt::LeftButton, {}, onRow(0, 0));
    EXPECT_EQ(main_->FilterText(), QStringLiteral("tar · tansooo"));
    EXPECT_EQ(main_->FilterBox->countText(), FilterCountText(3, 4));
    EXPECT_EQ(guitest::RowTexts(*main_).size(), 3u);
    EXPECT_EQ(selected(), QString::fromUtf8(Golden2));
    EXPECT_TRUE(career().isVisible());
    // Escape in the list: the whole list, the same replay.
    QTest::keyClick(main_->RepList, Qt::Key_Escape);
    EXPECT_EQ(guitest::RowTexts(*main_).size(), 4u);
    EXPECT_EQ(selected(), QString::fromUtf8(Golden2));

    // His month's bar, and the end he surrendered: the game of the first golden replay.
    const QPoint bar(cl::MonthBars.center().x(), cl::MonthBars.bottom() - 2);
    QTest::mouseClick(&career(), Qt::LeftButton, {}, bar);
    EXPECT_EQ(main_->FilterText(), QStringLiteral("tar · 04/2025"));
    EXPECT_EQ(guitest::RowTexts(*main_).size(), 3u);
    QTest::mouseClick(&career(), Qt::LeftButton, {}, QPoint(100, cl::EndsTop + 5));
    EXPECT_EQ(main_->FilterText(), QStringLiteral("tar · ") + EndText(CareerEnd::Surrendered));
    EXPECT_EQ(guitest::RowTexts(*main_), std::vector<QString>{QString::fromUtf8(Golden1)});
    QTest::keyClick(main_->RepList, Qt::Key_Escape);

    // The players' list: the games against hai, the first he met.
    QTest::mouseClick(&career(), Qt::LeftButton, {}, TabRects()[2].center());
    QTest::mouseClick(&career(), Qt::LeftButton, {}, onRow(0, 2));
    EXPECT_EQ(main_->FilterText(), QStringLiteral("tar · contre hai"));
    EXPECT_EQ(guitest::RowTexts(*main_).size(), 3u);

    // Another name: the same window, where it stands, back on the armies.
    QTest::keyClick(main_->RepList, Qt::Key_Escape);
    career().move(career().pos() + QPoint(5, 3));
    const QPoint moved = career().pos();
    clickRow("hai");
    EXPECT_EQ(career().Header().name, QStringLiteral("hai"));
    EXPECT_EQ(career().pos(), moved);
    EXPECT_EQ(career().Tab(), CareerTab::Armies);
    QTest::keyClick(&career(), Qt::Key_Escape);
    EXPECT_FALSE(career().isVisible());
    EXPECT_FALSE(career().Reading());

    // Reading again when the program ends: the window, and its reading, end while the main
    // window still holds the records the threads read.
    clickRow("tar");
    const TMainForm* main = main_.get();
    bool endedFirst = false;
    QObject::connect(&career(), &QObject::destroyed, [&] { endedFirst = MainForm == main; });
    main_.reset();
    EXPECT_TRUE(endedFirst);
}

TEST(CareerMonths, BarsInTheirMonthsAndTheMonthUnderThePointer) {
    const QRect area(10, 20, 100, 50);
    struct Case {
        const char* what;
        std::size_t month, months, games, peak;
        QRect bar;
    };
    const Case cases[] = {
        {"the busiest, alone: as high as the area, no wider than the widest",
         0,
         1,
         4,
         4,
         {47, 20, 24, 50}},
        {"a quarter of the peak, third of four", 2, 4, 1, 4, {60, 57, 24, 13}},
        {"many months: its share but a pixel", 7, 50, 2, 4, {24, 45, 1, 25}},
        {"no game: no bar", 1, 4, 0, 4, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MonthBar(c.month, c.months, c.games, c.peak, area, 24), c.bar) << c.what;
    for (const auto& [x, month] : {std::pair{10, 0}, {34, 0}, {35, 1}, {109, 3}})
        EXPECT_EQ(MonthAtX(4, area, x), std::optional<std::size_t>(month)) << x;
    EXPECT_FALSE(MonthAtX(4, area, 110));
    EXPECT_FALSE(MonthAtX(0, area, 50));
    // The points under the same months: none at the bottom left, the peak at the top, kept
    // within the area.
    EXPECT_EQ(ActivityAt(0, 0, 4, 80, area), QPointF(10, 69));
    EXPECT_EQ(ActivityAt(2, 80, 4, 80, area), QPointF(59.5, 20));
    EXPECT_EQ(ActivityAt(9, 200, 4, 80, area), QPointF(109, 20));
}

// What the window makes of the tallies: the players' columns open the games with him or against
// him (or all of them, where a column has none), each army's openings under its name, and the
// points along the months.
TEST(CareerView, TheFiguresAndTheGamesTheirClicksShow) {
    std::vector<TZH_replay> records(3);
    records[0].date = TZH_date{2024, 2, 0, 10, 0, 0, 0, 0};
    records[1].date = TZH_date{2024, 3, 0, 16, 12, 0, 0, 0}; // half a month into his second
    records[2].date = TZH_date{2024, 3, 0, 31, 23, 0, 0, 0};
    Career career;
    career.name = "Nic";
    career.games.resize(3);
    for (std::size_t g = 0; g < 3; ++g)
        career.games[g].record = g;
    career.months = {{2024 * 12 + 1, {0}}, {2024 * 12 + 2, {1, 2}}};
    career.players = {{"Bob", {}, {0, 2}, records[2].date}};
    const CareerHeaderView header = HeaderViewOf(career);
    ASSERT_EQ(header.players.size(), 1u);
    const CareerRow& bob = header.players[0];
    EXPECT_EQ(bob.cells, QStringList({"Bob", "0", "2", "31/03/2024"}));
    EXPECT_EQ(PickAt(bob, 2)->figure, AgainstText(QStringLiteral("Bob")));
    EXPECT_EQ(PickAt(bob, 2)->games, CareerGames({0, 2}));
    EXPECT_EQ(PickAt(bob, 1)->games, CareerGames({0, 2})); // no game with him: all of them
    EXPECT_EQ(PickAt(bob, 1)->figure, QStringLiteral("Bob"));

    std::vector<std::optional<CareerGameOrders>> orders(3);
    orders[1] = CareerGameOrders{40.0, PlayerLeaving{900, LeaveHow::Dropped}, {}, 0, 0};
    orders[2] = CareerGameOrders{10.0, std::nullopt, {}, 0, 0};
    CareerOrderFigures figures;
    figures.read = 2;
    figures.ends.dropped = {1};
    figures.ends.none = {2};
    figures.monthApm = {std::nullopt, 25.0};
    figures.openings = {{7, {}, {}, {1}, 62}, {7, {}, {}, {2}, 20}, {3, {}, {}, {0}, 30}};
    const CareerOrdersView view = OrdersViewOf(career, records, orders, figures);
    ASSERT_EQ(view.ends.size(), 4u);
    EXPECT_EQ(view.ends[2].cells, QStringList({EndText(CareerEnd::Dropped), "1", ShareText(1, 2)}));
    EXPECT_EQ(view.ends[2].picks.front().games, CareerGames({1}));
    ASSERT_EQ(view.points.size(), 2u); // the first game's orders are not in
    EXPECT_DOUBLE_EQ(view.points[0].at, 1.5);
    EXPECT_DOUBLE_EQ(view.points[0].apm, 40.0);
    EXPECT_NEAR(view.points[1].at, 1 + (30 + 23 / 24.0) / 31, 1e-9);
    EXPECT_EQ(view.peakApm, 40.0);
    // Each army's name once over its openings; a click on an opening shows its games.
    ASSERT_EQ(view.openings.size(), 5u);
    EXPECT_EQ(view.openings[0].cells, QStringList{CareerArmyText(7)});
    EXPECT_EQ(PickAt(view.openings[0], 0), nullptr);
    EXPECT_EQ(view.openings[1].cells.value(2), QStringLiteral("1m 2s"));
    EXPECT_EQ(PickAt(view.openings[2], 1)->games, CareerGames({2}));
    EXPECT_TRUE(PickAt(view.openings[2], 0)->figure.startsWith(CareerArmyText(7) + " : "));
    EXPECT_EQ(view.openings[3].cells, QStringList{CareerArmyText(3)});
}
