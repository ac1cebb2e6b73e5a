// The flat scroll bar's behaviour without a window: its settings and how assignments clamp
// them, the position change and the order of its notifications, press, auto-repeat, drag,
// release, enter, leave and enabling. What it needs of the control around it (notifying,
// drawing, the repeat timer) goes through FlatScrollBarEvents.
#pragma once

#include <span>

#include "ui/controls/flat_scrollbar_drawing.h"

namespace flat_scrollbar {

class FlatScrollBarEvents {
public:
    virtual ~FlatScrollBarEvents() = default;
    // Position changed; the handler may store another value there.
    virtual void Scrolled(int& position) = 0;
    // Position changed and the moved areas are drawn.
    virtual void Changed() = 0;
    // Draw these areas now, in this order.
    virtual void PaintAreas(std::span<const TFlatScrollBarArea> areas) = 0;
    virtual void RunRepeatTimer(bool run) = 0;
    // A pointer move with no buttons or keys held that the bar reports by itself.
    virtual void SyntheticMouseMove(Point at) = 0;
    virtual void MouseEntered() = 0;
    virtual void MouseLeft() = 0;
    // Input stops reaching a disabled bar.
    virtual void EnabledChanged(bool enabled) = 0;
};

class FlatScrollBarState {
public:
    static constexpr int DefaultWidth = 150;
    static constexpr int DefaultHeight = 18;
    static constexpr int RepeatIntervalMs = 50;

    explicit FlatScrollBarState(FlatScrollBarEvents& events);

    TScrollBarKind Kind() const { return kind_; }
    int ButtonWidth() const { return buttonWidth_; }
    int ScrollerWidth() const { return scrollerWidth_; }
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    int SmallChange() const { return smallChange_; }
    int LargeChange() const { return largeChange_; }
    const Colors& colors() const { return colors_; }
    bool Enabled() const { return enabled_; }
    bool MouseInControl() const { return mouseInControl_; }
    bool MouseIsDown() const { return mouseIsDown_; }
    TFlatScrollBarArea MouseDownAt() const { return mouseDownAt_; }
    TFlatScrollBarArea RepeatArea() const { return repeatArea_; }
    bool RepeatRunning() const { return repeatRunning_; }
    Point LastMousePos() const { return lastMousePos_; }
    BarSize size() const { return size_; }
    const Layout& layout() const { return layout_; }
    PaintState paintState() const { return {layout_, kind_, enabled_, scrollerWidth_, colors_}; }

    void SetKind(TScrollBarKind kind);
    void SetButtonWidth(int value);
    void SetScrollerWidth(int value);
    void SetMin(int value);
    void SetMax(int value);
    void SetPosition(int value);
    void SetSmallChange(int value);
    void SetLargeChange(int value);
    // Colours show at the next drawing; assigning one draws nothing.
    void SetColors(const Colors& colors) { colors_ = colors; }
    void SetEnabled(bool enabled);

    // The control's new size; lays everything out again (drawing waits for a paint request).
    void Resize(int width, int height);

    // Left-button press (or double press), pointer move and left-button release, in the
    // control's coordinates.
    void Press(Point at);
    void Move(Point at);
    void Release(Point at);
    // One tick of the repeat timer; ignored while it is stopped.
    void RepeatTick();
    void Enter();
    void Leave();

    void PaintAll();

private:
    void FullLayout();
    void LayOutScroller();
    void StartRepeat();
    void StopRepeat();

    FlatScrollBarEvents& events_;
    TScrollBarKind kind_ = sbHorizontal;
    BarSize size_{sbHorizontal, DefaultWidth, DefaultHeight};
    int buttonWidth_ = 18;
    int scrollerWidth_ = 15;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int smallChange_ = 1;
    int largeChange_ = 5;
    Colors colors_{clBtnFace, 0, 0, 0};
    bool enabled_ = true;
    bool mouseInControl_ = false;
    bool mouseIsDown_ = false;
    TFlatScrollBarArea mouseDownAt_ = saNone;
    TFlatScrollBarArea repeatArea_ = saNone;
    bool repeatRunning_ = false;
    Point lastMousePos_{};
    Point grabOffset_{};
    Layout layout_{};
};

} // namespace flat_scrollbar
