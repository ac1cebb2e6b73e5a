#include "ui/match/match_texts.h"

#include <algorithm>

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

CourseLine Line(uint32_t frame, const QString& what) {
    return {frame, ClockText(frame) + QStringLiteral("  ") + what};
}

} // namespace

QString ClockText(uint32_t frame) {
    const uint32_t seconds = frame / 30;
    return QStringLiteral("%1m %2s").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString MarkTip(const QString& what, const QString& who, uint32_t frame) {
    return what + QStringLiteral(" — ") + who + QStringLiteral(" — ") + ClockText(frame);
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
    return QStringLiteral("Emplacements inconnus : cette carte n'est dans aucun cache de cartes");
}

std::vector<CourseLine> CourseLines(const PlayerCourse& course, const CourseData& data) {
    std::vector<CourseLine> lines;
    for (const PlacedBuilding& placed : course.placed)
        lines.push_back(placed.sneakAttack
                            ? Line(placed.frame, QStringLiteral("lancé : ") +
                                                     FromUtf8(PowerText(data, placed.object)))
                            : Line(placed.frame, QStringLiteral("posé : ") +
                                                     FromUtf8(ObjectText(data, placed.object))));
    for (const QueuedUnit& queued : course.queued) {
        QString what =
            QStringLiteral("mis en production : ") + FromUtf8(ObjectText(data, queued.object));
        if (queued.cancelled)
            what += QStringLiteral(" (annulé à ") + ClockText(*queued.cancelled) + QLatin1Char(')');
        lines.push_back(Line(queued.frame, what));
    }
    for (const uint32_t frame : course.constructionCancels)
        lines.push_back(Line(frame, QStringLiteral("construction annulée")));
    for (const uint32_t frame : course.sales)
        lines.push_back(Line(frame, QStringLiteral("bâtiment vendu")));
    for (const uint32_t frame : course.resumed)
        lines.push_back(Line(frame, QStringLiteral("construction reprise")));
    for (const FiredPower& power : course.powers)
        lines.push_back(
            Line(power.frame, QStringLiteral("lancé : ") + FromUtf8(PowerText(data, power.power))));
    for (const PickedScience& science : course.sciences)
        lines.push_back(Line(science.frame, QStringLiteral("choisi : ") +
                                                FromUtf8(ScienceText(data, science.science))));
    for (const UpgradeOrder& upgrade : course.upgrades)
        lines.push_back(
            Line(upgrade.frame, (upgrade.cancel ? QStringLiteral("annulé : ")
                                                : QStringLiteral("mis en production : ")) +
                                    FromUtf8(UpgradeText(data, upgrade.key))));
    std::stable_sort(lines.begin(), lines.end(),
                     [](const CourseLine& a, const CourseLine& b) { return a.frame < b.frame; });
    return lines;
}
