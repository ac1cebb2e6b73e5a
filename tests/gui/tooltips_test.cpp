// The tooltips as the user meets them: the pointer resting on a player row of the details
// window or on a row of the replay list shows that row's tooltip, in the skin's colours, and
// the keyboard focus stays on the list. The orders are read at the first tooltip of a
// selection, once.
#include <QApplication>
#include <QHelpEvent>
#include <QListWidget>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>
#include <map>
#include <stdexcept>

#include "tests/gui/gui_support.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"
#include "ui/common/tooltip_looks.h"
#include "ui/details/details_form.h"
#include "ui/details/player_tooltip.h"
#include "ui/main/replay_list_view.h"

namespace rb = replay_builder;

namespace {

// What a resting pointer shows over `at`: Qt's tooltip request, answered.
QString RestOn(QAbstractItemView& view, QPoint at) {
    // Gone at once, where QToolTip::hideText lets it fade out for a while.
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("QTipLabel")) widget->hide();
    QHelpEvent rest(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
    QApplication::sendEvent(view.viewport(), &rest);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

TEST(Tooltips, ShownOnRestingOrdersReadOncePerSelectionInTheSkinsColours) {
    testsupport::TempDir dir;
    rb::Settings settings;
    // An observer first: row numbers and player positions differ.
    settings.slots = {rb::Human("Spectateur", "0A000001", 0, -2, 0, -1),
                      rb::Human("Hasard", "0A000002", 1, -1, 1, 0)};
    rb::Replay replay;
    replay.settings = rb::SettingsText(settings);
    for (const char* file : {"a.rep", "b.rep"})
        rb::WriteFile((dir / file).string(), rb::Bytes(replay));
    rb::WriteFile((dir / "c.rep").string(), "pas un replay");
    std::map<std::string, int> reads;
    guitest::ModalBoxWatcher boxes;
    TMainForm form(guitest::FixedFolder(dir.path()));
    auto* details = new TMoreForm( // owned by the main window
        form, [] { return GameInstall{}; },
        [&](const TZH_replay& record) {
            ++reads[record.file.name];
            if (record.file.name == "b.rep") throw std::runtime_error("gone since the scan");
            return std::optional(MatchOrders{
                true, 30000, {PlayerOrders{}, PlayerOrders{1, 0, {}, 41.3, std::nullopt}}});
        });
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    details->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(details));
    ReplayListView& list = *form.RepList;
    QListWidget& players = *details->PlayersList;
    const auto rowOf = [&](const std::string& file) {
        int row = 0;
        while (form.Replays.at(static_cast<std::size_t>(row)).file.name != file)
            ++row;
        return list.model()->index(row, 0);
    };
    const auto select = [&](const std::string& file) {
        list.setCurrentIndex(rowOf(file));
        QCoreApplication::processEvents();
    };

    select("a.rep");
    // The pointer resting on the row: Qt asks for the tooltip after its delay.
    QTest::mouseMove(players.viewport(), players.visualItemRect(players.item(0)).center());
    ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 5000));
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("41,3")))
        << QToolTip::text().toStdString();
    for (int paint = 0; paint < 3; ++paint) {
        details->repaint();
        players.viewport()->repaint();
    }
    // Orders that can't be read leave the header's part of the tooltip.
    select("b.rep");
    const QString withoutOrders = RestOn(players, players.visualItemRect(players.item(0)).center());
    EXPECT_FALSE(withoutOrders.isEmpty());
    EXPECT_FALSE(withoutOrders.contains(QStringLiteral("41,3")));
    // An unreadable replay has no orders to read, and a selection passed over without a
    // tooltip reads none; resting again reads them once for the selection.
    select("c.rep");
    select("a.rep");
    EXPECT_EQ(reads, (std::map<std::string, int>{{"a.rep", 1}, {"b.rep", 1}}));
    for (int rest = 0; rest < 2; ++rest)
        EXPECT_TRUE(RestOn(players, players.visualItemRect(players.item(0)).center())
                        .contains(QStringLiteral("41,3")));
    EXPECT_EQ(reads, (std::map<std::string, int>{{"a.rep", 2}, {"b.rep", 1}}));

    const QString refused = RestOn(list, list.visualRect(rowOf("c.rep")).center());
    EXPECT_FALSE(refused.isEmpty());
    const QString played = RestOn(list, list.visualRect(rowOf("a.rep")).center());
    EXPECT_TRUE(played.contains(QStringLiteral("17/05/2024"))) << played.toStdString();
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

    QToolTip::hideText();
    QTest::qWait(20);
    EXPECT_TRUE(boxes.seen().empty());
    // However the tooltips came, the list keeps the focus.
    EXPECT_EQ(QApplication::focusWidget(), &list);
    EXPECT_TRUE(form.isActiveWindow());
}

// Orders counted for fewer players than the record holds give nothing rather than someone else's.
TEST(TooltipRules, OrdersForFewerPlayersThanTheRecordHolds) {
    TZH_replay replay;
    replay.players.resize(2);
    for (TZH_player& player : replay.players)
        player.human = true;
    const MatchOrders shorter{false, 100, {PlayerOrders{0, 0, std::nullopt, 5.0, std::nullopt}}};
    EXPECT_NE(PlayerTooltip(replay, 0, {}, shorter), QString());
    EXPECT_EQ(PlayerTooltip(replay, 1, {}, shorter), QString());
    EXPECT_EQ(PlayerTooltip(replay, 2, {}, shorter), QString());
}
