// The larger map's geometry, without a window: its size, the screen and the place it goes to
// beside the details window, and where the players' names go on it.
#pragma once

#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <optional>
#include <vector>

// The preview at this size, in a frame of this width.
inline constexpr QSize PanelMapSize{128, 128};
inline constexpr int PanelMargin = 8;
inline constexpr QSize PanelSize{PanelMapSize.width() + 2 * PanelMargin,
                                 PanelMapSize.height() + 2 * PanelMargin};
// A spot's disc on the larger map.
inline constexpr qreal PanelDisc = 11;

// Where the larger map's window goes on `screen` (its available area): right of the details
// window, top at its map picture's top; where that leaves the screen, left of the main window;
// kept inside the screen.
QPoint PanelPosition(const QRect& details, const QRect& main, QSize panel, const QRect& screen);

// Where the players' names go beside their discs of `diameter` at `centres`: above a disc in
// the upper half of `bounds`, below one in the lower half, else on the other side, right or
// left, each centred on its disc and kept inside `bounds`: the first place that covers no name
// placed before, nor comes within a few pixels of one, nor covers any of `marks` (what the
// map's marks cover); where none is free, the one that covers least of them.
std::vector<QRectF> PlaceLabels(const std::vector<QPointF>& centres, qreal diameter,
                                const std::vector<QSizeF>& sizes, const std::vector<QRectF>& marks,
                                const QRectF& bounds);
