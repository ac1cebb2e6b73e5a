#include "ui/controls/flat_scrollbar_layout.h"

#include <cmath>
#include <limits>

namespace flat_scrollbar {

namespace {

// A rectangle across the bar's whole thickness, from `from` to `to` along its axis.
Rect Across(BarSize size, int from, int to) {
    if (size.kind == sbHorizontal) return {from, 0, to, size.height};
    return {0, from, size.width, to};
}

int Start(TScrollBarKind kind, const Rect& r) {
    return kind == sbHorizontal ? r.left : r.top;
}

int End(TScrollBarKind kind, const Rect& r) {
    return kind == sbHorizontal ? r.right : r.bottom;
}

Rect& At(Layout& layout, TFlatScrollBarArea a) {
    return layout.area[static_cast<std::size_t>(a)];
}

} // namespace

Triangle ArrowPoints(Rect r, ArrowDirection direction) {
    // Square the rectangle around its centre.
    const int d = r.width() - r.height();
    if (d > 0) {
        r.left += d / 2;
        r.right -= d / 2;
    } else {
        r.top += -d / 2;
        r.bottom -= -d / 2;
    }
    const bool vertical = direction == ArrowDirection::Up || direction == ArrowDirection::Down;
    // An odd base keeps the tip on a whole pixel.
    int a = ((vertical ? r.width() : r.height()) - 1) / 2;
    if (a % 2 == 0) ++a;
    int bx = 0;
    int by = 0;
    if (vertical) {
        bx = a;
        by = bx / 2 + 1;
    } else {
        by = a;
        bx = by / 2 + 1;
    }
    const int m = static_cast<int>(std::lround((r.top + r.bottom - by) / 2.0));
    const int cx = (r.left + r.right - 1) / 2;
    const int lx = (r.left + r.right - bx) / 2;
    const int cy = (r.top + r.bottom) / 2;
    switch (direction) {
    case ArrowDirection::Up:
        return {{{cx, m - 1}, {lx, m + by - 2}, {lx + bx - 1, m + by - 2}}};
    case ArrowDirection::Down:
        return {{{lx, m}, {lx + bx - 1, m}, {cx, m + by - 1}}};
    case ArrowDirection::Left:
        return {{{lx, cy}, {lx + bx - 1, m}, {lx + bx - 1, m + by - 1}}};
    case ArrowDirection::Right:
        break;
    }
    return {{{lx, m}, {lx + bx - 1, cy}, {lx, m + by - 1}}};
}

int AxisLength(TScrollBarKind kind, int width, int height) {
    return kind == sbHorizontal ? width : height;
}

int FittedButtonLength(int buttonWidth, int axisLength) {
    if (buttonWidth < 0) return 0;
    return buttonWidth > axisLength / 2 ? axisLength / 2 : buttonWidth;
}

int RoundHalfEven(double value) {
    // nearbyint follows the default rounding mode, which sends halves to the even neighbour.
    const double rounded = std::nearbyint(value);
    if (!(rounded > std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (!(rounded < std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(rounded);
}

void LayOutButtons(Layout& layout, BarSize size, int buttonWidth) {
    const int length = size.length();
    layout.buttonLength = FittedButtonLength(buttonWidth, length);
    At(layout, saBtnArrowDown) = Across(size, 0, layout.buttonLength);
    At(layout, saBtnArrowUp) = Across(size, length - layout.buttonLength, length);
    const bool horizontal = size.kind == sbHorizontal;
    layout.arrow[0] =
        ArrowPoints(layout[saBtnArrowDown], horizontal ? ArrowDirection::Left : ArrowDirection::Up);
    layout.arrow[1] = ArrowPoints(layout[saBtnArrowUp],
                                  horizontal ? ArrowDirection::Right : ArrowDirection::Down);
}

void LayOutScroller(Layout& layout, BarSize size, int scrollerWidth, int position, int max) {
    const int trackStart = End(size.kind, layout[saBtnArrowDown]);
    const int trackEnd = Start(size.kind, layout[saBtnArrowUp]);
    const int track = trackEnd - trackStart;
    Rect& scroller = At(layout, saScroller);
    if (track > scrollerWidth) {
        layout.scrollerShown = true;
        const int free = track - scrollerWidth;
        // Position is mapped over 0..max, whatever the minimum.
        const double percent = max < 1 ? 0.0 : static_cast<double>(position) / max * 100.0;
        const int offset = RoundHalfEven(free * percent / 100.0);
        scroller = Across(size, trackStart + offset, trackStart + offset + scrollerWidth);
    } else {
        layout.scrollerShown = false;
        scroller = Across(size, trackStart, trackStart);
    }
    At(layout, saTrackDown) = Across(size, trackStart, Start(size.kind, scroller));
    At(layout, saTrackUp) = Across(size, End(size.kind, scroller), trackEnd);
}

std::optional<int> DragPosition(int pointer, int grab, BarSize size, int buttonLength,
                                int scrollerWidth, int max) {
    const int free = size.length() - 2 * buttonLength - scrollerWidth;
    if (free <= 0) return std::nullopt;
    const double percent = static_cast<double>(pointer - buttonLength - grab) / free * 100.0;
    return RoundHalfEven(max * percent / 100.0);
}

} // namespace flat_scrollbar
