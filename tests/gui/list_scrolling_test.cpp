// The replay list and its flat scroll bar in step: the bar's range after a listing, the
// wheel (over the main window or the details window), the keys, clicks and drags that scroll
// the list themselves, and the bar moving the list by single-line requests, counted as the
// list receives them.
#include <QCursor>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "tests/gui/gui_support.h"
#include "tests/support/temp_dir.h"
#include "ui/controls/flat_scrollbar.h"
#include "ui/details/details_form.h"
#include "ui/main/main_layout.h"
#include "ui/main/replay_list_view.h"

namespace ml = main_layout;
using guitest::TurnWheel;

namespace {

class ScrolledList : public ::testing::Test {
protected:
    // Replays until the folder holds `rows` of them: the first one readable, the others broken.
    void addRows(int rows) {
        for (; written_ < rows; ++written_) {
            const auto path =
                dir_ /
                QStringLiteral("r%1.rep").arg(written_, 3, 10, QLatin1Char('0')).toStdString();
            written_ == 0 ? guitest::WriteValidReplay(path) : guitest::WriteBrokenReplay(path);
        }
    }
    void open(int rows) {
        addRows(rows);
        form_ = std::make_unique<TMainForm>(guitest::FixedFolder(dir_.path()));
        details_ = new TMoreForm(*form_, [] { return GameInstall{}; });
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
        requests_ = std::make_unique<guitest::LineRequests>(list());
    }
    ReplayListView& list() { return *form_->RepList; }
    TFlatScrollBar& bar() { return *form_->Scroll; }
    int takeRequests() { return requests_->take(); }
    void key(Qt::Key k, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(&list(), k);
    }
    void expectInStep(int top) {
        EXPECT_EQ(bar().Position(), top);
        EXPECT_EQ(form_->ListTop, top);
        EXPECT_EQ(list().indexAt(QPoint(1, 1)).row(), top);
    }

    testsupport::TempDir dir_;
    int written_ = 0;
    std::unique_ptr<TMainForm> form_;
    TMoreForm* details_ = nullptr; // owned by the main window
    std::unique_ptr<guitest::LineRequests> requests_;
};

} // namespace

TEST_F(ScrolledList, EveryListingFitsTheBarToTheRows) {
    const struct {
        int rows, max, scroller;
    } cases[] = {{19, 0, 251}, {20, 1, 251}, {100, 81, 3}, {400, 381, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows);
        open(c.rows);
        EXPECT_EQ(bar().geometry(), ml::ScrollRect);
        EXPECT_EQ(bar().Max(), c.max);
        EXPECT_EQ(bar().ScrollerWidth(), c.scroller);
        // The list can scroll exactly as far as the bar.
        EXPECT_EQ(list().verticalScrollBar()->maximum(), c.max);
        expectInStep(0);
    }
    // Listing again brings both back to the top.
    bar().SetPosition(30);
    expectInStep(30);
    form_->LoadReplays(form_->Sources);
    expectInStep(0);
    EXPECT_EQ(bar().Max(), 381);
}

TEST_F(ScrolledList, EachWheelNotchMovesFiveRows) {
    open(100);
    TurnWheel(list().viewport(), 120); // away from the user, at the top
    expectInStep(0);
    EXPECT_EQ(takeRequests(), 0);
    for (int notch = 0; notch < 3; ++notch)
        TurnWheel(list().viewport(), -120);
    expectInStep(15);
    EXPECT_EQ(takeRequests(), 15);
    // Part notches add up; over the bar and the skin the wheel acts the same.
    TurnWheel(list().viewport(), -60);
    TurnWheel(&bar(), -60);
    TurnWheel(form_.get(), -120);
    expectInStep(25);
    EXPECT_EQ(takeRequests(), 10);
    // So it does over the details window, which never takes the focus: over its header and
    // over its player rows.
    list().setCurrentIndex(list().model()->index(0, 0));
    details_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(details_));
    ASSERT_GT(details_->PlayersList->count(), 0);
    bar().SetPosition(25);
    takeRequests();
    TurnWheel(details_, -120);
    TurnWheel(details_->PlayersList->viewport(), -120);
    expectInStep(35);
    EXPECT_EQ(takeRequests(), 10);
    // At the end, towards the user: nothing.
    bar().SetPosition(81);
    takeRequests();
    TurnWheel(list().viewport(), -120);
    expectInStep(81);
    EXPECT_EQ(takeRequests(), 0);
    // Without the keyboard focus on the list the wheel does nothing.
    list().clearFocus();
    TurnWheel(list().viewport(), 120);
    expectInStep(81);
}

TEST_F(ScrolledList, KeysAndClicksScrollTheListAndTheBarFollows) {
    open(100);
    key(Qt::Key_Down, 19); // rows 0 .. 18: all wholly visible
    EXPECT_EQ(form_->SelectedRow(), 18);
    expectInStep(0);
    key(Qt::Key_Down);
    EXPECT_EQ(form_->SelectedRow(), 19);
    expectInStep(1);
    key(Qt::Key_Left, 18);
    EXPECT_EQ(form_->SelectedRow(), 1);
    expectInStep(1);
    key(Qt::Key_Up);
    EXPECT_EQ(form_->SelectedRow(), 0);
    expectInStep(0);
    key(Qt::Key_Right);
    EXPECT_EQ(form_->SelectedRow(), 1);
    key(Qt::Key_End);
    expectInStep(81);
    key(Qt::Key_Up, 19);
    EXPECT_EQ(form_->SelectedRow(), 80);
    expectInStep(80);
    // A click on the partly visible 20th row brings it into view the same way.
    bar().SetPosition(0);
    takeRequests();
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, QPoint(40, 19 * ml::RowHeight));
    EXPECT_EQ(form_->SelectedRow(), 19);
    expectInStep(1);
    // The list scrolled itself each time: the bar sent it nothing.
    EXPECT_EQ(takeRequests(), 0);
    // A press held on the 19th row, a pixel off, or one under the last row: nothing moves.
    QWidget* viewport = list().viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(40, 240));
    QCursor::setPos(viewport->mapToGlobal(QPoint(40, 241)));
    QTest::mouseMove(viewport, QPoint(40, 241));
    QTest::qWait(400);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(40, 241));
    expectInStep(1);
    bar().SetPosition(81);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(40, 247));
    expectInStep(81);
    EXPECT_EQ(form_->SelectedRow(), 19);
}

TEST_F(ScrolledList, TheBarMovesTheListLineByLineAndNeverTakesTheFocus) {
    open(100);
    // Held on the end arrow for three ticks of its timer.
    QTest::mousePress(&bar(), Qt::LeftButton, {}, QPoint(5, 245));
    for (int tick = 0; tick < 3; ++tick)
        bar().RepeatTick();
    QTest::mouseRelease(&bar(), Qt::LeftButton, {}, QPoint(5, 245));
    expectInStep(3);
    EXPECT_EQ(takeRequests(), 3);
    EXPECT_TRUE(list().hasFocus());
    // The scroller dragged to the bottom, then back up to the top.
    const int scrollerTop = bar().Areas()[saScroller].top;
    QTest::mousePress(&bar(), Qt::LeftButton, {}, QPoint(5, scrollerTop + 1));
    QTest::mouseMove(&bar(), QPoint(5, 300));
    expectInStep(81);
    EXPECT_EQ(takeRequests(), 78);
    QTest::mouseMove(&bar(), QPoint(5, 0));
    QTest::mouseRelease(&bar(), Qt::LeftButton, {}, QPoint(5, 0));
    expectInStep(0);
    EXPECT_EQ(takeRequests(), -81);
    EXPECT_TRUE(list().hasFocus());
}

TEST_F(ScrolledList, ThePagesAndDragsTheListScrollsByItselfTakeTheBarAlong) {
    open(100);
    // After each key the bar is where the list went, and a wheel notch up goes on from there.
    const struct {
        Qt::Key key;
        int selected, top;
    } keys[] = {{Qt::Key_Down, 0, 0},      {Qt::Key_End, 99, 81},      {Qt::Key_PageUp, 81, 76},
                {Qt::Key_PageUp, 63, 63},  {Qt::Key_PageDown, 81, 63}, {Qt::Key_Home, 0, 0},
                {Qt::Key_PageDown, 18, 0}, {Qt::Key_PageDown, 36, 18}};
    for (const auto& k : keys) {
        SCOPED_TRACE(QTest::toString(k.key));
        key(k.key);
        EXPECT_EQ(form_->SelectedRow(), k.selected);
        expectInStep(k.top);
        TurnWheel(list().viewport(), 120);
        expectInStep(std::max(k.top - 5, 0));
    }

    // A row pressed and held past the list's bottom edge, then its top edge, then the window's.
    QWidget* viewport = list().viewport();
    const auto topRow = [&] { return list().indexAt(QPoint(1, 1)).row(); };
    const auto holdAt = [&](QPoint at) {
        QCursor::setPos(viewport->mapToGlobal(at));
        QTest::mouseMove(viewport, at);
        QTest::mouseMove(viewport, at);
    };
    const int startTop = topRow();
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(40, 20));
    holdAt(QPoint(40, 262));
    ASSERT_TRUE(QTest::qWaitFor([&] { return topRow() >= startTop + 4; }));
    const int scrolledDown = topRow();
    expectInStep(scrolledDown);
    holdAt(QPoint(40, -8));
    ASSERT_TRUE(QTest::qWaitFor([&] { return topRow() <= scrolledDown - 2; }));
    holdAt(QPoint(40, -60));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(40, -60));
    const int top = topRow();
    expectInStep(top);
    takeRequests();
    TurnWheel(viewport, -120);
    expectInStep(top + 5);
    EXPECT_EQ(takeRequests(), 5);
}
