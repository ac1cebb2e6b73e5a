// The program's icon must read at the smallest size a desktop shows it.
#include <gtest/gtest.h>

#include <QColor>
#include <QPainter>
#include <QSvgRenderer>

#include "tests/resources/picture_render.h"

namespace tarvex::pictures::testing {
namespace {

QImage renderAt(int pixels) {
    QSvgRenderer renderer(QString::fromUtf8(kProgramIcon.path.data(),
                                            static_cast<qsizetype>(kProgramIcon.path.size())));
    QImage image(pixels, pixels, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

bool isOrange(QRgb rgb) {
    const QColor c(rgb);
    return qAlpha(rgb) == 255 && c.hslHue() >= 15 && c.hslHue() <= 40 && c.hslSaturation() > 140 &&
           c.lightness() > 90;
}

TEST(ProgramIconTest, IsSquare) {
    EXPECT_EQ(kProgramIcon.width, kProgramIcon.height);
}

TEST(ProgramIconTest, MarkStandsOutAtEachSize) {
    for (int pixels : {16, 32, 64}) {
        const QImage icon = renderAt(pixels);
        int orange = 0;
        for (int y = 0; y < pixels; ++y)
            for (int x = 0; x < pixels; ++x)
                if (isOrange(icon.pixel(x, y))) ++orange;
        // The mark covers a good share of the tile, and its middle is the mark itself.
        EXPECT_GE(orange * 100 / (pixels * pixels), 8) << pixels << " px";
        EXPECT_TRUE(isOrange(icon.pixel(pixels * 7 / 16, pixels / 2))) << pixels << " px";
        // Rounded corners: the very corner stays see-through.
        EXPECT_LT(qAlpha(icon.pixel(0, 0)), 128) << pixels << " px";
    }
}

} // namespace
} // namespace tarvex::pictures::testing
