// tarvex-info's line for a person, for each kind of record and player it can meet.
#include <gtest/gtest.h>

#include "tools/replay_report.h"

namespace {

TZH_player Player(const std::string& name, bool human, int army, int team) {
    TZH_player p;
    p.name = name;
    p.human = human;
    p.army = static_cast<int8_t>(army);
    p.team = static_cast<int8_t>(team);
    return p;
}

TZH_replay Record(bool valid, const std::string& version) {
    TZH_replay r;
    r.file.name = "m.rep";
    r.file.size = 1536;
    r.valid = valid;
    r.version = version;
    return r;
}

TEST(ReplaySummary, NamesEveryKindOfRecordAndPlayer) {
    TZH_replay full = Record(true, "1.04");
    full.map.name = "tournament island";
    full.money = 20000;
    full.superweaponLimit = full.vanilla = true;
    full.duration = 125;
    full.players = {Player("Ana", true, 2, 0), Player("", true, 4, -1), Player("", false, -1, 3),
                    Player("Obs", true, -2, -1), Player("IA Difficile", false, 14, 1)};
    full.players[1].slotValue3 = 2;
    full.players[2].slotValue3 = 255; // a random spot
    // What the map's cache lets the game's placement give.
    const ReplayStarts starts{std::nullopt, {{0, false}, {2, false}, {3, true}, {1, true}, {4}}};
    struct Case {
        TZH_replay record;
        const char* line;
        const ReplayStarts* starts = nullptr;
    };
    const Case cases[] = {
        {full, "m.rep: version 1.04, map tournament island, $20K, 1 SW, Vanilla, 2m 5s, players: "
               "Ana (USA, team 1, spot 1), ? (GLA, no team, spot 3), IA (random, team 4, spot "
               "random), Obs (observer), IA Difficile (army 14, team 2, spot 1)"},
        {full,
         "m.rep: version 1.04, map tournament island, $20K, 1 SW, Vanilla, 2m 5s, players: "
         "Ana (USA, team 1, spot 1), ? (GLA, no team, spot 3), IA (random, team 4, spot 4, "
         "random), Obs (observer, spot 2, random), IA Difficile (army 14, team 2, spot 5)",
         &starts},
        {Record(true, "1.00"), "m.rep: version 1.00, map , $0K, 0s, players: none"},
        {Record(false, ""), "m.rep: INVALID (not a replay), 1536 bytes"},
        {Record(false, "Invalid"), "m.rep: INVALID (unsupported version), 1536 bytes"},
        {Record(false, "1.04"), "m.rep: INVALID (version 1.04), 1536 bytes"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaySummary(c.record, c.starts), c.line);
}

} // namespace
