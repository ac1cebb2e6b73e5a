#include "ui/controls/flat_scrollbar_state.h"

#include <algorithm>
#include <array>

namespace flat_scrollbar {

namespace {

constexpr std::array<TFlatScrollBarArea, AreaCount> AllAreas{saBtnArrowDown, saBtnArrowUp,
                                                             saTrackDown, saTrackUp, saScroller};
// What a position change moves.
constexpr std::array<TFlatScrollBarArea, 3> MovingAreas{saTrackDown, saScroller, saTrackUp};

} // namespace

FlatScrollBarState::FlatScrollBarState(FlatScrollBarEvents& events) : events_(events) {
    FullLayout();
}

void FlatScrollBarState::FullLayout() {
    size_.kind = kind_;
    LayOutButtons(layout_, size_, buttonWidth_);
    LayOutScroller();
}

void FlatScrollBarState::LayOutScroller() {
    flat_scrollbar::LayOutScroller(layout_, size_, scrollerWidth_, position_, max_);
}

void FlatScrollBarState::PaintAll() {
    events_.PaintAreas(AllAreas);
}

void FlatScrollBarState::SetKind(TScrollBarKind kind) {
    if (kind == kind_) return;
    kind_ = kind;
    FullLayout();
    PaintAll();
}

void FlatScrollBarState::SetButtonWidth(int value) {
    value = FittedButtonLength(value, size_.length());
    if (value == buttonWidth_) return;
    buttonWidth_ = value;
    FullLayout();
    PaintAll();
}

void FlatScrollBarState::SetScrollerWidth(int value) {
    value = std::max(value, 3);
    if (value == scrollerWidth_) return;
    scrollerWidth_ = value;
    LayOutScroller();
    PaintAll();
}

void FlatScrollBarState::SetMin(int value) {
    // The position stays where it is; the next assignment clamps it.
    if (value == min_ || value < 0 || value > max_) return;
    min_ = value;
    LayOutScroller();
    PaintAll();
}

void FlatScrollBarState::SetMax(int value) {
    if (value == max_ || value < 0 || value < min_) return;
    max_ = value;
    if (position_ > max_) SetPosition(max_);
    LayOutScroller();
    PaintAll();
}

void FlatScrollBarState::SetPosition(int value) {
    if (!enabled_) return;
    value = std::min(std::max(value, min_), max_);
    if (value == position_) return;
    position_ = value;
    // The handler sees the new position before the scroller moves, and may replace it.
    events_.Scrolled(position_);
    LayOutScroller();
    events_.PaintAreas(MovingAreas);
    events_.Changed();
}

void FlatScrollBarState::SetSmallChange(int value) {
    if (value == smallChange_ || value <= 0 || value >= largeChange_) return;
    smallChange_ = value;
}

void FlatScrollBarState::SetLargeChange(int value) {
    if (value == largeChange_ || value < smallChange_ || value <= 0) return;
    largeChange_ = value;
}

void FlatScrollBarState::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    // Still in the old state: a bar being disabled goes back to its minimum.
    SetPosition(0);
    enabled_ = enabled;
    if (!enabled) {
        // A disabled bar gets no release: a press in progress ends here, or its timer would
        // run on and a later move without a button would still drag.
        mouseIsDown_ = false;
        mouseDownAt_ = saNone;
        StopRepeat();
    }
    events_.EnabledChanged(enabled);
    PaintAll();
}

void FlatScrollBarState::Resize(int width, int height) {
    size_.width = width;
    size_.height = height;
    FullLayout();
}

void FlatScrollBarState::StartRepeat() {
    repeatRunning_ = true;
    events_.RunRepeatTimer(true);
}

void FlatScrollBarState::StopRepeat() {
    if (!repeatRunning_) return;
    repeatRunning_ = false;
    events_.RunRepeatTimer(false);
}

void FlatScrollBarState::Press(Point at) {
    mouseIsDown_ = true;
    lastMousePos_ = at;
    for (const TFlatScrollBarArea area : AllAreas) {
        const Rect& rect = layout_[area];
        if (!rect.contains(at)) continue;
        mouseDownAt_ = area;
        if (area == saScroller) {
            grabOffset_ = {at.x - rect.left, at.y - rect.top};
        } else {
            // The first step comes with the first tick, not with the press.
            repeatArea_ = area;
            StartRepeat();
        }
        events_.PaintAreas(std::span<const TFlatScrollBarArea>(&area, 1));
    }
}

void FlatScrollBarState::RepeatTick() {
    if (!repeatRunning_) return;
    const bool held = repeatArea_ != saNone && repeatArea_ == mouseDownAt_ &&
                      layout_[repeatArea_].contains(lastMousePos_);
    if (!held) {
        // The pointer slid off the pressed area: stepping ends until the next press.
        StopRepeat();
        events_.SyntheticMouseMove(lastMousePos_);
        return;
    }
    switch (repeatArea_) {
    case saBtnArrowDown:
        SetPosition(std::max(position_ - smallChange_, min_));
        break;
    case saBtnArrowUp:
        SetPosition(std::min(position_ + smallChange_, max_));
        break;
    case saTrackDown:
        SetPosition(std::max(position_ - largeChange_, min_));
        break;
    case saTrackUp:
        SetPosition(std::min(position_ + largeChange_, max_));
        break;
    case saScroller:
    case saNone:
        break;
    }
}

void FlatScrollBarState::Move(Point at) {
    lastMousePos_ = at;
    if (mouseDownAt_ != saScroller) return;
    const bool horizontal = kind_ == sbHorizontal;
    // None when the scroller was hidden since the drag began (the bar shrank or the scroller
    // grew): with no track to follow, such moves change nothing.
    const std::optional<int> position =
        DragPosition(horizontal ? at.x : at.y, horizontal ? grabOffset_.x : grabOffset_.y, size_,
                     layout_.buttonLength, scrollerWidth_, max_);
    if (position) SetPosition(*position);
}

void FlatScrollBarState::Release(Point at) {
    if (!mouseIsDown_) return;
    mouseIsDown_ = false;
    lastMousePos_ = at;
    mouseDownAt_ = saNone;
    StopRepeat();
    PaintAll();
}

void FlatScrollBarState::Enter() {
    mouseInControl_ = true;
    PaintAll();
    events_.MouseEntered();
}

void FlatScrollBarState::Leave() {
    mouseInControl_ = false;
    PaintAll();
    events_.SyntheticMouseMove({-1, -1});
    events_.MouseLeft();
}

} // namespace flat_scrollbar
