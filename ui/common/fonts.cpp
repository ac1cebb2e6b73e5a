#include "ui/common/fonts.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>

#include <cmath>

namespace {

QFont FontOf(const QStringList& families, int pixelSize, QFont::Weight weight) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

QFont::Weight BoldOrNormal(bool bold) {
    return bold ? QFont::Bold : QFont::Normal;
}

} // namespace

int PixelsForPoints(int points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QStringList RegisterFallbackFonts(const QString& fontFolder) {
    const QString tahoma = QStringLiteral("Tahoma");
    if (QFontDatabase::families().contains(tahoma, Qt::CaseInsensitive)) return {tahoma};
#ifdef Q_OS_WIN
    // Windows has its own Tahoma. Under Wine, which lacks one, Wine's copy drawn through Wine's
    // rasteriser at these small sizes loses strokes of letters: the stand-ins serve instead.
    Q_UNUSED(fontFolder);
    return {};
#else
    QStringList registered;
    const QDir folder(fontFolder);
    for (const char* file : {"tahoma.ttf", "tahomabd.ttf"}) {
        const QString path = folder.filePath(QString::fromLatin1(file));
        if (!QFile::exists(path)) continue;
        const int id = QFontDatabase::addApplicationFont(path);
        if (id < 0) continue;
        for (const QString& family : QFontDatabase::applicationFontFamilies(id))
            if (!registered.contains(family)) registered << family;
    }
    return registered;
#endif
}

QFont TahomaFont(int pixelSize, bool bold) {
    return FontOf({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")}, pixelSize,
                  BoldOrNormal(bold));
}

QFont ArialFont(int pixelSize, bool bold) {
    // Liberation Sans has Arial's metrics.
    return FontOf({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, pixelSize,
                  BoldOrNormal(bold));
}

QFont ArialBlackFont(int pixelSize) {
    // No free face shares Arial Black's shapes: the heaviest weight of a plain sans.
    return FontOf({QStringLiteral("Arial Black"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("DejaVu Sans")},
                  pixelSize, QFont::Black);
}

QFont VerdanaFont(int pixelSize, bool bold) {
    return FontOf({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")}, pixelSize,
                  BoldOrNormal(bold));
}
