#include "replay_list_view.h"

#include <QMouseEvent>

#include "main_layout.h"
#include "tarvex_main.h"

ReplayListView::ReplayListView(QWidget* parent) : QListView(parent) {}

QItemSelectionModel::SelectionFlags ReplayListView::selectionCommand(const QModelIndex& index,
                                                                     const QEvent* event) const {
    // A click below the last row leaves the selection as it is.
    if (!index.isValid()) return QItemSelectionModel::NoUpdate;
    const auto command = QListView::selectionCommand(index, event);
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return command;
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
    if (!IgnoredButton(event)) QListView::mousePressEvent(event);
}

void ReplayListView::mouseReleaseEvent(QMouseEvent* event) {
    if (!IgnoredButton(event)) QListView::mouseReleaseEvent(event);
}

void ReplayListView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (IgnoredButton(event)) return;
    QListView::mouseDoubleClickEvent(event);
    Q_EMIT doubleClickedAnywhere();
}

RepListDelegate::RepListDelegate(TMainForm& form, QObject* parent)
    : QAbstractItemDelegate(parent), form_(form) {}

void RepListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    form_.RepListDrawItem(*painter, index.row(), option.rect,
                          option.state.testFlag(QStyle::State_Selected));
}

QSize RepListDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    // The list stretches every row to its own width; a narrow hint keeps it from ever
    // scrolling sideways, so long names are simply cut at the right edge.
    return {1, main_layout::RowHeight};
}
