// The rules behind the details window, without a window: texts and places of the header and
// the rows, army icons, the map picture's file, and the panel's picture.
#include <QBuffer>
#include <QPainter>
#include <QtEndian>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "resources/pictures.h"
#include "tests/support/temp_dir.h"
#include "ui/controls/skin_picture.h"
#include "ui/details/details_layout.h"
#include "ui/details/details_painting.h"
#include "ui/details/header_texts.h"
#include "ui/details/map_picture.h"
#include "ui/details/player_rows.h"

namespace fs = std::filesystem;
namespace dl = details_layout;

namespace {

// A run-length compressed 8-bit BMP whose pixel data is only the end of the picture: a tiny
// file that Qt decodes to width x height blue pixels, however many.
QByteArray CompressedBmp(qint32 width, qint32 height) {
    QByteArray bytes = QByteArray::fromHex("424d"
                                           "3c000000"
                                           "00000000"
                                           "3a000000" // file header
                                           "28000000"
                                           "00000000"
                                           "00000000" // width, height
                                           "0100"
                                           "0800"
                                           "01000000"
                                           "02000000" // 8 bits, RLE
                                           "0000000000000000"
                                           "01000000"
                                           "00000000" // one colour
                                           "ff000000"
                                           "0001"); // blue; the end
    qToLittleEndian(width, bytes.data() + 18);
    qToLittleEndian(height, bytes.data() + 22);
    return bytes;
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

TEST(HeaderTexts, PlacesAndFlags) {
    TZH_replay replay;
    replay.map.name = "\xC9t\xE9 br\xFBlant"; // Windows-1252
    replay.version = "1.04";
    replay.duration = 125;
    replay.money = 10000;
    replay.superweaponLimit = replay.vanilla = true;
    const std::vector<PlacedText> texts = HeaderTexts(replay);
    // 0: placed by its corner; else centred on that x, rounding half the width down.
    const std::tuple<QString, int, QPoint> expected[] = {
        {QStringLiteral("Été brûlant"), 96, {0, 11}},
        {"1.04", 0, {27, 31}},
        {"2m 5s", 41, {0, 52}},
        {"$10K", 150, {0, 26}},
        {"1 SW", 0, {135, 41}},
        {"Vanilla", 0, {130, 56}}};
    ASSERT_EQ(texts.size(), std::size(expected));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto& [text, centre, at] = expected[i];
        EXPECT_EQ(texts[i].text, text);
        const int left = centre ? centre - TextCell(texts[i]).width() / 2 : at.x();
        EXPECT_EQ(texts[i].topLeft, QPoint(left, at.y())) << text.toStdString();
    }
    replay.superweaponLimit = replay.vanilla = false;
    EXPECT_EQ(HeaderTexts(replay).size(), 4u);
    EXPECT_EQ(ErrorMessageTexts(QStringLiteral("a@b.example"))[2].text,
              QStringLiteral("        a@b.example"));
}

TEST(PlayerRows, TeamPlacesAndArmiesWithoutAnIcon) {
    const QRect row(0, 56, 170, 28);
    TZH_player player;
    for (const auto& [team, text, x] : {std::tuple{-1, "n/a", 115}, {0, "1", 120}, {3, "4", 120}}) {
        player.team = static_cast<int8_t>(team);
        const std::vector<PlacedText> texts = PlayerRowTexts(player, row);
        EXPECT_EQ(texts[0].topLeft, QPoint(4, 64));
        EXPECT_EQ(texts[1].text.toStdString(), text);
        EXPECT_EQ(texts[1].topLeft, QPoint(x, 64));
    }
    // Armies 0, 2, 13, 14, 15 and random are drawn by the details window's rows.
    for (const int army : {1, -2, -3})
        EXPECT_EQ(ArmyIconIndex(army), std::nullopt) << army;
}

TEST(MapPicture, FileNamesFromMapNames) {
    const std::pair<Text, const char*> cases[] = {
        {"tournament desert", "tournamentdesert.bmp"},
        {"\xC9t\xE9", "\xC3\x89t\xC3\xA9.bmp"}, // shown as Unicode, named so too
        {"LPT", "LPT.bmp"},
        {"..\\..\\secret", nullptr},
        {"a\\b", nullptr},
        {"C:secret", nullptr},
        {"two..dots", nullptr},
        {"tab\there", nullptr},
        {"what?", nullptr},
        {"con", nullptr},
        {"Com1", nullptr},
        {"NUL.map", nullptr},
        {"   ", nullptr},
    };
    for (const auto& [map, file] : cases)
        EXPECT_EQ(MapPictureFileName(map).value_or("(refused)"), file ? file : "(refused)") << map;
}

TEST(MapPicture, FoundInTheMapsFolderWhateverTheCaseOrElseThePlaceholder) {
    testsupport::TempDir dir;
    fs::create_directories(dir / "Maps" / "folder.bmp");
    QImage picture(dl::MapPictureSize, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (const fs::path& path :
         {dir / "Maps" / "DesertBrulant.BMP", dir / "secret.bmp", dir / "Maps" / "..\\secret.bmp"})
        ASSERT_TRUE(picture.save(QString::fromStdString(path.string()), "BMP"));
    std::ofstream(dir / "Maps" / "notabmp.bmp") << "BM but nothing more";
    // The largest picture taken, and pictures whose header asks for more: refused unread,
    // though Qt would decode them.
    QImage largest(MaxMapPictureSide, MaxMapPictureSide, QImage::Format_RGB32);
    largest.fill(Qt::blue);
    ASSERT_TRUE(
        largest.save(QString::fromStdString((dir / "Maps" / "largest.bmp").string()), "BMP"));
    // The same picture in a file longer than any map picture's: not read at all.
    fs::copy_file(dir / "Maps" / "largest.bmp", dir / "Maps" / "longfile.bmp");
    fs::resize_file(dir / "Maps" / "longfile.bmp", MaxMapPictureBytes + 1);
    for (const auto& [name, width, height] :
         {std::tuple{"huge", 4000, 4000}, {"wide", 1025, 1}, {"high", 1, 1025}}) {
        const QByteArray bytes = CompressedBmp(width, height);
        ASSERT_EQ(QImage::fromData(bytes, "BMP").size(), QSize(width, height));
        std::ofstream(dir / "Maps" / (std::string(name) + ".bmp"), std::ios::binary)
            .write(bytes.data(), bytes.size());
    }
    // Stored from the top down, as a negative height says.
    QByteArray topDown;
    QBuffer buffer(&topDown);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "BMP"));
    qToLittleEndian<qint32>(-picture.height(), topDown.data() + 22);
    std::ofstream(dir / "Maps" / "topdown.bmp", std::ios::binary)
        .write(topDown.data(), topDown.size());
    std::vector<std::tuple<Text, Text, bool>> cases = {
        {dir.str(), "desert brulant", true}, {dir.str() + "/", "DESERTBRULANT", true},
        {dir.str(), "desert", false},        {dir.str(), "..\\secret", false},
        {dir.str(), "../secret", false},     {dir.str(), "folder", false},
        {dir.str(), "notabmp", false},       {"", "desert brulant", false},
        {dir.str(), "largest", true},        {dir.str(), "huge", false},
        {dir.str(), "wide", false},          {dir.str(), "high", false},
        {dir.str(), "topdown", true},        {dir.str(), "longfile", false}};
#ifndef _WIN32
    // A fifo (POSIX only) is refused without waiting for a writer.
    ASSERT_EQ(::mkfifo((dir / "Maps" / "pipe.bmp").c_str(), 0644), 0);
    cases.emplace_back(dir.str(), "pipe", false);
#endif
    for (const auto& [folder, map, found] : cases) {
        const MapPicture shown = PictureForMap(folder, map);
        EXPECT_EQ(shown.source == MapPicture::Source::File, found) << folder << " " << map;
        EXPECT_EQ(shown.image.isNull() ? QColor() : shown.image.pixelColor(10, 10),
                  found ? QColor(Qt::blue) : QColor());
    }
}

TEST(DetailsPainting, TheHeaderIsDrawnAtTheScreensPixelRatioWithinThePanel) {
    SkinPicture skin(tarvex::pictures::kDetailsSkin), noMap(tarvex::pictures::kNoMap);
    QImage cell(dl::MapPictureSize, QImage::Format_RGB32),
        largest(MaxMapPictureSide, MaxMapPictureSide, cell.format());
    cell.fill(Qt::blue);
    largest.fill(Qt::blue);
    TZH_replay longName;
    longName.map.name = Text(120, 'W');
    for (const int ratio : {1, 2}) {
        for (const auto& [replay, picture] : {std::pair{TZH_replay{}, cell}, {longName, largest}}) {
            SCOPED_TRACE(testing::Message()
                         << "ratio " << ratio << ", picture " << picture.width());
            const QImage skinOnly = SkinBackground(skin, ratio);
            QImage background = skinOnly;
            ASSERT_EQ(background.size(), dl::WindowSize * ratio);
            QPainter painter(&background);
            PaintHeader(painter, replay, {MapPicture::Source::File, picture}, noMap);
            painter.end();
            // The picture keeps its logical size and place; the panel's pixels are device pixels.
            EXPECT_EQ(background.pixelColor(72 * ratio, 26 * ratio), QColor(Qt::blue));
            EXPECT_EQ(background.pixelColor(120 * ratio - 1, 72 * ratio - 1), QColor(Qt::blue));
            if (picture.size() == cell.size()) {
                EXPECT_NE(background.pixelColor(120 * ratio, 50 * ratio), QColor(Qt::blue));
            }
            // Whatever the name and the picture, the frame around the panel stays the skin.
            const QRect panel(dl::ClearedPanel.topLeft() * ratio, dl::ClearedPanel.size() * ratio);
            for (int y = 0; y < background.height(); ++y)
                for (int x = 0; x < background.width(); ++x)
                    if (!panel.contains(x, y)) {
                        ASSERT_EQ(background.pixel(x, y), skinOnly.pixel(x, y)) << x << "," << y;
                    }
        }
    }
}
