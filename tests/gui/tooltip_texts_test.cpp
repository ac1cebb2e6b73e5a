// Every text of the tooltips, in one table: the player rows' (drawn picks, actions per minute,
// leaving) and the replay list's (match date, why a replay is refused).
#include <functional>
#include <gtest/gtest.h>

#include "player_tooltip.h"
#include "replay_tooltip.h"

namespace {

TZH_player Drawn(int8_t army, bool armyRandom, int8_t colour, bool colourRandom, bool human = true) {
    TZH_player player;
    player.human = human;
    player.army = armyRandom ? int8_t{-1} : army;
    player.armyResolved = army;
    player.armyRandom = armyRandom;
    player.colourResolved = colour;
    player.colourRandom = colourRandom;
    return player;
}

PlayerOrders Orders(std::optional<double> apm, std::optional<PlayerLeaving> left = std::nullopt) {
    PlayerOrders orders;
    orders.apm = apm;
    orders.left = left;
    return orders;
}

// The tooltip of the last player of a match whose earlier players gave no orders.
std::function<QString()> Player(TZH_player player, std::optional<PlayerOrders> orders = std::nullopt) {
    return [=] {
        TZH_replay replay;
        replay.valid = true;
        replay.players = {Drawn(2, false, 0, false), player};
        std::optional<MatchOrders> match;
        if (orders) match = MatchOrders{true, 40000, {PlayerOrders{}, *orders}};
        return PlayerTooltip(replay, 1, match);
    };
}

std::function<QString()> Refused(InvalidReason reason) {
    return [=] {
        TZH_replay replay;
        replay.invalidReason = reason;
        // An invalid record's date, if any, is not its story.
        replay.date = TZH_date{2024, 3, 4, 14, 21, 14, 5, 0};
        return ReplayTooltip(replay);
    };
}

std::function<QString()> PlayedOn(std::optional<TZH_date> date) {
    return [=] {
        TZH_replay replay;
        replay.valid = true;
        replay.invalidReason = InvalidReason::None;
        replay.date = date;
        return ReplayTooltip(replay);
    };
}

} // namespace

TEST(TooltipTexts, EveryText) {
    const int Gold = 0, Red = 1, Blue = 2, Green = 3, Orange = 4, SkyBlue = 5, Purple = 6, Pink = 7;
    // 12m 3s of game time, at 30 frames a second.
    const uint32_t At12m3s = (12 * 60 + 3) * 30;
    const struct {
        const char* what;
        std::function<QString()> text;
        const char* expected;
    } cases[] = {
        {"random army, fixed colour", Player(Drawn(10, true, Red, false)),
         "Armée tirée au sort : China Nuke\nCouleur : Rouge"},
        {"first and last armies drawn", Player(Drawn(2, true, Gold, true)),
         "Armée tirée au sort : USA\nCouleur : Or (tirée au sort)"},
        {"last army", Player(Drawn(13, true, Pink, false)),
         "Armée tirée au sort : GLA Stealth\nCouleur : Rose"},
        {"chosen army: only the colour", Player(Drawn(12, false, Purple, false)), "Couleur : Violet"},
        {"quit", Player(Drawn(3, false, Blue, false), Orders(41.3, PlayerLeaving{At12m3s, LeaveHow::Quit})),
         "Couleur : Bleu\nActions par minute : 41,3\nA quitté la partie à 12m 3s"},
        {"surrendered", Player(Drawn(4, false, Green, false), Orders(7, PlayerLeaving{At12m3s + 29, LeaveHow::Surrendered})),
         "Couleur : Vert\nActions par minute : 7,0\nA abandonné à 12m 3s"},
        {"dropped in the first second", Player(Drawn(4, false, Orange, false), Orders(1234.56, PlayerLeaving{29, LeaveHow::Dropped})),
         "Couleur : Orange\nActions par minute : 1234,6\nDéconnecté à 0s"},
        {"left without a count", Player(Drawn(4, false, SkyBlue, true), Orders(std::nullopt, PlayerLeaving{1800, LeaveHow::Quit})),
         "Couleur : Bleu ciel (tirée au sort)\nA quitté la partie à 1m 0s"},
        {"stayed to the end", Player(Drawn(4, false, Blue, false), Orders(0.04)),
         "Couleur : Bleu\nActions par minute : 0,0"},
        {"a computer's orders say nothing", Player(Drawn(4, false, Blue, false, false), Orders(50, PlayerLeaving{30, LeaveHow::Quit})),
         "Couleur : Bleu"},
        {"nothing resolved", Player(Drawn(-1, true, -1, true), Orders(12)), "Actions par minute : 12,0"},
        {"outside the armies and colours", Player(Drawn(14, true, 8, false)), ""},
        {"an observer draws no army", Player(Drawn(-2, true, Red, true)), "Couleur : Rouge (tirée au sort)"},
        {"played on", PlayedOn(TZH_date{2024, 3, 4, 14, 21, 14, 5, 0}), "Partie du 14/03/2024 à 21:14"},
        {"zeros written", PlayedOn(TZH_date{2003, 1, 0, 5, 9, 7, 59, 999}), "Partie du 05/01/2003 à 09:07"},
        {"no such day", PlayedOn(TZH_date{2023, 2, 0, 29, 12, 0, 0, 0}), ""},
        {"no such hour", PlayedOn(TZH_date{2023, 2, 0, 28, 24, 0, 0, 0}), ""},
        {"no date", PlayedOn(std::nullopt), ""},
        {"unreadable", Refused(InvalidReason::Unreadable), "Fichier illisible"},
        {"not a replay", Refused(InvalidReason::NotReplay), "Ce n'est pas un replay"},
        {"cut short", Refused(InvalidReason::CutShort), "Replay coupé avant la fin de son en-tête"},
        {"unknown version", Refused(InvalidReason::UnknownVersion), "Version du jeu inconnue"},
        {"settings", Refused(InvalidReason::BadSettings), "Réglages de la partie illisibles"},
        {"players", Refused(InvalidReason::BadPlayers), "Liste des joueurs illisible"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text().toStdString(), c.expected) << c.what;
}

TEST(TooltipTexts, OrdersOnlyForPlayersTheWalkCounted) {
    TZH_replay replay;
    replay.valid = true;
    replay.players = {TZH_player{}, TZH_player{}};
    for (TZH_player& player : replay.players) player.human = true;
    const MatchOrders match{false, 100, {Orders(5)}};
    EXPECT_FALSE(PlayerTooltip(replay, 0, match).isEmpty());
    // Fewer counts than players, or no player at all: nothing rather than someone else's.
    EXPECT_TRUE(PlayerTooltip(replay, 1, match).isEmpty());
    EXPECT_TRUE(PlayerTooltip(replay, 2, match).isEmpty());
}
