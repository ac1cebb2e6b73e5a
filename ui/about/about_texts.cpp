#include "ui/about/about_texts.h"

#include <QStringList>

namespace {

const QString LineBreak = QStringLiteral("\r\n");

} // namespace

QString HistoryCaption() {
    return QStringLiteral("Historique");
}

QString CreditsCaption() {
    return QStringLiteral("A propos");
}

QString HistoryText() {
    const QStringList lines = {
        HistoryCaption(),
        QString(22, QLatin1Char('-')),
        QString(),
        QStringLiteral("1.0.2.163"),
        QString(),
        QStringLiteral("- Nouveau design (merci à l'équipe Tarvex pour le skin)"),
        QStringLiteral("- Affichage de l'armée et de l'équipe des joueurs"),
        QStringLiteral("- Affichage de la map"),
        QString(),
        QStringLiteral("1.0.1.47"),
        QString(),
        QStringLiteral("- Ajout de l'historique (vital)"),
        QStringLiteral("- Modification du menu"),
        QStringLiteral("- Les observateurs ne sont plus affichés dans la liste des joueurs"),
        QString(),
        QStringLiteral("1.0.1.28"),
        QString(),
        QStringLiteral("- Première release"),
    };
    return lines.join(LineBreak);
}

QString CreditsText(const QString& contact) {
    const QStringList paragraphs = {
        QStringLiteral("Tarvex est écrit par l'équipe Tarvex (%1).").arg(contact),
        QStringLiteral("Le skin est dessiné par l'équipe Tarvex (%1).").arg(contact),
        QStringLiteral("Les icônes des armées et les autres images sont dessinées pour Tarvex. "
                       "Les images des maps sont soit les propres fichiers de l'utilisateur, "
                       "qui lui appartiennent, soit les aperçus du jeu lui-même, lus dans le jeu "
                       "installé sur la machine du joueur et propriété d'Electronic Arts. "
                       "Command & Conquer Generals Zero Hour est une marque d'Electronic Arts."),
        QStringLiteral("L'icône du programme appartient à l'équipe Tarvex."),
        QStringLiteral("Tarvex utilise la bibliothèque Qt (https://www.qt.io), "
                       "sous licence LGPL v3."),
        QStringLiteral("Merci à la communauté des joueurs de Zero Hour."),
        QStringLiteral("Tarvex est un logiciel libre, distribué sous licence MIT : chacun peut "
                       "l'utiliser, le copier, le modifier et le redistribuer librement, "
                       "sans garantie d'aucune sorte."),
    };
    return paragraphs.join(LineBreak + LineBreak);
}
