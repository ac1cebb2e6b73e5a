// The rows of the replay list: a view of the form's Replays. Rows appear only when the
// listing is complete (showAll), all in one pass, however many replays there are. While the
// list is filtered its rows are some of the replays only: this model is the one place that
// knows which replay a row shows.
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
    // One row per replay of `replays` (indices into the sequence, in increasing order).
    void showOnly(std::vector<int> replays);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // The list view asks for every row's index at each layout: answered without the base
    // class's round of virtual calls, which a keystroke over 50,000 rows feels.
    QModelIndex index(int row, int column = 0,
                      const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The replay a row shows (its index in the sequence), or -1 for no row.
    int ReplayAt(int row) const;
    // The row that shows a replay, or -1 when it is filtered out (or is none).
    int RowOf(int replay) const;

    // The row text of a file name: its bytes shown as Unicode.
    static QString FileNameText(const Text& name);

private:
    const std::vector<TZH_replay>& replays_;
    int rows_ = 0;
    bool filtered_ = false;
    std::vector<int> shown_; // the replays of the rows while filtered
};
