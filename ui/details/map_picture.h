// The picture in the middle of the details window's header: the map's own picture file in
// the replay folder's "maps" folder, else the game's own preview of the map, else the
// placeholder.
#pragma once

#include <QImage>
#include <QRectF>
#include <optional>
#include <string>

#include "replay/zerohour_intf.h"

class MapPreviews;
class QPainter;
class SkinPicture;

// The name of a map's picture file: the map name without its spaces, then ".bmp". The map
// name comes from a replay file, which anybody may have written: nullopt when it could
// name anything but a file inside the maps folder (separators, a drive colon, "..", control
// characters, characters no Windows file name has, or a Windows device name such as CON).
std::optional<std::string> MapPictureFileName(const Text& mapName);

// The map's picture file in `replayFolder`'s maps folder, found whatever the case of its
// letters; nullopt when there is none or the name is refused.
std::optional<std::string> FindMapPictureFile(const Text& replayFolder, const Text& mapName);

// A file larger than this is no map picture; it is not read.
inline constexpr std::size_t MaxMapPictureBytes = 16 * 1024 * 1024;
// Nor is a picture wider or higher than this: a small compressed file can ask for hundreds of
// megabytes of pixels, and the file is read again with every row the window draws.
inline constexpr int MaxMapPictureSide = 1024;

// The BMP picture in a file; a null image when the file can't be read, isn't a BMP or its
// header gives a side over MaxMapPictureSide (then no pixel is decoded).
QImage LoadBmpFile(const std::string& path);

struct MapPicture {
    enum class Source { File, GamePreview, Placeholder };
    Source source = Source::Placeholder;
    // The file's picture, drawn at its own size, or the preview made for the cell at the
    // screen's ratio; null for the placeholder.
    QImage image;
    // Where the map lies, in logical pixels from the picture's top-left corner: the whole
    // file's picture, the preview within the cell, the square a preview would take for the
    // placeholder.
    QRectF mapArea = {};
};

// The picture for a replay's map: its maps/NAME.bmp file when there is one that reads as a
// BMP picture, else the placeholder. Looked up anew on every call, so pictures added while
// the program runs are found.
MapPicture PictureForMap(const Text& replayFolder, const Text& mapName);

// The same file first; without one, the game's preview of the map from previews, made for
// a surface of device pixel ratio dpr; else the placeholder.
MapPicture PictureForMap(const Text& replayFolder, const TZH_map& map, MapPreviews& previews,
                         qreal dpr);

// The same picture, fitted into a cell of `cell` logical pixels for a surface of ratio dpr, as
// the larger map shows it; a null image for the placeholder, whose map area is the whole cell.
MapPicture FittedPictureForMap(const Text& replayFolder, const TZH_map& map, MapPreviews& previews,
                               qreal dpr, QSize cell);

// Draws the picture with its top-left corner at the header's picture place.
void DrawMapPicture(QPainter& painter, const MapPicture& picture, SkinPicture& placeholder);
