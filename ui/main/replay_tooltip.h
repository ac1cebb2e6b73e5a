// The tooltip of a row of the replay list: when the match was played, or why the replay
// can't be shown.
#pragma once

#include <QString>

#include "replay/zerohour_intf.h"

// Empty when there is nothing to say (no date, or a date no calendar holds).
QString ReplayTooltip(const TZH_replay& replay);
