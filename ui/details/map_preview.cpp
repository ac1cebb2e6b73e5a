#include "ui/details/map_preview.h"
#include "platform/ascii_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPainter>

namespace {

// Kept previews are reduced to what the sharpest screens need of the cell.
constexpr int KeptScale = 4;

// Qt reads TGA files only with the footer of TGA 2.0, which the game's own tools write and
// other map editors may not: a file without it gets an empty one (no extension area).
constexpr std::string_view TgaSignature{"TRUEVISION-XFILE.\0", 18};

QByteArray WithTgaFooter(const std::string& bytes) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (std::string_view(bytes).ends_with(TgaSignature)) return data;
    data.append(QByteArray(8, '\0'));
    data.append(TgaSignature.data(), static_cast<qsizetype>(TgaSignature.size()));
    return data;
}

std::string LowerCase(std::string text) {
    for (char& c : text)
        c = platform::AsciiLower(c);
    return text;
}

// Qt fills the pixels missing from a cut-short file with whatever: an uncompressed picture
// must hold all of its pixels. (The game's previews are uncompressed.)
bool HoldsAllItsPixels(std::string_view tga) {
    constexpr std::size_t HeaderSize = 18;
    if (tga.size() < HeaderSize) return false;
    const auto byte = [&](std::size_t at) {
        return std::size_t{static_cast<unsigned char>(tga[at])};
    };
    const auto word = [&](std::size_t at) { return byte(at) | byte(at + 1) << 8; };
    const std::size_t imageType = byte(2);
    if (imageType < 1 || imageType > 3) return true; // compressed or unknown: Qt judges
    const std::size_t colourMap = byte(1) ? word(5) * ((byte(7) + 7) / 8) : 0;
    const std::size_t pixels = word(12) * word(14) * ((byte(16) + 7) / 8);
    return tga.size() >= HeaderSize + byte(0) + colourMap + pixels;
}

QImage Reduced(const QImage& picture) {
    const QSize most = MapCellSize * KeptScale;
    if (picture.width() <= most.width() && picture.height() <= most.height()) return picture;
    return picture.scaled(most, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

QImage DecodePreview(const std::string& bytes) {
    if (!HoldsAllItsPixels(bytes)) return {};
    QByteArray data = WithTgaFooter(bytes);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    // TGA has no signature to be recognised by: the file's extension names the format.
    QImageReader reader(&buffer, "tga");
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() ||
        qint64{size.width()} * size.height() > MaxPreviewPixels)
        return {};
    QImage picture;
    if (!reader.read(&picture) || picture.size() != size) return {};
    return picture;
}

QRect FittedRect(QSize picture, QSize cell) {
    if (picture.isEmpty()) return {};
    const QSize fitted = picture.scaled(cell, Qt::KeepAspectRatio);
    return {QPoint((cell.width() - fitted.width()) / 2, (cell.height() - fitted.height()) / 2),
            fitted};
}

QImage FitIntoCell(const QImage& picture, QSize cell, qreal dpr) {
    if (picture.isNull() || cell.isEmpty()) return {};
    dpr = std::max<qreal>(dpr, 1.0 / 16);
    const QSize pixels(std::max(1, qRound(cell.width() * dpr)),
                       std::max(1, qRound(cell.height() * dpr)));
    QImage out(pixels, QImage::Format_RGB32);
    out.fill(Qt::black);
    const QRect at = FittedRect(picture.size(), pixels);
    {
        QPainter painter(&out);
        painter.drawImage(at.topLeft(), picture.scaled(at.size(), Qt::IgnoreAspectRatio,
                                                       Qt::SmoothTransformation));
    }
    out.setDevicePixelRatio(dpr);
    return out;
}

MapPreviews::MapPreviews(MapPreviewFinder finder) : finder_(std::move(finder)) {}

MapPreviews::Kept& MapPreviews::KeptFor(const TZH_map& map) {
    // The game finds a map's files whatever their letter case: so does the look-up.
    std::string name = LowerCase(map.name);
    const auto found = std::find_if(kept_.begin(), kept_.end(), [&](const Kept& kept) {
        return kept.userMap == map.userMap && kept.name == name;
    });
    if (found != kept_.end()) {
        kept_.splice(kept_.begin(), kept_, found);
        return kept_.front();
    }
    Kept kept{map.userMap, std::move(name), {}, {}};
    if (const auto file = finder_.find(map)) kept.source = Reduced(DecodePreview(file->bytes));
    kept_.push_front(std::move(kept));
    if (kept_.size() > std::size_t{KeptMaps}) kept_.pop_back();
    return kept_.front();
}

void MapPreviews::Prepare(const TZH_map& map) {
    KeptFor(map);
}

QImage MapPreviews::PictureFor(const TZH_map& map, qreal dpr, QSize cell) {
    Kept& kept = KeptFor(map);
    if (kept.source.isNull()) return {};
    auto fitted = std::find_if(kept.fitted.begin(), kept.fitted.end(),
                               [&](const Fitted& f) { return f.cell == cell; });
    if (fitted == kept.fitted.end())
        fitted = kept.fitted.insert(kept.fitted.end(), Fitted{cell, 0, {}});
    if (fitted->image.isNull() || fitted->dpr != dpr) {
        fitted->image = FitIntoCell(kept.source, cell, dpr);
        fitted->dpr = dpr;
    }
    return fitted->image;
}

QRectF MapPreviews::AreaIn(const TZH_map& map, qreal dpr, QSize cell) {
    const QImage picture = PictureFor(map, dpr, cell);
    if (picture.isNull()) return {};
    const QRect pixels = FittedRect(KeptFor(map).source.size(), picture.size());
    const qreal ratio = picture.devicePixelRatio();
    return {pixels.x() / ratio, pixels.y() / ratio, pixels.width() / ratio,
            pixels.height() / ratio};
}
