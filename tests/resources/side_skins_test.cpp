// The details and about windows' skins: one look, two heights. Their code draws over the black
// panel, closes on a release over the glyph and cuts the corners with a 10 x 10 outline.
#include <gtest/gtest.h>

#include <QColor>

#include "picture_render.h"

namespace tarvex::pictures::testing {
namespace {

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kKey = qRgb(240, 0, 255);
constexpr QRgb kRim = qRgb(24, 25, 26);       // the outer edge
constexpr QRgb kFace = qRgb(45, 46, 48);      // eight pixels in
constexpr QRgb kLip = qRgb(33, 34, 36);       // next to the panel
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

TEST(SideSkinTest, PanelIsExactlyBlackAndNothingElseIs) {
  for (const SideSkin& s : kSkins)
    for (int ratio : {1, 2}) {
      const QImage skin = render(s.picture, ratio);
      int wrong = 0;
      for (int y = 0; y < s.picture.height; ++y)
        for (int x = 0; x < s.picture.width; ++x) {
          const bool inPanel = s.panel.contains(x, y);
          const auto colour = logicalPixel(skin, ratio, QPoint(x, y));
          if (inPanel ? colour != kBlack : skin.pixel(x * ratio, y * ratio) == kBlack) ++wrong;
        }
      EXPECT_EQ(wrong, 0) << s.name << " ratio " << ratio;
    }
}

TEST(SideSkinTest, OpaqueAndKeyedExactlyOutsideTheOutline) {
  for (const SideSkin& s : kSkins) {
    const QImage skin = render(s.picture, 1);
    EXPECT_EQ(translucentPixels(skin), 0) << s.name;
    EXPECT_EQ(translucentPixels(render(s.picture, 2)), 0) << s.name;
    for (int y = 0; y < skin.height(); ++y)
      for (int x = 0; x < skin.width(); ++x)
        ASSERT_EQ(skin.pixel(x, y) == kKey, !insideRoundedOutline(s.picture, 5.0, QPoint(x, y)))
            << s.name << " at " << x << "," << y;
  }
}

TEST(SideSkinTest, FrameShadesFromRimToPanelOnEverySide) {
  // Midway along each side, 0, 8 and 10 pixels in from the outer edge.
  for (const SideSkin& s : kSkins) {
    const int w = s.picture.width, h = s.picture.height, midX = w / 2, midY = h / 2;
    const struct {
      QPoint at;
      QRgb colour;
    } probes[] = {{{0, midY}, kRim},          {{8, midY}, kFace},          {{10, midY}, kLip},
                  {{w - 1, midY}, kRim},      {{w - 9, midY}, kFace},      {{w - 11, midY}, kLip},
                  {{midX, 0}, kRim},          {{midX, 8}, kFace},          {{midX, 10}, kLip},
                  {{midX, h - 1}, kRim},      {{midX, h - 9}, kFace},      {{midX, h - 11}, kLip}};
    for (int ratio : {1, 2}) {
      const QImage skin = render(s.picture, ratio);
      for (const auto& p : probes)
        EXPECT_EQ(logicalPixel(skin, ratio, p.at), p.colour)
            << s.name << " at " << p.at.x() << "," << p.at.y() << " ratio " << ratio;
    }
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

}  // namespace
}  // namespace tarvex::pictures::testing
