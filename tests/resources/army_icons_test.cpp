// The army icons and the map placeholder: framed tiles that fill their cells on the black list, and
// thirteen icons a player tells apart at a glance.
#include <gtest/gtest.h>

#include <QColor>
#include <cstdlib>
#include <vector>

#include "tests/resources/picture_render.h"

namespace tarvex::pictures::testing {
namespace {

std::vector<Picture> framedTiles() {
    std::vector<Picture> tiles(kArmyIcons.begin(), kArmyIcons.end());
    tiles.push_back(kNoMap);
    return tiles;
}

bool isGold(QRgb rgb) {
    const QColor c(rgb);
    return c.hslHue() >= 30 && c.hslHue() <= 55 && c.hslSaturation() > 80;
}

TEST(ArmyIconTest, EachFillsItsCellInsideAGoldFrame) {
    for (const Picture& tile : framedTiles()) {
        for (int ratio : {1, 2})
            EXPECT_EQ(translucentPixels(render(tile, ratio)), 0) << tile.path << " ratio " << ratio;
        const QImage image = render(tile, 1);
        int notGold = 0;
        for (int y = 0; y < tile.height; ++y)
            for (int x = 0; x < tile.width; ++x) {
                const bool edge = x == 0 || y == 0 || x == tile.width - 1 || y == tile.height - 1;
                if (edge && !isGold(image.pixel(x, y))) ++notGold;
            }
        EXPECT_EQ(notGold, 0) << tile.path;
    }
}

// Mean difference of the colour channels over the whole cell, 0 to 255.
double meanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

TEST(ArmyIconTest, NoTwoIconsLookAlike) {
    std::vector<QImage> icons;
    for (const Picture& icon : kArmyIcons)
        icons.push_back(render(icon, 1));
    // Generals of one army share its field and mark; their signs alone must set them apart.
    for (size_t i = 0; i < icons.size(); ++i)
        for (size_t j = i + 1; j < icons.size(); ++j)
            EXPECT_GT(meanDifference(icons[i], icons[j]), 12.0)
                << kArmyIcons[i].path << " vs " << kArmyIcons[j].path;
}

} // namespace
} // namespace tarvex::pictures::testing
