// The flat scroll bar as a widget: what it draws and when it shows it, the pointer, the
// repeat timer, focus, its size and enabling through Qt.
#include <QApplication>
#include <QLineEdit>
#include <QPaintEvent>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ui/controls/flat_scrollbar.h"

namespace {

// The main window's bar, alone on screen, in colours that tell the parts apart.
class ShownBar : public ::testing::Test, public QObject {
protected:
    ShownBar() {
        bar_.SetKind(sbVertical);
        bar_.setGeometry(20, 20, 10, 251);
        bar_.SetButtonWidth(13);
        bar_.SetScrollerWidth(11);
        bar_.SetMax(21);
        bar_.SetColor(0x0000FF);       // red
        bar_.SetBorderColor(0x00FF00); // green
        bar_.SetBarColor(0xFF0000);    // blue
        bar_.SetArrowColor(0x00FFFF);  // yellow
        bar_.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&bar_));
        bar_.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted_.push_back(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
    QColor pixel(int x, int y) const { return bar_.Picture().pixelColor(x, y); }

    TFlatScrollBar bar_;
    std::vector<QRegion> painted_;
};

} // namespace

TEST_F(ShownBar, APositionChangeShowsTheMovedAreasBeforeOnChange) {
    std::vector<std::string> log;
    bar_.OnScroll = [&](TFlatCustomScrollBar* sender, TScrollCode code, int& position) {
        EXPECT_EQ(sender, &bar_);
        EXPECT_EQ(code, scPosition);
        log.push_back("scroll " + std::to_string(position) + ", " +
                      std::to_string(painted_.size()) + " paints");
    };
    bar_.OnChange = [&](TFlatCustomScrollBar*) {
        log.push_back("change, " + std::to_string(painted_.size()) + " paints");
    };
    painted_.clear();
    bar_.SetPosition(10);
    EXPECT_EQ(log, (std::vector<std::string>{"scroll 10, 0 paints", "change, 1 paints"}));
    // The track from below the start button down to the end button's first pixel line.
    ASSERT_EQ(painted_.size(), 1u);
    EXPECT_EQ(painted_[0], QRegion(0, 13, 10, 226));
}

TEST_F(ShownBar, DrawsFlatPartsInItsColours) {
    bar_.SetPosition(10); // scroller at 115..125
    const QColor red(255, 0, 0), green(0, 255, 0), blue(0, 0, 255), yellow(255, 255, 0);
    const struct {
        int x, y;
        QColor colour;
        const char* what;
    } pixels[] = {
        {0, 0, green, "start button frame"},   {5, 2, red, "start button fill"},
        {4, 4, yellow, "up arrow tip"},         {4, 3, red, "above the tip"},
        {2, 6, yellow, "up arrow base"},        {1, 6, red, "left of the base"},
        {0, 60, green, "track edge"},           {5, 60, red, "track fill"},
        {9, 115, green, "scroller frame"},      {4, 117, blue, "first grip line"},
        {6, 117, red, "right of the grip"},     {4, 118, red, "between the grip lines"},
        {4, 245, yellow, "down arrow tip"},     {4, 246, red, "below the tip"},
    };
    for (const auto& p : pixels) EXPECT_EQ(pixel(p.x, p.y), p.colour) << p.what;
    EXPECT_EQ(bar_.Picture().devicePixelRatio(), bar_.devicePixelRatioF());
    // A paint request of the window system draws the same picture again.
    EXPECT_EQ(bar_.grab().toImage().convertToFormat(QImage::Format_RGB32),
              bar_.Picture().convertToFormat(QImage::Format_RGB32));
    // New colours wait for the next drawing.
    bar_.SetColor(0x000000);
    EXPECT_EQ(pixel(5, 60), red);
    bar_.SetPosition(0);
    EXPECT_EQ(pixel(5, 60), QColor(Qt::black));
}

TEST_F(ShownBar, SystemColoursComeFromThePalette) {
    bar_.SetColor(clBtnFace);
    bar_.SetPosition(1);
    EXPECT_EQ(pixel(5, 60), bar_.palette().color(QPalette::Button));
}

TEST_F(ShownBar, HeldArrowRepeatsOnTheTimerAndKeepsTheFocusWhereItWas) {
    QLineEdit focused;
    focused.show();
    focused.activateWindow();
    focused.setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return focused.hasFocus(); }));

    QTest::mousePress(&bar_, Qt::LeftButton, {}, QPoint(5, 244));
    EXPECT_TRUE(bar_.MouseIsDown());
    EXPECT_EQ(bar_.MouseDownAt(), saBtnArrowUp);
    EXPECT_TRUE(bar_.RepeatTimerActive());
    EXPECT_EQ(bar_.RepeatInterval(), 50);
    EXPECT_TRUE(focused.hasFocus());
    bar_.RepeatTick();
    bar_.RepeatTick();
    EXPECT_EQ(bar_.Position(), 2);
    QTest::mouseRelease(&bar_, Qt::LeftButton, {}, QPoint(5, 244));
    EXPECT_FALSE(bar_.RepeatTimerActive());
    EXPECT_EQ(bar_.MouseDownAt(), saNone);
    bar_.RepeatTick();
    EXPECT_EQ(bar_.Position(), 2);
}

TEST_F(ShownBar, LeavingReportsAMoveOffTheBar) {
    std::vector<std::string> log;
    bar_.OnMouseMove = [&](TFlatCustomScrollBar*, Qt::MouseButtons buttons, Qt::KeyboardModifiers,
                           int x, int y) {
        EXPECT_EQ(buttons, Qt::NoButton);
        log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    };
    bar_.OnMouseOut = [&](TFlatCustomScrollBar*) { log.push_back("out"); };
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&bar_, &leave);
    EXPECT_EQ(log, (std::vector<std::string>{"move -1,-1", "out"}));
}

TEST_F(ShownBar, DisablingThroughQtFollowsTheSameRule) {
    bar_.SetPosition(7);
    bar_.setEnabled(false);
    EXPECT_FALSE(bar_.Enabled());
    EXPECT_EQ(bar_.Position(), 0);
    QTest::mousePress(&bar_, Qt::LeftButton, {}, QPoint(5, 244));
    EXPECT_FALSE(bar_.MouseIsDown());
    bar_.SetEnabled(true);
    EXPECT_TRUE(bar_.isEnabled());
}

TEST(HiddenBar, SettingsFitTheSizeItWasGivenBeforeShowing) {
    TFlatScrollBar bar;
    bar.SetKind(sbVertical);
    bar.setGeometry(173, 11, 10, 99);
    bar.SetButtonWidth(13);
    EXPECT_EQ(bar.ButtonWidth(), 13);
    EXPECT_EQ(bar.Areas()[saBtnArrowUp], (flat_scrollbar::Rect{0, 86, 10, 99}));
    bar.SetButtonWidth(500);
    EXPECT_EQ(bar.ButtonWidth(), 49);
}
