// Drawing the details window's content onto any surface: the panel's background picture
// (the header and the error message) and the rows of the player list.
#pragma once

#include <QImage>
#include <span>

#include "replay/zerohour_intf.h"

class QPainter;
class QRect;
class QString;
class SkinPicture;
struct MapPicture;

// The window's skin at a device pixel ratio, as a picture to draw into.
QImage SkinBackground(SkinPicture& skin, qreal devicePixelRatio);

// Clears the part of the panel that holds the header or the error message.
void ClearPanel(QPainter& painter);

// Map name, map picture, version, length, money and rule flags, each on black.
void PaintHeader(QPainter& painter, const TZH_replay& replay, const MapPicture& mapPicture,
                 SkinPicture& noMap);

void PaintErrorMessage(QPainter& painter, const QString& contactAddress);

// One row of the player list: black, then the name, the team and the army icon (`armies`
// holds the 13 icons in order).
void PaintPlayerRow(QPainter& painter, const TZH_player& player, const QRect& row,
                    std::span<SkinPicture> armies);
