// Where everything sits on the details window, in window coordinates (the player rows in
// the coordinates of their list). The skin is drawn for exactly these positions.
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "ui/common/skin_colours.h"

namespace details_layout {

inline constexpr QSize WindowSize{192, 310};
// The rounded outline's corner ellipses.
inline constexpr int CornerEllipse = 10;

// The part of the black panel that a refresh clears: the header and the error message are
// drawn here and nowhere else, so nothing they draw can stay behind on the frame.
inline constexpr QRect ClearedPanel{QPoint(11, 11), QPoint(179, 295)};
// The part of the panel above the player list, where the rows draw the header.
inline constexpr QRect HeaderArea{QPoint(11, 11), QPoint(180, 73)};
// A release anywhere on the close glyph hides the window (both ends included).
inline constexpr QRect CloseGlyphArea{QPoint(172, 3), QPoint(180, 7)};

// Header: texts placed by their top-left corner, or centred on an x with their top at a y.
inline constexpr int MapNameCentre = 96;
inline constexpr int MapNameTop = 11;
inline constexpr QPoint MapPictureAt{72, 26};
inline constexpr QSize MapPictureSize{48, 46};
inline constexpr QPoint VersionAt{27, 31};
inline constexpr int LengthCentre = 41;
inline constexpr int LengthTop = 52;
inline constexpr int MoneyCentre = 150;
inline constexpr int MoneyTop = 26;
inline constexpr QPoint SuperweaponLimitAt{135, 41};
inline constexpr QPoint VanillaAt{130, 56};

// The three lines shown instead of the details when a replay can't be read.
inline constexpr QPoint ErrorTitleAt{15, 35};
inline constexpr QPoint ErrorRequestAt{15, 60};
inline constexpr QPoint ErrorAddressAt{15, 75};

// The player list and its rows.
inline constexpr QRect PlayersListRect{11, 74, 170, 225};
inline constexpr int PlayerRowHeight = 28;
inline constexpr int NameIndent = 4;
inline constexpr int RowTextTop = 8;
// The team stands this far left of the row's right edge; "n/a" five pixels further.
inline constexpr int TeamFromRight = 50;
inline constexpr int NoTeamFromRight = 55;
inline constexpr int IconFromRight = 32;
inline constexpr int IconTop = 1;
inline constexpr QSize ArmyIconSize{25, 26};
inline constexpr int ArmyIconCount = 13;

using skin::Black;
using skin::Grey;
using skin::Orange;

} // namespace details_layout
