// The details window beside a real main window: what it draws for the selected replay, where
// it docks, and how it shows, hides and leaves the focus alone. Pixels are read from its
// Background picture and its player list, at places whose colours the test controls.
#include <QApplication>
#include <QCursor>
#include <QListWidget>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "details_form.h"
#include "details_layout.h"
#include "gui_support.h"
#include "pictures.h"
#include "replay_list_view.h"
#include "temp_dir.h"
#include "tools/replay_builder.h"

namespace fs = std::filesystem;
namespace dl = details_layout;
namespace rb = replay_builder;

namespace {

const QColor MapColour(20, 160, 90);
constexpr int Observer = -2;

bool IsOrange(const QColor& c) {
    return std::abs(c.red() - 223) < 12 && std::abs(c.green() - 132) < 12 &&
           std::abs(c.blue() - 59) < 12;
}

// `picture` drawn over black, the way the window draws its icons and placeholder.
QImage OnBlack(const tarvex::pictures::Picture& entry, qreal ratio) {
    SkinPicture picture(entry);
    QImage image(QSize(entry.width, entry.height) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    QPainter(&image).drawPixmap(0, 0, picture.pixmap(ratio));
    return image;
}

class DetailsWindow : public ::testing::Test {
protected:
    void write(const std::string& file, const std::string& map, std::vector<rb::Slot> slots,
               bool flags = false) {
        rb::Settings settings;
        settings.mapPath = "maps/" + map;
        settings.slots = std::move(slots);
        settings.superweaponLimit = settings.originalArmiesOnly = flags;
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
    void open() {
        main_ = std::make_unique<TMainForm>(guitest::FixedFolder(dir_.path()));
        details_ = new TMoreForm(*main_);
        main_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main_.get()));
    }
    int rowOf(const std::string& file) {
        for (std::size_t i = 0; i < main_->Replays.size(); ++i)
            if (main_->Replays[i].file.name == file) return static_cast<int>(i);
        ADD_FAILURE() << "no row for " << file;
        return 0;
    }
    QModelIndex indexOf(const std::string& file) {
        return main_->RepList->model()->index(rowOf(file), 0);
    }
    void select(const std::string& file) { main_->RepList->setCurrentIndex(indexOf(file)); }
    void showDetails() {
        details_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(details_));
    }
    // Selects, then lets the shown window lay out and draw its rows.
    void showSelected(const std::string& file) {
        select(file);
        QCoreApplication::processEvents();
        details_->PlayersList->viewport()->repaint();
    }
    QColor background(int x, int y) {
        return details_->Background.pixelColor(QPoint(x, y) *
                                               details_->Background.devicePixelRatio());
    }
    bool anyOrange(const QRect& area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (IsOrange(background(x, y))) return true;
        return false;
    }
    bool allBlack(const QImage& image, const QRect& area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (image.pixelColor(x, y) != QColor(Qt::black)) return false;
        return true;
    }
    QImage mapCell() {
        const qreal ratio = details_->Background.devicePixelRatio();
        return details_->Background.copy(
            QRect(dl::MapPictureAt * ratio, dl::MapPictureSize * ratio));
    }

    testsupport::TempDir dir_;
    std::unique_ptr<TMainForm> main_;
    TMoreForm* details_ = nullptr; // owned by the main window
};

} // namespace

TEST_F(DetailsWindow, AHiddenToolWindowThatNeverTakesTheFocus) {
    write("a.rep", "desert", {rb::Human("Alpha", "0A000001", 0, 2, 0, 0)});
    open();
    EXPECT_FALSE(details_->isVisible());
    EXPECT_EQ(details_->windowType(), Qt::Tool);
    EXPECT_EQ(details_->parentWidget(), main_.get());
    for (const Qt::WindowType flag : {Qt::FramelessWindowHint, Qt::WindowDoesNotAcceptFocus})
        EXPECT_TRUE(details_->windowFlags().testFlag(flag));
    EXPECT_EQ(details_->windowTitle(), QStringLiteral("MoreForm"));
    EXPECT_EQ(details_->size(), dl::WindowSize);
    EXPECT_EQ(details_->PlayersList->geometry(), dl::PlayersListRect);
    const QRegion mask = details_->mask();
    for (const QPoint p : {QPoint(0, 0), QPoint(191, 0), QPoint(0, 309), QPoint(191, 309)})
        EXPECT_FALSE(mask.contains(p));
    for (const QPoint p : {QPoint(5, 0), QPoint(0, 5), QPoint(2, 2), QPoint(186, 307)})
        EXPECT_TRUE(mask.contains(p));
}

TEST_F(DetailsWindow, RefreshedWhileHiddenThenDockedAndShownByADoubleClick) {
    writeMapPicture("first.bmp", Qt::red);
    writeMapPicture("second.bmp", MapColour);
    write("1.rep", "first", {rb::Human("Alpha", "0A000001", 0, 2, 0, 0)});
    write("2.rep", "second", {rb::Human("Bravo", "0A000002", 0, 3, 0, 0)});
    open();
    showDetails();
    showSelected("1.rep");
    ASSERT_EQ(background(90, 40), QColor(Qt::red));
    details_->hide();
    select("2.rep");
    // The old header is gone; the new one comes when the rows are drawn.
    EXPECT_EQ(background(90, 40), QColor(Qt::black));
    EXPECT_EQ(details_->PlayersList->count(), 1);

    main_->move(100, 60);
    const QPoint row = main_->RepList->visualRect(indexOf("2.rep")).center();
    QWidget* viewport = main_->RepList->viewport();
    QCursor::setPos(viewport->mapToGlobal(row));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QCursor::pos() == viewport->mapToGlobal(row); }));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, row);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(details_));
    EXPECT_EQ(details_->pos(), QPoint(100 + 280 - 3, 60));
    EXPECT_TRUE(QTest::qWaitFor([&] { return background(90, 40) == MapColour; }));
    EXPECT_EQ(QApplication::focusWidget(), main_->RepList);
    EXPECT_FALSE(details_->isActiveWindow());

    // Minimising the main window takes the details window along, and back.
    main_->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(details_->isVisible());
    main_->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(details_->isVisible());
}

TEST_F(DetailsWindow, MapPictureOrPlaceholderAndTheRestOfTheHeader) {
    writeMapPicture("DesertBrulant.bmp", MapColour);
    writeMapPicture("upper.BMP", MapColour);
    writeMapPicture("..\\secret.bmp", MapColour);
    QImage(dl::MapPictureSize, QImage::Format_RGB32)
        .save(QString::fromStdString((dir_ / "secret.bmp").string()), "BMP");
    std::ofstream(dir_ / "maps" / "broken.bmp") << "BM and no picture";
    struct Case {
        const char* map;
        bool found;
    };
    const Case cases[] = {{"desert brulant", true},
                          {"UPPER", true},
                          {"missing", false},
                          {"broken", false},
                          {"..\\secret", false}};
    for (std::size_t i = 0; i < std::size(cases); ++i)
        write(std::to_string(i) + ".rep", cases[i].map,
              {rb::Human("Alpha", "0A000001", 0, 2, 0, 0)}, true);
    open();
    showDetails();
    const QImage placeholder =
        OnBlack(tarvex::pictures::kNoMap, details_->Background.devicePixelRatio());
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].map);
        showSelected(std::to_string(i) + ".rep");
        const QImage cell = mapCell();
        if (cases[i].found) {
            EXPECT_EQ(cell.pixelColor(0, 0), MapColour);
            EXPECT_EQ(cell.pixelColor(cell.width() - 1, cell.height() - 1), MapColour);
        } else {
            EXPECT_EQ(cell.convertToFormat(QImage::Format_RGB32), placeholder);
        }
        // Map name, version, length, money and both flags.
        for (const QRect area :
             {QRect(11, 11, 170, 14), QRect(27, 31, 40, 14), QRect(11, 52, 60, 14),
              QRect(121, 26, 59, 14), QRect(135, 41, 40, 14), QRect(130, 56, 50, 14)})
            EXPECT_TRUE(anyOrange(area)) << area.x() << "," << area.y();
    }
}

TEST_F(DetailsWindow, OneRowPerPlayerWithTheRightParticipantAndIcon) {
    // Name lengths tell the rows apart; the observers come first and in between.
    write("mix.rep", "m",
          {rb::Human("Ob", "0A000001", 0, Observer, 0, -1), rb::Human("W", "0A000002", 1, 2, 1, -1),
           rb::Human("WWWWWWWW", "0A000003", 2, 0, 2, 1),
           rb::Human("Ob2", "0A000004", 3, Observer, 3, -1),
           rb::Human("WW", "0A000005", 4, -1, 4, 0), rb::Human("WWWW", "0A000006", 5, 14, 5, 0),
           rb::Human("WWW", "0A000007", 6, 15, 6, 0),
           rb::Human("WWWWWW", "0A000008", 7, 13, 7, 0)});
    open();
    showDetails();
    showSelected("mix.rep");
    ASSERT_EQ(details_->PlayersList->count(), 6);
    const QImage rows = details_->PlayersList->viewport()->grab().toImage();
    const qreal ratio = rows.devicePixelRatio();
    const auto lastLitColumn = [&](const QRect& area) {
        int last = -1;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (rows.pixelColor(QPoint(x, y) * ratio) != QColor(Qt::black))
                    last = std::max(last, x);
        return last;
    };
    struct Expected {
        int player, nameLength, icon; // icon -1: none
        bool team;
    };
    const Expected expected[] = {{1, 1, 0, false}, {2, 8, -1, true}, {4, 2, 12, true},
                                 {5, 4, 12, true}, {6, 3, -1, true}, {7, 6, 11, true}};
    int previousNameEnd = 0;
    for (int row = 0; row < 6; ++row) {
        const Expected& e = expected[row];
        SCOPED_TRACE(row);
        EXPECT_EQ(details_->PlayersList->item(row)->text().toInt(), e.player);
        const int top = row * dl::PlayerRowHeight;
        const QRect icon(QPoint(138, top + 1), dl::ArmyIconSize);
        const QImage drawn = rows.copy(QRect(icon.topLeft() * ratio, icon.size() * ratio));
        if (e.icon < 0)
            EXPECT_TRUE(allBlack(drawn, drawn.rect()));
        else
            EXPECT_EQ(
                drawn.convertToFormat(QImage::Format_RGB32),
                OnBlack(tarvex::pictures::kArmyIcons[static_cast<std::size_t>(e.icon)], ratio));
        // Longer names reach further right; "n/a" starts five pixels left of a team number.
        const int nameEnd = lastLitColumn(QRect(0, top + 8, 110, 13));
        if (row > 0) {
            EXPECT_EQ(nameEnd > previousNameEnd, e.nameLength > expected[row - 1].nameLength);
        }
        previousNameEnd = nameEnd;
        const QRect left(110, top + 8, 8, 13);
        EXPECT_EQ(lastLitColumn(left) >= 0, !e.team);
    }
}

TEST_F(DetailsWindow, ValidInvalidValidAndNothingToShow) {
    writeMapPicture("m.bmp", MapColour);
    write("valid.rep", "m", {rb::Human("Alpha", "0A000001", 0, 2, 0, 0)});
    write("observers.rep", "m", {rb::Human("Ob", "0A000001", 0, Observer, 0, -1)});
    rb::WriteFile((dir_ / "broken.rep").string(), "pas un replay");
    open();
    showDetails();
    for (const char* file : {"valid.rep", "broken.rep", "valid.rep", "observers.rep"}) {
        SCOPED_TRACE(file);
        showSelected(file);
        const std::string name = file;
        EXPECT_EQ(details_->PlayersList->isVisible(), name != "broken.rep");
        EXPECT_EQ(background(90, 40) == MapColour, name == "valid.rep");
        // Where only the error message's first line reaches, right of the map picture.
        EXPECT_EQ(anyOrange(QRect(121, 40, 50, 9)), name == "broken.rep");
        if (name == "observers.rep") {
            EXPECT_EQ(details_->PlayersList->count(), 0);
            EXPECT_TRUE(allBlack(details_->Background, dl::ClearedPanel));
        }
    }
}

TEST_F(DetailsWindow, ReleasesOnTheCloseGlyphHideIt) {
    write("a.rep", "m", {rb::Human("Alpha", "0A000001", 0, 2, 0, 0)});
    open();
    struct Case {
        QPoint at;
        Qt::MouseButton button;
        bool hides;
    };
    for (const Case c :
         {Case{{172, 3}, Qt::LeftButton, true}, Case{{180, 7}, Qt::RightButton, true},
          Case{{176, 5}, Qt::MiddleButton, true}, Case{{171, 5}, Qt::LeftButton, false},
          Case{{176, 8}, Qt::LeftButton, false}}) {
        showDetails();
        QTest::mouseRelease(details_, c.button, {}, c.at);
        EXPECT_EQ(details_->isVisible(), !c.hides) << c.at.x() << "," << c.at.y();
    }
}
