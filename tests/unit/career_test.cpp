// A player's career over a folder made file by file, whose careers are known, and over the real
// replays: which games count, the figures of their headers and of their orders.
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "career/career.h"
#include "career/career_files.h"
#include "career/career_orders.h"
#include "career/career_reading.h"
#include "folder/replay_folder.h"
#include "replay/zerohour.h"
#include "tests/support/replay_builder.h"
#include "tests/support/shared_data.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
namespace rb = replay_builder;

namespace {

std::string U32(uint32_t value) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<char>(value >> shift & 0xFF));
    return bytes;
}

// A building placed (object, location, angle), or the sneak attack's tunnel.
std::string Place(uint32_t frame, int32_t player, uint32_t object) {
    return rb::OrderBytes(frame, 1049, player, {{0, 1}, {6, 1}, {1, 1}},
                          U32(object) + std::string(16, '\0'));
}
std::string SneakAttack(uint32_t frame, int32_t player) {
    return rb::OrderBytes(frame, 1041, player, {{0, 1}, {6, 1}}, U32(58) + std::string(12, '\0'));
}
// A self-destruct order: flag false when the others dropped him.
std::string Leave(uint32_t frame, int32_t player, bool flag) {
    return rb::OrderBytes(frame, 1093, player, {{2, 1}}, std::string(1, flag ? '\1' : '\0'));
}
std::string Command(uint32_t frame, int32_t player) {
    return rb::OrderBytes(frame, 1068, player);
}

struct Game {
    std::string file;
    std::array<uint16_t, 8> date;
    std::string seed;
    std::vector<rb::Slot> slots;
    std::string body;
};

// Player indices in the orders: 2 + the slot.
constexpr int32_t Slot0 = 2, Slot1 = 3, Slot2 = 4;
const std::string Zoe = "Zo\xc3\xa9";

// Ana's folder, in list order: a match saved twice, another match of the same date and players
// with another seed, Zoé (accents) with her against Bob, "ana" who is not Ana, Ana watching,
// Ana alone against a computer, and a file that is no replay.
std::vector<Game> KnownFolder() {
    const std::string ana3 =
        Place(100, Slot0, 1229) + Place(200, Slot0, 1254) + Place(300, Slot0, 1260);
    const std::array<uint16_t, 8> may = {2024, 5, 5, 3, 20, 0, 0, 0};
    return {
        {"a.rep",
         may,
         "1",
         {rb::Human("Ana", "0A000001", 0, 2, 0, -1), rb::Human("Bob", "0A000002", 1, 4, 1, -1)},
         // Bob surrenders: his orders go on more than ten seconds after his leaving.
         ana3 + Leave(1000, Slot1, true) + Command(1400, Slot1) + Command(2000, Slot0)},
        {"a copy.rep",
         may,
         "1",
         {rb::Human("Ana", "0A000001", 0, 2, 0, -1), rb::Human("Bob", "0A000002", 1, 4, 1, -1)},
         ana3 + Leave(1000, Slot1, true) + Command(1400, Slot1) + Command(2000, Slot0)},
        {"b.rep",
         may,
         "2",
         {rb::Human("Ana", "0A000001", 0, 2, 0, -1), rb::Human("Bob", "0A000002", 1, 4, 1, -1)},
         ana3 + Command(1800, Slot0) + Leave(1800, Slot0, true)},
        {"c.rep",
         {2024, 6, 1, 10, 21, 0, 0, 0},
         "3",
         {rb::Human("Ana", "0A000001", 0, -1, 0, 0), rb::Human(Zoe, "0A000003", 2, 4, 1, 0),
          rb::Human("Bob", "0A000002", 1, 4, 2, 1)},
         Place(100, Slot0, 1229) + Place(100, Slot1, 1183) + Place(200, Slot0, 1254) +
             Place(200, Slot1, 1186) + SneakAttack(250, Slot1) + Place(300, Slot0, 1260) +
             Leave(1000, Slot0, false)},
        {"d.rep",
         {2024, 6, 2, 11, 21, 0, 0, 0},
         "4",
         {rb::Human("ana", "0A000004", 0, 3, 0, -1), rb::Human("Bob", "0A000002", 1, 4, 1, -1)},
         ""},
        {"e.rep",
         {2024, 6, 3, 12, 21, 0, 0, 0},
         "5",
         {rb::Human("Ana", "0A000001", 0, -2, 0, -1), rb::Human("Bob", "0A000002", 1, 4, 1, -1),
          rb::Human(Zoe, "0A000003", 2, 4, 2, -1)},
         ""},
        {"f.rep",
         {2024, 8, 4, 1, 22, 0, 0, 0},
         "6",
         {rb::Human("Ana", "0A000001", 0, 2, 0, 0), rb::Computer('E', 1, 4, 1, 1)},
         Place(100, Slot0, 1229) + Place(110, Slot0, 1229) + Leave(900, Slot0, true)},
    };
}

struct KnownFolderFiles {
    testsupport::TempDir dir;
    std::vector<TZH_replay> records;

    KnownFolderFiles() {
        for (const Game& game : KnownFolder()) {
            rb::Settings settings;
            settings.seed = game.seed;
            settings.slots = game.slots;
            rb::Replay replay;
            replay.startDate = game.date;
            replay.settings = rb::SettingsText(settings);
            replay.bodySize = 0;
            replay.body = game.body;
            rb::WriteFile((dir / game.file).string(), rb::Bytes(replay));
            records.push_back(ReadReplay((dir / game.file).string()));
        }
        rb::WriteFile((dir / "g.rep").string(), "not a replay");
        records.push_back(ReadReplay((dir / "g.rep").string()));
    }
};

std::vector<std::optional<CareerGameOrders>> ReadAllOrders(const std::vector<TZH_replay>& records,
                                                           const Career& career) {
    std::vector<std::optional<CareerGameOrders>> orders(career.games.size());
    CareerReading reading;
    reading.start(records, career,
                  [&](const CareerGameRead& read) { orders[read.game] = read.orders; });
    reading.wait();
    return orders;
}

// The same read as tarvex-info reads it: each file once, his orders from the open file.
std::vector<std::optional<CareerGameOrders>> OrdersInOnePass(const std::vector<TZH_replay>& records,
                                                             const Career& career) {
    std::vector<CareerFile> files;
    for (const TZH_replay& record : records)
        files.push_back({record.file.path, {}});
    const std::vector<CareerFileRead> reads = ReadCareerFiles(files, career.name);
    std::vector<std::optional<CareerGameOrders>> orders(career.games.size());
    for (uint32_t g = 0; g < career.games.size(); ++g)
        orders[g] = FirstFileRead(career, g, [&reads](std::size_t r, std::string& error) {
                        error = reads[r].error;
                        return reads[r].orders;
                    }).orders;
    return orders;
}

std::string Armies(const Career& career) {
    std::string text;
    for (const CareerArmy& army : career.armies)
        text += std::to_string(army.army) + ":" + std::to_string(army.games.size()) + "/" +
                std::to_string(army.random) + " ";
    return text;
}

std::string Players(const Career& career) {
    std::string text;
    for (const CareerPlayer& player : career.players)
        text += player.name + ":" + std::to_string(player.with.size()) + "/" +
                std::to_string(player.against.size()) + " ";
    return text;
}

std::string Ends(const CareerOrderFigures& figures) {
    const CareerEnds& e = figures.ends;
    return std::to_string(e.surrendered.size()) + " " + std::to_string(e.quit.size()) + " " +
           std::to_string(e.dropped.size()) + " " + std::to_string(e.none.size());
}

// Each opening: army, the three names, games, the third's median time.
std::string Openings(const CareerOrderFigures& figures) {
    std::string text;
    for (const CareerOpening& o : figures.openings) {
        text += std::to_string(o.army) + ":";
        for (const OpeningPlacement& placement : o.objects)
            text += PlacementText(o.data, placement) + ",";
        text += std::to_string(o.games.size()) + "@" + std::to_string(o.thirdSeconds) + " ";
    }
    return text;
}

} // namespace

TEST(Career, KnownCareersOfABuiltFolder) {
    const KnownFolderFiles folder;
    struct Case {
        std::string name;
        std::size_t games;
        std::vector<std::size_t> months; // games in each month from the first to the last
        std::string armies;              // army:games/random, most games first
        std::string players;             // name:with/against, most games first
        std::string ends;                // surrendered quit dropped none
        std::string openings;
    };
    const Case cases[] = {
        // c.rep drew GLA Toxin (11) for Ana's random army from seed 3.
        {"Ana",
         4,
         {2, 1, 0, 1},
         "2:3/0 11:1/1 ",
         "Bob:0/3 " + Zoe + ":1/0 ",
         "0 2 1 1",
         "2:Centrale électrique,Centre de ravitaillement,Caserne,2@10.000000 "
         "11:Centrale électrique,Centre de ravitaillement,Caserne,1@10.000000 "},
        // e.rep counts for Bob and Zoé: Ana only watched it.
        {"Bob", 5, {2, 3}, "4:5/0 ", "Ana:0/3 " + Zoe + ":0/2 ana:0/1 ", "1 0 0 4", ""},
        {Zoe,
         2,
         {2},
         "4:2/0 ",
         "Bob:0/2 Ana:1/0 ",
         "0 0 0 2",
         "4:Dépôt de ravitaillement,Caserne,Attaque surprise,1@8.333333 "},
        {"ana", 1, {1}, "3:1/0 ", "Bob:0/1 ", "0 0 0 1", ""},
        {"nobody", 0, {}, "", "", "0 0 0 0", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Career career = TallyCareer(folder.records, c.name);
        EXPECT_EQ(career.games.size(), c.games);
        std::vector<std::size_t> months;
        for (const CareerMonthGames& month : career.months)
            months.push_back(month.games.size());
        EXPECT_EQ(months, c.months);
        EXPECT_EQ(Armies(career), c.armies);
        EXPECT_EQ(Players(career), c.players);
        const CareerOrderFigures figures =
            TallyOrders(career, folder.records, ReadAllOrders(folder.records, career));
        EXPECT_EQ(figures.read, c.games);
        EXPECT_EQ(Ends(figures), c.ends);
        EXPECT_EQ(Openings(figures), c.openings);
        const CareerOrderFigures onePass =
            TallyOrders(career, folder.records, OrdersInOnePass(folder.records, career));
        EXPECT_EQ(onePass.read, c.games);
        EXPECT_EQ(Ends(onePass), c.ends);
        EXPECT_EQ(Openings(onePass), c.openings);
    }
}

// Every figure opens its files: a match saved twice shows both.
TEST(Career, FiguresGiveEveryFileOfTheirGames) {
    const KnownFolderFiles folder;
    const Career ana = TallyCareer(folder.records, "Ana");
    ASSERT_EQ(ana.games.size(), 4u);
    EXPECT_EQ(ana.first->month, 5);
    EXPECT_EQ(ana.last->month, 8);
    EXPECT_EQ(ana.seconds, 4 * 1500);
    EXPECT_EQ(CareerFiles(ana, ana.armies.at(0).games), (std::vector<std::size_t>{0, 1, 2, 6}));
    EXPECT_EQ(CareerFiles(ana, ana.players.at(0).games()), (std::vector<std::size_t>{0, 1, 2, 3}));
    EXPECT_EQ(CareerFiles(ana, ana.months.at(0).games), (std::vector<std::size_t>{0, 1, 2}));
}

// A match's first file gone since the listing: its orders come from its copy.
TEST(Career, ACopyIsReadWhenTheFirstFileIsGone) {
    const KnownFolderFiles folder;
    const Career ana = TallyCareer(folder.records, "Ana");
    fs::remove(folder.dir / "a.rep");
    const CareerGameRead first = ReadCareerGame(folder.records, ana, 0);
    EXPECT_EQ(first.record, 1u);
    ASSERT_TRUE(first.orders);
    EXPECT_EQ(first.orders->placements, 3u);
    fs::remove(folder.dir / "a copy.rep");
    const CareerGameRead none = ReadCareerGame(folder.records, ana, 0);
    EXPECT_FALSE(none.orders);
    EXPECT_NE(none.error, "");
}

// Once stop() returns, no game is handed over any more.
TEST(Career, NothingIsHandedOverAfterStop) {
    const KnownFolderFiles folder;
    std::vector<TZH_replay> many;
    for (int copy = 0; copy < 500; ++copy)
        for (const TZH_replay& record : folder.records) {
            many.push_back(record);
            if (many.back().date) many.back().date->second = static_cast<uint16_t>(copy % 60);
            if (many.back().date) many.back().date->minute = static_cast<uint16_t>(copy / 60);
        }
    const Career ana = TallyCareer(many, "Ana");
    ASSERT_EQ(ana.games.size(), 2000u);
    std::atomic<std::size_t> handed{0};
    CareerReading reading;
    reading.start(
        many, ana, [&](const CareerGameRead&) { ++handed; }, {}, 2);
    while (handed == 0)
        std::this_thread::yield();
    reading.stop();
    const std::size_t atStop = handed;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(handed, atStop);
    EXPECT_LT(atStop, ana.games.size());
}

TEST(Career, RealReplays) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    std::vector<TZH_replay> records;
    ForEachReplayFile(testsupport::RealReplayDir().string(), ReplayFileMask,
                      [&records](ListedReplayFile& file) { records.push_back(file.read()); });
    struct Case {
        std::string name;
        std::size_t games;
        int64_t seconds;
        std::string armies;
        std::string ends;
        std::string openings;
    };
    const Case cases[] = {
        // In the two Golden Replays, against everyone; he surrendered in the first.
        {"tar", 2, 5949 + 2323, "2:1/0 12:1/0 ", "1 0 0 1",
         "2:Centrale électrique,Caserne,Centre de ravitaillement,1@31.266667 "
         "12:Caserne,Dépôt de ravitaillement,Dépôt de ravitaillement,1@22.266667 "},
        {"Nic", 1, 1233, "2:1/1 ", "0 1 0 0",
         "2:Centrale électrique,Centre de ravitaillement,Caserne,1@35.800000 "},
        {"DESKTOP-J8EU7T4", 3, 12 + 49 + 56, "2:2/0 6:1/0 ", "0 0 0 3", ""},
        // He only watched the Golden Replays.
        {"tws", 0, 0, "", "0 0 0 0", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Career career = TallyCareer(records, c.name);
        EXPECT_EQ(career.games.size(), c.games);
        EXPECT_EQ(career.seconds, c.seconds);
        EXPECT_EQ(Armies(career), c.armies);
        const CareerOrderFigures figures =
            TallyOrders(career, records, ReadAllOrders(records, career));
        EXPECT_EQ(Ends(figures), c.ends);
        EXPECT_EQ(Openings(figures), c.openings);
    }
    EXPECT_EQ(Players(TallyCareer(records, "Nic")), "|BOMD|2MA.S^:1/0 ");
}
