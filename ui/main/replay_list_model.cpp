#include "ui/main/replay_list_model.h"

#include <algorithm>

#include "replay/display_text.h"
#include "ui/main/replay_tooltip.h"

ReplayListModel::ReplayListModel(const std::vector<TZH_replay>& replays, QObject* parent)
    : QAbstractListModel(parent), replays_(replays) {}

void ReplayListModel::clear() {
    beginResetModel();
    rows_ = 0;
    endResetModel();
}

void ReplayListModel::showAll() {
    beginResetModel();
    rows_ = static_cast<int>(replays_.size());
    endResetModel();
}

int ReplayListModel::rowCount(const QModelIndex& parent) const {
    // Never more rows than records, whatever happens to the records meanwhile.
    return parent.isValid() ? 0 : std::min(rows_, static_cast<int>(replays_.size()));
}

QVariant ReplayListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const TZH_replay& replay = replays_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        // The file name alone: typing a letter finds rows by it. "INVALID: " is only drawn.
        return FileNameText(replay.file.name);
    case Qt::ToolTipRole:
        return ReplayTooltip(replay);
    default:
        return {};
    }
}

QString ReplayListModel::FileNameText(const Text& name) {
    return QString::fromUtf8(DisplayText(name));
}
