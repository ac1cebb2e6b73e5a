// The rules behind the details window, without a window: texts and places of the header and
// the rows, army icons, the map picture and the panel's picture.
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "details_layout.h"
#include "details_painting.h"
#include "fonts.h"
#include "header_texts.h"
#include "map_picture.h"
#include "pictures.h"
#include "player_rows.h"
#include "temp_dir.h"
#include "ui/controls/skin_picture.h"

namespace fs = std::filesystem;
namespace dl = details_layout;

namespace {

void WriteBmp(const fs::path& path, const QColor& colour) {
    fs::create_directories(path.parent_path());
    QImage image(dl::MapPictureSize, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "BMP"));
}

TZH_player Player(const char* name, int army, int team) {
    TZH_player player;
    player.name = name;
    player.army = static_cast<int8_t>(army);
    player.team = static_cast<int8_t>(team);
    return player;
}

} // namespace

TEST(HeaderTexts, LengthInMinutesAndSecondsMoneyInThousands) {
    struct Case {
        int32_t value;
        const char* length;
        const char* money;
    };
    for (const Case c : {Case{0, "0s", "$0K"}, Case{59, "59s", "$0K"}, Case{60, "1m 0s", "$0K"},
                         Case{125, "2m 5s", "$0K"}, Case{999, "16m 39s", "$0K"},
                         Case{10000, "166m 40s", "$10K"}, Case{-1999, "-19s", "$-1K"}}) {
        EXPECT_EQ(DurationText(c.value).toStdString(), c.length) << c.value;
        EXPECT_EQ(MoneyText(c.value).toStdString(), c.money) << c.value;
    }
}

TEST(HeaderTexts, PlacesCentresAndFlags) {
    TZH_replay replay;
    replay.map.name = "Tournament Desert";
    replay.version = "1.04";
    replay.duration = 125;
    replay.money = 10000;
    for (const bool flags : {false, true}) {
        replay.superweaponLimit = replay.vanilla = flags;
        const std::vector<PlacedText> texts = HeaderTexts(replay);
        ASSERT_EQ(texts.size(), flags ? 6u : 4u);
        struct Expected {
            const char* text;
            int centre; // 0: placed by its corner
            QPoint at;
        };
        const Expected expected[] = {{"Tournament Desert", 96, {0, 11}},
                                     {"1.04", 0, {27, 31}},
                                     {"2m 5s", 41, {0, 52}},
                                     {"$10K", 150, {0, 26}},
                                     {"1 SW", 0, {135, 41}},
                                     {"Vanilla", 0, {130, 56}}};
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const PlacedText& t = texts[i];
            SCOPED_TRACE(expected[i].text);
            EXPECT_EQ(t.text.toStdString(), expected[i].text);
            EXPECT_EQ(t.colour, dl::Orange);
            EXPECT_EQ(t.font, i == 0 ? ArialFont(11, true) : ArialBlackFont(11));
            if (expected[i].centre == 0) {
                EXPECT_EQ(t.topLeft, expected[i].at);
            } else {
                // The left edge is the centre less half the width, rounded down.
                const int width = TextCell(t).width();
                EXPECT_EQ(t.topLeft.x(), expected[i].centre - width / 2);
                EXPECT_EQ(t.topLeft.y(), expected[i].at.y());
            }
        }
    }
    EXPECT_EQ(CentredLeft(96, 11), 91);
    EXPECT_EQ(CentredLeft(96, 10), 91);
}

TEST(HeaderTexts, NamesShowAsUnicodeFromUtf8OrWindows1252) {
    TZH_replay replay;
    for (const char* name : {"\xC3\x89t\xC3\xA9 br\xC3\xBBlant", "\xC9t\xE9 br\xFBlant"}) {
        replay.map.name = name;
        EXPECT_EQ(HeaderTexts(replay).front().text, QStringLiteral("Été brûlant"));
        EXPECT_EQ(PlayerRowTexts(Player(name, 2, 0), QRect(0, 0, 170, 28)).front().text,
                  QStringLiteral("Été brûlant"));
    }
}

TEST(HeaderTexts, ErrorMessageNamesTheContactAddress) {
    const std::vector<PlacedText> lines = ErrorMessageTexts(QStringLiteral("a@b.example"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].colour, dl::Orange);
    EXPECT_EQ(lines[1].colour, dl::Grey);
    EXPECT_EQ(lines[2].text, QStringLiteral("        a@b.example"));
    EXPECT_EQ(lines[2].topLeft, QPoint(15, 75));
}

TEST(PlayerRows, ObserversGetNoRow) {
    TZH_replay replay;
    EXPECT_TRUE(PlayerRowIndices(replay).empty());
    replay.players = {Player("o", -2, -1), Player("a", 2, 0), Player("o", -2, -1),
                      Player("b", -1, 1), Player("c", 0, 1)};
    EXPECT_EQ(PlayerRowIndices(replay), (std::vector<int>{1, 3, 4}));
}

TEST(PlayerRows, TeamTextAndPlaces) {
    const QRect row(0, 56, 170, 28);
    struct Case {
        int team;
        const char* text;
        int x;
    };
    for (const Case c : {Case{-1, "n/a", 115}, Case{0, "1", 120}, Case{3, "4", 120}}) {
        const std::vector<PlacedText> texts = PlayerRowTexts(Player("Kestrel", 2, c.team), row);
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].topLeft, QPoint(4, 64));
        EXPECT_EQ(texts[1].text.toStdString(), c.text);
        EXPECT_EQ(texts[1].topLeft, QPoint(c.x, 64));
    }
    EXPECT_EQ(ArmyIconAt(row), QPoint(138, 57));
}

TEST(PlayerRows, ArmyIcons) {
    struct Case {
        int army;
        int icon; // -1: none
    };
    for (const Case c : {Case{2, 0}, Case{13, 11}, Case{-1, 12}, Case{14, 12}, Case{0, -1},
                         Case{1, -1}, Case{15, -1}, Case{-3, -1}, Case{-2, -1}})
        EXPECT_EQ(ArmyIconIndex(c.army).value_or(-1), c.icon) << c.army;
}

TEST(MapPicture, FileNamesFromMapNames) {
    struct Case {
        Text map;
        const char* file; // nullptr: refused
    };
    const Case cases[] = {
        {"tournament desert", "tournamentdesert.bmp"},
        {" A b ", "Ab.bmp"},
        {"\xC9t\xE9", "\xC3\x89t\xC3\xA9.bmp"},
        {"LPT", "LPT.bmp"},
        {"console", "console.bmp"},
        {"..\\..\\secret", nullptr},
        {"a\\b", nullptr},
        {"a/b", nullptr},
        {"C:secret", nullptr},
        {"two..dots", nullptr},
        {"tab\there", nullptr},
        {"what?", nullptr},
        {"con", nullptr},
        {"Com1", nullptr},
        {"NUL.map", nullptr},
        {"", nullptr},
        {"   ", nullptr},
    };
    for (const Case& c : cases) {
        const auto file = MapPictureFileName(c.map);
        EXPECT_EQ(file.value_or("(refused)"), c.file ? c.file : "(refused)") << c.map;
    }
}

TEST(MapPicture, FoundInTheMapsFolderWhateverTheCaseOrElseThePlaceholder) {
    testsupport::TempDir dir;
    WriteBmp(dir / "Maps" / "DesertBrulant.BMP", Qt::blue);
    WriteBmp(dir / "secret.bmp", Qt::red);
    WriteBmp(dir / "Maps" / "..\\secret.bmp", Qt::red);
    fs::create_directories(dir / "Maps" / "folder.bmp");
    std::ofstream(dir / "Maps" / "notabmp.bmp") << "BM but nothing more";
    ASSERT_EQ(::mkfifo((dir / "Maps" / "pipe.bmp").c_str(), 0644), 0);
    struct Case {
        Text folder;
        Text map;
        bool found;
    };
    const Case cases[] = {
        {dir.str(), "desert brulant", true},
        {dir.str() + "/", "DESERTBRULANT", true},
        {dir.str(), "desert", false},
        {dir.str(), "..\\secret", false},
        {dir.str(), "../secret", false},
        {dir.str(), "folder", false},
        {dir.str(), "notabmp", false},
        {dir.str(), "pipe", false}, // and it does not wait for a writer
        {"", "desert brulant", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder + " " + c.map);
        const MapPicture picture = PictureForMap(c.folder, c.map);
        if (c.found) {
            ASSERT_EQ(picture.source, MapPicture::Source::File);
            EXPECT_EQ(picture.image.size(), dl::MapPictureSize);
            EXPECT_EQ(picture.image.pixelColor(10, 10), QColor(Qt::blue));
        } else {
            EXPECT_EQ(picture.source, MapPicture::Source::Placeholder);
            EXPECT_TRUE(picture.image.isNull());
        }
    }
}

TEST(DetailsPainting, TheHeaderIsDrawnAtTheScreensPixelRatio) {
    SkinPicture skin(tarvex::pictures::kDetailsSkin);
    SkinPicture noMap(tarvex::pictures::kNoMap);
    TZH_replay replay;
    replay.map.name = "Tournament Desert";
    QImage cell(dl::MapPictureSize, QImage::Format_RGB32);
    cell.fill(Qt::blue);
    for (const qreal ratio : {1.0, 2.0}) {
        QImage background = SkinBackground(skin, ratio);
        EXPECT_EQ(background.size(), dl::WindowSize * ratio);
        {
            QPainter painter(&background);
            ClearPanel(painter);
            PaintHeader(painter, replay, {MapPicture::Source::File, cell}, noMap);
        }
        const auto at = [&](int x, int y) { return background.pixelColor(QPoint(x, y) * ratio); };
        // The picture fills its cell and no more, at its own logical size.
        EXPECT_EQ(at(72, 26), QColor(Qt::blue));
        EXPECT_EQ(at(119, 71), QColor(Qt::blue));
        EXPECT_EQ(at(71, 50), QColor(Qt::black));
        EXPECT_EQ(at(120, 50), QColor(Qt::black));
        // The map name is drawn in device pixels, not as a picture of logical pixels
        // enlarged: at ratio 2 some 2 × 2 block of the title is not of one colour.
        bool orange = false, finerThanLogicalPixels = false;
        for (int y = 11; y < 25; ++y)
            for (int x = 11; x < 181; ++x) {
                const QRect block(QPoint(x, y) * ratio, QSize(1, 1) * ratio);
                orange = orange || background.pixelColor(block.topLeft()) == dl::Orange;
                finerThanLogicalPixels =
                    finerThanLogicalPixels || background.pixelColor(block.topLeft()) !=
                                                  background.pixelColor(block.bottomRight());
            }
        EXPECT_TRUE(orange);
        EXPECT_EQ(finerThanLogicalPixels, ratio > 1);
    }
}
