// Typing over the replay list: the field over its bottom, the rows that match, the selection
// kept or moved with the details window following, keys, wheel and clicks on the filtered
// rows, and Backspace and Escape giving the whole list back.
#include <QKeyEvent>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "tests/gui/gui_support.h"
#include "tests/support/temp_dir.h"
#include "ui/controls/flat_scrollbar.h"
#include "ui/details/details_form.h"
#include "ui/main/filter_field.h"
#include "ui/main/filter_keys.h"
#include "ui/main/main_layout.h"
#include "ui/main/replay_list_view.h"

namespace ml = main_layout;

namespace {

class FilteredList : public ::testing::Test {
protected:
    void SetUp() override {
        // 36 replays: nic00 to nic24, other00 to other09 (all refused by the reader) and one
        // valid replay whose player is Alpha, in the folder's order, whatever it is.
        for (int i = 0; i < 25; ++i)
            guitest::WriteBrokenReplay(dir_ / ("nic" + Two(i) + ".rep"));
        for (int i = 0; i < 10; ++i)
            guitest::WriteBrokenReplay(dir_ / ("other" + Two(i) + ".rep"));
        guitest::WriteValidReplay(dir_ / "zed.rep");
        form_ = std::make_unique<TMainForm>(guitest::FixedFolder(dir_.path()));
        details_ = new TMoreForm(*form_, [] { return GameInstall{}; });
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    }
    static std::string Two(int i) { return (i < 10 ? "0" : "") + std::to_string(i); }
    ReplayListView& list() { return *form_->RepList; }
    void type(const QString& text) { QTest::keyClicks(&list(), text); }
    void key(Qt::Key k, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(&list(), k);
    }
    int rowOf(const QString& name) {
        const std::vector<QString> rows = guitest::RowTexts(*form_);
        const auto found = std::find(rows.begin(), rows.end(), name);
        return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
    }
    QString selected() {
        const int replay = form_->SelectedReplay();
        return replay < 0 ? QString()
                          : QString::fromStdString(form_->Replays[std::size_t(replay)].file.name);
    }
    // Rows, count, field, list and bar as they must be for `rows` rows shown.
    void expectShown(int rows, bool open) {
        EXPECT_EQ(list().model()->rowCount(), rows);
        EXPECT_EQ(form_->FilterBox->isVisible(), open);
        EXPECT_EQ(list().geometry(), open ? ml::FilteredListRect : ml::RepListRect);
        EXPECT_EQ(form_->FilterBox->countText(), FilterCountText(rows, 36));
        const int visible = open ? 18 : 19;
        EXPECT_EQ(form_->Scroll->Max(), std::max(0, rows - visible));
        EXPECT_EQ(list().verticalScrollBar()->maximum(), form_->Scroll->Max());
        EXPECT_EQ(list().verticalScrollBar()->value(), form_->ListTop);
        EXPECT_EQ(form_->Scroll->Position(), form_->ListTop);
        // The selected row is wholly in view, and the details window, when shown, shows its
        // replay (player rows for the one valid replay only).
        const int row = form_->SelectedRow();
        if (row >= 0) {
            EXPECT_LE(form_->ListTop, row);
            EXPECT_LT(row, form_->ListTop + visible);
        }
        if (details_->isVisible()) {
            EXPECT_EQ(details_->PlayersList->count() > 0, selected() == QStringLiteral("zed.rep"));
        }
    }

    testsupport::TempDir dir_;
    std::unique_ptr<TMainForm> form_;
    TMoreForm* details_ = nullptr; // owned by the main window
};

} // namespace

TEST_F(FilteredList, TypingBackspaceAndEscapeKeepTheSelectedReplay) {
    QSignalSpy changes(form_.get(), &TMainForm::SelectedReplayChanged);
    list().setCurrentIndex(list().model()->index(rowOf("nic07.rep"), 0));
    details_->show();
    changes.clear();

    // Every nic row, nic07 still selected: no change for the details window.
    type(QStringLiteral("NI"));
    EXPECT_EQ(form_->FilterText(), QStringLiteral("NI"));
    expectShown(25, true);
    EXPECT_EQ(selected(), QStringLiteral("nic07.rep"));
    EXPECT_EQ(changes.count(), 0);

    // Keys, wheel and clicks act on the shown rows only.
    key(Qt::Key_End);
    EXPECT_EQ(selected(), QStringLiteral("nic24.rep"));
    expectShown(25, true);
    key(Qt::Key_Home);
    guitest::TurnWheel(list().viewport(), -120);
    EXPECT_EQ(form_->ListTop, 5);
    const int row = rowOf("nic09.rep");
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {},
                      list().visualRect(list().model()->index(row, 0)).center());
    EXPECT_EQ(selected(), QStringLiteral("nic09.rep"));
    expectShown(25, true);
    changes.clear();

    // nic09 no longer matches: the first match is selected, the details follow.
    type(QStringLiteral("c1"));
    expectShown(10, true);
    EXPECT_EQ(form_->SelectedRow(), 0);
    EXPECT_EQ(selected(), QStringLiteral("nic10.rep"));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(details_->isVisible());
    // Enter asks for the match of the replay shown on the row, not of the row's number.
    QSignalSpy matches(form_.get(), &TMainForm::MatchRequested);
    key(Qt::Key_Return);
    ASSERT_EQ(matches.count(), 1);
    EXPECT_EQ(form_->Replays[matches.at(0).at(0).toUInt()].file.name, "nic10.rep");

    // No match: nothing selected, the details window hides.
    type(QStringLiteral("z"));
    expectShown(0, true);
    EXPECT_EQ(selected(), QString());
    EXPECT_FALSE(details_->isVisible());

    // Back to a match: the first is selected, as an arrow key would, the window stays hidden.
    key(Qt::Key_Backspace);
    EXPECT_EQ(form_->FilterText(), QStringLiteral("NIc1"));
    expectShown(10, true);
    EXPECT_EQ(selected(), QStringLiteral("nic10.rep"));
    EXPECT_FALSE(details_->isVisible());

    // Emptied: the whole list again, the same replay selected.
    key(Qt::Key_Backspace, 4);
    expectShown(36, false);
    EXPECT_EQ(selected(), QStringLiteral("nic10.rep"));

    // A player's name finds the valid replay; Escape closes the field at once.
    type(QStringLiteral("alpha"));
    expectShown(1, true);
    EXPECT_EQ(selected(), QStringLiteral("zed.rep"));
    key(Qt::Key_Escape);
    EXPECT_EQ(form_->FilterText(), QString());
    expectShown(36, false);
    EXPECT_EQ(selected(), QStringLiteral("zed.rep"));

    // A blank starts no filter: Space stays the list's.
    type(QStringLiteral(" "));
    EXPECT_EQ(form_->FilterText(), QString());
}

TEST(FilterKeys, WhatAKeyDoesToTheText) {
    const QString smile = QStringLiteral("a\U0001F600"); // two UTF-16 units for one character
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers held;
        QString typed, before, after;
    } cases[] = {
        {Qt::Key_C, Qt::ShiftModifier, QStringLiteral("C"), QStringLiteral("ni"),
         QStringLiteral("niC")},
        {Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"), QStringLiteral("ni"),
         QStringLiteral("ni")}, // a shortcut
        {Qt::Key_At, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("@"),
         QStringLiteral("ni"), QStringLiteral("ni@")}, // AltGr on Windows
        {Qt::Key_Backspace, {}, QStringLiteral("\b"), smile, QStringLiteral("a")},
        {Qt::Key_Backspace, {}, QStringLiteral("\b"), QString(), QString()}, // the list's
        {Qt::Key_Escape, {}, QStringLiteral("\x1b"), QStringLiteral("ni"), QString()},
        {Qt::Key_Down, {}, QString(), QStringLiteral("ni"), QStringLiteral("ni")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString() + " after " + c.before.toStdString());
        const QKeyEvent press(QEvent::KeyPress, c.key, c.held, c.typed);
        const FilterEdit edit = FilterEditOf(press, !c.before.isEmpty());
        EXPECT_EQ(EditedFilterText(c.before, edit), c.after);
        EXPECT_EQ(edit.key == FilterKey::None, c.before == c.after);
    }
}

TEST_F(FilteredList, ShownGamesUnderTheirLabelUntilEscapeOrANewText) {
    const auto replayOf = [&](const char* name) {
        for (std::size_t i = 0; i < form_->Replays.size(); ++i)
            if (form_->Replays[i].file.name == name) return static_cast<int>(i);
        return -1;
    };
    std::vector<int> games{replayOf("nic03.rep"), replayOf("other02.rep"), replayOf("zed.rep")};
    std::sort(games.begin(), games.end());
    list().setCurrentIndex(list().model()->index(rowOf("other02.rep"), 0));
    details_->show();
    QSignalSpy changes(form_.get(), &TMainForm::SelectedReplayChanged);
    const QString label = QStringLiteral("Nic · tournament island");

    form_->ShowGames(label, games);
    EXPECT_EQ(form_->FilterText(), label);
    EXPECT_EQ(form_->FilterBox->text(), label);
    expectShown(3, true);
    EXPECT_EQ(selected(), QStringLiteral("other02.rep"));
    EXPECT_EQ(changes.count(), 0);
    EXPECT_TRUE(list().hasFocus());
    // Escape: every replay, the same selected.
    key(Qt::Key_Escape);
    expectShown(36, false);
    EXPECT_EQ(selected(), QStringLiteral("other02.rep"));

    // Not among them: the first is selected and the details follow; typing starts a new text,
    // Backspace gives the whole list back.
    form_->ShowGames(label, {replayOf("nic03.rep")});
    EXPECT_EQ(selected(), QStringLiteral("nic03.rep"));
    EXPECT_EQ(changes.count(), 1);
    type(QStringLiteral("ot"));
    EXPECT_EQ(form_->FilterText(), QStringLiteral("ot"));
    expectShown(10, true);
    form_->ShowGames(label, {replayOf("zed.rep")});
    key(Qt::Key_Backspace);
    expectShown(36, false);
    EXPECT_EQ(selected(), QStringLiteral("zed.rep"));
}
