#include "ui/main/replay_tooltip.h"

#include <QDate>
#include <QTime>

namespace {

QString MatchDateText(const TZH_date& date) {
    const QDate day(date.year, date.month, date.day);
    const QTime time(date.hour, date.minute);
    return QStringLiteral("Partie du %1 à %2")
        .arg(day.toString(QStringLiteral("dd/MM/yyyy")), time.toString(QStringLiteral("HH:mm")));
}

QString InvalidReasonText(InvalidReason reason) {
    switch (reason) {
    case InvalidReason::None:
        return {};
    case InvalidReason::Unreadable:
        return QStringLiteral("Fichier illisible");
    case InvalidReason::NotReplay:
        return QStringLiteral("Ce n'est pas un replay");
    case InvalidReason::CutShort:
        return QStringLiteral("Replay coupé avant la fin de son en-tête");
    case InvalidReason::UnknownVersion:
        return QStringLiteral("Version du jeu inconnue");
    case InvalidReason::BadSettings:
        return QStringLiteral("Réglages de la partie illisibles");
    case InvalidReason::BadPlayers:
        return QStringLiteral("Liste des joueurs illisible");
    }
    return {};
}

} // namespace

QString ReplayTooltip(const TZH_replay& replay) {
    if (!replay.valid) return InvalidReasonText(replay.invalidReason);
    return replay.date ? MatchDateText(*replay.date) : QString();
}
