#include "ui/controls/flat_scrollbar_drawing.h"

#include <algorithm>
#include <cmath>

namespace flat_scrollbar {

namespace {

bool IsTrack(TFlatScrollBarArea area) {
    return area == saTrackDown || area == saTrackUp;
}

bool IsButton(TFlatScrollBarArea area) {
    return area == saBtnArrowDown || area == saBtnArrowUp;
}

// The area's rectangle as drawn: a disabled bar shows no scroller, so the track after it
// reaches back over the scroller's place.
Rect DrawnRect(TFlatScrollBarArea area, const PaintState& s) {
    Rect r = s.layout[area];
    if (area == saTrackUp && !s.enabled && s.layout.scrollerShown) {
        if (s.kind == sbVertical)
            r.top -= s.scrollerWidth;
        else
            r.left -= s.scrollerWidth;
    }
    return r;
}

DrawOp Fill(const Rect& r, TColor color) {
    return {DrawOp::Kind::Fill, color, r, {}, {}, {}};
}

DrawOp Frame(const Rect& r, TColor color) {
    return {DrawOp::Kind::Frame, color, r, {}, {}, {}};
}

DrawOp Line(Point from, Point to, TColor color) {
    return {DrawOp::Kind::Line, color, {}, from, to, {}};
}

} // namespace

Rect LinePixels(Point from, Point to) {
    if (from.x == to.x) {
        if (to.y > from.y) return {from.x, from.y, from.x + 1, to.y};
        return {from.x, to.y + 1, from.x + 1, from.y + 1};
    }
    if (to.x > from.x) return {from.x, from.y, to.x, from.y + 1};
    return {to.x + 1, from.y, from.x + 1, from.y + 1};
}

std::vector<Rect> TriangleRows(const Triangle& t) {
    std::vector<Rect> rows;
    const auto [lowest, highest] = std::minmax({t[0].y, t[1].y, t[2].y});
    for (int y = lowest; y <= highest; ++y) {
        // The x extent of the triangle within the pixel row's band y - 0.5 .. y + 0.5: it is
        // reached at a corner inside the band or where an edge crosses the band's border.
        const double bandTop = y - 0.5;
        const double bandBottom = y + 0.5;
        double xMin = HUGE_VAL;
        double xMax = -HUGE_VAL;
        const auto note = [&](double x) {
            xMin = std::min(xMin, x);
            xMax = std::max(xMax, x);
        };
        for (std::size_t i = 0; i < t.size(); ++i) {
            const Point a = t[i];
            const Point b = t[(i + 1) % t.size()];
            if (a.y >= bandTop && a.y <= bandBottom) note(a.x);
            if (a.y == b.y) continue;
            for (const double edgeY : {bandTop, bandBottom}) {
                const double share = (edgeY - a.y) / (b.y - a.y);
                if (share >= 0.0 && share <= 1.0) note(a.x + share * (b.x - a.x));
            }
        }
        if (xMin > xMax) continue;
        // Pixels whose centre lies within half a pixel of that extent.
        const int left = static_cast<int>(std::floor(xMin - 0.5)) + 1;
        const int right = static_cast<int>(std::ceil(xMax + 0.5));
        if (left < right) rows.push_back({left, y, right, y + 1});
    }
    return rows;
}

Rect PaintedRect(TFlatScrollBarArea area, const PaintState& s) {
    if (area == saNone) return {};
    Rect r = DrawnRect(area, s);
    // The track's edge lines run one pixel past its end (vertical) or start (horizontal).
    if (IsTrack(area)) {
        if (s.kind == sbVertical)
            ++r.bottom;
        else
            --r.left;
    }
    return r;
}

std::vector<DrawOp> AreaDrawing(TFlatScrollBarArea area, const PaintState& s) {
    std::vector<DrawOp> ops;
    if (area == saNone) return ops;
    const Rect r = DrawnRect(area, s);
    const bool scroller = area == saScroller;
    const bool hiddenScroller = scroller && !s.layout.scrollerShown;
    if (!scroller || s.enabled) {
        if (!hiddenScroller) ops.push_back(Fill(r, s.colors.color));
        if (IsTrack(area)) {
            const TColor pen = s.colors.border;
            if (s.kind == sbVertical) {
                ops.push_back(Line({r.left, r.bottom}, {r.left, r.top - 1}, pen));
                ops.push_back(Line({r.right - 1, r.bottom}, {r.right - 1, r.top - 1}, pen));
            } else {
                ops.push_back(Line({r.left - 1, r.bottom - 1}, {r.right, r.bottom - 1}, pen));
                ops.push_back(Line({r.left - 1, r.top}, {r.right, r.top}, pen));
            }
        } else if (!hiddenScroller) {
            ops.push_back(Frame(r, s.colors.border));
        }
    }
    if (scroller) {
        // Grip lines only on a scroller long enough to hold them.
        if (!s.enabled || hiddenScroller) return ops;
        const TColor pen = s.colors.bar;
        if (s.kind == sbVertical && r.height() > 7) {
            const int y0 = r.top + (r.height() - 7) / 2;
            for (int y = y0; y <= y0 + 6; y += 2)
                ops.push_back(Line({4, y}, {r.right - 4, y}, pen));
        } else if (s.kind == sbHorizontal && r.width() > 7) {
            const int x0 = r.left + (r.width() - 7) / 2;
            for (int x = x0; x <= x0 + 6; x += 2)
                ops.push_back(Line({x, 4}, {x, r.bottom - 4}, pen));
        }
        return ops;
    }
    // The arrows show on a disabled bar too.
    if (IsButton(area))
        ops.push_back({DrawOp::Kind::Polygon,
                       s.colors.arrow,
                       {},
                       {},
                       {},
                       s.layout.arrow[static_cast<std::size_t>(area)]});
    return ops;
}

} // namespace flat_scrollbar
