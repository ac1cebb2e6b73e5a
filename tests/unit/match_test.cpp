// What the reader makes of a match beyond the header's slots, on the real replays first: the
// random picks drawn again from the seed and the orders read from the file. Expected values
// were read off hex dumps and an order-by-order listing of the files.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "orders/match.h"
#include "replay/zerohour.h"
#include "tests/support/replay_builder.h"
#include "tests/support/shared_data.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
namespace rb = replay_builder;

namespace {

std::string RealPath(const std::string& name) {
    return (testsupport::RealReplayDir() / name).string();
}

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

// (This file's orders and start time are pinned by tarvex-info's --match output for it.)
TEST(RealMatches, RandomPicksDrawnAgainFromTheSeed) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    // SD=21160562 (mod 7 = 3 values thrown away before each army): four random armies (USA, China
    // Infantry, GLA Toxin, USA Superweapon); the humans' colours blue and green, the computers'
    // drawn: sky blue and gold.
    const TZH_replay replay = ReadReplay(RealPath("00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep"));
    ASSERT_EQ(replay.players.size(), 4u);
    const int8_t armies[] = {2, 9, 11, 5}, colours[] = {2, 3, 5, 0};
    for (std::size_t i = 0; i < 4; ++i) {
        const TZH_player& p = replay.players[i];
        EXPECT_EQ(std::make_tuple(p.armyResolved, p.armyRandom, p.colourResolved, p.colourRandom),
                  std::make_tuple(armies[i], true, colours[i], i >= 2))
            << "player " << i;
    }
}

TEST(RealMatches, DropsSurrendersAndQuits) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    // Each player's first self-destruct order (frame, flag) and his last order's frame.
    struct Case {
        const char* file;
        std::size_t player;
        uint32_t frame;
        LeaveHow how;
    };
    const Case cases[] = {
        // L3M: flag false at 103569 (his slot's disconnect flag is set too)
        {"!Golden Replay #1.rep", 6, 103569, LeaveHow::Dropped},
        // tar: flag true at 174102, his client's checks go on to 175991
        {"!Golden Replay #1.rep", 0, 174102, LeaveHow::Surrendered},
        // pek: flag true at 174469, nothing after
        {"!Golden Replay #1.rep", 1, 174469, LeaveHow::Quit},
        // amoor123: flag true at 19390, orders to 23160
        {"05-01-50_2v2_amoor123_beshr_HardAI_HardAI.rep", 0, 19390, LeaveHow::Surrendered},
        // Hulk: flag true at 7873, his last order 154 frames later
        {"11-25-57_2v2_Kana_HardAI_Erbolat_Hulk.rep", 2, 7873, LeaveHow::Quit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " player " + std::to_string(c.player));
        const std::optional<MatchOrders> match = ReadMatch(ReadReplay(RealPath(c.file)));
        ASSERT_TRUE(match && match->players.at(c.player).left);
        const PlayerLeaving& left = *match->players[c.player].left;
        EXPECT_EQ(std::make_pair(left.frame, left.how), std::make_pair(c.frame, c.how));
    }
}

TEST(RealMatches, EveryFilesOrdersEndAtItsLastByte) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(testsupport::RealReplayDir())) {
        if (entry.path().extension() != ".rep") continue;
        SCOPED_TRACE(entry.path().filename().string());
        // Generals replays too: their layout is the same, and the walk needs no players.
        const MatchOrders match = MatchFromBytes(ReadAll(entry.path()), TZH_replay{});
        EXPECT_TRUE(match.complete);
        EXPECT_GT(match.endFrame, 0u);
        ++files;
    }
    EXPECT_EQ(files, 49u);
}

// A walk for one seat's placements reads them as the whole walk does, nothing else of his
// course, everyone's counts, and no other's course.
TEST(RealMatches, OneSeatsPlacementsAsTheWholeWalkReadsThem) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    const TZH_replay record = ReadReplay(RealPath("00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep"));
    const std::optional<MatchOrders> all = ReadMatch(record);
    const std::optional<MatchOrders> one = ReadMatch(record, MatchReadLimit, 1);
    ASSERT_TRUE(all && one);
    ASSERT_EQ(one->players.size(), 4u);
    for (std::size_t seat = 0; seat < 4; ++seat) {
        EXPECT_EQ(one->players[seat].apm, all->players[seat].apm);
        EXPECT_EQ(one->players[seat].course.has_value(), seat == 1);
    }
    const PlayerCourse& whole = *all->players[1].course;
    const PlayerCourse& placements = *one->players[1].course;
    ASSERT_FALSE(whole.queued.empty() || whole.placed.empty());
    EXPECT_TRUE(placements.queued.empty());
    ASSERT_EQ(placements.placed.size(), whole.placed.size());
    for (std::size_t i = 0; i < whole.placed.size(); ++i) {
        EXPECT_EQ(placements.placed[i].object, whole.placed[i].object);
        EXPECT_EQ(placements.placed[i].frame, whole.placed[i].frame);
        EXPECT_EQ(placements.placed[i].sneakAttack, whole.placed[i].sneakAttack);
    }
}

TEST(MatchFiles, ReadOnlyValidRecordsUpToTheLimitAndNeverAnotherFile) {
    testsupport::TempDir dir;
    const std::string path = (dir / "00000000.rep").string();
    std::string body;
    for (uint32_t frame = 0; frame < 100; ++frame)
        body += rb::OrderBytes(frame, 1049, 2);
    auto replayOf = [&](const std::string& name) {
        rb::Settings settings;
        settings.slots = {rb::Human(name, "C0A80102", 1, -1, 0, 0)};
        rb::Replay replay;
        replay.settings = rb::SettingsText(settings);
        replay.bodySize = 0;
        replay.body = body;
        return rb::Bytes(replay);
    };
    rb::WriteFile(path, replayOf("Alpha"));
    const TZH_replay record = ReadReplay(path);
    ASSERT_TRUE(record.valid);
    const auto size = static_cast<std::size_t>(record.file.size), order = body.size() / 100;
    const std::tuple<std::size_t, bool, uint32_t> limits[] = {
        {size, true, 100}, {size - 1, false, 99}, {size - 10 * order, false, 90}};
    for (const auto& [limit, complete, commands] : limits) {
        SCOPED_TRACE(limit);
        const std::optional<MatchOrders> match = ReadMatch(record, limit);
        ASSERT_TRUE(match);
        EXPECT_EQ(std::make_pair(match->complete, match->players.at(0).commands),
                  std::make_pair(complete, commands));
    }
    TZH_replay refused = record;
    refused.valid = false;
    EXPECT_FALSE(ReadMatch(refused));

    // A recording slot that isn't a number leaves the header's end unknown: nothing counted.
    std::string bytes = replayOf("Alpha");
    bytes[bytes.find(":;") + 3] = 'x';
    rb::WriteFile(path, bytes);
    const std::optional<MatchOrders> odd = ReadMatch(record);
    ASSERT_TRUE(odd);
    EXPECT_EQ(std::make_pair(odd->complete, odd->players.at(0).commands),
              std::make_pair(false, 0u));

    // The game wrote its next match over the file, or something else did, or it is gone.
    rb::WriteFile(path, replayOf("Beta"));
    EXPECT_THROW(ReadMatch(record), ReplayReadError);
    rb::WriteFile(path, "not a replay");
    EXPECT_THROW(ReadMatch(record), ReplayReadError);
    fs::remove(path);
    EXPECT_THROW(ReadMatch(record), ReplayReadError);
}
