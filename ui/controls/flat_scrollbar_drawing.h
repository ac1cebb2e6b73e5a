// What the flat scroll bar draws for each of its areas, as a short list of canvas operations
// (fills, frames, one-pixel lines, the arrow triangles) that the widget carries out.
#pragma once

#include <vector>

#include "ui/controls/flat_scrollbar_layout.h"

namespace flat_scrollbar {

struct Colors {
    TColor color = 0;  // fill of every area
    TColor border = 0; // button and scroller frames, track edges
    TColor bar = 0;    // grip lines on the scroller
    TColor arrow = 0;  // arrow triangles
};

struct DrawOp {
    enum class Kind {
        Fill,   // solid rectangle
        Frame,  // one-pixel frame along the inside of the rectangle
        Line,   // one-pixel line from `from` towards `to`, `to` itself not drawn
        Polygon // filled triangle with its outline
    };
    Kind kind = Kind::Fill;
    TColor color = 0;
    Rect rect{};
    Point from{}, to{};
    Triangle triangle{};
};

struct PaintState {
    const Layout& layout;
    TScrollBarKind kind;
    bool enabled;
    int scrollerWidth;
    Colors colors;
};

// The drawing of one area; nothing for saNone.
std::vector<DrawOp> AreaDrawing(TFlatScrollBarArea area, const PaintState& state);

// The rectangle an area's drawing covers (the track after the scroller of a disabled bar
// also covers the scroller's place).
Rect PaintedRect(TFlatScrollBarArea area, const PaintState& state);

// The pixels of a horizontal or vertical line drawn from `from` towards `to`, `to` excluded.
Rect LinePixels(Point from, Point to);

// The pixels of a filled triangle with its one-pixel outline, one row span per pixel row:
// every pixel whose row band meets the triangle within half a pixel of its centre column.
std::vector<Rect> TriangleRows(const Triangle& triangle);

} // namespace flat_scrollbar
