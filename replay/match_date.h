// Whether a start time read from a replay names a moment a calendar holds: the one rule the
// reader, the list's tooltip and tarvex-info apply before showing a match date.
#pragma once

#include "replay/zerohour_intf.h"

// A day that exists in its month (29 February in leap years only), a time of day, a day of
// the week and a year Windows can hold (from 1601).
bool IsRealDate(const TZH_date& date);
