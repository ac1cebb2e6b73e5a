// Every text of the tooltips, in one table: the player rows' (drawn picks, actions per minute,
// leaving) and the replay list's (match date, why a replay is refused).
#include <gtest/gtest.h>

#include "player_tooltip.h"
#include "replay_tooltip.h"

namespace {

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
    return PlayerTooltip(replay, 1, match);
}

PlayerOrders Orders(std::optional<double> apm, uint32_t leftAt = 0, LeaveHow how = LeaveHow::Quit) {
    return {0, 0, leftAt ? std::optional(PlayerLeaving{leftAt, how}) : std::nullopt, apm};
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

} // namespace

TEST(TooltipTexts, EveryText) {
    const int8_t Gold = 0, Red = 1, Blue = 2, Green = 3, Orange = 4, SkyBlue = 5, Purple = 6,
                 Pink = 7;
    const uint32_t At12m3s = (12 * 60 + 3) * 30; // 30 frames a second
    const std::pair<QString, const char*> cases[] = {
        {Tip(10, Red, false), "Armée tirée au sort : China Nuke\nCouleur : Rouge"},
        {Tip(2, Gold, true), "Armée tirée au sort : USA\nCouleur : Or (tirée au sort)"},
        {Tip(13, Pink, false), "Armée tirée au sort : GLA Stealth\nCouleur : Rose"},
        {Tip(Chosen, Purple, false), "Couleur : Violet"},
        {Tip(Chosen, Blue, false, Orders(41.3, At12m3s)),
         "Couleur : Bleu\nActions par minute : 41,3\nA quitté la partie à 12m 3s"},
        {Tip(Chosen, Green, false, Orders(7, At12m3s + 29, LeaveHow::Surrendered)),
         "Couleur : Vert\nActions par minute : 7,0\nA abandonné à 12m 3s"},
        {Tip(Chosen, Orange, false, Orders(1234.56, 29, LeaveHow::Dropped)),
         "Couleur : Orange\nActions par minute : 1234,6\nDéconnecté à 0s"},
        {Tip(Chosen, SkyBlue, true, Orders(std::nullopt, 1800)),
         "Couleur : Bleu ciel (tirée au sort)\nA quitté la partie à 1m 0s"},
        {Tip(Chosen, Blue, false, Orders(50, 30), false), "Couleur : Bleu"}, // a computer
        {Tip(-1, -1, true, Orders(12)), "Actions par minute : 12,0"},        // nothing resolved
        {Tip(14, 8, false), ""},                                             // out of the tables
        {Tip(-2, Red, true), "Couleur : Rouge (tirée au sort)"},             // an observer
        {Played(TZH_date{2024, 3, 4, 14, 21, 14, 5, 0}), "Partie du 14/03/2024 à 21:14"},
        {Played(TZH_date{2003, 1, 0, 5, 9, 7, 59, 999}), "Partie du 05/01/2003 à 09:07"},
        {Played(TZH_date{2023, 2, 0, 29, 12, 0, 0, 0}), ""},
        {Played(TZH_date{2023, 2, 0, 28, 24, 0, 0, 0}), ""},
        {Played(std::nullopt), ""},
        {Refused(InvalidReason::Unreadable), "Fichier illisible"},
        {Refused(InvalidReason::NotReplay), "Ce n'est pas un replay"},
        {Refused(InvalidReason::CutShort), "Replay coupé avant la fin de son en-tête"},
        {Refused(InvalidReason::UnknownVersion), "Version du jeu inconnue"},
        {Refused(InvalidReason::BadSettings), "Réglages de la partie illisibles"},
        {Refused(InvalidReason::BadPlayers), "Liste des joueurs illisible"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].first.toStdString(), cases[i].second) << "case " << i;
    // Orders counted for fewer players than the record holds: nothing rather than someone else's.
    TZH_replay replay;
    replay.players.resize(2);
    for (TZH_player& player : replay.players)
        player.human = true;
    const MatchOrders shorter{false, 100, {Orders(5)}};
    EXPECT_NE(PlayerTooltip(replay, 0, shorter), QString());
    EXPECT_EQ(PlayerTooltip(replay, 1, shorter), QString());
    EXPECT_EQ(PlayerTooltip(replay, 2, shorter), QString());
}
