#include "packaging/ico_file.h"

#include <QBuffer>
#include <QtEndian>

namespace {

constexpr int LargestIcon = 256;
constexpr int DirectorySize = 6;
constexpr int EntrySize = 16;

void AppendLe16(QByteArray& out, quint16 value) {
    const quint16 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

void AppendLe32(QByteArray& out, quint32 value) {
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

// A side of 256 is written as 0: the entry has one byte for it.
char SideByte(int pixels) {
    return static_cast<char>(pixels == LargestIcon ? 0 : pixels);
}

} // namespace

QByteArray IcoFile(const QList<QImage>& images) {
    QList<QByteArray> pngs;
    for (const QImage& image : images) {
        if (image.isNull() || image.width() > LargestIcon || image.height() > LargestIcon)
            return {};
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG")) return {};
        pngs.append(png);
    }
    QByteArray file;
    AppendLe16(file, 0); // reserved
    AppendLe16(file, 1); // an icon, not a cursor
    AppendLe16(file, static_cast<quint16>(pngs.size()));
    quint32 offset = static_cast<quint32>(DirectorySize + EntrySize * pngs.size());
    for (qsizetype i = 0; i < pngs.size(); ++i) {
        file.append(SideByte(images[i].width()));
        file.append(SideByte(images[i].height()));
        file.append('\0');    // no palette
        file.append('\0');    // reserved
        AppendLe16(file, 1);  // colour planes
        AppendLe16(file, 32); // bits per pixel
        AppendLe32(file, static_cast<quint32>(pngs[i].size()));
        AppendLe32(file, offset);
        offset += static_cast<quint32>(pngs[i].size());
    }
    for (const QByteArray& png : pngs)
        file.append(png);
    return file;
}
