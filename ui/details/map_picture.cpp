#include "ui/details/map_picture.h"

#include <QIODevice>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "game/map_pictures.h"
#include "platform/platform.h"
#include "replay/display_text.h"
#include "ui/controls/skin_picture.h"
#include "ui/details/details_layout.h"
#include "ui/details/map_preview.h"

namespace {

// A file read through the program's own file layer (its names are the replay folder's), as
// Qt's image reader asks for it: the header first, the pixels only once the header is taken.
class PlatformFileDevice : public QIODevice {
public:
    explicit PlatformFileDevice(const std::string& path) {
        try {
            file_.emplace(path);
            size_ = static_cast<qint64>(file_->size());
        } catch (const platform::FileError&) {
            file_.reset();
        }
    }
    bool open(OpenMode mode) override { return file_ && QIODevice::open(mode); }
    bool isSequential() const override { return false; }
    qint64 size() const override { return size_; }
    bool seek(qint64 at) override {
        try {
            file_->seek(static_cast<uint64_t>(at));
        } catch (const platform::FileError&) {
            return false;
        }
        return QIODevice::seek(at);
    }

protected:
    qint64 readData(char* data, qint64 most) override {
        try {
            return static_cast<qint64>(file_->read(data, static_cast<std::size_t>(most)));
        } catch (const platform::FileError&) {
            return -1;
        }
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::optional<platform::InputFile> file_;
    qint64 size_ = 0;
};

// The game's previews are square.
MapPicture Placeholder() {
    return {MapPicture::Source::Placeholder,
            {},
            QRectF(FittedRect(QSize(1, 1), details_layout::MapPictureSize))};
}

} // namespace

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
    PlatformFileDevice file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > qint64{MaxMapPictureBytes}) return {};
    QImageReader reader(&file, "bmp");
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
        if (!image.isNull()) {
            const QRectF whole(QPointF(0, 0), image.deviceIndependentSize());
            return {MapPicture::Source::File, std::move(image), whole};
        }
    }
    return Placeholder();
}

MapPicture PictureForMap(const Text& replayFolder, const TZH_map& map, MapPreviews& previews,
                         qreal dpr) {
    MapPicture file = PictureForMap(replayFolder, map.name);
    if (file.source == MapPicture::Source::File) return file;
    QImage preview = previews.PictureFor(map, dpr);
    if (preview.isNull()) return Placeholder();
    return {MapPicture::Source::GamePreview, std::move(preview), previews.AreaIn(map, dpr)};
}

MapPicture FittedPictureForMap(const Text& replayFolder, const TZH_map& map, MapPreviews& previews,
                               qreal dpr, QSize cell) {
    const MapPicture file = PictureForMap(replayFolder, map.name);
    if (file.source == MapPicture::Source::File)
        return {MapPicture::Source::File, FitIntoCell(file.image, cell, dpr),
                FittedRect(file.image.size(), cell)};
    QImage preview = previews.PictureFor(map, dpr, cell);
    if (preview.isNull()) return {MapPicture::Source::Placeholder, {}, QRectF(QPointF(0, 0), cell)};
    return {MapPicture::Source::GamePreview, std::move(preview), previews.AreaIn(map, dpr, cell)};
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
