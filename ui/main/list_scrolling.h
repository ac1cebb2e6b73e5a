// How the replay list and its scroll bar keep in step: the bar's range for a number of rows,
// where the bar goes when the list brought the selected row into view, the wheel's step.
#pragma once

#include <algorithm>
#include <optional>

#include "ui/main/main_layout.h"

// Rows one wheel notch moves the list.
inline constexpr int WheelNotchRows = 5;

struct ListScrollRange {
    int max = 0;           // 0 while every row fits
    int scrollerWidth = 0; // the bar's length over max (the bar raises it to its minimum)
};

constexpr ListScrollRange ListScrollRangeFor(int rows, int barLength,
                                             int visibleRows = main_layout::WholeRowsVisible) {
    const int max = rows - visibleRows;
    if (max <= 0) return {0, barLength};
    return {max, barLength / max};
}

// The first visible row that shows `row` wholly, when the list showing rows from `listTop`
// doesn't: the row itself above, or the row at the bottom below. None if no row is selected.
constexpr std::optional<int> ListTopShowing(int row, int listTop,
                                            int visibleRows = main_layout::WholeRowsVisible) {
    const int lastWhole = listTop + visibleRows - 1;
    if (row < 0 || (listTop <= row && row <= lastWhole)) return std::nullopt;
    return row < listTop ? row : row - (visibleRows - 1);
}

// When the rows change under a selected replay (the filter's text changed), the first visible
// row that keeps it on the line of the list it was on (or the nearest whole one), as far as
// the rows allow. `line` is its old row minus the old first visible row.
constexpr int ListTopKeepingLine(int row, int line, int rows, int visibleRows) {
    const int keptLine = std::clamp(line, 0, visibleRows - 1);
    return std::clamp(row - keptLine, 0, std::max(0, rows - visibleRows));
}
