#include "ui/match/match_timeline.h"

#include <algorithm>
#include <cmath>

#include "ui/match/match_layout.h"

TimeScale TimelineScale(uint32_t end) {
    return {end, match_layout::TimeLeft, match_layout::TimeWidth};
}

int XAtFrame(const TimeScale& scale, uint32_t frame) {
    const double end = std::max<uint32_t>(scale.end, 1);
    const double at = std::min<double>(frame, end) / end;
    return scale.left + static_cast<int>(std::lround(at * (scale.width - 1)));
}

uint32_t FrameAtX(const TimeScale& scale, int x) {
    if (scale.width <= 1 || x <= scale.left) return 0;
    if (x >= scale.left + scale.width - 1) return scale.end;
    const double at = static_cast<double>(x - scale.left) / (scale.width - 1);
    return static_cast<uint32_t>(std::lround(at * scale.end));
}

std::vector<MinuteMark> MinuteMarks(const TimeScale& scale) {
    const uint64_t end = std::max<uint32_t>(scale.end, 1);
    const auto spacing = [&](uint64_t minutes) {
        return static_cast<double>(minutes * FramesPerMinute) / static_cast<double>(end) *
               (scale.width - 1);
    };
    uint64_t step = MinuteMarkStep;
    // Past the match's end a step marks nothing: no need to widen it further.
    while (spacing(step) < MinuteMarkSpacing && step * FramesPerMinute < end)
        step *= 2;
    std::vector<MinuteMark> marks;
    for (uint64_t minute = step; minute * FramesPerMinute < end; minute += step)
        marks.push_back({static_cast<uint32_t>(minute),
                         XAtFrame(scale, static_cast<uint32_t>(minute * FramesPerMinute))});
    return marks;
}

uint32_t MovedCursor(uint32_t cursor, CursorMove move, uint32_t end) {
    cursor = std::min(cursor, end);
    switch (move) {
    case CursorMove::Back:
        return cursor > CursorStepFrames ? cursor - CursorStepFrames : 0;
    case CursorMove::Forward:
        return end - cursor > CursorStepFrames ? cursor + CursorStepFrames : end;
    case CursorMove::Start:
        return 0;
    case CursorMove::End:
        break;
    }
    return end;
}

std::vector<QRect> ActivityBars(const std::vector<uint32_t>& perMinute, uint32_t peak,
                                const TimeScale& scale, const QRect& row) {
    std::vector<QRect> bars;
    if (peak == 0) return bars;
    for (std::size_t minute = 0; minute < perMinute.size(); ++minute) {
        const uint32_t count = std::min(perMinute[minute], peak);
        const uint32_t start = static_cast<uint32_t>(minute) * FramesPerMinute;
        if (count == 0 || start >= scale.end) continue;
        const int left = XAtFrame(scale, start);
        const int right = XAtFrame(scale, start + FramesPerMinute);
        const int height = std::max(
            1, static_cast<int>(std::lround(static_cast<double>(count) * row.height() / peak)));
        bars.emplace_back(left, row.bottom() + 1 - height, std::max(1, right - left), height);
    }
    return bars;
}

std::optional<std::size_t> RowAt(QPoint at, int rowsTop, int rowHeight, std::size_t rows) {
    if (at.y() < rowsTop || rowHeight <= 0) return std::nullopt;
    const auto row = static_cast<std::size_t>((at.y() - rowsTop) / rowHeight);
    if (row >= rows) return std::nullopt;
    return row;
}
