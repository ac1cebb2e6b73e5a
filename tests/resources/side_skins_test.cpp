// The details and about windows' skins: one look, two heights. Their code draws over the black
// panel, closes on a release over the glyph and cuts the corners with a 10 x 10 outline.
#include <gtest/gtest.h>

#include <QColor>

#include "tests/resources/picture_render.h"

namespace tarvex::pictures::testing {
namespace {

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kKey = qRgb(240, 0, 255);
constexpr QRgb kGlyph = qRgb(87, 89, 92);
const QRect kGlyphBox = inclusive(174, 180, 3, 7);

struct SideSkin {
    const char* name;
    Picture picture;
    QRect panel;
};

const SideSkin kSkins[] = {
    {"details", kDetailsSkin, inclusive(11, 180, 11, 298)},
    {"about", kAboutSkin, inclusive(11, 180, 11, 109)},
};

TEST(SideSkinTest, OpaqueWithAnExactlyBlackPanelAndKeyedExactlyOutsideTheOutline) {
    for (const SideSkin& s : kSkins)
        for (int ratio : {1, 2}) {
            SCOPED_TRACE(::testing::Message() << s.name << " ratio " << ratio);
            const QImage skin = render(s.picture, ratio);
            EXPECT_EQ(translucentPixels(skin), 0);
            int wrongPanel = 0, wrongKey = 0;
            for (int y = 0; y < s.picture.height; ++y)
                for (int x = 0; x < s.picture.width; ++x) {
                    const QRgb colour = skin.pixel(x * ratio, y * ratio);
                    if (s.panel.contains(x, y) ? logicalPixel(skin, ratio, QPoint(x, y)) != kBlack
                                               : colour == kBlack)
                        ++wrongPanel;
                    if ((colour == kKey) == insideRoundedOutline(s.picture, 5.0, QPoint(x, y)))
                        ++wrongKey;
                }
            EXPECT_EQ(wrongPanel, 0);
            EXPECT_EQ(wrongKey, 0);
        }
}

TEST(SideSkinTest, CloseGlyphIsAnXInsideItsBox) {
    for (const SideSkin& s : kSkins) {
        const QImage skin = render(s.picture, 1);
        int inside = 0, stray = 0;
        for (int y = 0; y < skin.height(); ++y)
            for (int x = 0; x < skin.width(); ++x)
                if (skin.pixel(x, y) == kGlyph) ++(kGlyphBox.contains(x, y) ? inside : stray);
        EXPECT_GE(inside, 10) << s.name;
        EXPECT_EQ(stray, 0) << s.name;
        // Two crossing strokes: the four corners and the middle, but not the middle of an edge.
        for (QPoint on : {kGlyphBox.topLeft(), kGlyphBox.topRight(), kGlyphBox.bottomLeft(),
                          kGlyphBox.bottomRight(), kGlyphBox.center()})
            EXPECT_EQ(skin.pixel(on), kGlyph) << s.name << " at " << on.x() << "," << on.y();
        for (QPoint off : {QPoint(177, 3), QPoint(177, 7), QPoint(174, 5), QPoint(180, 5)})
            EXPECT_NE(skin.pixel(off), kGlyph) << s.name << " at " << off.x() << "," << off.y();
    }
}

} // namespace
} // namespace tarvex::pictures::testing
