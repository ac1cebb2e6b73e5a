#include "ui/career/career_texts.h"

#include <QDate>
#include <QLocale>
#include <cmath>

#include "replay/replay_texts.h"
#include "ui/main/filter_field.h"

namespace {

// "1 fichier illisible", "3 fichiers illisibles".
QString Counted(std::size_t n, const QString& one, const QString& many) {
    return NumberText(n) + QLatin1Char(' ') + (n == 1 ? one : many);
}

} // namespace

QString NumberText(std::size_t n) {
    return QLocale(QLocale::French).toString(static_cast<qulonglong>(n));
}

QString CareerDateText(const TZH_date& date) {
    return QDate(date.year, date.month, date.day).toString(QStringLiteral("dd/MM/yyyy"));
}

QString CareerMonthText(int32_t month) {
    return QStringLiteral("%1/%2").arg(month % 12 + 1, 2, 10, QLatin1Char('0')).arg(month / 12);
}

QString GamesText(std::size_t games) {
    return Counted(games, QStringLiteral("partie"), QStringLiteral("parties"));
}

QString PlayedTimeText(int64_t seconds) {
    if (seconds < 3600)
        return QString::fromStdString(FormatDuration(static_cast<int32_t>(seconds)));
    return QStringLiteral("%1h %2m").arg(seconds / 3600).arg(seconds % 3600 / 60);
}

QString TotalsText(std::size_t games, const std::optional<TZH_date>& first,
                   const std::optional<TZH_date>& last, int64_t seconds) {
    QStringList parts{GamesText(games)};
    if (first && last) {
        const QString from = CareerDateText(*first), to = CareerDateText(*last);
        parts.append(from == to ? QStringLiteral("le ") + from
                                : QStringLiteral("du %1 au %2").arg(from, to));
    }
    parts.append(PlayedTimeText(seconds) + QStringLiteral(" de jeu"));
    return parts.join(QStringLiteral(" · "));
}

QString MonthTip(int32_t month, std::size_t games) {
    return CareerMonthText(month) + QStringLiteral(" : ") + GamesText(games);
}

QString PanelTitle(CareerPanel panel) {
    switch (panel) {
    case CareerPanel::Months:
        return QStringLiteral("Parties par mois");
    case CareerPanel::Activity:
        return QStringLiteral("Actions par minute");
    case CareerPanel::Ends:
        return QStringLiteral("Fins de partie");
    }
    return {};
}

QString TabName(CareerTab tab) {
    switch (tab) {
    case CareerTab::Armies:
        return QStringLiteral("Armées");
    case CareerTab::Maps:
        return QStringLiteral("Cartes");
    case CareerTab::Players:
        return QStringLiteral("Joueurs");
    case CareerTab::Openings:
        return QStringLiteral("Ouvertures");
    }
    return {};
}

QStringList ColumnTitles(CareerTab tab) {
    switch (tab) {
    case CareerTab::Armies:
        return {QStringLiteral("Armée"), QStringLiteral("Parties"), QStringLiteral("Part"),
                QString()};
    case CareerTab::Maps:
        return {QStringLiteral("Carte"), QStringLiteral("Parties")};
    case CareerTab::Players:
        return {QStringLiteral("Joueur"), QStringLiteral("Avec"), QStringLiteral("Contre"),
                QStringLiteral("Dernière")};
    case CareerTab::Openings:
        return {QStringLiteral("Trois premiers bâtiments"), QStringLiteral("Parties"),
                QStringLiteral("Le 3e à")};
    }
    return {};
}

QString CareerArmyText(int army) {
    const auto name = ArmyName(army);
    return name ? QString::fromLatin1(name->data(), static_cast<qsizetype>(name->size()))
                : QStringLiteral("Armée inconnue");
}

QString ShareText(std::size_t games, std::size_t total) {
    const auto percent =
        total ? std::lround(100.0 * static_cast<double>(games) / static_cast<double>(total)) : 0L;
    return QString::number(percent) + QStringLiteral("\u00A0%");
}

QString RandomText(std::size_t games) {
    return QStringLiteral("dont ") + NumberText(games) + QStringLiteral(" au hasard");
}

QString WithText(const QString& player) {
    return QStringLiteral("avec ") + player;
}

QString AgainstText(const QString& player) {
    return QStringLiteral("contre ") + player;
}

QString EndText(CareerEnd end) {
    switch (end) {
    case CareerEnd::Surrendered:
        return QStringLiteral("A abandonné");
    case CareerEnd::Quit:
        return QStringLiteral("A quitté la partie");
    case CareerEnd::Dropped:
        return QStringLiteral("Déconnecté");
    case CareerEnd::None:
        return QStringLiteral("Resté jusqu'au bout ou détruit");
    }
    return {};
}

QString ReadingText(std::size_t done, std::size_t total, std::size_t unreadable) {
    QString line = QStringLiteral("Lecture des ordres : ") +
                   FilterCountText(static_cast<int>(done), static_cast<int>(total));
    if (unreadable)
        line += QStringLiteral(" · ") + Counted(unreadable, QStringLiteral("fichier illisible"),
                                                QStringLiteral("fichiers illisibles"));
    return line;
}

QString FigureLabel(const QString& player, const QString& figure) {
    return player + QStringLiteral(" · ") + figure;
}
