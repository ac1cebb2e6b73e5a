// The tooltips as the user meets them: the pointer resting on a player row of the details
// window or on a row of the replay list shows that row's tooltip, in the skin's colours, and
// the keyboard focus stays on the list. The orders are read once per selection.
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
#include "player_tooltip.h"
#include "temp_dir.h"
#include "tools/replay_builder.h"
#include "tooltip_looks.h"

namespace fs = std::filesystem;
namespace rb = replay_builder;

namespace {

class Tooltips : public ::testing::Test {
protected:
    void open(const fs::path& folder, MatchReader reader) {
        main_ = std::make_unique<TMainForm>(guitest::FixedFolder(folder));
        details_ = new TMoreForm(
            *main_, [] { return GameInstall{}; }, std::move(reader));
        main_->show();
        main_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
        details_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(details_));
    }
    QModelIndex rowOf(const std::string& file) {
        std::size_t row = 0;
        while (main_->Replays.at(row).file.name != file)
            ++row;
        return main_->RepList->model()->index(static_cast<int>(row), 0);
    }
    void select(const std::string& file) {
        main_->RepList->setCurrentIndex(rowOf(file));
        QCoreApplication::processEvents();
    }
    // What a resting pointer shows over `at`: Qt's tooltip request, answered.
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
    void TearDown() override {
        QToolTip::hideText();
        if (!main_) return;
        // However the tooltips came, the list keeps the focus.
        EXPECT_EQ(QApplication::focusWidget(), main_->RepList);
        EXPECT_TRUE(main_->isActiveWindow());
    }

    testsupport::TempDir dir_;
    std::unique_ptr<TMainForm> main_;
    TMoreForm* details_ = nullptr; // owned by the main window
};

} // namespace

TEST_F(Tooltips, OrdersReadOncePerSelectionAndTheHeadersPartWithout) {
    rb::Settings settings;
    // An observer first: row numbers and player positions differ.
    settings.slots = {rb::Human("Spectateur", "0A000001", 0, -2, 0, -1),
                      rb::Human("Hasard", "0A000002", 1, -1, 1, 0)};
    rb::Replay replay;
    replay.settings = rb::SettingsText(settings);
    for (const char* file : {"a.rep", "b.rep"})
        rb::WriteFile((dir_ / file).string(), rb::Bytes(replay));
    rb::WriteFile((dir_ / "c.rep").string(), "pas un replay");
    std::map<std::string, int> reads;
    guitest::ModalBoxWatcher boxes;
    open(dir_.path(), [&](const TZH_replay& record) {
        ++reads[record.file.name];
        if (record.file.name == "b.rep") throw std::runtime_error("gone since the scan");
        return std::optional(
            MatchOrders{true, 30000, {PlayerOrders{}, PlayerOrders{1, 0, {}, 41.3}}});
    });
    select("a.rep");
    // The pointer resting on the row: Qt asks for the tooltip after its delay.
    QListWidget& list = *details_->PlayersList;
    QTest::mouseMove(list.viewport(), list.visualItemRect(list.item(0)).center());
    ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 5000));
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("41,3")))
        << QToolTip::text().toStdString();
    for (int paint = 0; paint < 3; ++paint) {
        details_->repaint();
        list.viewport()->repaint();
    }
    select("b.rep");
    const QString withoutOrders = restOnPlayerRow(0);
    EXPECT_FALSE(withoutOrders.isEmpty());
    EXPECT_FALSE(withoutOrders.contains(QStringLiteral("41,3")));
    // An unreadable replay has no orders to read.
    select("c.rep");
    select("a.rep");
    EXPECT_EQ(reads, (std::map<std::string, int>{{"a.rep", 2}, {"b.rep", 1}}));
    QTest::qWait(20);
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(Tooltips, RealReplaysDrawnArmiesLeavingDatesAndRefusalsInTheSkinsColours) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    open(testsupport::RealReplayDir(), [](const TZH_replay& record) { return ReadMatch(record); });
    // Four random armies, the first human quitting at frame 37017; then an observer before
    // the players, the last of whom was dropped at frame 103569.
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
                EXPECT_TRUE(tip.contains(QString::fromUtf8(part)))
                    << tip.toStdString() << " lacks " << part;
        }
    }
    ReplayListView& list = *main_->RepList;
    const auto restOnRow = [&](const std::string& file) {
        list.scrollTo(rowOf(file));
        return restOn(list, list.visualRect(rowOf(file)).center());
    };
    const QString played = restOnRow("00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep");
    EXPECT_TRUE(played.contains(QStringLiteral("27/04/2025")) &&
                played.contains(QStringLiteral("02:41")))
        << played.toStdString();
    const QString refused = restOnRow("test skirmish #1.rep");
    EXPECT_FALSE(refused.isEmpty());
    EXPECT_NE(refused, played);

    // The tooltip's panel is the frames' dark metal (right of the text); its text is light.
    QWidget* tip = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("QTipLabel") && widget->isVisible()) tip = widget;
    ASSERT_NE(tip, nullptr);
    const QImage drawn = tip->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(drawn.width() - 3, drawn.height() / 2), TooltipPanel);
    int lightest = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 2; x < drawn.width() - 2; ++x)
            lightest = std::max(lightest, qGray(drawn.pixel(x, y)));
    EXPECT_GE(lightest, qGray(TooltipText.rgb()));
}

// Orders counted for fewer players than the record holds give nothing rather than someone else's.
TEST(TooltipRules, OrdersForFewerPlayersThanTheRecordHolds) {
    TZH_replay replay;
    replay.players.resize(2);
    for (TZH_player& player : replay.players)
        player.human = true;
    const MatchOrders shorter{false, 100, {PlayerOrders{0, 0, std::nullopt, 5.0}}};
    EXPECT_NE(PlayerTooltip(replay, 0, shorter), QString());
    EXPECT_EQ(PlayerTooltip(replay, 1, shorter), QString());
    EXPECT_EQ(PlayerTooltip(replay, 2, shorter), QString());
}
