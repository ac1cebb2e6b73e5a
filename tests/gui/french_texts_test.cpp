// Every French text the program shows, exactly as it shows it, in one table: a lost accent or
// a changed word fails here. The other tests find these texts through the program's own
// functions and never spell them out again.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "about_texts.h"
#include "contact_address.h"
#include "credit_line.h"
#include "error_box.h"
#include "header_texts.h"
#include "read_errors.h"
#include "replay/zerohour.h"
#include "temp_dir.h"

namespace {

QString FirstLine(const QString& text) {
    return text.section(QLatin1Char('\n'), 0, 0);
}

QString LastLine(const QString& text) {
    return text.section(QLatin1Char('\n'), -1);
}

std::vector<UnreadableFile> UnreadableFiles(int count) {
    return std::vector<UnreadableFile>(static_cast<std::size_t>(count),
                                       {QStringLiteral("r.rep"), QStringLiteral("raison")});
}

} // namespace

TEST(FrenchTexts, ShownExactly) {
    testsupport::TempDir dir;
    const Text pipe = (dir / "pipe.rep").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    const auto reasonFor = [&](const ReplayReader& read) {
        const ReadOutcome outcome = ReadReplayKeepingErrors(pipe, read);
        return outcome.unreadable ? outcome.unreadable->reason : QString();
    };
    const QString contact = QStringLiteral("equipe@example.org");
    const QStringList credits = CreditsText(contact).split(QStringLiteral("\r\n\r\n"));
    const std::vector<PlacedText> errorLines = ErrorMessageTexts(contact);
    ASSERT_EQ(errorLines.size(), 3u);

    struct Case {
        const char* what;
        QString shown;
        QString expected;
        // The names and addresses after a credits paragraph's first words are ours to change.
        bool firstWords = false;
    };
    const Case cases[] = {
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
        {"credits (4)", credits.value(3), QStringLiteral("L'icône du programme appartient à "), true},
        {"credits (5)", credits.value(4), QStringLiteral("Tarvex utilise la bibliothèque Qt "), true},
        {"credits (6)", credits.value(5), QStringLiteral("Merci à la communauté des joueurs de Zero Hour."), true},
        {"credits (7)", credits.value(6),
         QStringLiteral("Tarvex est un logiciel libre, distribué sous licence MIT : "), true},
        {"credit line", MainCreditLine().text, QStringLiteral("Code & skin : l'équipe Tarvex")},
        {"error, first line", errorLines[0].text, QStringLiteral("Impossible de lire le replay")},
        {"error, second line", errorLines[1].text, QStringLiteral("Merci de me l'envoyer par mail à :")},
        {"error, third line", errorLines[2].text, QStringLiteral("        equipe@example.org")},
        {"no contact address set", ShownContactAddress({}), QStringLiteral("aucune adresse définie")},
        {"one unreadable file", FirstLine(UnreadableFilesMessage(UnreadableFiles(1))),
         QStringLiteral("Impossible de lire ce replay :")},
        {"unreadable files", FirstLine(UnreadableFilesMessage(UnreadableFiles(2))),
         QStringLiteral("Impossible de lire ces replays :")},
        {"one more unreadable file", LastLine(UnreadableFilesMessage(UnreadableFiles(11))),
         QStringLiteral("et 1 autre.")},
        {"more unreadable files", LastLine(UnreadableFilesMessage(UnreadableFiles(25))),
         QStringLiteral("et 15 autres.")},
        {"reason: not a plain file", reasonFor([](const Text& path) { return ReadReplay(path); }),
         QStringLiteral("Pas un fichier ordinaire")},
        {"reason: anything else", reasonFor([](const Text&) -> TZH_replay { throw 42; }),
         QStringLiteral("Erreur inconnue")},
        {"error box: anything else", ErrorText(std::make_exception_ptr(42)),
         QStringLiteral("Erreur inconnue.")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.firstWords ? c.shown.left(c.expected.size()) : c.shown, c.expected) << c.what;
}
