// The Windows icon file the build renders: a directory of entries, each a PNG of its size.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QtEndian>

#include "packaging/ico_file.h"

namespace {

struct Entry {
    int width, height, bitCount;
    quint32 bytes, offset;
};

Entry EntryAt(const QByteArray& ico, int index) {
    const auto* e = reinterpret_cast<const uchar*>(ico.constData()) + 6 + 16 * index;
    return {e[0] ? e[0] : 256, e[1] ? e[1] : 256, qFromLittleEndian<quint16>(e + 6),
            qFromLittleEndian<quint32>(e + 8), qFromLittleEndian<quint32>(e + 12)};
}

QImage Square(int pixels, QColor colour) {
    QImage image(pixels, pixels, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixelColor(pixels / 2, pixels / 3, colour);
    return image;
}

TEST(IcoFile, HoldsEverySizeAsAPngOfThatSize) {
    const QList<QImage> images = {Square(16, Qt::red), Square(48, Qt::green),
                                  Square(256, Qt::blue)};
    const QByteArray ico = IcoFile(images);
    ASSERT_GE(ico.size(), 6 + 16 * 3);
    const auto* head = reinterpret_cast<const uchar*>(ico.constData());
    EXPECT_EQ(qFromLittleEndian<quint16>(head), 0);
    EXPECT_EQ(qFromLittleEndian<quint16>(head + 2), 1);
    ASSERT_EQ(qFromLittleEndian<quint16>(head + 4), 3);
    quint32 next = 6 + 16 * 3;
    for (int i = 0; i < 3; ++i) {
        const Entry entry = EntryAt(ico, i);
        SCOPED_TRACE(entry.width);
        EXPECT_EQ(entry.width, images[i].width());
        EXPECT_EQ(entry.height, images[i].height());
        EXPECT_EQ(entry.bitCount, 32);
        // The images follow the directory one after the other, to the end of the file.
        EXPECT_EQ(entry.offset, next);
        next = entry.offset + entry.bytes;
        ASSERT_LE(next, static_cast<quint32>(ico.size()));
        const QImage decoded = QImage::fromData(ico.mid(entry.offset, entry.bytes), "PNG");
        ASSERT_FALSE(decoded.isNull());
        EXPECT_EQ(decoded.convertToFormat(QImage::Format_ARGB32), images[i]);
    }
    EXPECT_EQ(next, static_cast<quint32>(ico.size()));
}

TEST(IcoFile, RefusesWhatAnIconCannotHold) {
    EXPECT_TRUE(IcoFile({Square(257, Qt::red)}).isEmpty());
    EXPECT_TRUE(IcoFile({Square(16, Qt::red), QImage()}).isEmpty());
}

} // namespace
