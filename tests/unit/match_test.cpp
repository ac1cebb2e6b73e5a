// What the reader makes of a match beyond the header's slots, on the real replays first: the
// random picks drawn again from the seed, the start time, and the orders read from the file.
// Expected values were read off hex dumps and an order-by-order listing of the files.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "replay/match.h"
#include "replay/zerohour.h"
#include "shared_data.h"
#include "temp_dir.h"
#include "tools/replay_builder.h"

namespace fs = std::filesystem;
namespace rb = replay_builder;

namespace {

const char* const NotesExample = "00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep";

std::string RealPath(const std::string& name) { return (testsupport::RealReplayDir() / name).string(); }

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Date(const std::optional<TZH_date>& d) {
    if (!d) return "none";
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u (%u)", unsigned{d->year}, unsigned{d->month},
                  unsigned{d->day}, unsigned{d->hour}, unsigned{d->minute}, unsigned{d->second},
                  unsigned{d->milliseconds}, unsigned{d->dayOfWeek});
    return text;
}

} // namespace

TEST(RealMatches, TheNotesExampleResolvesItsRandomPicks) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    // SD=21160562 (21160562 mod 7 = 3 values thrown away before each army); four random armies,
    // the computers' colours random, the humans' blue and green.
    const TZH_replay replay = ReadReplay(RealPath(NotesExample));
    ASSERT_EQ(replay.players.size(), 4u);
    const int8_t armies[] = {2, 9, 11, 5};  // USA, China Infantry, GLA Toxin, USA Superweapon
    const int8_t colours[] = {2, 3, 5, 0};  // blue and green as stored; sky blue and gold drawn
    const bool colourDrawn[] = {false, false, true, true};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(replay.players[i].armyResolved, armies[i]);
        EXPECT_TRUE(replay.players[i].armyRandom);
        EXPECT_EQ(replay.players[i].colourResolved, colours[i]);
        EXPECT_EQ(replay.players[i].colourRandom, colourDrawn[i]);
        EXPECT_EQ(replay.players[i].army, -1); // the stored slot stays as it was
    }
}

TEST(RealMatches, RandomPicksFollowTheGamesRules) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    for (const auto& entry : fs::directory_iterator(testsupport::RealReplayDir())) {
        if (entry.path().extension() != ".rep") continue;
        SCOPED_TRACE(entry.path().filename().string());
        const TZH_replay replay = ReadReplay(entry.path().string());
        std::set<int> colours;
        if (!replay.valid) continue;
        for (const TZH_player& p : replay.players) {
            const int stored = static_cast<int8_t>(p.slotValue1);
            EXPECT_EQ(p.colourRandom, stored < 0 || colours.count(stored) > 0);
            if (!p.colourRandom) {
                EXPECT_EQ(p.colourResolved, stored);
            }
            EXPECT_TRUE(colours.insert(p.colourResolved).second) << "colour " << int{p.colourResolved} << " twice";
            EXPECT_GE(p.colourResolved, 0);
            EXPECT_LE(p.colourResolved, 7);
            EXPECT_EQ(p.armyRandom, p.army == -1);
            if (p.army == -1) {
                EXPECT_GE(p.armyResolved, 2);
                EXPECT_LE(p.armyResolved, replay.vanilla ? 4 : 13);
            } else {
                EXPECT_EQ(p.armyResolved, p.army); // observers keep -2
            }
        }
    }
}

TEST(RealMatches, StartTimeAndReasonsAreKept) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    struct Case { const char* file; std::string date; InvalidReason reason; };
    const Case cases[] = {
        // SYSTEMTIME at 0x34: e9 07 04 00 00 00 1b 00 02 00 29 00 1d 00 80 02
        {NotesExample, "2025-04-27 02:41:29.640 (0)", InvalidReason::None},
        // German replay name: the SYSTEMTIME at 0x44, e8 07 09 00 06 00 15 00 0f 00 12 00 11 00 c9 01
        {"366648.rep", "2024-09-21 15:18:17.457 (6)", InvalidReason::None},
        // Generals and Zero Hour 1.0 replays are refused for their version: no date kept
        {"simple-generals-replay.rep", "none", InvalidReason::UnknownVersion},
        {"2023-11-23_21-38-27_china-moving-around.rep", "none", InvalidReason::UnknownVersion},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const TZH_replay replay = ReadReplay(RealPath(c.file));
        EXPECT_EQ(Date(replay.date), c.date);
        EXPECT_EQ(replay.invalidReason, c.reason);
    }
}

TEST(RealMatches, EveryFilesOrdersEndAtItsLastByte) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(testsupport::RealReplayDir())) {
        if (entry.path().extension() != ".rep") continue;
        SCOPED_TRACE(entry.path().filename().string());
        // Generals replays too: the layout is the same, and no players are needed for the walk.
        const MatchOrders match = MatchFromBytes(ReadAll(entry.path()), TZH_replay{});
        EXPECT_TRUE(match.complete);
        EXPECT_GT(match.endFrame, 0u);
        ++files;
    }
    EXPECT_EQ(files, 49u);
}

TEST(RealMatches, TheNotesExampleOrders) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    const std::optional<MatchOrders> match = ReadMatch(ReadReplay(RealPath(NotesExample)));
    ASSERT_TRUE(match);
    EXPECT_TRUE(match->complete);
    EXPECT_EQ(match->endFrame, 37019u);
    ASSERT_EQ(match->players.size(), 4u);
    // Nic: 944 selections (1001 274, 1002 13, 1003 506, 1016-1029 20, 1058 131), 469 commands,
    // a self-destruct order (flag true) at 37017, then only the end marker.
    const PlayerOrders& nic = match->players[0];
    EXPECT_EQ(nic.commands, 469u);
    EXPECT_EQ(nic.selections, 944u);
    EXPECT_EQ(nic.apm, 22.8); // 469 commands in 37017 frames
    ASSERT_TRUE(nic.left);
    EXPECT_EQ(nic.left->frame, 37017u);
    EXPECT_EQ(nic.left->how, LeaveHow::Quit);
    const PlayerOrders& bomd = match->players[1];
    EXPECT_EQ(bomd.commands, 466u);
    EXPECT_EQ(bomd.selections, 812u);
    EXPECT_EQ(bomd.apm, 22.7); // to the end marker's frame
    EXPECT_FALSE(bomd.left);
    for (std::size_t computer : {2u, 3u}) {
        EXPECT_EQ(match->players[computer].commands + match->players[computer].selections, 0u);
        EXPECT_FALSE(match->players[computer].apm);
    }
}

TEST(RealMatches, DropsSurrendersAndQuits) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    // Each player's first self-destruct order: its frame and flag, and his last order's frame.
    struct Case { const char* file; std::size_t player; uint32_t frame; LeaveHow how; };
    const Case cases[] = {
        // L3M: flag false at 103569 (his slot's disconnect flag is set too)
        {"!Golden Replay #1.rep", 6, 103569, LeaveHow::Dropped},
        // tar: flag true at 174102, his client's checks go on to 175991
        {"!Golden Replay #1.rep", 0, 174102, LeaveHow::Surrendered},
        // nab: flag true at 161434, orders to 176617
        {"!Golden Replay #1.rep", 4, 161434, LeaveHow::Surrendered},
        // pek: flag true at 174469, nothing after
        {"!Golden Replay #1.rep", 1, 174469, LeaveHow::Quit},
        // amoor123: flag true at 19390, orders to 23160
        {"05-01-50_2v2_amoor123_beshr_HardAI_HardAI.rep", 0, 19390, LeaveHow::Surrendered},
        // Hulk: flag true at 7873, the last order 154 frames later
        {"11-25-57_2v2_Kana_HardAI_Erbolat_Hulk.rep", 2, 7873, LeaveHow::Quit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " player " + std::to_string(c.player));
        const std::optional<MatchOrders> match = ReadMatch(ReadReplay(RealPath(c.file)));
        ASSERT_TRUE(match);
        EXPECT_TRUE(match->complete);
        const std::optional<PlayerLeaving>& left = match->players.at(c.player).left;
        ASSERT_TRUE(left);
        EXPECT_EQ(left->frame, c.frame);
        EXPECT_EQ(left->how, c.how);
    }
    // The observer of the same match stayed, gave no command and has no rate.
    const std::optional<MatchOrders> golden = ReadMatch(ReadReplay(RealPath("!Golden Replay #1.rep")));
    ASSERT_TRUE(golden);
    EXPECT_FALSE(golden->players[2].left);
    EXPECT_EQ(golden->players[2].commands, 0u);
    EXPECT_FALSE(golden->players[2].apm);
}

namespace {

class MatchFiles : public ::testing::Test {
protected:
    // A valid replay of two humans whose orders are body.
    std::string write(const std::string& name, const std::string& body) {
        rb::Settings settings;
        settings.slots = {rb::Human("Alpha", "C0A80102", 1, -1, 0, 0), rb::Human("Beta", "C0A80103", -1, 3, 1, 1)};
        rb::Replay replay;
        replay.settings = rb::SettingsText(settings);
        replay.bodySize = 0;
        replay.body = body;
        const std::string path = (dir_ / name).string();
        rb::WriteFile(path, rb::Bytes(replay));
        return path;
    }
    testsupport::TempDir dir_;
};

std::string Command(uint32_t frame) { return rb::OrderBytes(frame, 1049, 2); }

} // namespace

TEST_F(MatchFiles, ReadsOnlyValidRecordsAndOnlyUpToItsLimit) {
    std::string body;
    for (uint32_t frame = 0; frame < 100; ++frame) body += Command(frame);
    const TZH_replay record = ReadReplay(write("long.rep", body));
    ASSERT_TRUE(record.valid);
    const std::size_t size = static_cast<std::size_t>(record.file.size);
    const std::size_t order = Command(0).size();
    struct Case { std::size_t limit; bool complete; uint32_t commands; };
    const Case cases[] = {
        {MatchReadLimit, true, 100}, {size, true, 100}, {size - 1, false, 99}, {size - 10 * order, false, 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.limit);
        const std::optional<MatchOrders> match = ReadMatch(record, c.limit);
        ASSERT_TRUE(match);
        EXPECT_EQ(match->complete, c.complete);
        EXPECT_EQ(match->players.at(0).commands, c.commands);
    }
    TZH_replay refused = record;
    refused.valid = false;
    EXPECT_FALSE(ReadMatch(refused));
}

TEST_F(MatchFiles, AFileThatChangedOrVanishedIsAReadError) {
    const std::string path = write("00000000.rep", Command(5));
    const TZH_replay record = ReadReplay(path);
    ASSERT_TRUE(record.valid);
    ASSERT_TRUE(ReadMatch(record));
    // The game wrote its next match over the file: other players, another seed.
    rb::Settings next;
    next.slots = {rb::Human("Gamma", "C0A80104", 2, 4, 0, 0)};
    rb::Replay replay;
    replay.settings = rb::SettingsText(next);
    rb::WriteFile(path, rb::Bytes(replay));
    EXPECT_THROW(ReadMatch(record), ReplayReadError);
    rb::WriteFile(path, "not a replay");
    EXPECT_THROW(ReadMatch(record), ReplayReadError);
    fs::remove(path);
    EXPECT_THROW(ReadMatch(record), ReplayReadError);
}

TEST_F(MatchFiles, AHeaderWhoseEndCantBeFoundGivesNoOrders) {
    // The recording slot's text must be a number; "x" leaves the header's end unknown.
    const std::string path = write("odd.rep", Command(5));
    std::string bytes = ReadAll(path);
    const std::size_t slot = bytes.find(":;") + 3;
    ASSERT_EQ(bytes[slot], '0');
    bytes[slot] = 'x';
    rb::WriteFile(path, bytes);
    const TZH_replay record = ReadReplay(path);
    ASSERT_TRUE(record.valid); // the header itself is fine
    const std::optional<MatchOrders> match = ReadMatch(record);
    ASSERT_TRUE(match);
    EXPECT_FALSE(match->complete);
    EXPECT_EQ(match->players.at(0).commands, 0u);
}
