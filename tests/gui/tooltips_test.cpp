// The tooltips as the user meets them: resting the pointer on a player row of the details
// window or on a row of the replay list shows that row's tooltip, in the skin's colours,
// and the keyboard focus stays on the list. The details window reads the orders once per
// selection, however often it paints.
#include <QApplication>
#include <QHelpEvent>
#include <QListWidget>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>
#include <map>
#include <stdexcept>

#include "details_form.h"
#include "gui_support.h"
#include "replay_list_view.h"
#include "shared_data.h"
#include "temp_dir.h"
#include "tooltip_looks.h"
#include "tools/replay_builder.h"

namespace rb = replay_builder;

namespace {

constexpr int ChinaNuke = 10;

class Tooltips : public ::testing::Test {
protected:
    void SetUp() override {
        rb::Settings settings;
        // An observer first: row numbers and player positions differ.
        settings.slots = {rb::Human("Spectateur", "0A000001", 0, -2, 0, -1),
                          rb::Human("Hasard", "0A000002", 1, -1, 1, 0),
                          rb::Computer('H', 2, 3, 2, 1), rb::Human("Partant", "0A000003", 3, 4, 3, 1)};
        rb::Replay replay;
        replay.settings = rb::SettingsText(settings);
        for (const char* file : {"a.rep", "b.rep"})
            rb::WriteFile((dir_ / file).string(), rb::Bytes(replay));
        rb::WriteFile((dir_ / "c.rep").string(), "pas un replay");
    }
    // Both windows shown over `folder`; the details window reads the orders through `reader`.
    void open(MatchReader reader, const std::filesystem::path& folder) {
        main_ = std::make_unique<TMainForm>(guitest::FixedFolder(folder));
        details_ = new TMoreForm(*main_, [] { return GameInstall{}; }, std::move(reader));
        main_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main_.get()));
        main_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
        details_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(details_));
    }
    // Over the test's own replays.
    void open(MatchReader reader) {
        open(std::move(reader), dir_.path());
        // The random player's draw and everyone's colour, whatever the reader made of them.
        for (TZH_replay& record : main_->Replays) {
            if (!record.valid) continue;
            record.players[1].armyResolved = ChinaNuke;
            record.players[1].armyRandom = true;
            for (std::size_t i = 0; i < record.players.size(); ++i)
                record.players[i].colourResolved = static_cast<int8_t>(i);
        }
    }
    void TearDown() override { QToolTip::hideText(); }
    int rowOf(const std::string& file) {
        for (std::size_t i = 0; i < main_->Replays.size(); ++i)
            if (main_->Replays[i].file.name == file) return static_cast<int>(i);
        throw std::runtime_error("no row for " + file);
    }
    void select(const std::string& file) {
        main_->RepList->setCurrentIndex(main_->RepList->model()->index(rowOf(file), 0));
        QCoreApplication::processEvents();
    }
    // What a resting pointer shows over `at` in the view: Qt's tooltip request, answered.
    static QString restOn(QAbstractItemView& view, QPoint at) {
        // Gone at once, where QToolTip::hideText lets it fade out for a while.
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->inherits("QTipLabel")) widget->hide();
        QHelpEvent rest(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
        QApplication::sendEvent(view.viewport(), &rest);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    QString restOnPlayerRow(int row) {
        QListWidget& list = *details_->PlayersList;
        return restOn(list, list.visualItemRect(list.item(row)).center());
    }
    void expectFocusOnTheList() {
        EXPECT_EQ(QApplication::focusWidget(), main_->RepList);
        EXPECT_TRUE(main_->isActiveWindow());
    }

    testsupport::TempDir dir_;
    std::unique_ptr<TMainForm> main_;
    TMoreForm* details_ = nullptr; // owned by the main window
};

MatchOrders TwoActivePlayers() {
    MatchOrders match{true, 30000, std::vector<PlayerOrders>(4)};
    match.players[1].apm = 41.3;
    match.players[3].apm = 7.5;
    match.players[3].left = PlayerLeaving{(12 * 60 + 3) * 30, LeaveHow::Quit};
    return match;
}

} // namespace

TEST_F(Tooltips, PlayerRowsSayWhatTheOrdersTellReadOncePerSelection) {
    std::map<std::string, int> reads;
    open([&](const TZH_replay& replay) {
        ++reads[replay.file.name];
        return std::optional<MatchOrders>(TwoActivePlayers());
    });
    select("a.rep");
    ASSERT_EQ(details_->PlayersList->count(), 3);
    // The pointer resting on the first row: Qt asks for the tooltip after its delay.
    QListWidget& list = *details_->PlayersList;
    QTest::mouseMove(list.viewport(), list.visualItemRect(list.item(0)).center());
    ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 5000));
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("China Nuke")));
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("41,3")));
    expectFocusOnTheList();
    // The computer: his colour alone.
    const QString computer = restOnPlayerRow(1);
    EXPECT_FALSE(computer.isEmpty());
    EXPECT_FALSE(computer.contains(QLatin1Char('\n')));
    const QString leaver = restOnPlayerRow(2);
    EXPECT_TRUE(leaver.contains(QStringLiteral("7,5")));
    EXPECT_TRUE(leaver.contains(QStringLiteral("12m 3s")));
    EXPECT_FALSE(leaver.contains(QStringLiteral("China Nuke")));
    expectFocusOnTheList();

    for (int paint = 0; paint < 5; ++paint) {
        details_->repaint();
        list.viewport()->repaint();
    }
    EXPECT_EQ(reads, (std::map<std::string, int>{{"a.rep", 1}}));
    // An unreadable replay has no orders to read.
    for (const char* file : {"b.rep", "c.rep", "a.rep"})
        select(file);
    EXPECT_EQ(reads, (std::map<std::string, int>{{"a.rep", 2}, {"b.rep", 1}}));
}

TEST_F(Tooltips, OrdersThatCantBeReadLeaveTheHeadersPart) {
    enum class Reading { Nothing, Throws } reading = Reading::Nothing;
    guitest::ModalBoxWatcher boxes;
    open([&](const TZH_replay& replay) -> std::optional<MatchOrders> {
        if (reading == Reading::Throws) throw std::runtime_error("gone: " + replay.file.path);
        return std::nullopt;
    });
    select("a.rep");
    const QString withoutOrders = restOnPlayerRow(0);
    EXPECT_TRUE(withoutOrders.contains(QStringLiteral("China Nuke")));
    reading = Reading::Throws;
    select("b.rep");
    EXPECT_EQ(restOnPlayerRow(0), withoutOrders);
    QTest::qWait(50);
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(Tooltips, ListRowsTellTheDateOrWhyInTheSkinsColours) {
    open([](const TZH_replay&) { return std::optional<MatchOrders>(); });
    main_->Replays[static_cast<std::size_t>(rowOf("a.rep"))].date = TZH_date{2024, 3, 4, 14, 21, 14, 5, 0};
    main_->Replays[static_cast<std::size_t>(rowOf("b.rep"))].date.reset();
    ReplayListView& list = *main_->RepList;
    const auto rowCentre = [&](const std::string& file) {
        return list.visualRect(list.model()->index(rowOf(file), 0)).center();
    };
    const QString played = restOn(list, rowCentre("a.rep"));
    EXPECT_TRUE(played.contains(QStringLiteral("14/03/2024"))) << played.toStdString();
    EXPECT_TRUE(played.contains(QStringLiteral("21:14"))) << played.toStdString();
    // No date: no tooltip.
    EXPECT_EQ(restOn(list, rowCentre("b.rep")), QString());
    const QString refused = restOn(list, rowCentre("c.rep"));
    EXPECT_FALSE(refused.isEmpty());
    EXPECT_NE(refused, played);

    // The tooltip's panel is the frame's dark metal; its text is light.
    const QWidget* tip = nullptr;
    for (const QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("QTipLabel") && widget->isVisible()) tip = widget;
    ASSERT_NE(tip, nullptr);
    const QImage drawn = const_cast<QWidget*>(tip)->grab().toImage();
    std::map<QRgb, int> counts;
    int lightest = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            ++counts[drawn.pixel(x, y)];
            lightest = std::max(lightest, qGray(drawn.pixel(x, y)));
        }
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    EXPECT_EQ(QColor(most->first), TooltipPanel);
    EXPECT_GE(lightest, qGray(TooltipText.rgb()));
    expectFocusOnTheList();
}

TEST_F(Tooltips, RealReplaysNameTheDrawnArmiesAndWhenPlayersLeft) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    open([](const TZH_replay& replay) { return ReadMatch(replay); }, testsupport::RealReplayDir());
    // Four random armies; the first human quit at frame 37017. Then a match with an observer
    // before the players, whose last player was dropped at frame 103569.
    const std::pair<std::string, std::vector<std::vector<const char*>>> replays[] = {
        {"00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep",
         {{"USA", "20m 33s"}, {"China Infantry"}, {"GLA Toxin"}, {"USA SuperWeapon"}}},
        {"!Golden Replay #1.rep", {{}, {}, {}, {}, {}, {"57m 32s"}}},
    };
    for (const auto& [file, rows] : replays) {
        select(file);
        ASSERT_EQ(details_->PlayersList->count(), static_cast<int>(rows.size())) << file;
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const QString tip = restOnPlayerRow(static_cast<int>(row));
            EXPECT_FALSE(tip.isEmpty()) << file << " row " << row;
            for (const char* part : rows[row])
                EXPECT_TRUE(tip.contains(QString::fromUtf8(part))) << tip.toStdString() << " lacks " << part;
        }
    }
    ReplayListView& list = *main_->RepList;
    const QModelIndex refused = list.model()->index(rowOf("test skirmish #1.rep"), 0);
    list.scrollTo(refused);
    EXPECT_FALSE(main_->Replays[static_cast<std::size_t>(refused.row())].valid);
    EXPECT_FALSE(restOn(list, list.visualRect(refused).center()).isEmpty());
}
