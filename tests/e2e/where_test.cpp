// tarvex-info run as a user would run it, with a home folder that holds a Steam installation.
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/platform/fake_prefix.h"
#include "tests/support/big_builder.h"
#include "tests/support/replay_builder.h"
#include "tests/support/shared_data.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace testsupport;

std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

struct ProgramRun {
    int status = -1;
    std::vector<std::string> lines;
};

// Runs tarvex-info with a clean environment: only HOME, USER and PATH (and extra settings).
ProgramRun TarvexInfo(const fs::path& home, const std::string& arguments,
                      const std::string& extra = "") {
    const std::string command = "env -i HOME=" + Quoted(home.string()) +
                                " USER=player PATH=/usr/bin:/bin " + extra + " " +
                                Quoted(TARVEX_INFO) + " " + arguments + " 2>&1";
    ProgramRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    std::string output;
    std::array<char, 4096> buffer{};
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe))
        output.append(buffer.data(), got);
    run.status = ::pclose(pipe);
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        run.lines.push_back(line);
    return run;
}

void WriteReplay(const fs::path& path, const std::string& player) {
    replay_builder::Settings settings;
    settings.slots = {replay_builder::Human(player, "C0A80102", 1, 2, 0, -1),
                      replay_builder::Computer('H', 2, 3, 1, -1)};
    replay_builder::Replay replay;
    replay.settings = replay_builder::SettingsText(settings);
    replay_builder::WriteFile(path.string(), replay_builder::Bytes(replay));
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\n";
    return text;
}

class TarvexInfoWhere : public testing::Test {
protected:
    fs::path home() const { return dir_ / "home"; }
    TempDir dir_;
};

TEST_F(TarvexInfoWhere, FindsTheProtonPrefixInASecondSteamLibrary) {
    const fs::path steam = home() / ".local/share/Steam";
    const fs::path library2 = dir_ / "mnt/games/SteamLibrary";
    fs::create_directories(home() / ".steam");
    fs::create_directories(steam / "steamapps");
    fs::create_directory_symlink(steam, home() / ".steam/steam");
    WriteText(steam / "steamapps/libraryfolders.vdf", LibraryFoldersVdf({steam, library2}));
    MakePrefix(steam / "steamapps/compatdata/228980/pfx", {}); // Steam's runtime prefix, no game
    // Proton installed the game without writing its key: the default folder name holds.
    const fs::path prefix = library2 / "steamapps/compatdata/2732960/pfx";
    const fs::path replays = MakeReplayFolder(
        MakePrefix(prefix, {}), "Command and Conquer Generals Zero Hour Data", "Replays");
    WriteReplay(replays / "b_second.rep", "Bravo");
    WriteReplay(replays / "A_first.rep", "Alpha");
    WriteReplay(replays / ".hidden.REP", "Hidden");
    WriteText(replays / "notes.txt", "not a replay");
    fs::create_directory(replays / "folder.rep");

    // Steam installed the game itself in the second library.
    WriteText(library2 / "steamapps/appmanifest_2732960.acf",
              "\"AppState\" { \"installdir\" \"Zero Hour\" }");
    const fs::path install = library2 / "steamapps/common/Zero Hour";
    fs::create_directories(install);
    big_builder::WriteArchive(install / "MapsZH.big", {{"Maps\\Alpha\\Alpha.tga", "TGA"},
                                                       {"Maps\\Alpha\\Alpha.map", "map"}});

    const ProgramRun where = TarvexInfo(home(), "--where");
    ASSERT_EQ(where.status, 0) << Joined(where.lines);
    ASSERT_FALSE(where.lines.empty());
    EXPECT_TRUE(fs::equivalent(where.lines[0], replays)) << Joined(where.lines);
    const std::string how = Joined(where.lines);
    EXPECT_NE(how.find("Wine prefix: " + prefix.string()), std::string::npos) << how;
    EXPECT_NE(how.find("Steam library " + library2.string() + ", app 2732960"), std::string::npos)
        << how;
    EXPECT_NE(how.find("game's default"), std::string::npos) << how;
    EXPECT_NE(how.find("install folder: " + install.string() + " (Steam library"),
              std::string::npos)
        << how;
    EXPECT_NE(how.find("archive: " + (install / "MapsZH.big").string() +
                       ": 1 of its 2 entries are map pictures"),
              std::string::npos)
        << how;

    const ProgramRun list = TarvexInfo(home(), "");
    ASSERT_EQ(list.status, 0) << Joined(list.lines);
    ASSERT_EQ(list.lines.size(), 3u) << Joined(list.lines);
    EXPECT_TRUE(list.lines[0].starts_with(".hidden.REP: version 1.04")) << list.lines[0];
    EXPECT_TRUE(list.lines[1].starts_with("A_first.rep: version 1.04")) << list.lines[1];
    EXPECT_NE(list.lines[1].find("Alpha"), std::string::npos) << list.lines[1];
    EXPECT_TRUE(list.lines[2].starts_with("b_second.rep: version 1.04")) << list.lines[2];
    // A career without a path: the same folder.
    const ProgramRun career = TarvexInfo(home(), "--player Bravo");
    ASSERT_EQ(career.status, 0) << Joined(career.lines);
    EXPECT_EQ(career.lines.at(0), "Bravo: 1 game, from 2024-05-17 to 2024-05-17, played 25m 0s");
}

TEST_F(TarvexInfoWhere, WinePrefixWithTheRegistryWineWrote) {
    const auto shared = SharedDir() / "testdata" / "wine" / "win64-game-installed";
    TARVEX_REQUIRE_SHARED(shared);
    const fs::path prefix = dir_ / "wine-zh";
    PrefixSetup setup;
    setup.user = "root";
    setup.documentsLinkTarget = home() / "Documents";
    MakePrefix(prefix, setup);
    fs::copy_file(shared / "system.reg", prefix / "system.reg",
                  fs::copy_options::overwrite_existing);
    fs::copy_file(shared / "user.reg", prefix / "user.reg", fs::copy_options::overwrite_existing);
    const fs::path replays = MakeReplayFolder(
        home() / "Documents", "Command and Conquer Generals Zero Hour Data", "replays");
    WriteReplay(replays / "game.rep", "Charlie");
    // The registry names the install folder as the game's installer wrote it; on disk its
    // letters are in another case.
    const fs::path install =
        prefix / "drive_c/program files (x86)/EA Games/Command and Conquer Generals Zero Hour";
    fs::create_directories(install);

    const ProgramRun where = TarvexInfo(home(), "--where", "WINEPREFIX=" + Quoted(prefix.string()));
    ASSERT_EQ(where.status, 0) << Joined(where.lines);
    ASSERT_FALSE(where.lines.empty());
    EXPECT_TRUE(fs::equivalent(where.lines[0], replays)) << Joined(where.lines);
    const std::string how = Joined(where.lines);
    EXPECT_NE(how.find("$WINEPREFIX"), std::string::npos) << how;
    EXPECT_NE(how.find("(32-bit view)"), std::string::npos) << how;
    const std::string installLine =
        "install folder: " + fs::canonical(install).string() + " (HKEY_LOCAL_MACHINE";
    EXPECT_NE(how.find(installLine), std::string::npos) << how;
    EXPECT_EQ(how.find("archive: "), std::string::npos) << how; // the folder holds no archive

    const ProgramRun list = TarvexInfo(home(), "", "WINEPREFIX=" + Quoted(prefix.string()));
    ASSERT_EQ(list.lines.size(), 1u) << Joined(list.lines);
    EXPECT_TRUE(list.lines[0].starts_with("game.rep: version 1.04")) << list.lines[0];
}

// The official maps' real cache in the install's map archive, a player's cache in his user
// data folder, and real replays that lie elsewhere: their start spots.
TEST_F(TarvexInfoWhere, StartSpotsFromTheMapCachesOfTheInstallAndTheUserDataFolder) {
    const auto shared = SharedDir() / "testdata";
    TARVEX_REQUIRE_SHARED(shared / "maps");
    const fs::path prefix = dir_ / "wine-zh";
    PrefixSetup setup;
    setup.user = "root";
    const fs::path userData = MakeReplayFolder(MakePrefix(prefix, setup)).parent_path();
    for (const char* reg : {"system.reg", "user.reg"})
        fs::copy_file(shared / "wine/win64-game-installed" / reg, prefix / reg,
                      fs::copy_options::overwrite_existing);
    const fs::path install =
        prefix / "drive_c/Program Files (x86)/EA Games/Command and Conquer Generals Zero Hour";
    fs::create_directories(install);
    std::ostringstream cache;
    cache << std::ifstream(shared / "maps/MapCache.ini", std::ios::binary).rdbuf();
    big_builder::WriteArchive(install / "MapsZH.big", {{"Maps\\MapCache.ini", cache.str()}});
    // Golden Replay #2's map, of six spots whose positions the player's cache lacks.
    WriteText(userData / "Maps/MapCache.ini",
              "MapCache tansooo\r\n fileSize = 106110\r\n fileCRC = 1662318077\r\n"
              " numPlayers = 6\r\nEND\r\n");
    const std::string wine = "WINEPREFIX=" + Quoted(prefix.string());

    const std::string where = Joined(TarvexInfo(home(), "--where", wine).lines);
    EXPECT_NE(where.find("map cache (game): " + (install / "MapsZH.big").string() +
                         " (Maps\\MapCache.ini): 12 entries\n"),
              std::string::npos)
        << where;
    EXPECT_NE(where.find("map cache (player): " + (userData / "Maps/MapCache.ini").string() +
                         ": 1 entry\n"),
              std::string::npos)
        << where;
    // The spots confirmed on the real files, the two computers of a 2v2, a spot fixed in the
    // lobby, and the players' map: five fixed spots leave the random player the last one.
    const std::string nic = "00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep";
    struct Case {
        std::string file;
        std::size_t player;
        const char* start;
    };
    const Case cases[] = {
        {"Test_001_MoveDozer.rep", 0, R"("startResolved":1,"startRandom":true)"},
        {"Test_002_BuildPowerPlant.rep", 0, R"("startResolved":3,"startRandom":true)"},
        {"Test_004_TrainInfantry.rep", 0, R"("startResolved":4,"startRandom":true)"},
        {"11-25-57_2v2_Kana_HardAI_Erbolat_Hulk.rep", 1, R"("startResolved":3,"startRandom":true)"},
        {"12-11-35_2v2_babai_ILnur_HardAI_HardAI.rep", 1,
         R"("startResolved":4,"startRandom":true)"},
        {"18-13-02_3v3_Supremac_Loonen_JB_HardAI_HardAI_HardAI.rep", 2,
         R"("startResolved":1,"startRandom":true)"},
        {nic, 2, R"("startResolved":3,"startRandom":true)"},
        {nic, 3, R"("startResolved":4,"startRandom":true)"},
        {nic, 0, R"("startResolved":2,"startRandom":false)"},
        {"Golden Replay #2.rep", 4, R"("startResolved":2,"startRandom":true)"},
        {"leex279_vs_fox27.rep", 0, R"("startResolved":null,"startRandom":true)"}, // no cache
    };
    std::string files;
    for (const Case& c : cases)
        files += " " + Quoted((RealReplayDir() / c.file).string());
    const std::vector<std::string> lines = TarvexInfo(home(), "--json" + files, wine).lines;
    ASSERT_EQ(lines.size(), std::size(cases));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(cases[i].file + " player " + std::to_string(cases[i].player));
        auto at = lines[i].find("\"players\"");
        for (std::size_t k = 0; k <= cases[i].player; ++k)
            at = lines[i].find("{\"name\"", at + 1);
        const std::string player = lines[i].substr(at, lines[i].find('}', at) - at);
        EXPECT_NE(player.find(cases[i].start), std::string::npos) << player;
    }
    EXPECT_NE(lines[6].find(R"("mapData":{"spots":[[961.84,2537.37],[1011.89,947.30],)"
                            R"([2490.84,887.17],[2486.15,2502.84]],"extent":[[0.00,0.00],)"
                            R"([3500.00,3500.00]],"cache":"game"}})"),
              std::string::npos)
        << lines[6];
    EXPECT_NE(lines[9].find(R"("mapData":{"spots":[null,null,null,null,null,null],)"
                            R"("extent":null,"cache":"player"})"),
              std::string::npos)
        << lines[9];
    EXPECT_NE(lines[10].find(R"("mapData":null)"), std::string::npos) << lines[10];
    const std::string plain =
        Joined(TarvexInfo(home(), Quoted((RealReplayDir() / cases[1].file).string()), wine).lines);
    EXPECT_NE(plain.find("DESKTOP-J8EU7T4 (USA, no team, spot 3, random)"), std::string::npos)
        << plain;
}

TEST_F(TarvexInfoWhere, WithNothingInstalledNamesTheProgramsOwnFolder) {
    fs::create_directories(home());
    const ProgramRun where = TarvexInfo(home(), "--where");
    ASSERT_EQ(where.status, 0) << Joined(where.lines);
    ASSERT_FALSE(where.lines.empty());
    EXPECT_TRUE(fs::equivalent(where.lines[0], fs::path(TARVEX_INFO).parent_path()))
        << Joined(where.lines);
    EXPECT_NE(Joined(where.lines).find("no Wine prefix found"), std::string::npos)
        << Joined(where.lines);
}

TEST_F(TarvexInfoWhere, ADwordLeafNameIsReportedNotACrash) {
    PrefixSetup setup;
    setup.machineKeys = {GameKey32({"\"UserDataLeafName\"=dword:00000001"})};
    MakePrefix(home() / ".wine", setup);
    const ProgramRun where = TarvexInfo(home(), "--where");
    EXPECT_NE(where.status, 0);
    EXPECT_EQ(Joined(where.lines), "tarvex-info: Invalid data type for 'UserDataLeafName'\n");
}

} // namespace
