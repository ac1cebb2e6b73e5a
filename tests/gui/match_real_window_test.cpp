// The match window over real replays, opened as a player opens it: from the details window's map
// picture or with Enter in the list, the real map cache of the game's maps in an install's
// archive. The bases' marks lie round their players' spots, the cursor under the keys and the
// pointer takes them away, a click on a name or a mark chooses the list, the larger map stays
// hidden while the window is open, the window goes with the minimised main window, and a second
// replay, on a map no cache holds, replaces the first.
#include <QApplication>
#include <QHelpEvent>
#include <QListWidget>
#include <QTest>
#include <QToolTip>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "tests/gui/gui_support.h"
#include "tests/support/big_builder.h"
#include "tests/support/shared_data.h"
#include "tests/support/temp_dir.h"
#include "ui/details/details_form.h"
#include "ui/details/map_panel.h"
#include "ui/main/replay_list_view.h"
#include "ui/match/match_form.h"
#include "ui/match/match_layout.h"
#include "ui/match/match_timeline.h"

namespace fs = std::filesystem;
namespace ml = match_layout;

namespace {

const char* const Nic = "00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep";
const char* const Golden = "Golden Replay #2.rep";
const QPoint OnThePicture(96, 49);
const QColor NicBlue(34, 52, 254);

QString Tip(QWidget& window, QPoint at) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("QTipLabel")) widget->hide();
    QHelpEvent rest(QEvent::ToolTip, at, window.mapToGlobal(at));
    QApplication::sendEvent(&window, &rest);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

// A world point of Tournament Island (3500 units square) on the match window's map.
QPoint OnIsland(float x, float y) {
    return ml::MapCell.topLeft() +
           QPoint(static_cast<int>(x / 3500 * 256), static_cast<int>((1 - y / 3500) * 256));
}

// Nic's first power plant, placed at 0m 08s.
const QPoint Plant = OnIsland(1132.4f, 854.2f);

class MatchRealWindow : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path shared = testsupport::SharedDir() / "testdata";
        TARVEX_REQUIRE_SHARED(shared / "maps");
        fs::create_directories(dir_ / "replays");
        for (const char* file : {Nic, Golden})
            fs::copy_file(testsupport::RealReplayDir() / file, dir_ / "replays" / file);
        fs::create_directories(dir_ / "game");
        std::ostringstream cache;
        cache << std::ifstream(shared / "maps/MapCache.ini", std::ios::binary).rdbuf();
        big_builder::WriteArchive(dir_ / "game/MapsZH.big", {{"Maps\\MapCache.ini", cache.str()}});
        install_ = {{(dir_ / "game").string()}, {(dir_ / "game/MapsZH.big").string()}, ""};
        main_ = std::make_unique<TMainForm>(guitest::FixedFolder(dir_ / "replays"));
        main_->move(10, 10);
        details_ = new TMoreForm(*main_, [this] { return install_; });
        main_->show();
        main_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
        details_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(details_));
        Select(Nic);
    }
    void Select(const std::string& file) {
        for (std::size_t i = 0; i < main_->Replays.size(); ++i)
            if (main_->Replays[i].file.name == file)
                main_->RepList->setCurrentIndex(
                    main_->RepList->model()->index(static_cast<int>(i), 0));
        QCoreApplication::processEvents();
        details_->PlayersList->viewport()->repaint();
    }
    TMatchForm& Opened() {
        QTest::mouseClick(details_, Qt::LeftButton, {}, OnThePicture);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(details_->Match));
        return *details_->Match;
    }

    testsupport::TempDir dir_;
    GameInstall install_;
    std::unique_ptr<TMainForm> main_;
    TMoreForm* details_ = nullptr; // owned by the main window
};

} // namespace

TEST_F(MatchRealWindow, OpenedFromThePictureOrEnterInPlaceOfTheLargerMapASecondReplaceTheFirst) {
    // The picture shows it can be clicked; resting on it shows the larger map; a click opens.
    QTest::mouseMove(details_, OnThePicture);
    EXPECT_EQ(details_->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(details_->Panel->isVisible());
    TMatchForm& match = Opened();
    EXPECT_EQ(match.windowTitle(), QStringLiteral("MatchForm"));
    EXPECT_EQ(QApplication::focusWidget(), &match);
    EXPECT_FALSE(details_->Panel->isVisible());
    QTest::mouseMove(details_, OnThePicture + QPoint(1, 1));
    EXPECT_FALSE(details_->Panel->isVisible()); // not while the match window is open
    // It goes with the main window minimised, and comes back with it.
    main_->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(match.isVisible());
    main_->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(match.isVisible());

    const MatchView& view = match.View();
    ASSERT_EQ(view.rows.size(), 2u);
    EXPECT_TRUE(view.message.isEmpty());
    EXPECT_EQ(match.Cursor(), view.endFrame);
    // The time line as tall as its two rows and the minute marks' labels under them: no black
    // band between them and the frame.
    const QImage drawn = match.grab().toImage();
    QImage blackLine(ml::TimeWidth, 1, drawn.format());
    blackLine.fill(Qt::black);
    int lowestLit = ml::TimelinePanel(2).bottom();
    while (lowestLit > ml::RowsTop &&
           drawn.copy(ml::TimeLeft, lowestLit, ml::TimeWidth, 1) == blackLine)
        --lowestLit;
    EXPECT_GE(lowestLit, ml::TimelinePanel(2).bottom() - 4);
    // Each player's buildings of his first minute lie nearer his start disc (spot 2 for Nic, 1
    // for the other) than any other.
    const std::vector<SpotMark>& spots = details_->StartMarks().spots;
    const std::size_t spotOf[] = {1, 0};
    for (const CourseMark& mark : view.marks) {
        if (mark.shape != MarkShape::Building || mark.frame > 1800) continue;
        const auto nearest = std::min_element(spots.begin(), spots.end(), [&](auto& a, auto& b) {
            return QLineF(mark.at, a.at).length() < QLineF(mark.at, b.at).length();
        });
        EXPECT_EQ(nearest->spot, static_cast<int>(spotOf[mark.row])) << mark.tip.toStdString();
    }

    // Escape, and the larger map shows again; Enter in the list opens another match.
    QTest::keyClick(&match, Qt::Key_Escape);
    EXPECT_FALSE(match.isVisible());
    QTest::mouseMove(details_, OnThePicture);
    EXPECT_TRUE(details_->Panel->isVisible());
    Select(Golden);
    QTest::keyClick(main_->RepList, Qt::Key_Return);
    ASSERT_TRUE(match.isVisible());
    // Its map, a player's own, is in no cache: no marks, a line says why.
    EXPECT_TRUE(match.View().marks.empty());
    EXPECT_EQ(match.View().message, UnknownPositionsLine());
    // A second opening while it is open replaces the content where the window stands.
    match.move(match.pos() + QPoint(7, 5));
    const QPoint moved = match.pos();
    Select(Nic);
    QTest::keyClick(main_->RepList, Qt::Key_Enter);
    EXPECT_EQ(match.pos(), moved);
    EXPECT_EQ(match.View().rows.size(), 2u);
    QTest::mouseClick(&match, Qt::LeftButton, {}, ml::CloseGlyphArea.center());
    EXPECT_FALSE(match.isVisible());
    // Closed, it stays closed when the main window comes back.
    main_->setWindowState(Qt::WindowMinimized);
    main_->setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(match.isVisible());
}

TEST_F(MatchRealWindow, TheCursorTakesTheMarksAwayANameOrAMarkChoosesTheList) {
    TMatchForm& match = Opened();
    const auto shown = [&] { return match.grab().toImage().pixelColor(Plant); };
    EXPECT_EQ(shown(), NicBlue);
    // Nic's plant alone with his spy satellite at 0m 08s, not placed a frame before.
    match.SetCursor(248);
    EXPECT_EQ(match.MarksShown(), 2u);
    EXPECT_EQ(Tip(match, Plant), QStringLiteral("Centrale électrique — Nic — 0m 08s"));
    const uint32_t end = match.View().endFrame;
    QTest::keyClick(&match, Qt::Key_Right);
    EXPECT_EQ(match.Cursor(), 548u); // ten seconds on
    QTest::keyClick(&match, Qt::Key_End);
    EXPECT_EQ(match.Cursor(), end);
    QTest::keyClick(&match, Qt::Key_Home);
    EXPECT_EQ(Tip(match, Plant), QString());
    EXPECT_NE(shown(), NicBlue);
    // Pressed on the time line's middle, dragged past its end and to its start.
    const TimeScale scale = TimelineScale(end);
    const int y = ml::RowsTop + 5, middle = ml::TimeLeft + ml::TimeWidth / 2;
    QTest::mousePress(&match, Qt::LeftButton, {}, QPoint(middle, y));
    EXPECT_EQ(match.Cursor(), FrameAtX(scale, middle));
    EXPECT_EQ(shown(), NicBlue);
    QTest::mouseMove(&match, QPoint(ml::TimeLeft + ml::TimeWidth + 40, y));
    EXPECT_EQ(match.Cursor(), end);
    QTest::mouseMove(&match, QPoint(0, y));
    QTest::mouseRelease(&match, Qt::LeftButton, {}, QPoint(0, y));
    EXPECT_EQ(match.Cursor(), 0u);
    QTest::keyClick(&match, Qt::Key_End);

    // Nic's list at opening; the other's by his name; Nic's again by his mark, as made before.
    EXPECT_EQ(match.ChosenRow(), 0u);
    const QStringList nics = match.Lines();
    EXPECT_TRUE(nics.contains(QStringLiteral("0m 08s  posé  Centrale électrique  (1132, 854)")));
    const QPoint nameOf[] = {QPoint(ml::NameLeft + 5, ml::RowsTop + 5),
                             QPoint(ml::NameLeft + 5, ml::RowsTop + ml::RowHeight + 5)};
    QTest::mouseClick(&match, Qt::LeftButton, {}, nameOf[1]);
    EXPECT_EQ(match.ChosenRow(), 1u);
    match.SetCursor(248);
    QTest::mouseClick(&match, Qt::LeftButton, {}, Plant);
    EXPECT_EQ(match.ChosenRow(), 0u);
    EXPECT_TRUE(match.Lines().isSharedWith(nics));
    // The wheel moves the list; his name or his mark clicked again leave it there.
    QWheelEvent towards(QPointF(300, 100), match.mapToGlobal(QPointF(300, 100)), {}, {0, -120},
                        Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&match, &towards);
    EXPECT_EQ(match.ListTop, ml::WheelNotchLines);
    for (const QPoint& at : {nameOf[0], Plant}) {
        QTest::mouseClick(&match, Qt::LeftButton, {}, at);
        EXPECT_EQ(match.ListTop, ml::WheelNotchLines);
    }

    // A drag of the cursor cut short by Escape is over when the window opens again.
    QTest::mousePress(&match, Qt::LeftButton, {}, QPoint(middle, y));
    QTest::keyClick(&match, Qt::Key_Escape);
    QTest::mouseRelease(main_->RepList->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClick(main_->RepList, Qt::Key_Return);
    ASSERT_TRUE(match.isVisible());
    QTest::mousePress(&match, Qt::LeftButton, {}, nameOf[1]);
    QTest::mouseMove(&match, QPoint(middle, y));
    QTest::mouseRelease(&match, Qt::LeftButton, {}, QPoint(middle, y));
    EXPECT_EQ(match.Cursor(), end);
}
