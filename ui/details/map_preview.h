// The game's own preview of a map, ready to draw in the details window's map cell: found
// through MapPreviewFinder, decoded by Qt's image plugins (TGA), scaled into the cell and
// kept, since the window draws its header again with every row it paints.
#pragma once

#include <list>
#include <string>
#include <vector>

#include <QImage>
#include <QRectF>
#include <QSize>

#include "game/map_pictures.h"
#include "replay/zerohour_intf.h"
#include "ui/details/details_layout.h"

// The map picture's place in the header.
inline constexpr QSize MapCellSize = details_layout::MapPictureSize;
// The largest picture decoded (a mebibyte as 32-bit pixels); the game's are 128 x 128.
inline constexpr int MaxPreviewPixels = 512 * 512;
// The maps whose previews are kept, the least recently shown going first: a third of a
// mebibyte each at pixel ratio 2, and enough for a list walked up and down.
inline constexpr int KeptMaps = 32;

// The picture in bytes (a TGA file), or a null image when Qt can't read it or it has more
// than MaxPreviewPixels pixels; its size is checked before any pixel is decoded.
QImage DecodePreview(const std::string& bytes);

// Where a picture of `picture` pixels lies when fitted into a cell of `cell` pixels, its aspect
// kept and centred.
QRect FittedRect(QSize picture, QSize cell);

// The picture scaled smoothly to fit the cell, its aspect kept and centred, the rest of the
// cell black; made for a screen of device pixel ratio dpr (the image carries that ratio, so
// drawn at a point it covers exactly the cell).
QImage FitIntoCell(const QImage& picture, QSize cell, qreal dpr);

class MapPreviews {
public:
    // Nothing is read until the first picture is asked for.
    explicit MapPreviews(MapPreviewFinder finder);

    // The map's preview in a cell (the header's, or the larger map's) at dpr, or a null image
    // when the game keeps none. Each of the last KeptMaps maps asked for is looked up and
    // decoded once; a new ratio only scales again.
    QImage PictureFor(const TZH_map& map, qreal dpr, QSize cell = MapCellSize);
    // Where the map lies in that cell, in its logical pixels; empty when there's no preview.
    QRectF AreaIn(const TZH_map& map, qreal dpr, QSize cell = MapCellSize);
    // Looks the map's preview up and decodes it now, for a selection before it is drawn: the
    // install folder, the archives and the file are searched outside any paint.
    void Prepare(const TZH_map& map);

private:
    struct Fitted {
        QSize cell;
        qreal dpr = 0;
        QImage image;
    };
    struct Kept {
        bool userMap = false;
        std::string name;           // in lower case
        QImage source;              // null: the map has no preview
        std::vector<Fitted> fitted; // one per cell size
    };

    Kept& KeptFor(const TZH_map& map);

    MapPreviewFinder finder_;
    std::list<Kept> kept_; // the most recently asked for first
};
