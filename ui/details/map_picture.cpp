#include "map_picture.h"

#include <QIODevice>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <string_view>

#include "details_layout.h"
#include "map_preview.h"
#include "platform/platform.h"
#include "replay/display_text.h"
#include "ui/controls/skin_picture.h"

namespace {

bool IsDeviceName(std::string_view stem) {
    std::string upper(stem);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    static constexpr std::array<std::string_view, 6> Plain{"CON", "PRN",    "AUX",
                                                           "NUL", "CONIN$", "CONOUT$"};
    if (std::find(Plain.begin(), Plain.end(), upper) != Plain.end()) return true;
    // COM0 to COM9 and LPT0 to LPT9.
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
           std::isdigit(static_cast<unsigned char>(upper[3]));
}

bool IsRefusedCharacter(unsigned char c) {
    return c < 0x20 || c == 0x7F ||
           std::string_view("/\\:<>\"|?*").find(static_cast<char>(c)) != std::string_view::npos;
}

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

} // namespace

std::optional<std::string> MapPictureFileName(const Text& mapName) {
    std::string name = DisplayText(mapName);
    std::erase(name, ' ');
    if (name.empty() || name.find("..") != std::string::npos) return std::nullopt;
    if (std::any_of(name.begin(), name.end(),
                    [](char c) { return IsRefusedCharacter(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    // Windows takes "CON.bmp", and "CON.x.bmp", for the device.
    if (IsDeviceName(std::string_view(name).substr(0, name.find('.')))) return std::nullopt;
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
