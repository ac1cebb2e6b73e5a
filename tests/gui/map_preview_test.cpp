// Map previews: decoding within limits, scaling into the header's cell, and keeping the last
// ones shown.
#include "ui/details/map_preview.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/gui/gui_support.h"
#include "tests/support/big_builder.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_path.h"

namespace fs = std::filesystem;

namespace {

using guitest::Tga;

std::string Plain(int width, int height, QRgb colour, bool footer = true) {
    return Tga(
        width, height, [colour](int, int) { return colour; }, footer);
}

TEST(MapPreviewDecoding, ReadsTgaWithinItsLimits) {
    const std::string good = Plain(128, 128, qRgb(200, 10, 10));
    const std::string withoutFooter = Plain(128, 96, qRgb(200, 10, 10), false);
    std::string huge = Plain(1, 1, 0);
    huge[12] = huge[13] = huge[14] = huge[15] = '\xFF'; // claims 65535 x 65535
    struct Case {
        const char* what;
        std::string bytes;
        QSize size; // empty: no picture
    };
    const Case cases[] = {
        {"a preview as the game makes them", good, QSize(128, 128)},
        {"a preview of TGA 1.0, without the footer", withoutFooter, QSize(128, 96)},
        {"a header that claims four billion pixels", huge, QSize()},
        {"all its pixels, but more than decoded", Plain(1025, 256, 0), QSize()},
        {"pixels cut short", withoutFooter.substr(0, withoutFooter.size() / 3), QSize()},
        {"no more than a header", good.substr(0, 18), QSize()},
        {"not a picture", std::string(5000, 'x'), QSize()},
        {"nothing", std::string(), QSize()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage picture = DecodePreview(c.bytes);
        if (c.size.isEmpty())
            EXPECT_TRUE(picture.isNull()) << picture.width() << "x" << picture.height();
        else
            EXPECT_EQ(picture.size(), c.size);
    }
    EXPECT_EQ(DecodePreview(good).pixel(5, 5), qRgb(200, 10, 10));
}

// Where in the cell the picture lies, by its colour, and that every other pixel is black.
QRect PictureArea(const QImage& cell) {
    QRect area;
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            if (cell.pixel(x, y) != qRgb(0, 0, 0)) area |= QRect(x, y, 1, 1);
    return area;
}

TEST(MapPreviewScaling, FitsTheCellCentredWithItsAspectAtTheScreensRatio) {
    struct Case {
        QSize picture;
        qreal dpr;
        QSize pixels;
        QRect area;
    };
    const Case cases[] = {
        {{128, 128}, 1, {48, 46}, {1, 0, 46, 46}}, {{128, 128}, 2, {96, 92}, {2, 0, 92, 92}},
        {{200, 50}, 1, {48, 46}, {0, 17, 48, 12}}, {{50, 200}, 1.5, {72, 69}, {27, 0, 17, 69}},
        {{24, 23}, 1, {48, 46}, {0, 0, 48, 46}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.picture.width() << "x" << c.picture.height() << " at " << c.dpr);
        QImage picture(c.picture, QImage::Format_RGB32);
        picture.fill(qRgb(240, 200, 40));
        const QImage cell = FitIntoCell(picture, MapCellSize, c.dpr);
        EXPECT_EQ(cell.size(), c.pixels);
        EXPECT_EQ(cell.devicePixelRatio(), c.dpr);
        EXPECT_EQ(cell.deviceIndependentSize().toSize(), MapCellSize);
        EXPECT_EQ(PictureArea(cell), c.area);
    }
}

TEST(MapPreviewScaling, ScalesSmoothly) {
    const QImage checks =
        DecodePreview(Tga(128, 128, [](int x, int y) { return (x + y) % 2 ? 0xFFFFFFu : 0u; }));
    const int grey =
        qRed(FitIntoCell(checks, MapCellSize, 1).pixel(24, 23)); // averaged, not picked
    EXPECT_GT(grey, 80);
    EXPECT_LT(grey, 175);
}

class MapPreviewsKept : public testing::Test {
protected:
    void write(const fs::path& path, const std::string& bytes) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    MapPreviews previews() {
        return MapPreviews(MapPreviewFinder(testsupport::PathUtf8(dir / "data"), [this] {
            ++installLookups;
            return GameInstall{{testsupport::PathUtf8(dir / "game")},
                               {testsupport::PathUtf8(dir / "game/MapsZH.big")},
                               ""};
        }));
    }
    testsupport::TempDir dir;
    int installLookups = 0;
};

TEST_F(MapPreviewsKept, UserAndGameMapOfOneNameEachGetTheirOwnPictureOnce) {
    write(dir / "data/Maps/Twin/Twin.tga", Plain(128, 128, qRgb(0, 0, 250)));
    fs::create_directories(dir / "game");
    big_builder::WriteArchive(dir / "game/MapsZH.big",
                              {{"Maps\\Twin\\Twin.tga", Plain(64, 64, qRgb(0, 250, 0))}});
    MapPreviews kept = previews();

    const QImage user = kept.PictureFor(TZH_map{"twin", 0, 0, true}, 1);
    const QImage game = kept.PictureFor(TZH_map{"twin", 0, 0, false}, 1);
    ASSERT_FALSE(user.isNull());
    ASSERT_FALSE(game.isNull());
    EXPECT_EQ(user.pixel(24, 23), qRgb(0, 0, 250));
    EXPECT_EQ(game.pixel(24, 23), qRgb(0, 250, 0));

    // Kept: the files are not read again, and another ratio only scales again.
    fs::remove_all(dir / "data");
    fs::remove_all(dir / "game");
    EXPECT_EQ(kept.PictureFor(TZH_map{"TWIN", 0, 0, true}, 1).cacheKey(), user.cacheKey());
    EXPECT_EQ(kept.PictureFor(TZH_map{"twin", 0, 0, false}, 2).size(), QSize(96, 92));
    EXPECT_EQ(installLookups, 1);

    // A bounded number of maps: the game's twin, shown least recently, goes first; the user's
    // stays and is not read again.
    write(dir / "data/Maps/Twin/Twin.tga", Plain(128, 128, qRgb(250, 0, 0)));
    kept.PictureFor(TZH_map{"twin", 0, 0, true}, 1);
    for (int i = 0; i < KeptMaps - 1; ++i)
        kept.PictureFor(TZH_map{"other " + std::to_string(i), 0, 0, true}, 1);
    EXPECT_EQ(kept.PictureFor(TZH_map{"twin", 0, 0, true}, 1).cacheKey(), user.cacheKey());
    EXPECT_TRUE(kept.PictureFor(TZH_map{"twin", 0, 0, false}, 1).isNull()); // its archive gone
}

} // namespace
