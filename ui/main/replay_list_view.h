// The replay list control: a plain list view that keeps one row selected once the user
// picked one (control-clicks and clicks below the rows don't clear it), and reports every
// double click, over a row or not. As in a standard list box only the left mouse button
// selects and double-clicks; the other buttons do nothing here.
#pragma once

#include <QAbstractItemDelegate>
#include <QListView>

class TMainForm;

class ReplayListView : public QListView {
    Q_OBJECT
public:
    explicit ReplayListView(QWidget* parent);

Q_SIGNALS:
    void doubleClickedAnywhere();

protected:
    // A control-click or control-space would leave no row selected: it selects instead.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// Hands the painting of every row to the form's RepListDrawItem; rows are 13 pixels high.
class RepListDelegate : public QAbstractItemDelegate {
    Q_OBJECT
public:
    RepListDelegate(TMainForm& form, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TMainForm& form_;
};
