// The match window itself: its skin and outline, the cursor under the keys and the pointer with
// the marks it shows, the player chosen by his name or his marks, the tooltips, the list's bar,
// and closing. The content is made here; the real replay's is in match_real_window_test.cpp.
#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include "ui/match/match_form.h"
#include "ui/match/match_layout.h"
#include "ui/match/match_timeline.h"

namespace ml = match_layout;

namespace {

constexpr uint32_t End = 30 * 60 * 10; // ten minutes

// Two humans on a 1000-unit square map: Ana places 30 buildings along the diagonal, one every
// ten seconds; Bo fires a power below its middle at 1 minute.
MatchOpening Opening() {
    MatchOpening opening;
    opening.replay.players.resize(3);
    const char* names[] = {"Ana", "IA", "Bo"};
    for (std::size_t i = 0; i < 3; ++i) {
        opening.replay.players[i].name = names[i];
        opening.replay.players[i].human = i != 1;
        opening.replay.players[i].army = 2;
        opening.replay.players[i].colourResolved = static_cast<int8_t>(i + 1);
    }
    MatchOrders match{true, End, std::vector<PlayerOrders>(3)};
    PlayerCourse ana;
    for (uint32_t i = 0; i < 30; ++i) {
        const float at = 50.0f + 30.0f * static_cast<float>(i);
        ana.placed.push_back({300 * (i + 1), 1229, {at, at}, 0, false});
        ana.commandsPerMinute.push_back(10 + i);
    }
    match.players[0].course = ana;
    match.players[0].left = PlayerLeaving{End - 600, LeaveHow::Quit};
    PlayerCourse bo;
    bo.powers = {{1800, 24, WorldPoint{500, 300}}};
    bo.commandsPerMinute = {3, 4};
    match.players[2].course = bo;
    opening.match = match;
    opening.extent = MapExtent{{0, 0}, {1000, 1000}};
    opening.mapArea = QRectF(0, 0, 256, 256);
    return opening;
}

// The mark of a world point of the opening's map, in window coordinates.
QPoint OnMap(float x, float y) {
    return ml::MapCell.topLeft() +
           QPoint(static_cast<int>(x / 1000 * 256), static_cast<int>((1 - y / 1000) * 256));
}

QString RestOn(QWidget& window, QPoint at) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("QTipLabel")) widget->hide();
    QHelpEvent rest(QEvent::ToolTip, at, window.mapToGlobal(at));
    QApplication::sendEvent(&window, &rest);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

class MatchWindow : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = new TMatchForm(owner_);
        form_->Open(Opening(), std::nullopt, QRect(100, 100, 280, 310));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_));
    }
    QImage Shown() { return form_->grab().toImage(); }

    QWidget owner_;
    TMatchForm* form_ = nullptr;
};

} // namespace

TEST_F(MatchWindow, SkinnedOpenedAtTheEndWithTheFirstHumansListClosedByItsGlyph) {
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("MatchForm"));
    EXPECT_EQ(form_->size(), ml::WindowSize);
    EXPECT_TRUE(form_->windowFlags() & Qt::FramelessWindowHint);
    for (const QPoint corner : {QPoint(0, 0), QPoint(539, 0), QPoint(0, 429), QPoint(539, 429)})
        EXPECT_FALSE(form_->mask().contains(corner)) << corner.x() << "," << corner.y();
    EXPECT_TRUE(form_->mask().contains(QPoint(270, 215)));
    // The offscreen screen, 800 x 600, has no room beside the main window: on the screen.
    EXPECT_TRUE(form_->screen()->availableGeometry().contains(form_->geometry()));
    EXPECT_EQ(form_->Cursor(), End);
    EXPECT_EQ(form_->Lines().size(), 30u); // the first human's
    EXPECT_EQ(QApplication::focusWidget(), form_);
    QTest::mouseClick(form_, Qt::LeftButton, {}, ml::CloseGlyphArea.center());
    EXPECT_FALSE(form_->isVisible());
}

TEST_F(MatchWindow, TheCursorMovesByKeysAndPointerAndTheMapShowsWhatWasPlacedUpToIt) {
    const QColor ana = form_->View().rows[0].colour;
    const QPoint first = OnMap(50, 50), last = OnMap(920, 920);
    EXPECT_EQ(Shown().pixelColor(first), ana);
    EXPECT_EQ(Shown().pixelColor(last), ana);
    struct Step {
        int key;
        uint32_t cursor;
        std::size_t shown;
    };
    const Step steps[] = {{Qt::Key_Home, 0, 0},     {Qt::Key_Right, 300, 1},
                          {Qt::Key_Right, 600, 2},  {Qt::Key_Left, 300, 1},
                          {Qt::Key_End, End, 31},   {Qt::Key_Left, End - 300, 31},
                          {Qt::Key_Right, End, 31}, {Qt::Key_Right, End, 31}};
    for (const Step& step : steps) {
        QTest::keyClick(form_, static_cast<Qt::Key>(step.key));
        EXPECT_EQ(form_->Cursor(), step.cursor) << step.key;
        EXPECT_EQ(form_->MarksShown(), step.shown) << step.key;
    }
    // Pressed on the time line's start and dragged to its middle, then past its end.
    const TimeScale scale{End, ml::TimeLeft, ml::TimeWidth};
    const int y = ml::RowsTop + 5;
    QTest::mousePress(form_, Qt::LeftButton, {}, QPoint(ml::TimeLeft, y));
    EXPECT_EQ(form_->Cursor(), 0u);
    EXPECT_NE(Shown().pixelColor(first), ana);
    EXPECT_NE(Shown().pixelColor(last), ana);
    QTest::mouseMove(form_, QPoint(XAtFrame(scale, 4500), y));
    EXPECT_EQ(form_->Cursor(), FrameAtX(scale, XAtFrame(scale, 4500)));
    EXPECT_EQ(Shown().pixelColor(first), ana);
    EXPECT_NE(Shown().pixelColor(last), ana);
    QTest::mouseMove(form_, QPoint(ml::TimeLeft + ml::TimeWidth + 40, y));
    QTest::mouseRelease(form_, Qt::LeftButton, {}, QPoint(ml::TimeLeft + ml::TimeWidth + 40, y));
    EXPECT_EQ(form_->Cursor(), End);
    // The cursor's time, in orange, right of the message line.
    int orange = 0;
    const QImage time =
        Shown().copy(ml::MessageLine.adjusted(ml::MessageLine.width() - 50, 0, 0, 0));
    for (int x = 0; x < time.width(); ++x)
        for (int row = 0; row < time.height(); ++row)
            orange += time.pixelColor(x, row).red() > 180 && time.pixelColor(x, row).blue() < 100;
    EXPECT_GT(orange, 10);
}

TEST_F(MatchWindow, APlayerChosenByHisNameOrHisMarksAndTheMarksTooltips) {
    const QPoint power = OnMap(500, 300);
    EXPECT_EQ(RestOn(*form_, power),
              MarkTip(QString::fromStdString(PowerText({}, 24)), QStringLiteral("Bo"), 1800));
    EXPECT_EQ(RestOn(*form_, OnMap(50, 50)),
              MarkTip(QString::fromStdString(ObjectText({}, 1229)), QStringLiteral("Ana"), 300));
    EXPECT_EQ(RestOn(*form_, QPoint(ml::MapCell.right() - 2, ml::MapCell.top() + 2)), QString());
    QTest::keyClick(form_, Qt::Key_Home);
    EXPECT_EQ(RestOn(*form_, power), QString()); // not fired yet
    QTest::keyClick(form_, Qt::Key_End);

    QTest::mouseClick(form_, Qt::LeftButton, {}, power);
    EXPECT_EQ(form_->ChosenRow(), 1u);
    EXPECT_EQ(form_->Lines().size(), 1u);
    QTest::mouseClick(form_, Qt::LeftButton, {}, QPoint(ml::NameLeft + 5, ml::RowsTop + 5));
    EXPECT_EQ(form_->ChosenRow(), 0u);
    QTest::mouseClick(form_, Qt::LeftButton, {},
                      QPoint(ml::NameLeft + 5, ml::RowsTop + ml::RowHeight + 5));
    EXPECT_EQ(form_->ChosenRow(), 1u);
    QTest::mouseClick(form_, Qt::LeftButton, {}, OnMap(50, 50));
    EXPECT_EQ(form_->ChosenRow(), 0u);
}

TEST_F(MatchWindow, TheListScrollsWithItsBarAndTheWheel) {
    // 30 lines, 20 shown.
    EXPECT_EQ(form_->Scroll->Max(), 30 - ml::WholeLinesShown);
    form_->Scroll->SetPosition(4);
    EXPECT_EQ(form_->ListTop, 4);
    QWheelEvent towards(QPointF(300, 100), form_->mapToGlobal(QPointF(300, 100)), {}, {0, -120},
                        Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(form_, &towards);
    EXPECT_EQ(form_->ListTop, 4 + ml::WheelNotchLines);
    // Another player's list starts at its top.
    form_->ChooseRow(1);
    EXPECT_EQ(form_->ListTop, 0);
    EXPECT_EQ(form_->Scroll->Max(), 0);
}
