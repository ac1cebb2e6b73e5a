// The replay list control: a plain list view that keeps one row selected once the user
// picked one (control-clicks and clicks below the rows don't clear it), and reports every
// double click, over a row or not. As in a standard list box only the left mouse button
// selects and double-clicks; the other buttons do nothing here. It has no scroll bar of its
// own: the window moves it a line at a time, and it scrolls itself only to bring the selected
// row into view.
#pragma once

#include <QAbstractItemDelegate>
#include <QListView>
#include <functional>

// Paints one row: row index, row rectangle, whether the row is selected.
using RowPainter = std::function<void(QPainter& canvas, int row, const QRect& rect, bool selected)>;

class ReplayListView : public QListView {
    Q_OBJECT
public:
    explicit ReplayListView(QWidget* parent);

    // Rows are drawn by `paint`, each 13 pixels high.
    void SetRowPainter(RowPainter paint);
    // One single-line scroll request per line: down for positive counts, up for negative.
    void ScrollLines(int lines);
    // Shows the rows from `top` on at once, when the rows themselves changed (the filter).
    void ShowFromRow(int top);

Q_SIGNALS:
    void doubleClickedAnywhere();
    // Enter or Return, whatever the selection.
    void enterPressed();

protected:
    // A control-click or control-space would leave no row selected: it selects instead.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    // Left and Right move the selection like Up and Down, as in a one-column list box.
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    // Positions count in whole pixels, as in the window's other handlers.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// Hands the painting of every row to a RowPainter; rows are 13 pixels high.
class RepListDelegate : public QAbstractItemDelegate {
    Q_OBJECT
public:
    RepListDelegate(RowPainter paint, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    RowPainter paint_;
};
