// Skin pictures are drawn at the screen's pixel ratio and kept until the ratio changes.
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include "resources/pictures.h"
#include "tests/support/temp_dir.h"
#include "ui/controls/skin_picture.h"

namespace {

// A 20 × 10 picture: red left half, blue right half.
QString WriteTwoColourSvg(const testsupport::TempDir& dir) {
    const QString path = QString::fromStdString((dir / "two.svg").string());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="10" viewBox="0 0 20 10">
<rect x="0" y="0" width="10" height="10" fill="#ff0000"/><rect x="10" y="0" width="10" height="10" fill="#0000ff"/></svg>)");
    return path;
}

} // namespace

TEST(SkinPicture, RendersAtEachPixelRatio) {
    testsupport::TempDir dir;
    SkinPicture picture(WriteTwoColourSvg(dir), QSize(20, 10));
    struct Case {
        qreal ratio;
        QSize pixels;
    };
    for (const Case c : {Case{1.0, {20, 10}}, Case{2.0, {40, 20}}, Case{1.5, {30, 15}}}) {
        SCOPED_TRACE(c.ratio);
        const QPixmap& pixmap = picture.pixmap(c.ratio);
        EXPECT_EQ(pixmap.size(), c.pixels);
        EXPECT_EQ(pixmap.devicePixelRatio(), c.ratio);
        EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(20, 10));
        const QImage image = pixmap.toImage();
        EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::red));
        EXPECT_EQ(image.pixelColor(c.pixels.width() - 2, c.pixels.height() - 2), QColor(Qt::blue));
    }
}

TEST(SkinPicture, KeepsItsRenderingUntilTheRatioChanges) {
    testsupport::TempDir dir;
    SkinPicture picture(WriteTwoColourSvg(dir), QSize(20, 10));
    const qint64 first = picture.pixmap(1.0).cacheKey();
    EXPECT_EQ(picture.pixmap(1.0).cacheKey(), first);
    const qint64 doubled = picture.pixmap(2.0).cacheKey();
    EXPECT_NE(doubled, first);
    EXPECT_EQ(picture.pixmap(2.0).cacheKey(), doubled);
}

TEST(SkinPicture, AMissingSourceGivesNoPicture) {
    SkinPicture picture(QStringLiteral(":/no/such/picture.svg"), QSize(20, 10));
    EXPECT_TRUE(picture.pixmap(1.0).isNull());
}

TEST(SkinPicture, TheMainWindowsPicturesAreBuiltIn) {
    for (const auto& entry : tarvex::pictures::kAll) {
        const QString path =
            QString::fromUtf8(entry.path.data(), static_cast<qsizetype>(entry.path.size()));
        SCOPED_TRACE(path.toStdString());
        SkinPicture picture(path, QSize(entry.width, entry.height));
        EXPECT_EQ(picture.pixmap(1.0).size(), QSize(entry.width, entry.height));
    }
}
