// The flat scroll bar as a widget: what it draws and when it shows it, the pointer, the
// repeat timer, its size and enabling through Qt.
#include <QPaintEvent>
#include <QTest>
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
    } pixels[] = {
        {0, 0, green}, {5, 2, red},    {4, 4, yellow},   {4, 3, red},     {2, 6, yellow},
        {1, 6, red},   {0, 60, green}, {5, 60, red},     {9, 115, green}, {4, 117, blue},
        {6, 117, red}, {4, 118, red},  {4, 245, yellow}, {4, 246, red},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
    EXPECT_EQ(bar_.Picture().devicePixelRatio(), bar_.devicePixelRatioF());
    // A paint request of the window system draws the same picture again.
    EXPECT_EQ(bar_.grab().toImage().convertToFormat(QImage::Format_RGB32),
              bar_.Picture().convertToFormat(QImage::Format_RGB32));
    // New colours wait for the next drawing; system colours come from the palette.
    bar_.SetColor(clBtnFace);
    EXPECT_EQ(pixel(5, 60), red);
    bar_.SetPosition(0);
    EXPECT_EQ(pixel(5, 60), bar_.palette().color(QPalette::Button));
}

TEST_F(ShownBar, HeldArrowRunsTheRepeatTimerUntilTheRelease) {
    QTest::mousePress(&bar_, Qt::LeftButton, {}, QPoint(5, 244));
    EXPECT_TRUE(bar_.RepeatTimerActive());
    EXPECT_EQ(bar_.RepeatInterval(), 50);
    QTest::mouseRelease(&bar_, Qt::LeftButton, {}, QPoint(5, 244));
    EXPECT_FALSE(bar_.RepeatTimerActive());
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
    EXPECT_EQ(bar.Areas()[saBtnArrowUp], (flat_scrollbar::Rect{0, 86, 10, 99}));
    bar.SetButtonWidth(500);
    EXPECT_EQ(bar.ButtonWidth(), 49);
}
