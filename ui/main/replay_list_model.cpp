#include "ui/main/replay_list_model.h"

#include <algorithm>

#include "replay/display_text.h"
#include "ui/main/replay_tooltip.h"

ReplayListModel::ReplayListModel(const std::vector<TZH_replay>& replays, QObject* parent)
    : QAbstractListModel(parent), replays_(replays) {}

void ReplayListModel::clear() {
    beginResetModel();
    rows_ = 0;
    filtered_ = false;
    shown_.clear();
    endResetModel();
}

void ReplayListModel::showAll() {
    beginResetModel();
    rows_ = static_cast<int>(replays_.size());
    filtered_ = false;
    shown_.clear();
    endResetModel();
}

void ReplayListModel::showOnly(std::vector<int> replays) {
    beginResetModel();
    shown_ = std::move(replays);
    rows_ = static_cast<int>(shown_.size());
    filtered_ = true;
    endResetModel();
}

int ReplayListModel::rowCount(const QModelIndex& parent) const {
    // Never more rows than records, whatever happens to the records meanwhile.
    return parent.isValid() ? 0 : std::min(rows_, static_cast<int>(replays_.size()));
}

QModelIndex ReplayListModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || column != 0 || row < 0 || row >= rowCount()) return {};
    return createIndex(row, 0);
}

int ReplayListModel::ReplayAt(int row) const {
    if (row < 0 || row >= rowCount()) return -1;
    const int replay = filtered_ ? shown_[static_cast<std::size_t>(row)] : row;
    return replay < static_cast<int>(replays_.size()) ? replay : -1;
}

int ReplayListModel::RowOf(int replay) const {
    if (replay < 0) return -1;
    if (!filtered_) return replay < rowCount() ? replay : -1;
    const auto found = std::lower_bound(shown_.begin(), shown_.end(), replay);
    if (found == shown_.end() || *found != replay) return -1;
    return static_cast<int>(found - shown_.begin());
}

QVariant ReplayListModel::data(const QModelIndex& index, int role) const {
    const int replay = index.isValid() ? ReplayAt(index.row()) : -1;
    if (replay < 0) return {};
    const TZH_replay& record = replays_[static_cast<std::size_t>(replay)];
    switch (role) {
    case Qt::DisplayRole:
        // The file name alone: "INVALID: " is only drawn.
        return FileNameText(record.file.name);
    case Qt::ToolTipRole:
        return ReplayTooltip(record);
    default:
        return {};
    }
}

QString ReplayListModel::FileNameText(const Text& name) {
    return QString::fromUtf8(DisplayText(name));
}
