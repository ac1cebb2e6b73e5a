// Start spots of the real replays with the official maps' real cache where an install keeps it
// (a loose file below the install folder, or inside the map archive), and a player's own cache.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "game/map_caches.h"
#include "replay/zerohour.h"
#include "shared_data.h"
#include "temp_dir.h"
#include "tools/big_builder.h"
#include "utf8_path.h"

namespace fs = std::filesystem;
using namespace testsupport;

namespace {

void Write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadAll(const fs::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// tansooo, a map of the players' own (Golden Replay #2), as a player's cache holds it.
constexpr const char* PlayerCache = "MapCache c_3a_5cusers_5cme_5ctansooo_2emap\r\n"
                                    "  fileSize = 106110\r\n  fileCRC = 1662318077\r\n"
                                    "  numPlayers = 6\r\n"
                                    "  Player_1_Start = X:100.00 Y:100.00 Z:0.00\r\n"
                                    "  Player_2_Start = X:900.00 Y:100.00 Z:0.00\r\nEND\r\n";

TEST(RealStartSpots, ConfirmedSpotsWithTheCacheLooseOrInTheMapArchive) {
    const fs::path cacheFile = SharedDir() / "testdata" / "maps" / "MapCache.ini";
    TARVEX_REQUIRE_SHARED(cacheFile.parent_path());
    const std::string cache = ReadAll(cacheFile);
    const std::string nic = "00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep";
    struct Case {
        std::string file;
        std::size_t player;
        int spot; // from 1; 0 unknown
        bool random;
        bool mapKnown;
    };
    const Case cases[] = {
        {"Test_001_MoveDozer.rep", 0, 1, true, true},
        {"Test_002_BuildPowerPlant.rep", 0, 3, true, true},
        {"Test_004_TrainInfantry.rep", 0, 4, true, true},
        {"11-25-57_2v2_Kana_HardAI_Erbolat_Hulk.rep", 1, 3, true, true},
        {"12-11-35_2v2_babai_ILnur_HardAI_HardAI.rep", 1, 4, true, true},
        {"18-13-02_3v3_Supremac_Loonen_JB_HardAI_HardAI_HardAI.rep", 2, 1, true, true},
        {nic, 2, 3, true, true},
        {nic, 3, 4, true, true},
        {nic, 0, 2, false, true}, // fixed in the lobby
        // A map of the player's own that the game's cache lacks: fixed spots as stored.
        {"Golden Replay #2.rep", 1, 1, false, false},
        {"Golden Replay #2.rep", 4, 0, true, false},
        {"Golden Replay #2.rep", 0, 0, true, false}, // an observer
    };
    for (const bool inArchive : {false, true}) {
        SCOPED_TRACE(inArchive ? "in MapsZH.big" : "loose");
        TempDir dir;
        fs::create_directories(dir / "install");
        if (inArchive)
            big_builder::WriteArchive(dir / "install/MapsZH.big",
                                      {{"Data\\INI\\Map.ini", "x"}, {"Maps\\MapCache.ini", cache}});
        else
            Write(dir / "install/maps/mapcache.ini", cache);
        int installLookups = 0;
        MapCaches caches("", [&] {
            ++installLookups;
            GameInstall install;
            install.folders = {PathUtf8(dir / "install")};
            install.archives = ArchivesIn(install.folders[0]);
            return install;
        });
        EXPECT_EQ(installLookups, 0); // nothing is read before a replay needs it
        ASSERT_EQ(caches.files().size(), 1u);
        EXPECT_EQ(caches.files()[0].entries.size(), 12u);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.file + " player " + std::to_string(c.player));
            const ReplayStarts starts =
                StartsOf(ReadReplay((RealReplayDir() / c.file).string()), caches);
            ASSERT_LT(c.player, starts.players.size());
            EXPECT_EQ(starts.players[c.player].spot + 1, c.spot);
            EXPECT_EQ(starts.players[c.player].random, c.random);
            EXPECT_EQ(starts.map.has_value(), c.mapKnown);
        }
        EXPECT_EQ(installLookups, 1);
    }
}

// The game's cache lacks the map; the player's holds it, with two of its six spots. Five
// players have fixed spots, so the random one can only be given the one left, spot 2; the
// observer watches from any player's.
TEST(RealStartSpots, APlayersOwnMapFromHisCache) {
    TARVEX_REQUIRE_SHARED(RealReplayDir());
    TempDir dir;
    Write(dir / "user/Maps/MapCache.ini", PlayerCache);
    MapCaches caches(PathUtf8(dir / "user"), [] { return GameInstall{}; });
    const ReplayStarts starts =
        StartsOf(ReadReplay((RealReplayDir() / "Golden Replay #2.rep").string()), caches);
    ASSERT_TRUE(starts.map.has_value());
    EXPECT_EQ(starts.map->cache, MapCacheKind::Player);
    EXPECT_EQ(starts.map->entry->spots.size(), 6u);
    ASSERT_EQ(starts.players.size(), 7u);
    EXPECT_EQ(starts.players[4].spot, 1);
    EXPECT_TRUE(starts.players[4].random);
    EXPECT_GE(starts.players[0].spot, 0);
}

} // namespace
