#include "ui/details/player_tooltip.h"

#include <QLocale>
#include <QStringList>

#include "replay/game_colours.h"
#include "replay/replay_texts.h"
#include "ui/details/header_texts.h"

namespace {

QString DrawnArmyLine(const TZH_player& player) {
    if (!player.armyRandom) return {};
    const auto name = ArmyName(player.armyResolved);
    if (!name) return {};
    return QStringLiteral("Armée tirée au sort : ") +
           QString::fromLatin1(name->data(), static_cast<qsizetype>(name->size()));
}

QString ColourLine(const TZH_player& player) {
    const GameColour* colour = GameColourOf(player.colourResolved);
    if (!colour) return {};
    return QStringLiteral("Couleur : ") + QString::fromUtf8(colour->french) +
           (player.colourRandom ? QStringLiteral(" (tirée au sort)") : QString());
}

QString StartLine(std::span<const PlayerStart> starts, std::size_t player) {
    if (player >= starts.size()) return {};
    const PlayerStart& start = starts[player];
    const QString line = QStringLiteral("Position de départ : ");
    if (start.spot < 0) return start.random ? line + QStringLiteral("tirée au sort") : QString();
    return line + QString::number(start.spot + 1) +
           (start.random ? QStringLiteral(" (tirée au sort)") : QString());
}

QString ApmLine(double apm) {
    QLocale french(QLocale::French);
    french.setNumberOptions(QLocale::OmitGroupSeparator);
    return QStringLiteral("Actions par minute : ") + french.toString(apm, 'f', 1);
}

// Written as the window writes the match's length.
QString LeavingLine(const PlayerLeaving& left) {
    const QString at = DurationText(SecondsAtFrame(left.frame));
    switch (left.how) {
    case LeaveHow::Surrendered:
        return QStringLiteral("A abandonné à ") + at;
    case LeaveHow::Quit:
        return QStringLiteral("A quitté la partie à ") + at;
    case LeaveHow::Dropped:
        return QStringLiteral("Déconnecté à ") + at;
    }
    return {};
}

} // namespace

QString PlayerTooltip(const TZH_replay& replay, std::size_t player,
                      std::span<const PlayerStart> starts,
                      const std::optional<MatchOrders>& match) {
    if (player >= replay.players.size()) return {};
    const TZH_player& who = replay.players[player];
    QStringList lines{DrawnArmyLine(who), ColourLine(who), StartLine(starts, player)};
    if (who.human && match && player < match->players.size()) {
        const PlayerOrders& orders = match->players[player];
        if (orders.apm) lines.append(ApmLine(*orders.apm));
        if (orders.left) lines.append(LeavingLine(*orders.left));
    }
    lines.removeAll(QString());
    return lines.join(QLatin1Char('\n'));
}
