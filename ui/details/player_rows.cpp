#include "ui/details/player_rows.h"

#include "ui/common/fonts.h"
#include "ui/details/details_layout.h"
#include "ui/details/header_texts.h"

namespace dl = details_layout;

namespace {

// The row's right edge, one past its last pixel.
int RightEdge(const QRect& row) {
    return row.left() + row.width();
}

} // namespace

std::vector<int> PlayerRowIndices(const TZH_replay& replay) {
    std::vector<int> rows;
    for (std::size_t i = 0; i < replay.players.size(); ++i)
        if (replay.players[i].army != ObserverArmy) rows.push_back(static_cast<int>(i));
    return rows;
}

std::optional<int> ArmyIconIndex(int army) {
    const int icon = army == RandomArmy ? dl::ArmyIconCount - 1 : army - 2;
    if (icon < 0 || icon >= dl::ArmyIconCount) return std::nullopt;
    return icon;
}

std::vector<PlacedText> PlayerRowTexts(const TZH_player& player, const QRect& row) {
    const QFont font = ArialFont(PixelsForPoints(8));
    const int top = row.top() + dl::RowTextTop;
    const bool noTeam = player.team == NoTeam;
    const QString team = noTeam ? QStringLiteral("n/a") : QString::number(player.team + 1);
    const int teamLeft = RightEdge(row) - (noTeam ? dl::NoTeamFromRight : dl::TeamFromRight);
    return {
        {ShownText(player.name), font, dl::Grey, QPoint(row.left() + dl::NameIndent, top)},
        {team, font, dl::Grey, QPoint(teamLeft, top)},
    };
}

QPoint ArmyIconAt(const QRect& row) {
    return {RightEdge(row) - dl::IconFromRight, row.top() + dl::IconTop};
}
