// The details window's player list: a list control whose rows, 28 pixels high, are all
// drawn by the window's PlayersListDrawItem.
#pragma once

#include <QAbstractItemDelegate>
#include <QListWidget>

class TMoreForm;

// Black, borderless, without scroll bars; it never takes the focus or shows a selection.
QListWidget* MakePlayersList(TMoreForm& form);

class PlayersListDelegate : public QAbstractItemDelegate {
    Q_OBJECT
public:
    PlayersListDelegate(TMoreForm& form, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TMoreForm& form_;
};
