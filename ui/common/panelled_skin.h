// The skin of the windows of their own (the match window, a player's career): a metal frame,
// dark at the rim and gunmetal eight pixels in, round black panels set into it by a groove,
// and a small close glyph.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

// For a screen of device pixel ratio dpr; closeGlyph: the glyph's area, released on to close.
QImage PanelledSkin(QSize size, const std::vector<QRect>& panels, const QRect& closeGlyph,
                    qreal dpr);
