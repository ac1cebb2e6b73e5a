// The start spots in the details window of a real replay, from the real map cache of the
// game's official maps in an install's archive: the discs on the map picture, and the larger
// map that the pointer resting on the picture shows beside the window without taking the focus.
#include <QApplication>
#include <QListWidget>
#include <QTest>
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

namespace fs = std::filesystem;

TEST(StartSpotsWindow, FourDiscsOnTheMapPictureAndTheLargerMapUnderThePointer) {
    const fs::path shared = testsupport::SharedDir() / "testdata";
    TARVEX_REQUIRE_SHARED(shared / "maps");
    const std::string file = "00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep";
    testsupport::TempDir dir;
    fs::create_directories(dir / "replays");
    // Twice, so the selection can move from one to the other.
    for (const char* name : {"a.rep", "b.rep"})
        fs::copy_file(testsupport::RealReplayDir() / file, dir / "replays" / name);
    fs::create_directories(dir / "game");
    std::ostringstream cache;
    cache << std::ifstream(shared / "maps/MapCache.ini", std::ios::binary).rdbuf();
    big_builder::WriteArchive(dir / "game/MapsZH.big", {{"Maps\\MapCache.ini", cache.str()}});
    const GameInstall install{{(dir / "game").string()}, {(dir / "game/MapsZH.big").string()}, ""};

    TMainForm main(guitest::FixedFolder(dir / "replays"));
    main.move(50, 50); // room on the right of the details window
    auto* details = new TMoreForm(main, [&] { return install; }); // owned by the main window
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    details->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(details));
    main.RepList->setCurrentIndex(main.RepList->model()->index(0, 0));
    QCoreApplication::processEvents();
    details->PlayersList->viewport()->repaint();
    ASSERT_EQ(details->Background.devicePixelRatio(), 1.0);

    // No picture of the map: the placeholder's square, x 73 to 118, takes the map. The spots
    // of Tournament Island: the cache's Player_1_Start to Player_4_Start on an extent of 3500.
    struct Disc {
        QPoint header; // a pixel of the disc on the map picture
        QPoint panel;  // one on the larger map (clear of the spot's number)
        QColor colour;
    };
    const Disc discs[] = {
        {{85, 38}, {39, 43}, {62, 209, 46}},    // spot 1, |BOMD|2MA.S^, green
        {{86, 59}, {41, 101}, {34, 52, 254}},   // spot 2, Nic, blue
        {{105, 60}, {95, 104}, {50, 215, 230}}, // spot 3, a computer, sky blue
        {{105, 39}, {95, 44}, {221, 226, 13}},  // spot 4, a computer, gold
    };
    for (const Disc& disc : discs)
        EXPECT_EQ(details->Background.pixelColor(disc.header), disc.colour) << disc.header.x();

    const QPoint onThePicture(96, 49);
    QTest::mouseMove(details, onThePicture);
    ASSERT_TRUE(QTest::qWaitFor([&] { return details->Panel->isVisible(); }, 1000));
    EXPECT_EQ(details->Panel->pos(),
              QPoint(details->frameGeometry().right() + 3, details->frameGeometry().top() + 18));
    const QImage panel = details->Panel->grab().toImage();
    for (const Disc& disc : discs)
        EXPECT_EQ(panel.pixelColor(disc.panel), disc.colour) << disc.panel.x();
    EXPECT_EQ(QApplication::focusWidget(), main.RepList);
    EXPECT_TRUE(main.isActiveWindow());

    // Off the picture, onto the rows, gone; back on it, it stays while the selection moves
    // (the Down key) and shows the new replay's map.
    QTest::mouseMove(details->PlayersList->viewport(), QPoint(30, 10));
    EXPECT_FALSE(details->Panel->isVisible());
    QTest::mouseMove(details, onThePicture);
    EXPECT_TRUE(details->Panel->isVisible());
    QTest::mouseMove(details, QPoint(30, 40));
    EXPECT_FALSE(details->Panel->isVisible());
    QTest::mouseMove(details, onThePicture);
    EXPECT_TRUE(details->Panel->isVisible());
    QTest::keyClick(main.RepList, Qt::Key_Down);
    ASSERT_EQ(main.SelectedRow(), 1);
    EXPECT_TRUE(details->Panel->isVisible());
    EXPECT_EQ(details->Panel->grab().toImage(), panel);
    details->hide();
    EXPECT_FALSE(details->Panel->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), main.RepList);
}
