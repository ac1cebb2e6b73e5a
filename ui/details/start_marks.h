// Where the players started, as marks on a picture of the map: the start spots, the supply
// piles and the tech buildings placed as fractions of the picture, each spot with its player's
// colour and name when one started there. Made once per selection from the map caches, so
// drawing them reads nothing; placed onto any picture rectangle by plain arithmetic.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSize>
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

// Nothing when the map's data or its extent is unknown; a spot is taken by the first player
// (not an observer) who started there.
MapMarks MarksOf(const TZH_replay& replay, const ReplayStarts& starts);

// A fraction of `area` as a point, on the centre of a pixel so the marks drawn around it are
// as sharp as the screen allows.
QPointF OnArea(QPointF fraction, const QRectF& area);

// A spot's disc on the header's map picture and on the larger map.
inline constexpr qreal HeaderDisc = 5;
inline constexpr qreal PanelDisc = 11;

// Where the players' names go beside their discs of `diameter` at `centres`: above a disc in
// the upper half of `bounds`, below one in the lower half, else on the other side, right or
// left, the first place that overlaps no name placed before nor another disc; each centred on
// its disc and kept inside `bounds`.
std::vector<QRectF> PlaceLabels(const std::vector<QPointF>& centres, qreal diameter,
                                const std::vector<QSizeF>& sizes, const QRectF& bounds);

// The larger map: the preview at this size, in a frame of this width.
inline constexpr QSize PanelMapSize{128, 128};
inline constexpr int PanelMargin = 8;
inline constexpr QSize PanelSize{PanelMapSize.width() + 2 * PanelMargin,
                                 PanelMapSize.height() + 2 * PanelMargin};

// Where the larger map's window goes: right of the details window, top at its map picture's
// top; where that leaves the screen, left of the main window; kept inside the screen.
QPoint PanelPosition(const QRect& details, const QRect& main, QSize panel, const QRect& screen);
