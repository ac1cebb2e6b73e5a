// The plain vocabulary of the flat scroll bar: its areas, kinds, scroll codes, colours, and
// the points and rectangles its layout is made of. No toolkit types, so the rules built on
// them run without a window.
#pragma once

#include <array>
#include <cstdint>

// The bar's five areas along its axis. Down and Up name the direction of the value: the
// button at the start (left or top) lowers it, the one at the end raises it.
enum TFlatScrollBarArea {
    saBtnArrowDown,
    saBtnArrowUp,
    saTrackDown,
    saTrackUp,
    saScroller,
    saNone
};
enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};

// 0x00BBGGRR for an RGB colour; 0xFF0000nn names the system colour with index nn.
using TColor = std::int32_t;
// The system's button-face colour.
inline constexpr TColor clBtnFace = static_cast<TColor>(0xFF00000Fu);

namespace flat_scrollbar {

inline constexpr int AreaCount = 5; // saBtnArrowDown .. saScroller

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const {
        return left <= p.x && p.x < right && top <= p.y && p.y < bottom;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

using Triangle = std::array<Point, 3>;

} // namespace flat_scrollbar
