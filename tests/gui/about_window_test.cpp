// The about window on its own: its range, scrolling by bar, wheel and keys, and its close glyph.
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

#include "tests/gui/gui_support.h"
#include "ui/about/about_form.h"
#include "ui/about/about_layout.h"
#include "ui/about/about_memo.h"
#include "ui/about/about_texts.h"

namespace al = about_layout;

namespace {

// `count` short lines "1" .. "count".
QString NumberedLines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QString::number(i);
    return lines.join(QStringLiteral("\r\n"));
}

class AboutWindow : public ::testing::Test {
protected:
    void open(const QString& text) {
        form_ = std::make_unique<TAboutForm>(nullptr);
        form_->AboutMemo->SetText(text);
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
        requests_ = std::make_unique<guitest::LineRequests>(*form_->AboutMemo);
    }
    TFlatScrollBar& bar() { return *form_->Scroll; }
    int textTop() { return form_->AboutMemo->verticalScrollBar()->value(); }
    int lineRequests() { return requests_->take(); }

    std::unique_ptr<TAboutForm> form_;
    std::unique_ptr<guitest::LineRequests> requests_;
};

} // namespace

TEST_F(AboutWindow, RangeAndScrollerFollowTheDisplayLines) {
    struct Case {
        int lines;
        int max, scroller;
    };
    // 30 lines: 22 positions and a 99 / 22 = 4 pixel scroller. Fewer than 8: the bar keeps
    // its initial range and the smallest scroller. Exactly 8: nothing to scroll, whole track.
    for (const Case c : {Case{30, 22, 4}, Case{3, 100, 3}, Case{8, 0, 99}, Case{9, 1, 99}}) {
        SCOPED_TRACE(c.lines);
        open(NumberedLines(c.lines));
        EXPECT_EQ(form_->AboutMemo->DisplayLineCount(), c.lines);
        EXPECT_EQ(bar().Max(), c.max);
        EXPECT_EQ(bar().ScrollerWidth(), c.scroller);
        EXPECT_EQ(bar().Position(), 0);
        EXPECT_EQ(form_->AboutTop, 0);
    }
}

TEST_F(AboutWindow, WrappedLinesCountAndTheLastOneShowsAtTheEnd) {
    const QString paragraph = QStringLiteral("mot ").repeated(60).trimmed();
    open(paragraph + QStringLiteral("\r\n\r\nfin"));
    const int lines = form_->AboutMemo->DisplayLineCount();
    ASSERT_GT(lines, 10) << "the long paragraph wraps at the text's width";
    bar().SetPosition(bar().Max());
    EXPECT_EQ(lineRequests(), lines - al::VisibleLines);
    EXPECT_EQ(textTop(), lines - al::VisibleLines);
    // The last line, "fin", is wholly inside the text area.
    TAboutMemo& memo = *form_->AboutMemo;
    QTextCursor end(memo.document());
    end.movePosition(QTextCursor::End);
    const QRect last = memo.cursorRect(end);
    EXPECT_LE(last.bottom(), memo.viewport()->height());
    EXPECT_GE(last.top(), 0);
}

TEST_F(AboutWindow, TheWheelMovesTheBarFiveLinesANotchAndTheTextWithIt) {
    open(NumberedLines(40));
    struct Step {
        int angle;
        int position, requests;
    };
    const Step steps[] = {
        {120, 0, 0},     // away from the user at the top: nothing
        {-360, 15, 15},  // three notches towards the user
        {-40, 15, 0},    // a third of a notch from a fine wheel...
        {-80, 20, 5},    // ...completes one with the next steps
        {-1200, 32, 12}, // clamped at the end
        {-120, 32, 0},   // and nothing more there
        {120, 27, -5},
    };
    for (const Step& s : steps) {
        guitest::TurnWheel(form_->AboutMemo->viewport(), s.angle);
        EXPECT_EQ(bar().Position(), s.position) << s.angle;
        EXPECT_EQ(form_->AboutTop, s.position) << s.angle;
        EXPECT_EQ(lineRequests(), s.requests) << s.angle;
        EXPECT_EQ(textTop(), s.position) << s.angle;
    }
}

TEST_F(AboutWindow, KeysScrollTheTextButNotTheBar) {
    open(NumberedLines(40));
    QWidget* memo = form_->AboutMemo;
    ASSERT_TRUE(memo->hasFocus());
    QTest::keyClick(memo, Qt::Key_PageDown);
    const int paged = textTop();
    EXPECT_GT(paged, 0);
    EXPECT_EQ(bar().Position(), 0);
    EXPECT_EQ(form_->AboutTop, 0);
    // The next move of the bar goes on from where the keys left the text.
    bar().SetPosition(2);
    EXPECT_EQ(textTop(), paged + 2);
    QTest::keyClick(memo, Qt::Key_Up);
    EXPECT_EQ(textTop(), paged + 1);
    QTest::keyClick(memo, Qt::Key_Home);
    EXPECT_EQ(textTop(), 0);
    // Other keys do nothing: no typing, and Escape doesn't close the window.
    const QString text = form_->AboutMemo->toPlainText();
    QTest::keyClicks(memo, QStringLiteral("xy"));
    QTest::keyClick(memo, Qt::Key_Escape);
    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(form_->AboutMemo->toPlainText(), text);
    EXPECT_FALSE(form_->AboutMemo->textCursor().hasSelection());
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(bar().Position(), 2);
}

TEST_F(AboutWindow, ClosesOnAReleaseOverTheCloseGlyphOnly) {
    struct Case {
        QPoint at;
        Qt::MouseButton button;
        bool closes;
    };
    const Case cases[] = {
        {{172, 1}, Qt::LeftButton, false},  {{181, 5}, Qt::LeftButton, false},
        {{176, 8}, Qt::RightButton, false}, {{172, 2}, Qt::RightButton, true},
        {{180, 7}, Qt::MiddleButton, true}, {{176, 4}, Qt::LeftButton, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at.x() << "," << c.at.y());
        open(NumberedLines(12));
        EXPECT_EQ(form_->windowTitle(), CreditsCaption());
        QTest::mouseClick(form_.get(), c.button, {}, c.at);
        EXPECT_EQ(form_->isVisible(), !c.closes);
    }
}
