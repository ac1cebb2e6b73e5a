// The main window as the user meets it: frame, outline, row looks on screen, selection by
// keyboard and mouse, double clicks, and errors raised in event handlers.
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>

#include "tests/gui/gui_support.h"
#include "tests/support/temp_dir.h"
#include "ui/common/centred.h"
#include "ui/main/main_layout.h"
#include "ui/main/replay_list_view.h"

namespace fs = std::filesystem;
namespace ml = main_layout;
using guitest::FixedFolder;
using guitest::ModalBoxWatcher;
using guitest::WriteBrokenReplay;
using guitest::WriteValidReplay;

namespace {

// A shown main window over a folder of `valid` readable replays followed, in name order, by
// `broken` invalid ones (the tests read validity back from Replays, never assume the order).
class ShownForm : public ::testing::Test {
protected:
    void open(int valid, int broken) {
        for (int i = 0; i < valid; ++i)
            WriteValidReplay(
                dir_ / QStringLiteral("v%1.rep").arg(i, 3, 10, QLatin1Char('0')).toStdString());
        for (int i = 0; i < broken; ++i)
            WriteBrokenReplay(
                dir_ / QStringLiteral("b%1.rep").arg(i, 3, 10, QLatin1Char('0')).toStdString());
        form_ = std::make_unique<TMainForm>(FixedFolder(dir_.path()));
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }
    ReplayListView& list() { return *form_->RepList; }
    QPoint rowCentre(int row) { return list().visualRect(list().model()->index(row, 0)).center(); }
    int firstRowWhere(bool valid) {
        for (std::size_t i = 0; i < form_->Replays.size(); ++i)
            if (form_->Replays[i].valid == valid) return static_cast<int>(i);
        return -1;
    }
    QColor listPixel(int x, int y) { return list().grab().toImage().pixelColor(x, y); }

    testsupport::TempDir dir_;
    std::unique_ptr<TMainForm> form_;
};

} // namespace

TEST_F(ShownForm, FramelessFixedCentredAndTitled) {
    open(1, 0);
    EXPECT_TRUE(form_->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(form_->size(), ml::WindowSize);
    EXPECT_EQ(form_->minimumSize(), ml::WindowSize);
    EXPECT_EQ(form_->maximumSize(), ml::WindowSize);
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("Tarvex"));
    EXPECT_EQ(QApplication::applicationDisplayName(), QStringLiteral("Tarvex"));
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(form_->pos(), CentredTopLeft(available, ml::WindowSize));
    EXPECT_EQ(list().geometry(), ml::RepListRect);
    EXPECT_EQ(list().viewport()->size(), ml::RepListRect.size());
}

TEST_F(ShownForm, MaskCutsTheCorners) {
    open(0, 0);
    const QRegion mask = form_->mask();
    for (const QPoint corner : {QPoint(0, 0), QPoint(279, 0), QPoint(0, 309), QPoint(279, 309)})
        EXPECT_FALSE(mask.contains(corner)) << corner.x() << "," << corner.y();
    for (const QPoint inside :
         {QPoint(7, 0), QPoint(0, 7), QPoint(272, 309), QPoint(140, 155), QPoint(3, 3)})
        EXPECT_TRUE(mask.contains(inside)) << inside.x() << "," << inside.y();
}

TEST_F(ShownForm, PressedLooksWaitHiddenOffTheWindow) {
    open(0, 0);
    for (SkinPictureWidget* look :
         {form_->PushClose, form_->PushReduce, form_->PushHisto, form_->PushInfo}) {
        ASSERT_NE(look, nullptr);
        EXPECT_FALSE(look->isVisible());
        EXPECT_EQ(look->geometry(), QRect(ml::ParkedPressedLook, ml::PressedLookSize));
    }
}

TEST_F(ShownForm, TheListIsTheOnlyFocusWidget) {
    open(3, 0);
    EXPECT_EQ(QApplication::focusWidget(), form_->RepList);
    int focusable = 0;
    for (QWidget* child : form_->findChildren<QWidget*>())
        if (child->focusPolicy() != Qt::NoFocus) ++focusable;
    EXPECT_EQ(focusable, 1);
    EXPECT_EQ(form_->focusPolicy(), Qt::NoFocus);
}

TEST_F(ShownForm, ClosingEndsTheListWhileItsRecordsAreThere) {
    open(3, 0);
    QString firstRow;
    const TMainForm* mainFormThen = nullptr;
    QObject::connect(&list(), &QObject::destroyed, [&, model = list().model()] {
        firstRow = model->data(model->index(0, 0)).toString();
        mainFormThen = MainForm;
    });
    const TMainForm* form = form_.get();
    form_.reset();
    EXPECT_EQ(firstRow, QStringLiteral("v000.rep"));
    EXPECT_EQ(mainFormThen, form);
}

TEST_F(ShownForm, RowsShowTheFourLooks) {
    open(2, 2);
    const int validRow = firstRowWhere(true);
    const int invalidRow = firstRowWhere(false);
    struct Case {
        int row;
        bool selected;
        QColor fill;
    };
    const Case cases[] = {
        {validRow, false, Qt::black},
        {invalidRow, false, QColor(251, 98, 98)},
        {validRow, true, QColor(50, 42, 42)},
        {invalidRow, true, QColor(238, 12, 12)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << (c.selected ? " selected" : ""));
        if (c.selected)
            list().setCurrentIndex(list().model()->index(c.row, 0));
        else
            list().selectionModel()->clear();
        const QImage image = list().grab().toImage();
        const QRect rect = list().visualRect(list().model()->index(c.row, 0));
        EXPECT_EQ(rect.height(), ml::RowHeight);
        EXPECT_EQ(rect.width(), ml::RepListRect.width());
        // Left of the text, at the far right, and at the top and bottom pixel lines.
        for (const QPoint p :
             {QPoint(1, rect.top()), QPoint(2, rect.center().y()),
              QPoint(rect.right(), rect.top() + 2), QPoint(rect.right() - 1, rect.bottom())})
            EXPECT_EQ(image.pixelColor(p), c.fill) << p.x() << "," << p.y();
    }
}

TEST_F(ShownForm, TheSkinsBlackPanelShowsBelowTheRows) {
    open(1, 0);
    const QImage window = form_->grab().toImage();
    const QPoint belowRows = ml::RepListRect.topLeft() + QPoint(100, 3 * ml::RowHeight);
    EXPECT_EQ(window.pixelColor(belowRows), QColor(Qt::black));
    // And the frame around it is the skin, not an empty window.
    EXPECT_NE(window.pixelColor(140, 300), QColor(Qt::black));
}

TEST_F(ShownForm, TheTwentiethRowShowsOnlyItsFirstPixelLine) {
    open(0, 25);
    const QRect nineteenth = list().visualRect(list().model()->index(18, 0));
    const QRect twentieth = list().visualRect(list().model()->index(19, 0));
    EXPECT_EQ(nineteenth.bottom(), 246);
    EXPECT_EQ(twentieth.top(), 247);
    EXPECT_EQ(list().viewport()->height(), 248);
    EXPECT_EQ(listPixel(1, 247), QColor(251, 98, 98));
    EXPECT_FALSE(list().viewport()->rect().contains(QPoint(1, 248)));
}

TEST_F(ShownForm, KeysMoveTheSelectionAndReportEachChangeOnce) {
    open(4, 1);
    QSignalSpy changes(form_.get(), &TMainForm::SelectedReplayChanged);
    EXPECT_EQ(form_->SelectedRow(), -1);
    struct Step {
        Qt::Key key;
        int row;
        int reports; // RepListClick calls so far
    };
    const Step steps[] = {
        {Qt::Key_Down, 0, 1}, {Qt::Key_Down, 1, 2}, {Qt::Key_Down, 2, 3}, {Qt::Key_Up, 1, 4},
        {Qt::Key_End, 4, 5},  {Qt::Key_Down, 4, 5}, {Qt::Key_Home, 0, 6}, {Qt::Key_Up, 0, 6},
    };
    for (const Step& s : steps) {
        QTest::keyClick(QApplication::focusWidget(), s.key);
        EXPECT_EQ(form_->SelectedRow(), s.row) << QTest::toString(s.key);
        EXPECT_EQ(changes.count(), s.reports) << QTest::toString(s.key);
        EXPECT_EQ(changes.last().at(0).toInt(), s.row);
    }
    // Control-space would deselect in a plain list view; one row stays selected here.
    QTest::keyClick(&list(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(form_->SelectedRow(), 0);
    EXPECT_EQ(changes.count(), 6);
}

TEST_F(ShownForm, ClicksSelectTheRowUnderThePointer) {
    open(5, 0);
    QSignalSpy changes(form_.get(), &TMainForm::SelectedReplayChanged);
    QWidget* viewport = list().viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowCentre(2));
    EXPECT_EQ(form_->SelectedRow(), 2);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.last().at(0).toInt(), 2);
    // The same row again, with control held, and below the last row: nothing changes.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowCentre(2));
    EXPECT_EQ(form_->SelectedRow(), 2);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, rowCentre(2));
    EXPECT_EQ(form_->SelectedRow(), 2);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(50, 8 * ml::RowHeight));
    EXPECT_EQ(form_->SelectedRow(), 2);
    EXPECT_EQ(changes.count(), 1);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowCentre(4));
    EXPECT_EQ(form_->SelectedRow(), 4);
    EXPECT_EQ(changes.count(), 2);
}

TEST_F(ShownForm, DoubleClickAsksForTheDetailsOfTheRowUnderThePointer) {
    open(3, 0);
    QSignalSpy requests(form_.get(), &TMainForm::DetailsRequested);
    QWidget* viewport = list().viewport();
    struct Case {
        QPoint at;
        int row; // -1: no row there
    };
    for (const Case c :
         {Case{rowCentre(1), 1}, Case{QPoint(40, 10 * ml::RowHeight), -1}, Case{rowCentre(2), 2}}) {
        requests.clear();
        // The handler reads the pointer's own position, as the window system reports it.
        QCursor::setPos(viewport->mapToGlobal(c.at));
        ASSERT_TRUE(QTest::qWaitFor([&] { return QCursor::pos() == viewport->mapToGlobal(c.at); }));
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, c.at);
        if (c.row < 0) {
            EXPECT_EQ(requests.count(), 0);
        } else {
            ASSERT_EQ(requests.count(), 1);
            EXPECT_EQ(requests.first().at(0).toInt(), c.row);
        }
    }
}

TEST_F(ShownForm, OnlyTheLeftButtonSelectsAndDoubleClicks) {
    open(3, 0);
    QSignalSpy changes(form_.get(), &TMainForm::SelectedReplayChanged);
    QSignalSpy requests(form_.get(), &TMainForm::DetailsRequested);
    QWidget* viewport = list().viewport();
    QCursor::setPos(viewport->mapToGlobal(rowCentre(1)));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return QCursor::pos() == viewport->mapToGlobal(rowCentre(1)); }));
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(viewport, button, {}, rowCentre(1));
        QTest::mouseDClick(viewport, button, {}, rowCentre(1));
    }
    EXPECT_EQ(form_->SelectedRow(), -1);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(requests.count(), 0);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, rowCentre(1));
    EXPECT_EQ(form_->SelectedRow(), 1);
    EXPECT_EQ(requests.count(), 1);
}

namespace {
class ThrowingObject : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User)
            throw std::runtime_error("Une erreur dans un gestionnaire");
        return QObject::event(event);
    }
};
} // namespace

TEST(ErrorsInEventHandlers, AreShownAndTheProgramGoesOn) {
    ModalBoxWatcher boxes;
    ThrowingObject thrower;
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.seen().empty(); }));
    EXPECT_EQ(boxes.seen()[0].text, QStringLiteral("Une erreur dans un gestionnaire"));
    EXPECT_EQ(boxes.seen()[0].icon, QMessageBox::Critical);
    // The event loop still runs: a second one is reported as well.
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    ASSERT_TRUE(QTest::qWaitFor([&] { return boxes.seen().size() == 2; }));
}
