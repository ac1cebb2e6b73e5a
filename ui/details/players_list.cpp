#include "ui/details/players_list.h"

#include "ui/common/fonts.h"
#include "ui/details/details_form.h"
#include "ui/details/details_layout.h"

namespace dl = details_layout;

QListWidget* MakePlayersList(TMoreForm& form) {
    auto* list = new QListWidget(&form);
    list->setGeometry(dl::PlayersListRect);
    list->setFrameShape(QFrame::NoFrame);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setFocusPolicy(Qt::NoFocus);
    list->setFont(ArialFont(PixelsForPoints(8)));
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, dl::Black);
    list->setPalette(palette);
    list->setItemDelegate(new PlayersListDelegate(form, list));
    return list;
}

PlayersListDelegate::PlayersListDelegate(TMoreForm& form, QObject* parent)
    : QAbstractItemDelegate(parent), form_(form) {}

void PlayersListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    form_.PlayersListDrawItem(*painter, index.row(), option.rect, option.state);
}

QSize PlayersListDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    // The list stretches every row to its own width.
    return {1, dl::PlayerRowHeight};
}
