// Drawing the start marks, on the header's map picture or any other: a spot's disc, a supply
// pile, a tech building, placed where start_marks puts them. Reads nothing but its arguments.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>

class QPainter;
struct MapMarks;

// A disc of `diameter` in `colour` with a one-pixel black ring, so it reads on any ground.
void PaintDisc(QPainter& painter, QPointF centre, qreal diameter, const QColor& colour);
// A supply pile's square and a tech building's diamond, outlined in black.
void PaintSupply(QPainter& painter, QPointF at);
void PaintTech(QPainter& painter, QPointF at);

// A disc of `diameter` in its player's colour on each taken spot of the map lying in `area`.
void PaintStartDiscs(QPainter& painter, const MapMarks& marks, const QRectF& area, qreal diameter);
