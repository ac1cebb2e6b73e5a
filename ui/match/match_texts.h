// What the match window writes: the tooltips of the map's marks, the lines of a player's list and
// the lines saying what the window can't show.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "orders/course_texts.h"

// A mark's tooltip: what, who and when ("Centrale électrique — Nic — 0m 08s").
QString MarkTip(const QString& what, const QString& who, uint32_t frame);

// A minute mark's label, written as the window's other times are ("5m", as "5m 00s").
QString MinuteMarkText(uint32_t minutes);

// Why the window shows no order at all, when it shows none.
enum class NoOrders {
    CutFile,       // the file ends before any order could be read
    ComputersOnly, // no human player: computers' orders are never recorded
    Unreadable,    // the file can't be read any more
    NoneRecorded,  // humans who gave no order
};
QString NoOrdersLine(NoOrders why);
// No map cache gives the map's extent (no entry, one without it, or one without area): the
// buildings can't be placed on its picture.
QString UnknownPositionsLine();

// One line of a player's list: when, and what his order asked for, as the tool prints it
// ("0m 08s  posé  Centrale électrique  (1132, 854)").
QString ListLine(const CourseLine& line);
