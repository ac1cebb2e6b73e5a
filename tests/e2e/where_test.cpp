// tarvex-info run as a user would run it, with a home folder that holds a Steam installation.
#include <array>
#include <cstdio>
#include <filesystem>
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
