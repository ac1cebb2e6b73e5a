// The match window over real replays, opened as a player opens it: from the details window's map
// picture or with Enter in the list, the real map cache of the game's maps in an install's
// archive. The bases' marks lie round their players' spots, the cursor takes them away, the
// larger map stays hidden while the window is open, and a second replay replaces the first: one
// on a map no cache holds, one cut short.
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
#include "tests/support/replay_builder.h"
#include "tests/support/shared_data.h"
#include "tests/support/temp_dir.h"
#include "ui/details/details_form.h"
#include "ui/details/map_panel.h"
#include "ui/main/replay_list_view.h"
#include "ui/match/match_form.h"
#include "ui/match/match_layout.h"

namespace fs = std::filesystem;
namespace ml = match_layout;
namespace rb = replay_builder;

namespace {

const char* const Nic = "00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep";
const char* const Golden = "Golden Replay #2.rep";
const QPoint OnThePicture(96, 49);

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

} // namespace

TEST(MatchRealWindow, BasesRoundTheirSpotsTheCursorTakesThemAwayASecondReplayReplacesThem) {
    const fs::path shared = testsupport::SharedDir() / "testdata";
    TARVEX_REQUIRE_SHARED(shared / "maps");
    testsupport::TempDir dir;
    fs::create_directories(dir / "replays");
    for (const char* file : {Nic, Golden})
        fs::copy_file(testsupport::RealReplayDir() / file, dir / "replays" / file);
    // Two humans, their orders cut inside the first one.
    rb::Settings settings;
    settings.slots = {rb::Human("Coupe", "C0A80102", 0, 2, 0, 0),
                      rb::Human("Court", "C0A80103", 1, 3, 1, 1)};
    rb::Replay cut;
    cut.settings = rb::SettingsText(settings);
    cut.bodySize = 0;
    cut.body = rb::OrderBytes(30, 1068, 2, {{6, 1}}, "abc");
    rb::WriteFile((dir / "replays" / "cut.rep").string(), rb::Bytes(cut));
    fs::create_directories(dir / "game");
    std::ostringstream cache;
    cache << std::ifstream(shared / "maps/MapCache.ini", std::ios::binary).rdbuf();
    big_builder::WriteArchive(dir / "game/MapsZH.big", {{"Maps\\MapCache.ini", cache.str()}});
    const GameInstall install{{(dir / "game").string()}, {(dir / "game/MapsZH.big").string()}, ""};

    TMainForm main(guitest::FixedFolder(dir / "replays"));
    main.move(10, 10);
    auto* details = new TMoreForm(main, [&] { return install; });
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    details->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(details));
    const auto select = [&](const std::string& file) {
        for (std::size_t i = 0; i < main.Replays.size(); ++i)
            if (main.Replays[i].file.name == file)
                main.RepList->setCurrentIndex(main.RepList->model()->index(static_cast<int>(i), 0));
        QCoreApplication::processEvents();
        details->PlayersList->viewport()->repaint();
    };
    select(Nic);
    TMatchForm& match = *details->Match;

    // The picture shows it can be clicked; resting on it shows the larger map; a click opens.
    QTest::mouseMove(details, OnThePicture);
    EXPECT_EQ(details->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(details->Panel->isVisible());
    QTest::mouseClick(details, Qt::LeftButton, {}, OnThePicture);
    ASSERT_TRUE(match.isVisible());
    EXPECT_FALSE(details->Panel->isVisible());
    QTest::mouseMove(details, OnThePicture + QPoint(1, 1));
    EXPECT_FALSE(details->Panel->isVisible()); // not while the match window is open
    EXPECT_EQ(details->cursor().shape(), Qt::PointingHandCursor);

    const MatchView& view = match.View();
    ASSERT_EQ(view.rows.size(), 2u);
    EXPECT_EQ(view.rows[0].name, QStringLiteral("Nic"));
    EXPECT_EQ(view.rows[1].name, QStringLiteral("|BOMD|2MA.S^"));
    EXPECT_TRUE(view.message.isEmpty());
    EXPECT_EQ(match.Cursor(), view.endFrame);
    EXPECT_EQ(match.MarksShown(), view.marks.size());
    // Each player's buildings of his first minute lie nearer his start disc (spot 2 for Nic, 1
    // for the other) than any other.
    const std::vector<SpotMark>& spots = details->StartMarks().spots;
    const std::size_t spotOf[] = {1, 0};
    for (const CourseMark& mark : view.marks) {
        if (mark.shape != MarkShape::Building || mark.frame > 1800) continue;
        const auto nearest = std::min_element(spots.begin(), spots.end(), [&](auto& a, auto& b) {
            return QLineF(mark.at, a.at).length() < QLineF(mark.at, b.at).length();
        });
        EXPECT_EQ(nearest->spot, static_cast<int>(spotOf[mark.row])) << mark.tip.toStdString();
    }
    // Nic's first power plant at 0m 08s, alone with his spy satellite at that time.
    const QPoint plant = OnIsland(1132.4f, 854.2f);
    match.SetCursor(248);
    EXPECT_EQ(match.MarksShown(), 2u);
    EXPECT_EQ(Tip(match, plant), QStringLiteral("Centrale électrique — Nic — 0m 08s"));
    match.SetCursor(247);
    EXPECT_EQ(match.MarksShown(), 1u);
    EXPECT_EQ(Tip(match, plant), QString());
    QTest::keyClick(&match, Qt::Key_Home);
    EXPECT_EQ(match.MarksShown(), 0u);
    // Nic's list, in time order, with his placements among them.
    ASSERT_FALSE(match.Lines().empty());
    EXPECT_TRUE(std::any_of(match.Lines().begin(), match.Lines().end(), [](const CourseLine& line) {
        return line.text.startsWith(QStringLiteral("0m 08s  posé : Centrale électrique"));
    }));
    EXPECT_TRUE(
        std::is_sorted(match.Lines().begin(), match.Lines().end(),
                       [](const CourseLine& a, const CourseLine& b) { return a.frame < b.frame; }));

    // Escape, and the larger map shows again; Enter in the list opens the match anew.
    QTest::keyClick(&match, Qt::Key_Escape);
    EXPECT_FALSE(match.isVisible());
    QTest::mouseMove(details, OnThePicture);
    EXPECT_TRUE(details->Panel->isVisible());
    select(Golden);
    QTest::keyClick(main.RepList, Qt::Key_Return);
    ASSERT_TRUE(match.isVisible());
    // Its map, a player's own, is in no cache: no marks, a line says why; the lists are there,
    // the sneak attack's tunnel among them.
    EXPECT_TRUE(match.View().marks.empty());
    EXPECT_EQ(match.View().message, UnknownPositionsLine());
    bool sneakAttack = false;
    for (std::size_t row = 0; row < match.View().rows.size(); ++row) {
        match.ChooseRow(row);
        for (const CourseLine& line : match.Lines())
            sneakAttack |=
                line.frame == 20351 && line.text.startsWith(QStringLiteral("11m 18s  lancé"));
    }
    EXPECT_TRUE(sneakAttack);
    // A second opening while it is open replaces the content where the window stands.
    match.move(match.pos() + QPoint(7, 5));
    const QPoint moved = match.pos();
    select("cut.rep");
    QTest::keyClick(main.RepList, Qt::Key_Enter);
    EXPECT_EQ(match.pos(), moved);
    EXPECT_TRUE(match.View().marks.empty());
    EXPECT_EQ(match.View().message, NoOrdersLine(NoOrders::CutFile));
}
