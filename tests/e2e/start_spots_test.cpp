// tarvex-info in a Wine prefix whose install keeps the official maps' real cache in its map
// archive, and whose user data folder keeps a player's cache: it finds both, whatever folder
// the replays it is given lie in, and gives each player's start spot.
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "fake_prefix.h"
#include "shared_data.h"
#include "temp_dir.h"
#include "tools/big_builder.h"

namespace {

namespace fs = std::filesystem;
using namespace testsupport;

// tarvex-info's output with only HOME, USER, PATH and WINEPREFIX set.
std::string TarvexInfo(const fs::path& home, const fs::path& prefix, const std::string& args) {
    const std::string command = "env -i HOME='" + home.string() +
                                "' USER=player PATH=/usr/bin:/bin"
                                " WINEPREFIX='" +
                                prefix.string() + "' '" TARVEX_INFO "' " + args + " 2>&1";
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return output;
    std::array<char, 4096> buffer{};
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe))
        output.append(buffer.data(), got);
    ::pclose(pipe);
    return output;
}

TEST(TarvexInfoStartSpots, FromTheCachesOfTheInstallAndTheUserDataFolder) {
    const fs::path shared = SharedDir() / "testdata";
    TARVEX_REQUIRE_SHARED(shared / "maps");
    TARVEX_REQUIRE_SHARED(RealReplayDir());
    TempDir dir;
    const fs::path prefix = dir / "wine-zh";
    PrefixSetup setup;
    setup.user = "root";
    const fs::path documents = MakePrefix(prefix, setup);
    for (const char* reg : {"system.reg", "user.reg"})
        fs::copy_file(shared / "wine" / "win64-game-installed" / reg, prefix / reg,
                      fs::copy_options::overwrite_existing);
    const fs::path install =
        prefix / "drive_c/Program Files (x86)/EA Games/Command and Conquer Generals Zero Hour";
    fs::create_directories(install);
    std::ostringstream cache;
    cache << std::ifstream(shared / "maps" / "MapCache.ini", std::ios::binary).rdbuf();
    big_builder::WriteArchive(install / "MapsZH.big", {{"Maps\\MapCache.ini", cache.str()}});
    const fs::path userData =
        MakeReplayFolder(documents, "Command and Conquer Generals Zero Hour Data").parent_path();
    WriteText(userData / "Maps" / "MapCache.ini",
              "MapCache tansooo\r\n fileSize = 106110\r\n fileCRC = 1662318077\r\n"
              " numPlayers = 6\r\nEND\r\n");

    const std::string where = TarvexInfo(dir / "home", prefix, "--where");
    EXPECT_NE(where.find("map cache (game): " + (install / "MapsZH.big").string() +
                         " (Maps\\MapCache.ini): 12 entries\n"),
              std::string::npos)
        << where;
    EXPECT_NE(where.find("map cache (player): " + (userData / "Maps" / "MapCache.ini").string() +
                         ": 1 entry\n"),
              std::string::npos)
        << where;

    const fs::path real = RealReplayDir();
    const std::string plain = TarvexInfo(
        dir / "home", prefix, "'" + (real / "Test_002_BuildPowerPlant.rep").string() + "'");
    EXPECT_NE(plain.find("DESKTOP-J8EU7T4 (USA, no team, spot 3, random)"), std::string::npos)
        << plain;
    const std::string json =
        TarvexInfo(dir / "home", prefix,
                   "--json '" + (real / "00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep").string() +
                       "' '" + (real / "Golden Replay #2.rep").string() + "'");
    EXPECT_NE(json.find(R"("colourRandom":true,"startResolved":3,"startRandom":true})"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find(R"("mapData":{"spots":[[961.84,2537.37],[1011.89,947.30],)"
                        R"([2490.84,887.17],[2486.15,2502.84]],"extent":[[0.00,0.00],)"
                        R"([3500.00,3500.00]],"cache":"game"}})"),
              std::string::npos)
        << json;
    // The player's own map: six spots, none of whose waypoints his cache has.
    EXPECT_NE(json.find(R"("mapData":{"spots":[null,null,null,null,null,null],)"),
              std::string::npos)
        << json;
}

} // namespace
