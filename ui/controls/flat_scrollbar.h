// The flat, custom-drawn scroll bar of the skinned windows: two arrow buttons, a track and a
// scroller along one axis, drawn in four flat colours. Its rules live in FlatScrollBarState;
// this widget feeds it the pointer, its size and the repeat timer, and draws what it asks
// for into a picture that it shows at once.
#pragma once

#include <QImage>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "ui/controls/flat_scrollbar_state.h"

class QPainter;

class TFlatCustomScrollBar : public QWidget, private flat_scrollbar::FlatScrollBarEvents {
    Q_OBJECT
public:
    explicit TFlatCustomScrollBar(QWidget* owner = nullptr);
    ~TFlatCustomScrollBar() override;

    TScrollBarKind Kind() const { return state_.Kind(); }
    void SetKind(TScrollBarKind kind);
    int ButtonWidth() const { return state_.ButtonWidth(); }
    void SetButtonWidth(int value);
    int ScrollerWidth() const { return state_.ScrollerWidth(); }
    void SetScrollerWidth(int value);
    int Min() const { return state_.Min(); }
    void SetMin(int value);
    int Max() const { return state_.Max(); }
    void SetMax(int value);
    int Position() const { return state_.Position(); }
    void SetPosition(int value);
    int SmallChange() const { return state_.SmallChange(); }
    void SetSmallChange(int value);
    int LargeChange() const { return state_.LargeChange(); }
    void SetLargeChange(int value);

    // Colours take effect at the next drawing.
    TColor Color() const { return state_.colors().color; }
    void SetColor(TColor color);
    TColor BorderColor() const { return state_.colors().border; }
    void SetBorderColor(TColor color);
    TColor BarColor() const { return state_.colors().bar; }
    void SetBarColor(TColor color);
    TColor ArrowColor() const { return state_.colors().arrow; }
    void SetArrowColor(TColor color);

    // Disabling sends the position to Min first; a disabled bar ignores position changes and
    // the pointer.
    bool Enabled() const { return state_.Enabled(); }
    void SetEnabled(bool enabled);

    bool mouseInControl() const { return state_.MouseInControl(); }
    bool MouseIsDown() const { return state_.MouseIsDown(); }
    TFlatScrollBarArea MouseDownAt() const { return state_.MouseDownAt(); }

    // The areas' rectangles and the arrow glyphs as laid out now.
    const flat_scrollbar::Layout& Areas() const { return Synced().layout(); }
    // The canvas an OnPaint handler may draw on; null outside drawing.
    QPainter* Canvas() const { return canvas_; }
    // The picture the bar shows, at the screen's pixel ratio.
    const QImage& Picture() const { return picture_; }

    // The auto-repeat timer: running while an arrow or the track is held.
    bool RepeatTimerActive() const { return repeatTimer_.isActive(); }
    int RepeatInterval() const { return repeatTimer_.interval(); }
    // One tick of the repeat timer, as the timer delivers it (tests drive time with it).
    void RepeatTick() { Synced().RepeatTick(); }

    std::function<void(TFlatCustomScrollBar* Sender, TScrollCode ScrollCode, int& ScrollPos)>
        OnScroll;
    std::function<void(TFlatCustomScrollBar*Sender)> OnChange, OnMouseIn, OnMouseOut, OnResize;
    std::function<void(TFlatCustomScrollBar* Sender, bool& Continue, TFlatScrollBarArea Area)>
        OnPaint;
    std::function<void(TFlatCustomScrollBar*Sender, Qt::MouseButton Button,
                       Qt::KeyboardModifiers Keys, int X, int Y)>
        OnMouseDown, OnMouseUp;
    // Also raised by the bar itself, with no buttons, when the pointer leaves it (at -1, -1)
    // and when holding a button stops stepping because the pointer slid off it.
    std::function<void(TFlatCustomScrollBar* Sender, Qt::MouseButtons Buttons,
                       Qt::KeyboardModifiers Keys, int X, int Y)>
        OnMouseMove;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // FlatScrollBarEvents
    void Scrolled(int& position) override;
    void Changed() override;
    void PaintAreas(std::span<const TFlatScrollBarArea> areas) override;
    void RunRepeatTimer(bool run) override;
    void SyntheticMouseMove(flat_scrollbar::Point at) override;
    void MouseEntered() override;
    void MouseLeft() override;
    void EnabledChanged(bool enabled) override;

    // True when the picture had to be made anew for the widget's size or pixel ratio.
    bool FitPicture();
    void DrawAreas(std::span<const TFlatScrollBarArea> areas);
    void DrawArea(QPainter& painter, TFlatScrollBarArea area);
    // The rules, after they took up the widget's current size: a hidden widget is told of a
    // new size only when it is shown, yet its settings are clamped against that size at once.
    flat_scrollbar::FlatScrollBarState& Synced() const;

    mutable flat_scrollbar::FlatScrollBarState state_;
    QTimer repeatTimer_;
    QImage picture_;
    QPainter* canvas_ = nullptr;
    // Drawn into the picture but not yet shown.
    QRegion unshown_;
    // Set while the widget shows the picture it just drew, so that paint event draws nothing.
    bool showingPicture_ = false;
};

class TFlatScrollBar : public TFlatCustomScrollBar {
    Q_OBJECT
public:
    using TFlatCustomScrollBar::TFlatCustomScrollBar;
};
