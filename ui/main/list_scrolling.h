// How the replay list and its scroll bar keep in step: the bar's range for a number of rows,
// where the bar goes when the list brought the selected row into view, the wheel's step.
#pragma once

#include <optional>

#include "ui/main/main_layout.h"

// Rows one wheel notch moves the list.
inline constexpr int WheelNotchRows = 5;

struct ListScrollRange {
    int max = 0;           // 0 while every row fits
    int scrollerWidth = 0; // the bar's length over max (the bar raises it to its minimum)
};

constexpr ListScrollRange ListScrollRangeFor(int rows, int barLength) {
    const int max = rows - main_layout::WholeRowsVisible;
    if (max <= 0) return {0, barLength};
    return {max, barLength / max};
}

// The first visible row that shows `row` wholly, when the list showing rows from `listTop`
// doesn't: the row itself above, or the row at the bottom below. None if no row is selected.
constexpr std::optional<int> ListTopShowing(int row, int listTop) {
    const int lastWhole = listTop + main_layout::WholeRowsVisible - 1;
    if (row < 0 || (listTop <= row && row <= lastWhole)) return std::nullopt;
    return row < listTop ? row : row - (main_layout::WholeRowsVisible - 1);
}
