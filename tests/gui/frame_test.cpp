// The main window's skinned frame: its four buttons, their pressed looks, and dragging the
// window by its skin.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "tests/gui/gui_support.h"
#include "tests/support/temp_dir.h"
#include "ui/about/about_form.h"
#include "ui/about/about_memo.h"
#include "ui/about/about_texts.h"
#include "ui/common/contact_address.h"
#include "ui/details/details_form.h"
#include "ui/main/main_layout.h"

namespace ml = main_layout;

TEST(AboutTexts, CreditsNameTheContactInTheirFirstTwoOfSevenParagraphs) {
    const QString contact = QStringLiteral("equipe@example.org");
    const QStringList paragraphs = CreditsText(contact).split(QStringLiteral("\r\n\r\n"));
    ASSERT_EQ(paragraphs.size(), 7);
    for (int i = 0; i < paragraphs.size(); ++i) {
        EXPECT_EQ(paragraphs[i].contains(QStringLiteral("(") + contact + QStringLiteral(")")),
                  i < 2)
            << i;
        EXPECT_FALSE(paragraphs[i].isEmpty() || paragraphs[i].contains(QLatin1Char('\n'))) << i;
    }
}

namespace {

// A text as the about window's text area gives it back: lines end in a line feed alone.
QString InMemo(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

class Frame : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = std::make_unique<TMainForm>(guitest::FixedFolder(dir_.path()));
        form_->Terminate = [this] { ++terminated_; };
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    }
    SkinPictureWidget* shownLook() {
        for (SkinPictureWidget* look :
             {form_->PushClose, form_->PushReduce, form_->PushHisto, form_->PushInfo})
            if (look->isVisible()) return look;
        return nullptr;
    }
    // Closes the about window as soon as it is open and notes what it showed.
    void closeAboutWhenOpen() {
        QTimer::singleShot(0, [this] {
            ASSERT_NE(AboutForm, nullptr);
            aboutCaptions_ << AboutForm->windowTitle();
            aboutTexts_ << AboutForm->AboutMemo->toPlainText();
            AboutForm->close();
        });
    }

    testsupport::TempDir dir_;
    std::unique_ptr<TMainForm> form_;
    int terminated_ = 0;
    QStringList aboutCaptions_, aboutTexts_;
};

} // namespace

TEST_F(Frame, ButtonsShowTheirPressedLookAndActWhereReleased) {
    enum class Outcome { Nothing, Terminated, Minimised, History, Credits };
    enum Act { Press, Move, Release };
    struct Step {
        Act act;
        Qt::MouseButton button;
        QPoint at;
    };
    const auto click = [](Qt::MouseButton button, QPoint press, QPoint release) {
        return std::vector<Step>{{Press, button, press}, {Release, button, release}};
    };
    constexpr auto Left = Qt::LeftButton, Right = Qt::RightButton, Middle = Qt::MiddleButton;
    struct Case {
        const char* what;
        std::vector<Step> steps;
        // The pressed look shown after the last press, if any, and where.
        SkinPictureWidget* TMainForm::*look;
        QPoint lookAt;
        Outcome outcome;
    };
    const Case cases[] = {
        {"close",
         click(Left, {250, 15}, {250, 15}),
         &TMainForm::PushClose,
         {244, 9},
         Outcome::Terminated},
        {"close, released on the skin",
         click(Left, {250, 15}, {150, 20}),
         &TMainForm::PushClose,
         {244, 9},
         Outcome::Nothing},
        {"minimise, released on close",
         click(Left, {235, 15}, {252, 20}),
         &TMainForm::PushReduce,
         {227, 9},
         Outcome::Terminated},
        {"close with the right button",
         click(Right, {246, 23}, {257, 11}),
         &TMainForm::PushClose,
         {244, 9},
         Outcome::Terminated},
        {"history",
         click(Left, {230, 291}, {241, 303}),
         &TMainForm::PushHisto,
         {229, 289},
         Outcome::History},
        {"info, right button",
         click(Right, {255, 303}, {244, 291}),
         &TMainForm::PushInfo,
         {243, 289},
         Outcome::Credits},
        {"history, released on info",
         click(Left, {235, 297}, {250, 297}),
         &TMainForm::PushHisto,
         {229, 289},
         Outcome::Credits},
        {"minimise",
         click(Left, {229, 11}, {240, 23}),
         &TMainForm::PushReduce,
         {227, 9},
         Outcome::Minimised},
        // The other buttons pressed on the skin move nothing, and their release acts on nothing.
        {"right press on the skin, released on close",
         {{Press, Right, {150, 20}}, {Move, Right, {180, 40}}, {Release, Right, {250, 15}}},
         nullptr,
         {},
         Outcome::Nothing},
        {"middle press on the skin",
         {{Press, Middle, {100, 20}}, {Move, Middle, {130, 60}}, {Release, Middle, {130, 60}}},
         nullptr,
         {},
         Outcome::Nothing},
        // Without a window manager the window follows a left press on the skin by hand; a
        // press of another button meanwhile reaches no button.
        {"moving, right press and release on close",
         {{Press, Left, {150, 20}},
          {Press, Right, {250, 15}},
          {Release, Right, {250, 15}},
          {Release, Left, {250, 15}}},
         nullptr,
         {},
         Outcome::Nothing},
        {"moving, right press on close, left released first",
         {{Press, Left, {150, 20}},
          {Press, Right, {250, 15}},
          {Release, Left, {250, 15}},
          {Release, Right, {250, 15}}},
         nullptr,
         {},
         Outcome::Nothing},
        // A button held: a left press on the skin moves nothing, and the release acts.
        {"close held, left press on the skin",
         {{Press, Right, {250, 15}},
          {Press, Left, {150, 20}},
          {Move, Left, {180, 40}},
          {Release, Left, {180, 40}},
          {Release, Right, {250, 15}}},
         &TMainForm::PushClose,
         {244, 9},
         Outcome::Terminated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        terminated_ = 0;
        aboutCaptions_.clear();
        aboutTexts_.clear();
        form_->showNormal();
        const QPoint start = form_->pos();
        SkinPictureWidget* lookAfterPresses = nullptr;
        QPoint lookAt;
        for (const Step& step : c.steps) {
            if (step.act == Move) QTest::mouseMove(form_.get(), step.at);
            if (step.act == Release) {
                if (&step == &c.steps.back() &&
                    (c.outcome == Outcome::History || c.outcome == Outcome::Credits))
                    closeAboutWhenOpen();
                QTest::mouseRelease(form_.get(), step.button, {}, step.at);
            }
            if (step.act != Press) continue;
            QTest::mousePress(form_.get(), step.button, {}, step.at);
            lookAfterPresses = shownLook();
            lookAt = lookAfterPresses ? lookAfterPresses->pos() : QPoint();
        }
        EXPECT_EQ(lookAfterPresses, c.look ? form_.get()->*c.look : nullptr);
        EXPECT_EQ(lookAt, c.lookAt);
        EXPECT_EQ(form_->pos(), start);
        EXPECT_EQ(shownLook(), nullptr);
        for (SkinPictureWidget* look :
             {form_->PushClose, form_->PushReduce, form_->PushHisto, form_->PushInfo})
            EXPECT_EQ(look->pos(), ml::ParkedPressedLook);
        EXPECT_EQ(terminated_, c.outcome == Outcome::Terminated ? 1 : 0);
        EXPECT_EQ(form_->windowState().testFlag(Qt::WindowMinimized),
                  c.outcome == Outcome::Minimised);
        EXPECT_EQ(AboutForm, nullptr) << "the about window is destroyed when it closes";
        if (c.outcome == Outcome::History) {
            EXPECT_EQ(aboutCaptions_, QStringList{HistoryCaption()});
            EXPECT_EQ(aboutTexts_.value(0), InMemo(HistoryText()));
        } else if (c.outcome == Outcome::Credits) {
            EXPECT_EQ(aboutCaptions_, QStringList{CreditsCaption()});
            EXPECT_EQ(aboutTexts_.value(0), InMemo(CreditsText(ContactAddress())));
        } else {
            EXPECT_TRUE(aboutCaptions_.isEmpty());
        }
    }
}

TEST_F(Frame, APointerInsideAPixelCountsForThatPixel) {
    // Close clicked, released inside a pixel as at a fractional scale; its area is x 246..257.
    for (const auto& [x, terminated] : {std::pair{245.6, 0}, {246.4, 1}, {257.9, 1}}) {
        terminated_ = 0;
        const QPointF on(250, 15), off(x, 15);
        QMouseEvent press(QEvent::MouseButtonPress, on, on, Qt::LeftButton, Qt::LeftButton, {});
        QMouseEvent release(QEvent::MouseButtonRelease, off, off, Qt::LeftButton, Qt::NoButton, {});
        QApplication::sendEvent(form_.get(), &press);
        QApplication::sendEvent(form_.get(), &release);
        EXPECT_EQ(terminated_, terminated) << x;
    }
}

TEST_F(Frame, APressOnTheSkinDragsTheWindowAndTheDetailsWindowFollows) {
    // The offscreen platform has no window manager to move windows: the window follows the
    // pointer by hand, as it does on X without one.
    auto* details = new TMoreForm(*form_); // owned by the main window
    const QPoint docked(ml::WindowSize.width() - 3, 0);
    for (const bool shown : {false, true}) {
        SCOPED_TRACE(shown ? "details shown" : "details hidden");
        details->setVisible(shown);
        const QPoint start = form_->pos();
        QTest::mousePress(form_.get(), Qt::LeftButton, {}, QPoint(100, 20));
        EXPECT_EQ(shownLook(), nullptr);
        QTest::mouseMove(form_.get(), QPoint(130, 60));
        EXPECT_EQ(form_->pos(), start + QPoint(30, 40));
        EXPECT_EQ(details->pos(), form_->pos() + docked);
        // Window coordinates moved with the window: the pointer stays on the grabbed point.
        QTest::mouseMove(form_.get(), QPoint(90, 20));
        EXPECT_EQ(form_->pos(), start + QPoint(20, 40));
        EXPECT_EQ(details->pos(), form_->pos() + docked);
        QTest::mouseRelease(form_.get(), Qt::LeftButton, {}, QPoint(90, 20));
        QTest::mouseMove(form_.get(), QPoint(150, 150));
        EXPECT_EQ(form_->pos(), start + QPoint(20, 40)) << "the move ends with the release";
        EXPECT_EQ(details->isVisible(), shown);
    }
    EXPECT_EQ(terminated_, 0);
}
