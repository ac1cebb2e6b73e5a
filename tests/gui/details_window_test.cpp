// The details window beside a real main window: what it draws for the selected replay, where
// it docks, and how it shows, hides and leaves the focus alone. Pixels are read from its
// Background picture and its player list, at places whose colours the test controls.
#include <QApplication>
#include <QCursor>
#include <QListWidget>
#include <QPainter>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "resources/pictures.h"
#include "tests/gui/gui_support.h"
#include "tests/support/big_builder.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"
#include "ui/details/details_form.h"
#include "ui/details/details_layout.h"
#include "ui/details/map_panel.h"
#include "ui/main/replay_list_view.h"

namespace fs = std::filesystem;
namespace dl = details_layout;
namespace rb = replay_builder;

namespace {

const QColor MapColour(20, 160, 90);

rb::Slot Player(int army, int team = 0) {
    return rb::Human("Joueur", "0A000001", 0, army, 0, team);
}

// A picture as the window draws it over black: army icons and the map placeholder.
QImage OnBlack(const tarvex::pictures::Picture& entry) {
    QImage image(entry.width, entry.height, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter(&image).drawPixmap(0, 0, SkinPicture(entry).pixmap(1));
    return image;
}

class DetailsWindow : public ::testing::Test {
protected:
    void write(const std::string& file, const std::string& map, std::vector<rb::Slot> slots) {
        rb::Settings settings;
        settings.mapPath = "maps/" + map;
        settings.slots = std::move(slots);
        rb::Replay replay;
        replay.settings = rb::SettingsText(settings);
        rb::WriteFile((dir_ / file).string(), rb::Bytes(replay));
    }
    void writeMapPicture(const std::string& file, const QColor& colour) {
        fs::create_directories(dir_ / "maps");
        QImage image(dl::MapPictureSize, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(QString::fromStdString((dir_ / "maps" / file).string()), "BMP"));
    }
    // Both windows over the folder, the details window shown when asked (at ratio 1).
    void open(bool show = true) {
        main_ = std::make_unique<TMainForm>(guitest::FixedFolder(dir_.path()));
        // The machine's own installation of the game stays out of the tests.
        details_ = new TMoreForm(*main_, [this] { return ++installLookups_, install_; });
        main_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main_.get()));
        if (show) details_->show();
        ASSERT_EQ(details_->Background.devicePixelRatio(), 1.0);
    }
    QModelIndex indexOf(const std::string& file) {
        int row = 0;
        while (main_->Replays.at(static_cast<std::size_t>(row)).file.name != file)
            ++row;
        return main_->RepList->model()->index(row, 0);
    }
    // Selects, then lets the shown window lay out and draw its rows.
    void select(const std::string& file) {
        main_->RepList->setCurrentIndex(indexOf(file));
        QCoreApplication::processEvents();
        details_->PlayersList->viewport()->repaint();
    }
    QColor at(int x, int y) { return details_->Background.pixelColor(x, y); }
    bool anyOrange(const QRect& area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (at(x, y) == dl::Orange) return true;
        return false;
    }

    testsupport::TempDir dir_;
    GameInstall install_;
    int installLookups_ = 0;
    std::unique_ptr<TMainForm> main_;
    TMoreForm* details_ = nullptr; // owned by the main window
};

} // namespace

TEST_F(DetailsWindow, AHiddenToolWindowRefreshedThenDockedAndShownByADoubleClick) {
    writeMapPicture("first.bmp", Qt::red);
    writeMapPicture("second.bmp", MapColour);
    write("1.rep", "first", {Player(2)});
    write("2.rep", "second", {Player(3)});
    open(false);
    EXPECT_FALSE(details_->isVisible());
    EXPECT_EQ(details_->windowType(), Qt::Tool);
    EXPECT_EQ(details_->parentWidget(), main_.get());
    EXPECT_TRUE(
        details_->windowFlags().testFlags(Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus));
    EXPECT_EQ(details_->windowTitle(), QStringLiteral("MoreForm"));
    EXPECT_EQ(details_->size(), dl::WindowSize);
    EXPECT_FALSE(details_->mask().contains(QPoint(191, 0)));
    EXPECT_TRUE(details_->mask().contains(QPoint(5, 0)));
    // Selections made while it is hidden look nothing up, not even the game's install.
    select("2.rep");
    select("1.rep");
    EXPECT_EQ(installLookups_, 0);
    details_->show();
    select("1.rep");
    ASSERT_EQ(at(90, 40), QColor(Qt::red));
    EXPECT_EQ(installLookups_, 1);
    details_->hide();
    select("2.rep");
    // Nor is anything drawn: the old header stays till the window shows.
    EXPECT_EQ(at(90, 40), QColor(Qt::red));

    main_->move(100, 60);
    QWidget* viewport = main_->RepList->viewport();
    const QPoint row = main_->RepList->visualRect(indexOf("2.rep")).center();
    QCursor::setPos(viewport->mapToGlobal(row));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QCursor::pos() == viewport->mapToGlobal(row); }));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, row);
    ASSERT_TRUE(details_->isVisible());
    EXPECT_EQ(details_->pos(), QPoint(100 + 280 - 3, 60));
    EXPECT_TRUE(QTest::qWaitFor([&] { return at(90, 40) == MapColour; }));
    EXPECT_EQ(QApplication::focusWidget(), main_->RepList);
    EXPECT_FALSE(details_->isActiveWindow());

    // Minimising the main window takes the details window along, and back.
    main_->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(details_->isVisible());
    main_->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(details_->isVisible());
}

TEST_F(DetailsWindow, RowsForThePlayersInOrderWithTheirIcons) {
    constexpr int Observer = -2;
    write("mix.rep", "m",
          {Player(Observer), Player(0), Player(Observer), Player(2, -1), Player(-1), Player(14),
           Player(15), Player(13)});
    open();
    select("mix.rep");
    const std::pair<int, int> rows[] = {{1, -1}, {3, 0}, {4, 12}, {5, 12}, {6, -1}, {7, 11}};
    ASSERT_EQ(details_->PlayersList->count(), static_cast<int>(std::size(rows)));
    const QImage drawn = details_->PlayersList->viewport()->grab().toImage();
    for (int row = 0; row < details_->PlayersList->count(); ++row) {
        const auto [player, icon] = rows[row];
        EXPECT_EQ(details_->PlayersList->item(row)->text().toInt(), player);
        QImage expected(dl::ArmyIconSize, QImage::Format_RGB32);
        expected.fill(Qt::black);
        if (icon >= 0)
            expected = OnBlack(tarvex::pictures::kArmyIcons[static_cast<std::size_t>(icon)]);
        const QRect cell(QPoint(138, row * dl::PlayerRowHeight + 1), dl::ArmyIconSize);
        EXPECT_EQ(drawn.copy(cell).convertToFormat(QImage::Format_RGB32), expected) << row;
    }
}

TEST_F(DetailsWindow, SwitchingReplaysRedrawsThePanel) {
    writeMapPicture("m.bmp", MapColour);
    std::ofstream(dir_ / "maps" / "broken.bmp") << "BM and no picture";
    write("valid.rep", "m", {Player(2)});
    write("broken picture.rep", "broken", {Player(2)});
    write("observers.rep", "m", {Player(-2)});
    rb::WriteFile((dir_ / "broken.rep").string(), "pas un replay");
    open();
    const QImage placeholder = OnBlack(tarvex::pictures::kNoMap);
    for (const std::string file :
         {"valid.rep", "broken.rep", "valid.rep", "broken picture.rep", "observers.rep"}) {
        SCOPED_TRACE(file);
        select(file);
        EXPECT_EQ(details_->PlayersList->isVisible(), file != "broken.rep");
        EXPECT_EQ(at(90, 40) == MapColour, file == "valid.rep");
        EXPECT_EQ(details_->Background.copy(QRect(dl::MapPictureAt, dl::MapPictureSize)) ==
                      placeholder,
                  file == "broken picture.rep");
        // The money is drawn with or without the map picture; only the error message's
        // first line reaches right of the picture lower down.
        EXPECT_EQ(anyOrange(QRect(121, 26, 59, 9)),
                  file == "valid.rep" || file == "broken picture.rep");
        EXPECT_EQ(anyOrange(QRect(121, 40, 50, 9)), file == "broken.rep");
    }
    // Nobody to show: no row, so no header either.
    QImage black(dl::ClearedPanel.size(), details_->Background.format());
    black.fill(Qt::black);
    EXPECT_EQ(details_->Background.copy(dl::ClearedPanel), black);
}

TEST_F(DetailsWindow, TheMapsPictureFileThenTheGamesPreviewThenThePlaceholder) {
    const fs::path game = dir_ / "game";
    fs::create_directories(game);
    const std::string preview = guitest::Tga(128, 128, [](int, int) { return qRgb(30, 60, 220); });
    big_builder::WriteArchive(game / "MapsZH.big", {{"Maps\\Alpha\\Alpha.tga", preview},
                                                    {"Maps\\Both\\Both.tga", preview}});
    install_ = {{game.string()}, {(game / "MapsZH.big").string()}, ""};
    writeMapPicture("both.bmp", MapColour);
    write("alpha.rep", "alpha", {Player(2)});
    write("both.rep", "both", {Player(2)});
    write("none.rep", "none", {Player(2)});
    open();
    // The install is looked for at the selection, before any paint.
    main_->RepList->setCurrentIndex(indexOf("alpha.rep"));
    EXPECT_EQ(installLookups_, 1);
    const QImage placeholder = OnBlack(tarvex::pictures::kNoMap);
    // The pointer rests on the picture while the selection moves.
    QTest::mouseMove(details_, dl::MapPictureAt + QPoint(20, 23));
    for (const std::string file : {"alpha.rep", "both.rep", "none.rep", "alpha.rep"}) {
        SCOPED_TRACE(file);
        select(file);
        const QImage cell = details_->Background.copy(QRect(dl::MapPictureAt, dl::MapPictureSize));
        const QColor shown = file == "alpha.rep"  ? QColor(30, 60, 220)
                             : file == "both.rep" ? MapColour
                                                  : placeholder.pixelColor(24, 23);
        EXPECT_EQ(cell.pixelColor(24, 23), shown);
        EXPECT_EQ(cell == placeholder, file == "none.rep");
        // The larger map under the pointer is the same picture; there is none without one.
        ASSERT_EQ(details_->Panel->isVisible(), file != "none.rep");
        if (file != "none.rep") {
            EXPECT_EQ(details_->Panel->grab().toImage().pixelColor(72, 72), shown);
        }
    }
    // The square preview fills the cell's height, centred: a black column on either side.
    select("alpha.rep");
    EXPECT_EQ(at(72, 40), QColor(Qt::black));
    EXPECT_EQ(at(73, 40), QColor(30, 60, 220));
    EXPECT_EQ(at(119, 40), QColor(Qt::black));
}

TEST_F(DetailsWindow, ReleasesOnTheCloseGlyphHideIt) {
    open();
    const std::tuple<QPoint, Qt::MouseButton, bool> cases[] = {{{172, 3}, Qt::LeftButton, true},
                                                               {{180, 7}, Qt::RightButton, true},
                                                               {{176, 5}, Qt::MiddleButton, true},
                                                               {{171, 5}, Qt::LeftButton, false},
                                                               {{176, 8}, Qt::LeftButton, false}};
    for (const auto& [point, button, hides] : cases) {
        details_->show();
        QTest::mouseRelease(details_, button, {}, point);
        EXPECT_EQ(details_->isVisible(), !hides) << point.x() << "," << point.y();
    }
}
