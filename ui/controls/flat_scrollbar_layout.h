// Where the flat scroll bar's areas and arrow glyphs lie, and what position a drag of the
// scroller gives: plain arithmetic on the bar's size and settings.
#pragma once

#include <optional>

#include "ui/controls/flat_scrollbar_types.h"

namespace flat_scrollbar {

enum class ArrowDirection { Up, Down, Left, Right };

// The three corners of the arrow glyph drawn in the button rectangle `button`.
Triangle ArrowPoints(Rect button, ArrowDirection direction);

// Length along the axis: the width of a horizontal bar, the height of a vertical one.
int AxisLength(TScrollBarKind kind, int width, int height);

// A button length that fits: negative gives 0, more than half the bar gives half.
int FittedButtonLength(int buttonWidth, int axisLength);

// Rounds to the nearest integer, an exact half to the even neighbour, within int's range.
int RoundHalfEven(double value);

struct Layout {
    std::array<Rect, AreaCount> area{}; // indexed by saBtnArrowDown .. saScroller
    std::array<Triangle, 2> arrow{};    // for saBtnArrowDown and saBtnArrowUp
    int buttonLength = 0;
    bool scrollerShown = true;

    const Rect& operator[](TFlatScrollBarArea a) const { return area[static_cast<std::size_t>(a)]; }
};

struct BarSize {
    TScrollBarKind kind = sbHorizontal;
    int width = 0;
    int height = 0;
    int length() const { return AxisLength(kind, width, height); }
};

// The two buttons and their arrows.
void LayOutButtons(Layout& layout, BarSize size, int buttonWidth);
// The scroller and the two track parts, between buttons already laid out.
void LayOutScroller(Layout& layout, BarSize size, int scrollerWidth, int position, int max);

// The position that puts the scroller grabbed `grab` pixels from its start under a pointer at
// `pointer` (both along the axis), before clamping to the range; none when the track is too
// short to hold the scroller (it is hidden then and a drag means nothing).
std::optional<int> DragPosition(int pointer, int grab, BarSize size, int buttonLength,
                                int scrollerWidth, int max);

} // namespace flat_scrollbar
