// Every French text the program shows, exactly as it shows it (tooltips included), in one table: a
// lost accent or a changed word fails here. The other tests find these texts through the program's
// own functions and never spell them out again.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "replay/zerohour.h"
#include "tests/support/temp_dir.h"
#include "ui/about/about_texts.h"
#include "ui/career/career_texts.h"
#include "ui/common/contact_address.h"
#include "ui/common/error_box.h"
#include "ui/details/header_texts.h"
#include "ui/details/player_tooltip.h"
#include "ui/main/credit_line.h"
#include "ui/main/filter_field.h"
#include "ui/main/read_errors.h"
#include "ui/main/replay_tooltip.h"
#include "ui/match/match_texts.h"

namespace {

// Line n of a text, counted from the end when negative.
QString Line(const QString& text, int n) {
    return text.section(QLatin1Char('\n'), n, n);
}

std::vector<UnreadableFile> UnreadableFiles(int count) {
    return std::vector<UnreadableFile>(static_cast<std::size_t>(count),
                                       {QStringLiteral("r.rep"), QStringLiteral("raison")});
}

constexpr int8_t Chosen = 4; // an army the player picked himself

// The tooltip of the second of two players: his army (drawn unless Chosen), his colour and,
// when the walk counted both players, his orders.
QString Tip(int8_t army, int8_t colour, bool colourDrawn, std::optional<PlayerOrders> orders = {},
            bool human = true) {
    TZH_replay replay;
    replay.players.resize(2);
    TZH_player& player = replay.players[1];
    player.human = human;
    player.armyResolved = army;
    player.armyRandom = army != Chosen;
    player.colourResolved = colour;
    player.colourRandom = colourDrawn;
    std::optional<MatchOrders> match;
    if (orders) match = MatchOrders{true, 40000, {PlayerOrders{}, *orders}};
    return PlayerTooltip(replay, 1, {}, match);
}

// The tooltip of the second of two players, of no drawn army nor colour, started on `spot`.
QString Started(int8_t spot, bool random) {
    TZH_replay replay;
    replay.players.resize(2);
    return PlayerTooltip(replay, 1, std::vector<PlayerStart>{{}, {spot, random}}, std::nullopt);
}

PlayerOrders Orders(std::optional<double> apm, uint32_t leftAt = 0, LeaveHow how = LeaveHow::Quit) {
    return {0, 0, leftAt ? std::optional(PlayerLeaving{leftAt, how}) : std::nullopt, apm,
            std::nullopt};
}

QString Played(std::optional<TZH_date> date) {
    TZH_replay replay;
    replay.valid = true;
    replay.date = date;
    return ReplayTooltip(replay);
}

QString Refused(InvalidReason reason) {
    TZH_replay replay;
    replay.invalidReason = reason;
    replay.date = TZH_date{2024, 3, 4, 14, 21, 14, 5, 0}; // an invalid record's date says nothing
    return ReplayTooltip(replay);
}

// The match window's list for a course holding one order of each kind the tool's test leaves
// out, in time order.
QStringList EveryKindOfLine() {
    PlayerCourse course;
    course.constructionCancels = {320};
    course.sales = {330};
    course.resumed = {340};
    course.sciences = {{360, 12}};
    course.upgrades = {{370, 2300, false}, {380, 2300, true}};
    QStringList lines;
    for (const CourseLine& line : CourseLines(course, CourseData{}))
        lines.push_back(ListLine(line));
    return lines;
}

} // namespace

TEST(FrenchTexts, ShownExactly) {
    testsupport::TempDir dir;
    const Text pipe = (dir / "pipe.rep").string();
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
#endif
    const auto reasonFor = [&](const ReplayReader& read) {
        const ReadOutcome outcome = ReadReplayKeepingErrors(pipe, read);
        return outcome.unreadable ? outcome.unreadable->reason : QString();
    };
    const int8_t Gold = 0, Red = 1, Blue = 2, Green = 3, Orange = 4, SkyBlue = 5, Purple = 6,
                 Pink = 7;
    const uint32_t At12m3s = (12 * 60 + 3) * 30; // 30 frames a second
    const QString contact = QStringLiteral("equipe@example.org");
    const QStringList credits = CreditsText(contact).split(QStringLiteral("\r\n\r\n"));
    const std::vector<PlacedText> errorLines = ErrorMessageTexts(contact);
    ASSERT_EQ(errorLines.size(), 3u);
    const TZH_date Day5Jan2003{2003, 1, 0, 5, 9, 7, 59, 0},
        Day14Mar2024{2024, 3, 4, 14, 21, 14, 5, 0};
    const QStringList course = EveryKindOfLine();
    ASSERT_EQ(course.size(), 6);

    struct Case {
        const char* what;
        QString shown;
        QString expected;
        // The names and addresses after a credits paragraph's first words are ours to change.
        bool firstWords = false;
    };
    std::vector<Case> cases = {
        {"history", HistoryText(),
         QStringLiteral("Historique\r\n"
                        "----------------------\r\n"
                        "\r\n"
                        "1.0.2.163\r\n"
                        "\r\n"
                        "- Nouveau design (merci à l'équipe Tarvex pour le skin)\r\n"
                        "- Affichage de l'armée et de l'équipe des joueurs\r\n"
                        "- Affichage de la map\r\n"
                        "\r\n"
                        "1.0.1.47\r\n"
                        "\r\n"
                        "- Ajout de l'historique (vital)\r\n"
                        "- Modification du menu\r\n"
                        "- Les observateurs ne sont plus affichés dans la liste des joueurs\r\n"
                        "\r\n"
                        "1.0.1.28\r\n"
                        "\r\n"
                        "- Première release")},
        {"history caption", HistoryCaption(), QStringLiteral("Historique")},
        {"credits caption", CreditsCaption(), QStringLiteral("A propos")},
        {"credits (1)", credits.value(0), QStringLiteral("Tarvex est écrit par "), true},
        {"credits (2)", credits.value(1), QStringLiteral("Le skin est dessiné par "), true},
        {"credits (3)", credits.value(2),
         QStringLiteral("Les icônes des armées et les autres images sont dessinées pour Tarvex. "
                        "Les images des maps sont soit les propres fichiers de l'utilisateur, "
                        "qui lui appartiennent, soit les aperçus du jeu lui-même, lus dans le jeu "
                        "installé sur la machine du joueur et propriété d'Electronic Arts. "
                        "Command & Conquer Generals Zero Hour est une marque d'Electronic Arts.")},
        {"credits (4)", credits.value(3), QStringLiteral("L'icône du programme appartient à "),
         true},
        {"credits (5)", credits.value(4), QStringLiteral("Tarvex utilise la bibliothèque Qt "),
         true},
        {"credits (6)", credits.value(5),
         QStringLiteral("Merci à la communauté des joueurs de Zero Hour."), true},
        {"credits (7)", credits.value(6),
         QStringLiteral("Tarvex est un logiciel libre, distribué sous licence MIT : "), true},
        {"credit line", MainCreditLine().text, QStringLiteral("Code & skin : l'équipe Tarvex")},
        // Numbers grouped as French writes them, with a narrow no-break space.
        {"filter count", FilterCountText(12, 49873), QStringLiteral("12 / 49\u202F873")},
        {"error, first line", errorLines[0].text, QStringLiteral("Impossible de lire le replay")},
        {"error, second line", errorLines[1].text,
         QStringLiteral("Merci de me l'envoyer par mail à :")},
        {"error, third line", errorLines[2].text, QStringLiteral("        equipe@example.org")},
        {"no contact address set", ShownContactAddress({}),
         QStringLiteral("aucune adresse définie")},
        {"one unreadable file", Line(UnreadableFilesMessage(UnreadableFiles(1)), 0),
         QStringLiteral("Impossible de lire ce replay :")},
        {"unreadable files", Line(UnreadableFilesMessage(UnreadableFiles(2)), 0),
         QStringLiteral("Impossible de lire ces replays :")},
        {"one more unreadable file", Line(UnreadableFilesMessage(UnreadableFiles(11)), -1),
         QStringLiteral("et 1 autre.")},
        {"more unreadable files", Line(UnreadableFilesMessage(UnreadableFiles(25)), -1),
         QStringLiteral("et 15 autres.")},
        {"reason: anything else", reasonFor([](const Text&) -> TZH_replay { throw 42; }),
         QStringLiteral("Erreur inconnue")},
        {"error box: anything else", ErrorText(std::make_exception_ptr(42)),
         QStringLiteral("Erreur inconnue.")},
        // Tooltips: a player row's drawn picks, actions per minute and leaving.
        {"tooltip: drawn army", Tip(10, Red, false),
         QStringLiteral("Armée tirée au sort : China Nuke\nCouleur : Rouge")},
        {"tooltip: drawn colour", Tip(2, Gold, true),
         QStringLiteral("Armée tirée au sort : USA\nCouleur : Or (tirée au sort)")},
        {"tooltip: pink", Tip(13, Pink, false),
         QStringLiteral("Armée tirée au sort : GLA Stealth\nCouleur : Rose")},
        {"tooltip: army chosen", Tip(Chosen, Purple, false), QStringLiteral("Couleur : Violet")},
        {"tooltip: quit", Tip(Chosen, Blue, false, Orders(41.3, At12m3s)),
         QStringLiteral("Couleur : Bleu\nActions par minute : 41,3\nA quitté la partie à 12m 3s")},
        {"tooltip: surrendered",
         Tip(Chosen, Green, false, Orders(7, At12m3s + 29, LeaveHow::Surrendered)),
         QStringLiteral("Couleur : Vert\nActions par minute : 7,0\nA abandonné à 12m 3s")},
        {"tooltip: dropped", Tip(Chosen, Orange, false, Orders(1234.56, 29, LeaveHow::Dropped)),
         QStringLiteral("Couleur : Orange\nActions par minute : 1234,6\nDéconnecté à 0s")},
        {"tooltip: no apm", Tip(Chosen, SkyBlue, true, Orders(std::nullopt, 1800)),
         QStringLiteral("Couleur : Bleu ciel (tirée au sort)\nA quitté la partie à 1m 0s")},
        {"tooltip: a computer", Tip(Chosen, Blue, false, Orders(50, 30), false),
         QStringLiteral("Couleur : Bleu")},
        {"tooltip: nothing resolved", Tip(-1, -1, true, Orders(12)),
         QStringLiteral("Actions par minute : 12,0")},
        {"tooltip: out of the tables", Tip(14, 8, false), QString()},
        {"tooltip: an observer", Tip(-2, Red, true),
         QStringLiteral("Couleur : Rouge (tirée au sort)")},
        {"tooltip: start chosen", Started(2, false), QStringLiteral("Position de départ : 3")},
        {"tooltip: start drawn", Started(0, true),
         QStringLiteral("Position de départ : 1 (tirée au sort)")},
        {"tooltip: start drawn, spots unknown", Started(-1, true),
         QStringLiteral("Position de départ : tirée au sort")},
        {"tooltip: start unknown", Started(-1, false), QString()},
        // Tooltips: a list row's match date, or why the replay is refused.
        {"date", Played(TZH_date{2024, 3, 4, 14, 21, 14, 5, 0}),
         QStringLiteral("Partie du 14/03/2024 à 21:14")},
        {"date, padded", Played(TZH_date{2003, 1, 0, 5, 9, 7, 59, 999}),
         QStringLiteral("Partie du 05/01/2003 à 09:07")},
        {"leap day", Played(TZH_date{2024, 2, 4, 29, 12, 0, 0, 0}),
         QStringLiteral("Partie du 29/02/2024 à 12:00")},
        {"no date", Played(std::nullopt), QString()},
        {"refused: unreadable", Refused(InvalidReason::Unreadable),
         QStringLiteral("Fichier illisible")},
        {"refused: not a replay", Refused(InvalidReason::NotReplay),
         QStringLiteral("Ce n'est pas un replay")},
        {"refused: cut short", Refused(InvalidReason::CutShort),
         QStringLiteral("Replay coupé avant la fin de son en-tête")},
        {"refused: version", Refused(InvalidReason::UnknownVersion),
         QStringLiteral("Version du jeu inconnue")},
        {"refused: settings", Refused(InvalidReason::BadSettings),
         QStringLiteral("Réglages de la partie illisibles")},
        {"refused: players", Refused(InvalidReason::BadPlayers),
         QStringLiteral("Liste des joueurs illisible")},
        // The match window: a mark's tooltip, a minute mark, what it can't show, the list's lines.
        {"mark", MarkTip(QStringLiteral("Caserne"), QStringLiteral("Nic"), At12m3s + 29),
         QStringLiteral("Caserne — Nic — 12m 03s")},
        {"no orders: cut", NoOrdersLine(NoOrders::CutFile),
         QStringLiteral("Aucun ordre lu : le fichier est coupé")},
        {"no orders: computers", NoOrdersLine(NoOrders::ComputersOnly),
         QStringLiteral("Aucun ordre : les ordinateurs n'en enregistrent pas")},
        {"no orders: unreadable", NoOrdersLine(NoOrders::Unreadable),
         QStringLiteral("Aucun ordre : le fichier ne se lit plus")},
        {"no orders", NoOrdersLine(NoOrders::NoneRecorded),
         QStringLiteral("Aucun ordre enregistré dans ce replay")},
        {"minute mark", MinuteMarkText(10), QStringLiteral("10m")},
        {"positions unknown", UnknownPositionsLine(),
         QStringLiteral(
             "Emplacements inconnus : aucun cache de cartes ne donne l'étendue de cette carte")},
        // The names after the verbs are the course's own texts.
        {"construction cancelled", course[0], QStringLiteral("0m 10s  construction annulée")},
        {"sold", course[1], QStringLiteral("0m 11s  bâtiment vendu")},
        {"resumed", course[2], QStringLiteral("0m 11s  construction reprise")},
        {"science", course[3], QStringLiteral("0m 12s  choisi  "), true},
        {"upgrade", course[4], QStringLiteral("0m 12s  mis en recherche  "), true},
        {"upgrade cancelled", course[5], QStringLiteral("0m 12s  recherche annulée  "), true},
        // A player's career: totals, titles, figures, ends, the reading, the games' label.
        {"career totals", TotalsText(1234, Day5Jan2003, Day14Mar2024, 412 * 3600 + 5 * 60 + 9),
         QStringLiteral("1\u202F234 parties · du 05/01/2003 au 14/03/2024 · 412h 5m de jeu")},
        {"career of one game", TotalsText(1, Day14Mar2024, Day14Mar2024, 1866),
         QStringLiteral("1 partie · le 14/03/2024 · 31m 6s de jeu")},
        {"career without dates", TotalsText(2, std::nullopt, std::nullopt, 59),
         QStringLiteral("2 parties · 59s de jeu")},
        {"month", MonthTip(2024 * 12 + 2, 12), QStringLiteral("03/2024 : 12 parties")},
        {"career panels",
         QStringList{PanelTitle(CareerPanel::Months), PanelTitle(CareerPanel::Activity),
                     PanelTitle(CareerPanel::Ends)}
             .join(QLatin1Char('|')),
         QStringLiteral("Parties par mois|Actions par minute|Fins de partie")},
        {"career tabs",
         QStringList{TabName(CareerTab::Armies), TabName(CareerTab::Maps),
                     TabName(CareerTab::Players), TabName(CareerTab::Openings)}
             .join(QLatin1Char('|')),
         QStringLiteral("Armées|Cartes|Joueurs|Ouvertures")},
        {"armies' columns", ColumnTitles(CareerTab::Armies).join(QLatin1Char('|')),
         QStringLiteral("Armée|Parties|Part|")},
        {"maps' columns", ColumnTitles(CareerTab::Maps).join(QLatin1Char('|')),
         QStringLiteral("Carte|Parties")},
        {"players' columns", ColumnTitles(CareerTab::Players).join(QLatin1Char('|')),
         QStringLiteral("Joueur|Avec|Contre|Dernière")},
        {"openings' columns", ColumnTitles(CareerTab::Openings).join(QLatin1Char('|')),
         QStringLiteral("Trois premiers bâtiments|Parties|Le 3e à")},
        {"army unknown", CareerArmyText(-1), QStringLiteral("Armée inconnue")},
        {"share", ShareText(1, 3), QStringLiteral("33\u00A0%")},
        {"drawn army", RandomText(3), QStringLiteral("dont 3 au hasard")},
        {"with", WithText(QStringLiteral("Bob")), QStringLiteral("avec Bob")},
        {"against", AgainstText(QStringLiteral("Bob")), QStringLiteral("contre Bob")},
        {"career ends",
         QStringList{EndText(CareerEnd::Surrendered), EndText(CareerEnd::Quit),
                     EndText(CareerEnd::Dropped), EndText(CareerEnd::None)}
             .join(QLatin1Char('|')),
         QStringLiteral(
             "A abandonné|A quitté la partie|Déconnecté|Resté jusqu'au bout ou détruit")},
        {"reading", ReadingText(1234, 5000, 0),
         QStringLiteral("Lecture des ordres : 1\u202F234 / 5\u202F000")},
        {"reading, one unreadable", ReadingText(3, 3, 1),
         QStringLiteral("Lecture des ordres : 3 / 3 · 1 fichier illisible")},
        {"reading, unreadable", ReadingText(3, 3, 2),
         QStringLiteral("Lecture des ordres : 3 / 3 · 2 fichiers illisibles")},
        {"games' label", FigureLabel(QStringLiteral("Nic"), QStringLiteral("tournament island")),
         QStringLiteral("Nic · tournament island")},
    };
#ifndef _WIN32
    // The Linux reader's reason for a fifo (Windows has none to give).
    cases.push_back({"reason: not a plain file",
                     reasonFor([](const Text& path) { return ReadReplay(path); }),
                     QStringLiteral("Pas un fichier ordinaire")});
#endif
    for (const Case& c : cases)
        EXPECT_EQ(c.firstWords ? c.shown.left(c.expected.size()) : c.shown, c.expected) << c.what;
}
