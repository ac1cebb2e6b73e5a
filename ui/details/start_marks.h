// Where the players started, as marks on a picture of the map: the start spots, the supply
// piles and the tech buildings placed as fractions of the picture, each spot with its player's
// colour and name when one started there. Made once per selection from the map caches, so
// drawing them reads nothing; placed onto any picture rectangle by plain arithmetic.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

#include "game/map_caches.h"
#include "replay/zerohour_intf.h"

// The game's lobby colour of a player (0 gold .. 7 pink); a neutral light grey otherwise.
QColor PlayerColour(int colour);

struct SpotMark {
    QPointF at;   // fractions of the picture's width and height from its top-left corner
    int spot = 0; // from 0
    bool taken = false;
    QColor colour; // the player's, when taken
    QString name;  // the player's, when taken
};

struct MapMarks {
    std::vector<SpotMark> spots; // every spot the map offers that has a place, in its order
    std::vector<QPointF> supplies;
    std::vector<QPointF> techs;
};

// Nothing when the map's data is unknown or its extent can't place anything (PictureExtent);
// a spot off the picture has no mark; a spot is taken by the first player (not an observer)
// who started there.
MapMarks MarksOf(const TZH_replay& replay, const ReplayStarts& starts);

// A fraction of `area` as a point, on the centre of a pixel so the marks drawn around it are
// as sharp as the screen allows.
QPointF OnArea(QPointF fraction, const QRectF& area);

// The marks' sizes in logical pixels, without their black outlines (a pixel at most round
// each): a spot's disc on the header's map picture, a supply pile's square, a tech building's
// diamond from its centre to a corner.
inline constexpr qreal HeaderDisc = 5;
inline constexpr qreal SupplySide = 4;
inline constexpr qreal TechReach = 3.5;

// What each mark covers, outline included, drawn on `area` with spots' discs of `disc`: every
// spot's disc, then the supply piles and the tech buildings.
std::vector<QRectF> MarkAreas(const MapMarks& marks, const QRectF& area, qreal disc);
