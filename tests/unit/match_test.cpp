// What the reader makes of a match beyond the header's slots, on the real replays first: the
// random picks drawn again from the seed, the start time, and the orders read from the file.
// Expected values were read off hex dumps and an order-by-order listing of the files.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
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

} // namespace

TEST(RealMatches, TheNotesExample) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    // SD=21160562 (mod 7 = 3 values thrown away before each army): four random armies; the
    // humans' colours blue and green, the computers' random.
    const TZH_replay replay = ReadReplay(RealPath(NotesExample));
    ASSERT_EQ(replay.players.size(), 4u);
    const int8_t armies[] = {2, 9, 11, 5};  // USA, China Infantry, GLA Toxin, USA Superweapon
    const int8_t colours[] = {2, 3, 5, 0};  // the last two drawn: sky blue and gold
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(replay.players[i].armyResolved, armies[i]);
        EXPECT_TRUE(replay.players[i].armyRandom);
        EXPECT_EQ(replay.players[i].colourResolved, colours[i]);
        EXPECT_EQ(replay.players[i].colourRandom, i >= 2);
    }
    // SYSTEMTIME at 0x34: e9 07 04 00 00 00 1b 00 02 00 29 00 1d 00 80 02
    ASSERT_TRUE(replay.date);
    EXPECT_EQ(std::vector<int>({replay.date->year, replay.date->month, replay.date->day, replay.date->hour,
                                replay.date->minute, replay.date->second, replay.date->milliseconds}),
              std::vector<int>({2025, 4, 27, 2, 41, 29, 640}));

    const std::optional<MatchOrders> match = ReadMatch(replay);
    ASSERT_TRUE(match);
    EXPECT_TRUE(match->complete);
    EXPECT_EQ(match->endFrame, 37019u);
    // Nic: selections 1001 274, 1002 13, 1003 506, 1016-1029 20, 1058 131; 469 commands; his
    // self-destruct order (flag true) at 37017, then only the end marker.
    const PlayerOrders& nic = match->players.at(0);
    EXPECT_EQ(std::make_tuple(nic.commands, nic.selections, nic.apm), std::make_tuple(469u, 944u, std::optional(22.8)));
    ASSERT_TRUE(nic.left);
    EXPECT_EQ(nic.left->frame, 37017u);
    EXPECT_EQ(nic.left->how, LeaveHow::Quit);
    const PlayerOrders& bomd = match->players.at(1);
    EXPECT_EQ(std::make_tuple(bomd.commands, bomd.selections, bomd.apm), std::make_tuple(466u, 812u, std::optional(22.7)));
    EXPECT_FALSE(bomd.left);
    EXPECT_FALSE(match->players.at(2).apm); // computers' orders are never recorded
}

TEST(RealMatches, DropsSurrendersAndQuits) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    // Each player's first self-destruct order (frame, flag) and his last order's frame.
    struct Case { const char* file; std::size_t player; uint32_t frame; LeaveHow how; };
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
        ASSERT_TRUE(match);
        const std::optional<PlayerLeaving>& left = match->players.at(c.player).left;
        ASSERT_TRUE(left);
        EXPECT_EQ(left->frame, c.frame);
        EXPECT_EQ(left->how, c.how);
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

TEST(MatchFiles, ReadOnlyValidRecordsUpToTheLimitAndNeverAnotherFile) {
    testsupport::TempDir dir;
    const std::string path = (dir / "00000000.rep").string();
    auto write = [&](const std::string& name, std::string body) {
        rb::Settings settings;
        settings.slots = {rb::Human(name, "C0A80102", 1, -1, 0, 0)};
        rb::Replay replay;
        replay.settings = rb::SettingsText(settings);
        replay.bodySize = 0;
        replay.body = std::move(body);
        rb::WriteFile(path, rb::Bytes(replay));
    };
    std::string body;
    for (uint32_t frame = 0; frame < 100; ++frame) body += rb::OrderBytes(frame, 1049, 2);
    write("Alpha", body);
    const TZH_replay record = ReadReplay(path);
    ASSERT_TRUE(record.valid);
    const auto size = static_cast<std::size_t>(record.file.size), order = body.size() / 100;
    const std::tuple<std::size_t, bool, uint32_t> limits[] = {
        {MatchReadLimit, true, 100}, {size, true, 100}, {size - 1, false, 99}, {size - 10 * order, false, 90}};
    for (const auto& [limit, complete, commands] : limits) {
        SCOPED_TRACE(limit);
        const std::optional<MatchOrders> match = ReadMatch(record, limit);
        ASSERT_TRUE(match);
        EXPECT_EQ(match->complete, complete);
        EXPECT_EQ(match->players.at(0).commands, commands);
    }
    TZH_replay refused = record;
    refused.valid = false;
    EXPECT_FALSE(ReadMatch(refused));

    // A recording slot that isn't a number leaves the header's end unknown: nothing counted.
    std::string bytes = ReadAll(path);
    bytes[bytes.find(":;") + 3] = 'x';
    rb::WriteFile(path, bytes);
    const std::optional<MatchOrders> odd = ReadMatch(record);
    ASSERT_TRUE(odd);
    EXPECT_FALSE(odd->complete);
    EXPECT_EQ(odd->players.at(0).commands, 0u);

    // The game wrote its next match over the file, or something else did, or it is gone.
    write("Beta", body);
    EXPECT_THROW(ReadMatch(record), ReplayReadError);
    rb::WriteFile(path, "not a replay");
    EXPECT_THROW(ReadMatch(record), ReplayReadError);
    fs::remove(path);
    EXPECT_THROW(ReadMatch(record), ReplayReadError);
}
