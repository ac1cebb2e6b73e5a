// The skin's scroll bar, as the lists of all the windows have it.
#pragma once

#include <QRect>

class QWidget;
class TFlatScrollBar;

// A new vertical bar at geometry in parent: grey, with 13-pixel buttons and a 10-pixel
// scroller until its owner sizes the scroller to its list.
TFlatScrollBar* NewSkinScrollBar(QWidget* parent, const QRect& geometry);
