// The rows of the replay list: a view of the form's Replays. Rows appear only when the
// listing is complete (showAll), all in one pass, however many replays there are.
#pragma once

#include <QAbstractListModel>
#include <vector>

#include "replay/zerohour_intf.h"

class ReplayListModel : public QAbstractListModel {
    Q_OBJECT
public:
    ReplayListModel(const std::vector<TZH_replay>& replays, QObject* parent);

    // No rows, whatever the sequence holds (while a listing runs).
    void clear();
    // One row per element of the sequence.
    void showAll();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The row text of a file name: its bytes shown as Unicode.
    static QString FileNameText(const Text& name);

private:
    const std::vector<TZH_replay>& replays_;
    int rows_ = 0;
};
