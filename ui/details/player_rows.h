// The rows of the details window's player list: who gets one, and what each row shows where.
#pragma once

#include <QPoint>
#include <QRect>
#include <optional>
#include <vector>

#include "replay/zerohour_intf.h"
#include "ui/details/placed_text.h"

// The positions in `players` of the participants that get a row, in order: everyone but
// the observers.
std::vector<int> PlayerRowIndices(const TZH_replay& replay);

// The army icon for an army value: army - 2 for the armies, the question mark for the random
// army (-1); nullopt when that lies outside the icons.
std::optional<int> ArmyIconIndex(int army);

// A row's name and team texts, in drawing order, for a row at `row` in list coordinates.
std::vector<PlacedText> PlayerRowTexts(const TZH_player& player, const QRect& row);

// The top-left corner of a row's army icon.
QPoint ArmyIconAt(const QRect& row);
