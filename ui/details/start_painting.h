// Drawing the start marks: the players' discs over the header's map picture, and the larger
// map with every spot, name, supply pile and tech building. Reads nothing but its arguments.
#pragma once

#include <QImage>
#include <QRectF>

class QPainter;
struct MapMarks;

// A disc of `diameter` in its player's colour on each taken spot of the map lying in `area`.
void PaintStartDiscs(QPainter& painter, const MapMarks& marks, const QRectF& area, qreal diameter);

// The larger map's whole window, PanelSize: the skin's metal round a black ground, the map's
// picture on it (fitted into PanelMapSize; none when null), then, placed on mapArea (from the
// ground's top-left), the supply piles, the tech buildings, the free spots dim and the taken
// ones with their players' names.
void PaintMapPanel(QPainter& painter, const MapMarks& marks, const QImage& map,
                   const QRectF& mapArea);
