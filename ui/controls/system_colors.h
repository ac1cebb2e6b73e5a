// Colour values of the skinned controls in Qt's terms: an RGB value as it is, a system colour
// index as the nearest role of the widget's palette.
#pragma once

#include <QColor>
#include <QPalette>

#include "ui/controls/flat_scrollbar_types.h"

QColor ColorFromTColor(TColor color, const QPalette& palette);
