#include "ui/match/match_texts.h"

QString ListLine(const CourseLine& line) {
    return QString::fromStdString(TimedCourseLine(line));
}

QString MarkTip(const QString& what, const QString& who, uint32_t frame) {
    return what + QStringLiteral(" — ") + who + QStringLiteral(" — ") +
           QString::fromStdString(CourseTime(frame));
}

QString MinuteMarkText(uint32_t minutes) {
    return QStringLiteral("%1m").arg(minutes);
}

QString NoOrdersLine(NoOrders why) {
    switch (why) {
    case NoOrders::CutFile:
        return QStringLiteral("Aucun ordre lu : le fichier est coupé");
    case NoOrders::ComputersOnly:
        return QStringLiteral("Aucun ordre : les ordinateurs n'en enregistrent pas");
    case NoOrders::Unreadable:
        return QStringLiteral("Aucun ordre : le fichier ne se lit plus");
    case NoOrders::NoneRecorded:
        break;
    }
    return QStringLiteral("Aucun ordre enregistré dans ce replay");
}

QString UnknownPositionsLine() {
    return QStringLiteral(
        "Emplacements inconnus : aucun cache de cartes ne donne l'étendue de cette carte");
}
