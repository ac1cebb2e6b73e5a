// What the start-up read keeps beyond the header's own members, on replays made here: why a
// replay was refused, the match's start time, and the random picks drawn from the seed.
#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "replay/zerohour.h"
#include "temp_dir.h"
#include "tools/replay_builder.h"

namespace rb = replay_builder;
using namespace std::string_literals;

namespace {

rb::Settings TwoPlayers() {
    rb::Settings s;
    s.slots = {rb::Human("Alpha", "C0A80102", 1, -1, 0, 0), rb::Computer('H', -1, -1, 1, 1)};
    return s;
}

std::string WithSettings(const std::string& settings) {
    rb::Replay replay;
    replay.settings = settings;
    return rb::Bytes(replay);
}

class HeaderExtras : public ::testing::Test {
protected:
    TZH_replay read(const std::string& bytes) {
        const std::string path = (dir_ / "match.rep").string();
        rb::WriteFile(path, bytes);
        return ReadReplay(path);
    }
    testsupport::TempDir dir_;
};

} // namespace

TEST_F(HeaderExtras, ARefusedReplayKeepsTheCheckThatRefusedIt) {
    const std::string good = rb::Bytes([] {
        rb::Replay r;
        r.settings = rb::SettingsText(TwoPlayers());
        return r;
    }());
    const std::size_t settingsAt = good.find("US=1;");
    auto cutBefore = [&](const std::string& text) { return good.substr(0, good.find(text)); };
    std::string settings = rb::SettingsText(TwoPlayers());
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string s = settings;
        return WithSettings(s.replace(s.find(from), from.size(), to));
    };
    struct Case { const char* name; std::string bytes; InvalidReason reason; };
    const Case cases[] = {
        {"a whole header", good, InvalidReason::None},
        {"an empty file", "", InvalidReason::NotReplay},
        {"another magic", "GENREQ" + good.substr(6), InvalidReason::NotReplay},
        {"a text file", std::string(300, 'a') + ";", InvalidReason::NotReplay},
        {"the magic alone", "GENREP", InvalidReason::CutShort},
        {"cut in the binary start", good.substr(0, 100), InvalidReason::CutShort},
        {"cut before the first entry ends", good.substr(0, settingsAt + 3), InvalidReason::CutShort},
        {"cut after the map", cutBefore("MC="), InvalidReason::CutShort},
        {"cut before the money", cutBefore("SC="), InvalidReason::CutShort},
        {"cut in the player list", cutBefore(",1:CH"), InvalidReason::CutShort},
        {"version 1.05", [&] {
             rb::Replay r;
             r.settings = settings;
             r.versionText = u"Version 1.05";
             return rb::Bytes(r);
         }(), InvalidReason::UnknownVersion},
        {"an empty map code", replaced("MC=12BE477C", "MC="), InvalidReason::BadSettings},
        {"a map size that is no number", replaced("MS=130668", "MS=13O668"), InvalidReason::BadSettings},
        {"money that is no number", replaced("SC=10000", "SC=lots"), InvalidReason::BadSettings},
        {"seven slots", replaced("X:;", ";"), InvalidReason::BadPlayers},
        {"an army that is no number", replaced("1,-1,0,0", "1,random,0,0"), InvalidReason::BadPlayers},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TZH_replay replay = read(c.bytes);
        EXPECT_EQ(replay.invalidReason, c.reason);
        EXPECT_EQ(replay.valid, c.reason == InvalidReason::None);
        if (!replay.valid) {
            EXPECT_FALSE(replay.date);
        }
        // Nothing is drawn for a refused replay, even for the players read before the failure.
        for (const TZH_player& p : replay.players) {
            if (!replay.valid) {
                EXPECT_EQ(p.colourResolved, -1);
            }
        }
    }
}

TEST_F(HeaderExtras, TheStartTimeIsKeptWhenItIsOne) {
    // Year, month, day of week, day, hour, minute, second, milliseconds.
    using Fields = std::array<uint16_t, 8>;
    struct Case { std::u16string name; Fields date; bool kept; };
    const Case cases[] = {
        {u"Last Replay", {2024, 3, 4, 14, 21, 14, 5, 999}, true},
        {u"Letzte Wiederholung", {1601, 1, 0, 1, 0, 0, 0, 0}, true},
        {u"Последний повтор", {2030, 12, 6, 31, 23, 59, 59, 0}, true},
        {u"Last Replay", {2024, 13, 4, 14, 21, 14, 5, 0}, false},  // month 13
        {u"Last Replay", {2024, 3, 4, 0, 21, 14, 5, 0}, false},    // day 0
        {u"Last Replay", {2024, 3, 4, 14, 24, 14, 5, 0}, false},   // hour 24
        {u"Last Replay", {2024, 3, 7, 14, 21, 14, 5, 0}, false},   // day of week 7
        {u"Last Replay", {2024, 3, 4, 14, 21, 60, 5, 0}, false},   // minute 60
        {u"Last Replay", {2024, 3, 4, 14, 21, 14, 5, 1000}, false},
        {u"Last Replay", {0, 0, 0, 0, 0, 0, 0, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date[0] * 100 + c.date[1]);
        rb::Replay r;
        r.settings = rb::SettingsText(TwoPlayers());
        r.replayName = c.name;
        r.startDate = c.date;
        const TZH_replay replay = read(rb::Bytes(r));
        ASSERT_TRUE(replay.valid);
        ASSERT_EQ(replay.date.has_value(), c.kept);
        if (!c.kept) continue;
        const TZH_date& d = *replay.date;
        EXPECT_EQ((Fields{d.year, d.month, d.dayOfWeek, d.day, d.hour, d.minute, d.second, d.milliseconds}), c.date);
    }
}

TEST_F(HeaderExtras, RandomPicksFollowTheLobbysRules) {
    struct Case {
        const char* name;
        std::vector<rb::Slot> slots;
        bool originalArmiesOnly;
        std::string seed;
    };
    const Case cases[] = {
        {"eight random computers", std::vector<rb::Slot>(8, rb::Computer('H', -1, -1, -1, -1)), false, "21160562"},
        {"old factions only", std::vector<rb::Slot>(8, rb::Computer('E', -1, -1, -1, -1)), true, "1"},
        {"a negative seed", std::vector<rb::Slot>(4, rb::Computer('M', -1, -1, -1, -1)), false, "-2147483648"},
        {"three slots holding blue, with open and closed ones between",
         {rb::Computer('H', 2, 5, -1, -1), rb::Open(), rb::Human("B", "C0A80102", 2, 3, 0, 0), rb::Closed(),
          rb::Computer('H', 2, -1, -1, -1)},
         false, "96319765"},
        {"an observer draws a colour, never an army",
         {rb::Human("Watcher", "C0A80102", -1, -2, -1, -1), rb::Computer('H', 7, -1, -1, -1)}, false, "3356546"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rb::Settings settings;
        settings.slots = c.slots;
        settings.originalArmiesOnly = c.originalArmiesOnly;
        settings.seed = c.seed;
        const TZH_replay replay = read(WithSettings(rb::SettingsText(settings)));
        ASSERT_TRUE(replay.valid);
        std::set<int> colours;
        bool firstBlue = true;
        for (const TZH_player& p : replay.players) {
            const int stored = static_cast<int8_t>(p.slotValue1);
            // A fixed colour stays with the first slot that holds it; the others draw theirs.
            const bool keeps = stored >= 0 && !(stored == 2 && !firstBlue);
            firstBlue = firstBlue && stored != 2;
            EXPECT_EQ(p.colourRandom, !keeps);
            if (keeps) {
                EXPECT_EQ(p.colourResolved, stored);
            }
            EXPECT_TRUE(colours.insert(p.colourResolved).second);
            EXPECT_GE(p.colourResolved, 0);
            EXPECT_LE(p.colourResolved, 7);
            EXPECT_EQ(p.armyRandom, p.army == -1);
            if (p.army != -1) {
                EXPECT_EQ(p.armyResolved, p.army);
            } else {
                EXPECT_GE(p.armyResolved, 2);
                EXPECT_LE(p.armyResolved, c.originalArmiesOnly ? 4 : 13);
            }
        }
    }
}

TEST_F(HeaderExtras, WithoutANumberForASeedNothingRandomIsResolved) {
    rb::Settings settings = TwoPlayers();
    settings.slots.push_back(rb::Computer('E', 4, 6, -1, -1));
    for (const std::string seed : {"", "abc", "12x", "99999999999"}) {
        SCOPED_TRACE(seed);
        settings.seed = seed;
        const TZH_replay replay = read(WithSettings(rb::SettingsText(settings)));
        ASSERT_TRUE(replay.valid); // the seed is no part of the header's checks
        ASSERT_EQ(replay.players.size(), 3u);
        EXPECT_TRUE(replay.players[0].armyRandom);
        EXPECT_EQ(replay.players[0].armyResolved, -1);
        EXPECT_EQ(replay.players[0].colourResolved, 1);
        EXPECT_TRUE(replay.players[1].colourRandom);
        EXPECT_EQ(replay.players[1].colourResolved, -1);
        EXPECT_EQ(replay.players[2].armyResolved, 6);
        EXPECT_EQ(replay.players[2].colourResolved, 4);
    }
}

TEST_F(HeaderExtras, TheStartUpReadNeverLooksAtTheOrders) {
    // The same header before a clean body, a hostile one and none: the same record.
    auto withBody = [](const std::string& body) {
        rb::Replay r;
        r.settings = rb::SettingsText(TwoPlayers());
        r.bodySize = 0;
        r.body = body;
        return rb::Bytes(r);
    };
    const std::string clean = rb::OrderBytes(5, 1049, 2) + rb::OrderBytes(9, 27, 2);
    const TZH_replay want = read(withBody(clean));
    for (const std::string& body : {std::string(), std::string(5000, '\xFF'), "\x01\x02\x03"s}) {
        const TZH_replay got = read(withBody(body));
        EXPECT_TRUE(got.valid);
        EXPECT_EQ(got.players.size(), want.players.size());
        for (std::size_t i = 0; i < got.players.size(); ++i) {
            EXPECT_EQ(got.players[i].armyResolved, want.players[i].armyResolved);
            EXPECT_EQ(got.players[i].colourResolved, want.players[i].colourResolved);
        }
        EXPECT_EQ(got.duration, want.duration); // from the header's frame count, not the size
    }
}
