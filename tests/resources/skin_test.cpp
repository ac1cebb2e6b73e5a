// The main window's skin: the colours and places the window's code and its users rely on.
#include <gtest/gtest.h>

#include <QColor>
#include <QSvgRenderer>
#include <vector>

#include "tests/resources/picture_render.h"

namespace tarvex::pictures::testing {
namespace {

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kKey = qRgb(240, 0, 255);
constexpr QRgb kBody = qRgb(45, 46, 48);
constexpr QRgb kTopGlyph = qRgb(223, 132, 59);
constexpr QRgb kBottomGlyph = qRgb(186, 111, 50);

const QRect kPanel = inclusive(23, 256, 33, 282);
const QRect kMinimise = inclusive(229, 240, 11, 23);
const QRect kClose = inclusive(246, 257, 11, 23);
const QRect kHistory = inclusive(230, 241, 291, 303);
const QRect kInfo = inclusive(244, 255, 291, 303);
const QRect kCreditStrip = inclusive(12, 225, 286, 306);

constexpr int kRatios[] = {1, 2};

QString describe(QRgb c) {
    return QColor(c).name();
}

TEST(PictureTest, EveryPictureHasItsLogicalSizeAtEachRatio) {
    for (const Picture& picture : kAll) {
        const QString path =
            QString::fromUtf8(picture.path.data(), static_cast<qsizetype>(picture.path.size()));
        QSvgRenderer renderer(path);
        ASSERT_TRUE(renderer.isValid()) << picture.path;
        EXPECT_EQ(renderer.defaultSize(), QSize(picture.width, picture.height)) << picture.path;
        for (int ratio : kRatios) {
            const QImage image = render(picture, ratio);
            EXPECT_EQ(image.size(), QSize(picture.width * ratio, picture.height * ratio))
                << picture.path;
        }
    }
}

TEST(SkinTest, IsOpaqueEverywhere) {
    for (int ratio : kRatios) {
        EXPECT_EQ(translucentPixels(render(kMainSkin, ratio)), 0) << "ratio " << ratio;
    }
}

TEST(SkinTest, PanelIsExactlyBlackAndNoBigger) {
    const std::vector<QPoint> inside = {kPanel.topLeft(), kPanel.topRight(), kPanel.bottomLeft(),
                                        kPanel.bottomRight(), kPanel.center()};
    const std::vector<QPoint> justOutside = {
        kPanel.topLeft() + QPoint(-1, 0),    kPanel.topLeft() + QPoint(0, -1),
        kPanel.bottomRight() + QPoint(1, 0), kPanel.bottomRight() + QPoint(0, 1),
        kPanel.topRight() + QPoint(1, 0),    kPanel.bottomLeft() + QPoint(0, 1)};
    for (int ratio : kRatios) {
        const QImage skin = render(kMainSkin, ratio);
        for (QPoint p : inside) {
            const auto colour = logicalPixel(skin, ratio, p);
            ASSERT_TRUE(colour.has_value())
                << "blurred at " << p.x() << "," << p.y() << " ratio " << ratio;
            EXPECT_EQ(*colour, kBlack) << p.x() << "," << p.y() << " ratio " << ratio << ": "
                                       << describe(*colour).toStdString();
        }
        for (QPoint p : justOutside)
            EXPECT_NE(skin.pixel(p * ratio), kBlack) << p.x() << "," << p.y() << " ratio " << ratio;
    }
}

TEST(SkinTest, KeyColourFillsExactlyTheCornersTheOutlineCutsAway) {
    const QImage skin = render(kMainSkin, 1);
    for (int y = 0; y < skin.height(); ++y)
        for (int x = 0; x < skin.width(); ++x) {
            const bool isKey = skin.pixel(x, y) == kKey;
            // The main window's outline has 15 x 15 corner ellipses.
            ASSERT_EQ(isKey, !insideRoundedOutline(kMainSkin, 7.5, QPoint(x, y)))
                << "at " << x << "," << y;
        }
    // At 2x the outermost corners stay key-coloured too.
    const QImage sharp = render(kMainSkin, 2);
    for (QPoint corner : {QPoint(0, 0), QPoint(279, 0), QPoint(0, 309), QPoint(279, 309)})
        EXPECT_EQ(logicalPixel(sharp, 2, corner), kKey) << corner.x() << "," << corner.y();
}

TEST(SkinTest, BodyColourAtPlainSpots) {
    const std::vector<QPoint> plain = {{12, 60},  {14, 200}, {267, 150}, {266, 250},
                                       {140, 28}, {40, 25},  {200, 296}, {20, 300}};
    for (int ratio : kRatios) {
        const QImage skin = render(kMainSkin, ratio);
        for (QPoint p : plain)
            EXPECT_EQ(logicalPixel(skin, ratio, p), kBody)
                << p.x() << "," << p.y() << " ratio " << ratio;
    }
}

TEST(SkinTest, CreditStripIsLeftPlainForTheCodeToPaint) {
    const QImage skin = render(kMainSkin, 1);
    for (int y = kCreditStrip.top(); y <= kCreditStrip.bottom(); ++y)
        for (int x = kCreditStrip.left(); x <= kCreditStrip.right(); ++x)
            ASSERT_EQ(skin.pixel(x, y), kBody)
                << x << "," << y << ": " << describe(skin.pixel(x, y)).toStdString();
}

struct GlyphCase {
    const char* button;
    QRgb colour;
    QRect area;
    QRect sibling; // the other button that shares the colour
};

TEST(SkinTest, EachGlyphColourSitsOnlyInsideItsButtons) {
    const GlyphCase cases[] = {{"minimise", kTopGlyph, kMinimise, kClose},
                               {"close", kTopGlyph, kClose, kMinimise},
                               {"history", kBottomGlyph, kHistory, kInfo},
                               {"info", kBottomGlyph, kInfo, kHistory}};
    const QImage skin = render(kMainSkin, 1);
    for (const GlyphCase& c : cases) {
        int inArea = 0, stray = 0;
        for (int y = 0; y < skin.height(); ++y)
            for (int x = 0; x < skin.width(); ++x) {
                if (skin.pixel(x, y) != c.colour) continue;
                if (c.area.contains(x, y))
                    ++inArea;
                else if (!c.sibling.contains(x, y))
                    ++stray;
            }
        // A glyph is a few strokes, not a stray pixel of a gradient.
        EXPECT_GE(inArea, 10) << c.button;
        EXPECT_EQ(stray, 0) << c.button;
    }
}

TEST(SkinTest, TitleIsLightAndCentredLeftOfTheButtons) {
    const QImage skin = render(kMainSkin, 1);
    QRect bounds;
    for (int y = 4; y < 30; ++y)
        for (int x = 0; x < kMinimise.left() - 2; ++x)
            if (qGray(skin.pixel(x, y)) > 160) bounds |= QRect(x, y, 1, 1);
    ASSERT_FALSE(bounds.isNull()) << "no title found";
    EXPECT_GE(bounds.top(), 8);
    EXPECT_LE(bounds.bottom(), 24);
    EXPECT_GE(bounds.width(), 50) << "six wide-spaced capitals";
    const double centre = (bounds.left() + bounds.right() + 1) / 2.0;
    EXPECT_NEAR(centre, kMainSkin.width / 2.0, 1.0);
}

} // namespace
} // namespace tarvex::pictures::testing
