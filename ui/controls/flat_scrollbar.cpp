#include "ui/controls/flat_scrollbar.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopeGuard>
#include <array>

#include "ui/common/pointer_position.h"
#include "ui/controls/system_colors.h"

namespace fsb = flat_scrollbar;

namespace {

constexpr std::array<TFlatScrollBarArea, fsb::AreaCount> AllAreas{
    saBtnArrowDown, saBtnArrowUp, saTrackDown, saTrackUp, saScroller};

QRect ToQRect(const fsb::Rect& r) {
    return {r.left, r.top, r.width(), r.height()};
}

void FillPixels(QPainter& painter, const fsb::Rect& r, const QColor& color) {
    if (!r.empty()) painter.fillRect(ToQRect(r), color);
}

// Everything is drawn as whole-pixel fills, so that lines stay one pixel wide (and their end
// point undrawn) at any pixel ratio.
void Draw(QPainter& painter, const fsb::DrawOp& op, const QColor& color) {
    switch (op.kind) {
    case fsb::DrawOp::Kind::Fill:
        FillPixels(painter, op.rect, color);
        break;
    case fsb::DrawOp::Kind::Frame: {
        const fsb::Rect& r = op.rect;
        if (r.empty()) break;
        FillPixels(painter, {r.left, r.top, r.right, r.top + 1}, color);
        FillPixels(painter, {r.left, r.bottom - 1, r.right, r.bottom}, color);
        FillPixels(painter, {r.left, r.top, r.left + 1, r.bottom}, color);
        FillPixels(painter, {r.right - 1, r.top, r.right, r.bottom}, color);
        break;
    }
    case fsb::DrawOp::Kind::Line:
        FillPixels(painter, fsb::LinePixels(op.from, op.to), color);
        break;
    case fsb::DrawOp::Kind::Polygon:
        for (const fsb::Rect& row : fsb::TriangleRows(op.triangle))
            FillPixels(painter, row, color);
        break;
    }
}

fsb::Point PointOf(const QMouseEvent* event) {
    const QPoint p = WholePixel(event->position());
    return {p.x(), p.y()};
}

} // namespace

TFlatCustomScrollBar::TFlatCustomScrollBar(QWidget* owner) : QWidget(owner), state_(*this) {
    repeatTimer_.setInterval(fsb::FlatScrollBarState::RepeatIntervalMs);
    connect(&repeatTimer_, &QTimer::timeout, this, [this] { Synced().RepeatTick(); });
    // The window's focus stays where it is when the bar is pressed.
    setFocusPolicy(Qt::NoFocus);
    // Every pointer move is reported, not only those with a button held.
    setMouseTracking(true);
    resize(fsb::FlatScrollBarState::DefaultWidth, fsb::FlatScrollBarState::DefaultHeight);
}

TFlatCustomScrollBar::~TFlatCustomScrollBar() {
    repeatTimer_.stop();
}

fsb::FlatScrollBarState& TFlatCustomScrollBar::Synced() const {
    const fsb::BarSize known = state_.size();
    if (known.width != width() || known.height != height()) state_.Resize(width(), height());
    return state_;
}

void TFlatCustomScrollBar::SetKind(TScrollBarKind kind) {
    Synced().SetKind(kind);
}
void TFlatCustomScrollBar::SetButtonWidth(int value) {
    Synced().SetButtonWidth(value);
}
void TFlatCustomScrollBar::SetScrollerWidth(int value) {
    Synced().SetScrollerWidth(value);
}
void TFlatCustomScrollBar::SetMin(int value) {
    Synced().SetMin(value);
}
void TFlatCustomScrollBar::SetMax(int value) {
    Synced().SetMax(value);
}
void TFlatCustomScrollBar::SetPosition(int value) {
    Synced().SetPosition(value);
}
void TFlatCustomScrollBar::SetSmallChange(int value) {
    Synced().SetSmallChange(value);
}
void TFlatCustomScrollBar::SetLargeChange(int value) {
    Synced().SetLargeChange(value);
}
void TFlatCustomScrollBar::SetEnabled(bool enabled) {
    Synced().SetEnabled(enabled);
}

void TFlatCustomScrollBar::SetColor(TColor color) {
    fsb::Colors colors = state_.colors();
    colors.color = color;
    state_.SetColors(colors);
}
void TFlatCustomScrollBar::SetBorderColor(TColor color) {
    fsb::Colors colors = state_.colors();
    colors.border = color;
    state_.SetColors(colors);
}
void TFlatCustomScrollBar::SetBarColor(TColor color) {
    fsb::Colors colors = state_.colors();
    colors.bar = color;
    state_.SetColors(colors);
}
void TFlatCustomScrollBar::SetArrowColor(TColor color) {
    fsb::Colors colors = state_.colors();
    colors.arrow = color;
    state_.SetColors(colors);
}

bool TFlatCustomScrollBar::FitPicture() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (!picture_.isNull() && picture_.size() == pixels && picture_.devicePixelRatio() == ratio)
        return false;
    picture_ = pixels.isEmpty() ? QImage() : QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    if (!picture_.isNull()) {
        picture_.setDevicePixelRatio(ratio);
        picture_.fill(Qt::transparent);
    }
    return true;
}

void TFlatCustomScrollBar::DrawArea(QPainter& painter, TFlatScrollBarArea area) {
    if (area == saNone) return;
    if (OnPaint) {
        bool go = true;
        OnPaint(this, go, area);
        if (!go) {
            // The handler drew the area itself.
            unshown_ += ToQRect(fsb::PaintedRect(area, state_.paintState()));
            return;
        }
    }
    const fsb::PaintState paintState = state_.paintState();
    for (const fsb::DrawOp& op : fsb::AreaDrawing(area, paintState))
        Draw(painter, op, ColorFromTColor(op.color, palette()));
    unshown_ += ToQRect(fsb::PaintedRect(area, paintState));
}

void TFlatCustomScrollBar::DrawAreas(std::span<const TFlatScrollBarArea> areas) {
    Synced();
    if (canvas_ != nullptr) {
        // Asked for from within a drawing (by an OnPaint handler): same canvas.
        for (const TFlatScrollBarArea area : areas)
            DrawArea(*canvas_, area);
        return;
    }
    // A new picture has nothing in it yet: all areas, whatever was asked for.
    if (FitPicture()) areas = AllAreas;
    if (picture_.isNull()) return;
    QPainter painter(&picture_);
    canvas_ = &painter;
    const auto done = qScopeGuard([this] { canvas_ = nullptr; });
    for (const TFlatScrollBarArea area : areas)
        DrawArea(painter, area);
}

void TFlatCustomScrollBar::PaintAreas(std::span<const TFlatScrollBarArea> areas) {
    DrawAreas(areas);
    // Within a drawing or a paint event, the outer one shows the picture.
    if (canvas_ != nullptr || showingPicture_) return;
    const QRegion changed = unshown_;
    unshown_ = QRegion();
    if (changed.isEmpty() || !isVisible()) return;
    // Shown at once: the changed areas and nothing else, before this returns.
    showingPicture_ = true;
    const auto done = qScopeGuard([this] { showingPicture_ = false; });
    repaint(changed);
}

void TFlatCustomScrollBar::paintEvent(QPaintEvent* event) {
    // A paint request of the window system draws all areas anew; showing what was just
    // drawn only needs the picture (made anew, and then drawn whole, if the size changed).
    if (showingPicture_)
        DrawAreas({});
    else
        DrawAreas(AllAreas);
    unshown_ = QRegion();
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawImage(QPoint(0, 0), picture_);
}

void TFlatCustomScrollBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Synced();
    if (OnResize) OnResize(this);
}

void TFlatCustomScrollBar::mousePressEvent(QMouseEvent* event) {
    const fsb::Point p = PointOf(event);
    if (OnMouseDown) OnMouseDown(this, event->button(), event->modifiers(), p.x, p.y);
    if (event->button() == Qt::LeftButton) Synced().Press(p);
    // The window behind the bar doesn't see the press (it would start a window drag).
    event->accept();
}

void TFlatCustomScrollBar::mouseDoubleClickEvent(QMouseEvent* event) {
    // A second quick press is a press like any other.
    mousePressEvent(event);
}

void TFlatCustomScrollBar::mouseMoveEvent(QMouseEvent* event) {
    const fsb::Point p = PointOf(event);
    if (OnMouseMove) OnMouseMove(this, event->buttons(), event->modifiers(), p.x, p.y);
    Synced().Move(p);
    event->accept();
}

void TFlatCustomScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    const fsb::Point p = PointOf(event);
    if (OnMouseUp) OnMouseUp(this, event->button(), event->modifiers(), p.x, p.y);
    if (event->button() == Qt::LeftButton) Synced().Release(p);
    event->accept();
}

void TFlatCustomScrollBar::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    Synced().Enter();
}

void TFlatCustomScrollBar::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    Synced().Leave();
}

void TFlatCustomScrollBar::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Disabled through QWidget::setEnabled rather than SetEnabled: the same rules apply.
    if (event->type() == QEvent::EnabledChange) {
        const bool ownState = !testAttribute(Qt::WA_Disabled);
        if (ownState != state_.Enabled()) Synced().SetEnabled(ownState);
    }
}

void TFlatCustomScrollBar::Scrolled(int& position) {
    if (OnScroll) OnScroll(this, scPosition, position);
}

void TFlatCustomScrollBar::Changed() {
    if (OnChange) OnChange(this);
}

void TFlatCustomScrollBar::RunRepeatTimer(bool run) {
    if (run)
        repeatTimer_.start();
    else
        repeatTimer_.stop();
}

void TFlatCustomScrollBar::SyntheticMouseMove(fsb::Point at) {
    if (OnMouseMove) OnMouseMove(this, Qt::NoButton, Qt::NoModifier, at.x, at.y);
}

void TFlatCustomScrollBar::MouseEntered() {
    if (OnMouseIn) OnMouseIn(this);
}

void TFlatCustomScrollBar::MouseLeft() {
    if (OnMouseOut) OnMouseOut(this);
}

void TFlatCustomScrollBar::EnabledChanged(bool enabled) {
    if (testAttribute(Qt::WA_Disabled) == enabled) QWidget::setEnabled(enabled);
}
