#include "ui/match/match_form.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <QWheelEvent>
#include <limits>

#include "ui/common/minimised_along.h"
#include "ui/common/pointer_position.h"
#include "ui/common/rounded_region.h"
#include "ui/common/skin_scroll_bar.h"
#include "ui/common/window_placement.h"
#include "ui/main/list_scrolling.h"
#include "ui/match/match_layout.h"
#include "ui/match/match_painting.h"
#include "ui/match/match_timeline.h"

namespace ml = match_layout;

TMatchForm* MatchForm = nullptr;

namespace {

// Before the first row is chosen at an opening.
constexpr std::size_t NoRow = std::numeric_limits<std::size_t>::max();

QRectF MarksArea(const MatchOpening& opening) {
    return opening.mapArea.translated(ml::MapCell.topLeft());
}

} // namespace

TMatchForm::TMatchForm(QWidget& owner) : QWidget(&owner, Qt::Window | Qt::FramelessWindowHint) {
    MatchForm = this;
    setWindowTitle(QStringLiteral("MatchForm"));
    setFocusPolicy(Qt::StrongFocus);
    FitRows();
    SetUpScroll();
    new MinimisedAlong(*this, owner);
}

TMatchForm::~TMatchForm() {
    if (MatchForm == this) MatchForm = nullptr;
}

void TMatchForm::SetUpScroll() {
    Scroll = NewSkinScrollBar(this, ml::ScrollRect);
    Scroll->OnScroll = [this](TFlatCustomScrollBar*, TScrollCode, int& position) {
        ListTop = position;
        update(ml::ListPanel);
    };
}

void TMatchForm::Open(MatchOpening opening, const std::vector<QRect>& shown) {
    opening_ = std::move(opening);
    view_ = MatchViewOf(opening_.replay, opening_.match, opening_.extent, opening_.data);
    FitRows();
    rowLines_.assign(view_.rows.size(), std::nullopt);
    chosen_ = NoRow;
    ChooseRow(0);
    cursor_ = view_.endFrame;
    shown_ = MarksUpTo(view_.marks, cursor_);
    PlaceBesideWindows(*this, shown);
    update();
    show();
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

int TMatchForm::Rows() const {
    return ml::TimelineRows(view_.rows.size());
}

void TMatchForm::FitRows() {
    if (size() == ml::WindowSize(Rows())) return;
    setFixedSize(ml::WindowSize(Rows()));
    setMask(RoundedRegion(size(), ml::CornerEllipse));
    skin_ = {};
}

qreal TMatchForm::RatioAtOpening() const {
    const QScreen* screen = PointerScreen();
    return isVisible() || !screen ? devicePixelRatioF() : screen->devicePixelRatio();
}

void TMatchForm::SetCursor(uint32_t frame) {
    frame = std::min(frame, view_.endFrame);
    if (frame == cursor_) return;
    cursor_ = frame;
    shown_ = MarksUpTo(view_.marks, cursor_);
    update(ml::MapCell);
    update(ml::TimelinePanel(Rows()));
}

void TMatchForm::ChooseRow(std::size_t row) {
    if (row == chosen_) return;
    chosen_ = row;
    if (row < rowLines_.size() && !rowLines_[row]) {
        QStringList& lines = rowLines_[row].emplace();
        const std::size_t player = view_.rows[row].player;
        if (opening_.match && player < opening_.match->players.size() &&
            opening_.match->players[player].course)
            for (const CourseLine& line :
                 CourseLines(*opening_.match->players[player].course, opening_.data))
                lines.push_back(ListLine(line));
    }
    ResetListScroll();
    update(ml::ListPanel);
    update(ml::TimelinePanel(Rows()));
}

const QStringList& TMatchForm::Lines() const {
    static const QStringList none;
    return chosen_ < rowLines_.size() && rowLines_[chosen_] ? *rowLines_[chosen_] : none;
}

void TMatchForm::ResetListScroll() {
    const ListScrollRange range =
        ListScrollRangeFor(static_cast<int>(Lines().size()), Scroll->height(), ml::WholeLinesShown);
    Scroll->SetPosition(0);
    Scroll->SetMax(range.max);
    Scroll->SetScrollerWidth(range.scrollerWidth);
    ListTop = 0;
}

void TMatchForm::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (skin_.isNull() || skin_.devicePixelRatio() != ratio) skin_ = MatchSkin(ratio, Rows());
    QPainter painter(this);
    painter.drawImage(0, 0, skin_);
    PaintMatchMap(painter, opening_.picture, opening_.mapArea, opening_.starts, view_.marks,
                  shown_);
    PaintTimeline(painter, view_, cursor_, chosen_);
    PaintCourseList(painter, chosen_ < view_.rows.size() ? &view_.rows[chosen_] : nullptr, Lines(),
                    ListTop);
}

void TMatchForm::hideEvent(QHideEvent* event) {
    movingCursor_ = false;
    QWidget::hideEvent(event);
}

std::optional<std::size_t> TMatchForm::MarkAt(QPoint at) const {
    if (!ml::MapCell.contains(at)) return std::nullopt;
    return MarkNear(view_.marks, shown_, MarksArea(opening_), QPointF(at) + QPointF(0.5, 0.5),
                    MarkReach);
}

bool TMatchForm::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        ShowMarkTip(help->pos(), help->globalPos());
        return true;
    }
    return QWidget::event(event);
}

void TMatchForm::ShowMarkTip(QPoint at, QPoint global) {
    const std::optional<std::size_t> mark = MarkAt(at);
    if (!mark) {
        QToolTip::hideText();
        return;
    }
    // The tip goes when the pointer leaves the mark.
    const QPointF centre = OnArea(view_.marks[*mark].at, MarksArea(opening_));
    const QRect around(
        QPoint(static_cast<int>(centre.x() - MarkReach), static_cast<int>(centre.y() - MarkReach)),
        QSize(2 * static_cast<int>(MarkReach) + 1, 2 * static_cast<int>(MarkReach) + 1));
    QToolTip::showText(global, view_.marks[*mark].tip, this, around);
}

bool TMatchForm::DragsWindowAt(QPoint at) const {
    for (const QRect& taken : {ml::MapCell, ml::ListPanel, ml::TimelinePanel(Rows()),
                               ml::ScrollRect, ml::CloseGlyphArea})
        if (taken.contains(at)) return false;
    return QRect(QPoint(0, 0), size()).contains(at);
}

void TMatchForm::mousePressEvent(QMouseEvent* event) {
    const QPoint at = WholePixel(event->position());
    if (event->button() != Qt::LeftButton || drag_.MovingByHand()) return;
    if (DragsWindowAt(at)) {
        drag_.Press(*this, event);
        return;
    }
    PressOnPanels(at);
}

void TMatchForm::PressOnPanels(QPoint at) {
    if (const std::optional<std::size_t> mark = MarkAt(at)) {
        ChooseRow(view_.marks[*mark].row);
        return;
    }
    if (!ml::TimelinePanel(Rows()).contains(at)) return;
    if (at.x() < ml::TimeLeft - 2) {
        if (const auto row = RowAt(at, ml::RowsTop, ml::RowHeight, view_.rows.size()))
            ChooseRow(*row);
        return;
    }
    movingCursor_ = true;
    SetCursor(FrameAtX(TimelineScale(view_.endFrame), at.x()));
}

void TMatchForm::mouseMoveEvent(QMouseEvent* event) {
    if (drag_.Move(*this, event)) return;
    if (movingCursor_)
        SetCursor(FrameAtX(TimelineScale(view_.endFrame), WholePixel(event->position()).x()));
}

void TMatchForm::mouseReleaseEvent(QMouseEvent* event) {
    if (drag_.Release(event)) return;
    if (event->button() == Qt::LeftButton) movingCursor_ = false;
    if (ml::CloseGlyphArea.contains(WholePixel(event->position()))) close();
}

void TMatchForm::keyPressEvent(QKeyEvent* event) {
    const auto move = [&](CursorMove how) { SetCursor(MovedCursor(cursor_, how, view_.endFrame)); };
    switch (event->key()) {
    case Qt::Key_Left:
        move(CursorMove::Back);
        break;
    case Qt::Key_Right:
        move(CursorMove::Forward);
        break;
    case Qt::Key_Home:
        move(CursorMove::Start);
        break;
    case Qt::Key_End:
        move(CursorMove::End);
        break;
    case Qt::Key_Escape:
        close();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TMatchForm::wheelEvent(QWheelEvent* event) {
    event->accept();
    // Positive notches turn away from the user: the list goes back up.
    const int notches = wheel_.Add(event->angleDelta().y());
    Scroll->SetPosition(Scroll->Position() - notches * ml::WheelNotchLines);
}

#ifdef Q_OS_WIN
bool TMatchForm::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    return AnswerGroundHitTest(*this, eventType, message, result,
                               [this](QPoint at) { return DragsWindowAt(at); }) ||
           QWidget::nativeEvent(eventType, message, result);
}
#endif
