#include "ui/main/replay_list_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <cstdlib>

#include "ui/common/pointer_position.h"
#include "ui/main/main_layout.h"

ReplayListView::ReplayListView(QWidget* parent) : QListView(parent) {
    // A pressed pointer scrolls the list only once it is past the top or bottom edge, as in a
    // Windows list box; Qt's margin would start inside the first and last rows.
    setAutoScrollMargin(0);
}

void ReplayListView::SetRowPainter(RowPainter paint) {
    setItemDelegate(new RepListDelegate(std::move(paint), this));
}

void ReplayListView::ScrollLines(int lines) {
    // Rows added since the last layout count too.
    executeDelayedItemsLayout();
    const auto action =
        lines > 0 ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub;
    for (int i = std::abs(lines); i > 0; --i)
        verticalScrollBar()->triggerAction(action);
}

void ReplayListView::ShowFromRow(int top) {
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(top);
}

QItemSelectionModel::SelectionFlags ReplayListView::selectionCommand(const QModelIndex& index,
                                                                     const QEvent* event) const {
    // A click below the last row leaves the selection as it is.
    if (!index.isValid()) return QItemSelectionModel::NoUpdate;
    const auto command = QListView::selectionCommand(index, event);
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return command;
}

QModelIndex ReplayListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    if (cursorAction == MoveLeft) cursorAction = MoveUp;
    if (cursorAction == MoveRight) cursorAction = MoveDown;
    return QListView::moveCursor(cursorAction, modifiers);
}

namespace {
// Other buttons are taken here and go no further (not to the frame behind the list either).
bool IgnoredButton(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) return false;
    event->accept();
    return true;
}
} // namespace

void ReplayListView::mousePressEvent(QMouseEvent* event) {
    if (IgnoredButton(event)) return;
    // A clicked row that is only partly visible comes into view with the press itself, like a
    // row the keyboard selects; the view would otherwise put it off by a double-click
    // interval, and scroll by itself later, behind the scroll bar's back. A press where no
    // row is changes neither the selection nor the view.
    setAutoScroll(false);
    OnWholePixels(event, [this](QMouseEvent* press) { QListView::mousePressEvent(press); });
    setAutoScroll(true);
    const QModelIndex pressed = indexAt(WholePixel(event->position()));
    if (pressed.isValid() && pressed == currentIndex()) scrollTo(pressed);
}

void ReplayListView::mouseMoveEvent(QMouseEvent* event) {
    OnWholePixels(event, [this](QMouseEvent* move) { QListView::mouseMoveEvent(move); });
}

void ReplayListView::mouseReleaseEvent(QMouseEvent* event) {
    if (IgnoredButton(event)) return;
    OnWholePixels(event, [this](QMouseEvent* release) { QListView::mouseReleaseEvent(release); });
}

void ReplayListView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (IgnoredButton(event)) return;
    OnWholePixels(event, [this](QMouseEvent* press) { QListView::mouseDoubleClickEvent(press); });
    Q_EMIT doubleClickedAnywhere();
}

void ReplayListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        Q_EMIT enterPressed();
        return;
    }
    QListView::keyPressEvent(event);
}

RepListDelegate::RepListDelegate(RowPainter paint, QObject* parent)
    : QAbstractItemDelegate(parent), paint_(std::move(paint)) {}

void RepListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    if (paint_)
        paint_(*painter, index.row(), option.rect, option.state.testFlag(QStyle::State_Selected));
}

QSize RepListDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    // The list stretches every row to its own width; a narrow hint keeps it from ever
    // scrolling sideways, so long names are simply cut at the right edge.
    return {1, main_layout::RowHeight};
}
