// The pressed looks: lit, yellow-glyphed versions of the skin's buttons that must land exactly
// over them.
#include <gtest/gtest.h>

#include <QColor>

#include "tests/resources/picture_render.h"

namespace tarvex::pictures::testing {
namespace {

struct PressedCase {
    const char* button;
    Picture picture;
    QPoint shownAt; // where the window places it over the skin
    QRgb litGlyph;
    QRgb skinGlyph;
};

const PressedCase kCases[] = {
    {"close", kClosePressed, {244, 9}, qRgb(242, 206, 94), qRgb(223, 132, 59)},
    {"minimise", kMinimisePressed, {227, 9}, qRgb(242, 206, 94), qRgb(223, 132, 59)},
    {"history", kHistoryPressed, {229, 289}, qRgb(227, 178, 80), qRgb(186, 111, 50)},
    {"info", kInfoPressed, {243, 289}, qRgb(227, 178, 80), qRgb(186, 111, 50)},
};

double meanLightness(const QImage& image) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += QColor(image.pixel(x, y)).lightnessF();
    return sum / (image.width() * image.height());
}

TEST(PressedLookTest, GlyphIsLitColourAtEachRatio) {
    for (const PressedCase& c : kCases)
        for (int ratio : {1, 2}) {
            const QImage look = render(c.picture, ratio);
            EXPECT_TRUE(centroidOf(look, c.litGlyph).has_value()) << c.button << " ratio " << ratio;
            EXPECT_FALSE(centroidOf(look, c.skinGlyph).has_value())
                << c.button << " keeps the unlit orange";
        }
}

TEST(PressedLookTest, GlyphLinesUpWithTheSkinsGlyph) {
    const QImage skin = render(kMainSkin, 1);
    for (const PressedCase& c : kCases) {
        const QImage look = render(c.picture, 1);
        const QImage under = skin.copy(QRect(c.shownAt, look.size()));
        const auto lit = centroidOf(look, c.litGlyph);
        const auto unlit = centroidOf(under, c.skinGlyph);
        ASSERT_TRUE(lit && unlit) << c.button;
        EXPECT_NEAR(lit->x(), unlit->x(), 0.01) << c.button;
        EXPECT_NEAR(lit->y(), unlit->y(), 0.01) << c.button;
    }
}

TEST(PressedLookTest, IsLighterThanTheButtonItCovers) {
    const QImage skin = render(kMainSkin, 1);
    for (const PressedCase& c : kCases) {
        const QImage look = render(c.picture, 1);
        const QImage under = skin.copy(QRect(c.shownAt, look.size()));
        EXPECT_GT(meanLightness(look), meanLightness(under) + 0.03) << c.button;
    }
}

TEST(PressedLookTest, FitsBesideItsNeighbourWithoutOverlap) {
    // The window shows one look at a time, but the two at the bottom touch: each must stay
    // inside its own box so that it never paints over the other button's disc.
    for (const PressedCase& c : kCases) {
        const QImage look = render(c.picture, 1);
        EXPECT_EQ(look.size(), QSize(c.picture.width, c.picture.height)) << c.button;
        EXPECT_EQ(qAlpha(look.pixel(0, 0)), 255) << c.button << " corners match the skin's body";
        EXPECT_EQ(look.pixel(0, 0), qRgb(45, 46, 48)) << c.button;
    }
}

} // namespace
} // namespace tarvex::pictures::testing
