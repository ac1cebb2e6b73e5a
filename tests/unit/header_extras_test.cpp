// What the start-up read keeps beyond the header's own members, on replays made here: why a
// replay was refused, the match's start time, and the random picks drawn from the seed.
#include <array>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "replay/zerohour.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"

namespace rb = replay_builder;

namespace {

rb::Settings TwoPlayers() {
    rb::Settings s;
    s.slots = {rb::Human("Alpha", "C0A80102", 1, -1, 0, 0), rb::Computer('H', -1, -1, 1, 1)};
    return s;
}

class HeaderExtras : public ::testing::Test {
protected:
    TZH_replay read(const rb::Replay& replay) { return read(rb::Bytes(replay)); }
    TZH_replay read(const std::string& bytes) {
        const std::string path = (dir_ / "match.rep").string();
        rb::WriteFile(path, bytes);
        return ReadReplay(path);
    }
    static rb::Replay With(const rb::Settings& settings) {
        rb::Replay replay;
        replay.settings = rb::SettingsText(settings);
        return replay;
    }
    testsupport::TempDir dir_;
};

} // namespace

// With the reason's name, which tarvex-info prints.
TEST_F(HeaderExtras, ARefusedReplayKeepsTheCheckThatRefusedIt) {
    const std::string good = rb::Bytes(With(TwoPlayers()));
    auto cutBefore = [&](const char* text) { return good.substr(0, good.find(text)); };
    auto replaced = [&](const std::string& from, const std::string& to) {
        rb::Replay replay = With(TwoPlayers());
        replay.settings.replace(replay.settings.find(from), from.size(), to);
        return rb::Bytes(replay);
    };
    rb::Replay newer = With(TwoPlayers());
    newer.versionText = u"Version 1.05";
    struct Case {
        const char* name;
        std::string bytes;
        std::string_view reason;
    };
    const Case cases[] = {
        {"a whole header", good, "none"},
        {"an empty file", "", "notReplay"},
        {"another magic", "GENREQ" + good.substr(6), "notReplay"},
        {"the magic alone", "GENREP", "cutShort"},
        {"cut after the map", cutBefore("MC="), "cutShort"},
        {"cut before the money", cutBefore("SC="), "cutShort"},
        {"cut in the player list", cutBefore(",1:CH"), "cutShort"},
        {"version 1.05", rb::Bytes(newer), "unknownVersion"},
        {"an empty map code", replaced("MC=12BE477C", "MC="), "badSettings"},
        {"money that is no number", replaced("SC=10000", "SC=lots"), "badSettings"},
        {"seven slots", replaced("X:;", ";"), "badPlayers"},
        {"an army that is no number", replaced("1,-1,0,0", "1,random,0,0"), "badPlayers"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TZH_replay replay = read(c.bytes);
        EXPECT_EQ(InvalidReasonName(replay.invalidReason), c.reason);
        EXPECT_EQ(replay.valid, c.reason == "none");
        EXPECT_EQ(replay.date.has_value(), replay.valid);
        // Nothing is drawn for a refused replay, even for a player read before the failure.
        for (const TZH_player& p : replay.players)
            EXPECT_EQ(p.colourResolved == -1, !replay.valid);
    }
}

TEST_F(HeaderExtras, TheStartTimeIsKeptWhenItIsOne) {
    // Year, month, day of week, day, hour, minute, second, milliseconds.
    using Fields = std::array<uint16_t, 8>;
    const std::pair<Fields, bool> cases[] = {
        {{2024, 3, 4, 14, 21, 14, 5, 999}, true}, {{1601, 1, 0, 1, 0, 0, 0, 0}, true},
        {{2030, 12, 6, 31, 23, 59, 59, 0}, true}, {{2024, 13, 4, 14, 21, 14, 5, 0}, false},
        {{2024, 3, 4, 0, 21, 14, 5, 0}, false},   {{2024, 3, 4, 14, 24, 14, 5, 0}, false},
        {{2024, 3, 7, 14, 21, 14, 5, 0}, false},  {{2024, 3, 4, 14, 21, 60, 5, 0}, false},
        {{2024, 3, 4, 14, 21, 14, 60, 0}, false}, {{2024, 3, 4, 14, 21, 14, 5, 1000}, false},
        {{0, 0, 0, 0, 0, 0, 0, 0}, false},        {{2023, 2, 0, 29, 12, 0, 0, 0}, false},
        {{2024, 2, 4, 29, 12, 0, 0, 0}, true},
    };
    rb::Replay replay = With(TwoPlayers());
    replay.replayName = u"Последний повтор"; // its "л" holds a ";" byte
    for (const auto& [date, kept] : cases) {
        SCOPED_TRACE(testing::PrintToString(date));
        replay.startDate = date;
        const TZH_replay got = read(replay);
        ASSERT_TRUE(got.valid);
        ASSERT_EQ(got.date.has_value(), kept);
        if (!kept) continue;
        const TZH_date& d = *got.date;
        EXPECT_EQ((Fields{d.year, d.month, d.dayOfWeek, d.day, d.hour, d.minute, d.second,
                          d.milliseconds}),
                  date);
    }
}

// The draws themselves: the real replays' example. Here, the rules whatever the seed draws.
TEST_F(HeaderExtras, RandomPicksFollowTheLobbysRules) {
    const auto random = [](char difficulty) { return rb::Computer(difficulty, -1, -1, -1, -1); };
    struct Case {
        const char* name;
        std::vector<rb::Slot> slots;
        bool oldFactions;
        const char* seed;
    };
    const Case cases[] = {
        {"eight random computers, a negative seed", std::vector<rb::Slot>(8, random('H')), false,
         "-2147483648"},
        {"old factions only", std::vector<rb::Slot>(8, random('E')), true, "1"},
        {"three slots holding blue, open and closed ones between, an observer (a colour, never an "
         "army)",
         {rb::Computer('H', 2, 5, -1, -1), rb::Open(), rb::Human("B", "C0A80102", 2, 3, 0, 0),
          rb::Closed(), rb::Computer('H', 2, -1, -1, -1),
          rb::Human("Watcher", "C0A80102", -1, -2, -1, -1), random('M')},
         false,
         "96319765"},
        {"no number for a seed: nothing drawn",
         {rb::Human("A", "C0A80102", 1, -1, 0, 0), rb::Computer('E', -1, 6, 0, 0)},
         false,
         "12x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rb::Settings settings;
        settings.slots = c.slots;
        settings.originalArmiesOnly = c.oldFactions;
        settings.seed = c.seed;
        const TZH_replay replay = read(With(settings));
        ASSERT_TRUE(replay.valid); // the seed is no part of the header's checks
        const bool seeded = c.seed != std::string("12x");
        std::set<int> fixed, colours;
        for (const TZH_player& p : replay.players) {
            const int stored = static_cast<int8_t>(p.slotValue1);
            // A fixed colour stays with the first slot that holds it; the others draw theirs.
            const bool keeps = stored >= 0 && fixed.insert(stored).second;
            EXPECT_EQ(p.colourRandom, !keeps);
            EXPECT_TRUE(!keeps && seeded ? p.colourResolved >= 0 && p.colourResolved <= 7
                                         : p.colourResolved == (keeps ? stored : -1))
                << int{p.colourResolved};
            EXPECT_TRUE(!seeded || colours.insert(p.colourResolved).second) << "colour twice";
            EXPECT_EQ(p.armyRandom, p.army == -1);
            const bool armyDrawn = p.army == -1 && seeded;
            EXPECT_TRUE(armyDrawn
                            ? p.armyResolved >= 2 && p.armyResolved <= (c.oldFactions ? 4 : 13)
                            : p.armyResolved == p.army)
                << int{p.armyResolved};
        }
    }
}
