#include "ui/details/map_picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <string_view>

#include "game/map_pictures.h"
#include "platform/platform.h"
#include "replay/display_text.h"
#include "ui/controls/skin_picture.h"
#include "ui/details/details_layout.h"
#include "ui/details/map_preview.h"

std::optional<std::string> MapPictureFileName(const Text& mapName) {
    std::string name = DisplayText(mapName);
    std::erase(name, ' ');
    if (!IsSafeMapFileName(name)) return std::nullopt;
    return name + ".bmp";
}

std::optional<std::string> FindMapPictureFile(const Text& replayFolder, const Text& mapName) {
    if (replayFolder.empty()) return std::nullopt;
    const auto name = MapPictureFileName(mapName);
    if (!name) return std::nullopt;
    const auto path = platform::FindEntry(replayFolder, "maps/" + *name);
    if (!path || !platform::FileExists(*path)) return std::nullopt;
    return path;
}

QImage LoadBmpFile(const std::string& path) {
    const auto bytes = platform::ReadSmallFile(path, MaxMapPictureBytes);
    if (!bytes) return {};
    QByteArray data = QByteArray::fromRawData(bytes->data(), static_cast<qsizetype>(bytes->size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    // Read from the header alone; a picture stored from the top down gives a negative height.
    const QSize size = reader.size();
    const int width = size.width();
    const int height = std::abs(size.height());
    if (width <= 0 || height <= 0 || width > MaxMapPictureSide || height > MaxMapPictureSide)
        return {};
    return reader.read();
}

MapPicture PictureForMap(const Text& replayFolder, const Text& mapName) {
    if (const auto path = FindMapPictureFile(replayFolder, mapName)) {
        QImage image = LoadBmpFile(*path);
        if (!image.isNull()) return {MapPicture::Source::File, std::move(image)};
    }
    return {};
}

MapPicture PictureForMap(const Text& replayFolder, const TZH_map& map, MapPreviews& previews,
                         qreal dpr) {
    MapPicture file = PictureForMap(replayFolder, map.name);
    if (file.source == MapPicture::Source::File) return file;
    QImage preview = previews.PictureFor(map, dpr);
    if (preview.isNull()) return {};
    return {MapPicture::Source::GamePreview, std::move(preview)};
}

void DrawMapPicture(QPainter& painter, const MapPicture& picture, SkinPicture& placeholder) {
    const QPoint at = details_layout::MapPictureAt;
    switch (picture.source) {
    case MapPicture::Source::File:
    case MapPicture::Source::GamePreview:
        painter.drawImage(at, picture.image);
        break;
    case MapPicture::Source::Placeholder:
        painter.drawPixmap(at, placeholder.pixmap(painter.device()->devicePixelRatioF()));
        break;
    }
}
