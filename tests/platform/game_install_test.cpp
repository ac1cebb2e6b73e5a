// Which install folders of the game are found, for prefixes and Steam libraries set up the
// way players have them.
#include "game/game_install.h"

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "platform/wine/wine_prefix.h"
#include "tests/platform/fake_prefix.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace testsupport;

const std::string InstallPath = "InstallPath";

struct InstallCase {
    const char* name;
    // Builds the home; returns the install folders that must be found, in order.
    std::function<std::vector<fs::path>(const fs::path& home)> build;
    const char* howPart;
};

void PrintTo(const InstallCase& c, std::ostream* out) {
    *out << c.name;
}

fs::path SteamRoot(const fs::path& home) {
    return home / ".local/share/Steam";
}
fs::path Prefix(const fs::path& home) {
    return SteamRoot(home) / "steamapps/compatdata/2732960/pfx";
}

void PrefixWithInstallPath(const fs::path& home, const std::string& windowsPath) {
    PrefixSetup setup;
    setup.machineKeys = {GameKey32({TextValue(InstallPath, windowsPath)})};
    MakePrefix(Prefix(home), setup);
}

fs::path SteamInstall(const fs::path& library, const std::string& installDir,
                      const std::string& onDisk) {
    WriteText(library / "steamapps/appmanifest_2732960.acf",
              "\"AppState\"\n{\n\t\"appid\"\t\t\"2732960\"\n\t\"installdir\"\t\t\"" + installDir +
                  "\"\n}\n");
    fs::create_directories(library / "steamapps/common" / onDisk);
    return library / "steamapps/common" / onDisk;
}

const InstallCase InstallCases[] = {
    {"RegistryPathThroughThePrefixDrivesInAnyCase",
     [](const fs::path& home) {
         PrefixWithInstallPath(home, "C:\\Program Files (x86)\\EA Games\\Zero Hour\\");
         const fs::path folder = Prefix(home) / "drive_c/program files (x86)/EA GAMES/zero hour";
         fs::create_directories(folder);
         return std::vector<fs::path>{folder};
     },
     "value InstallPath = \"C:\\Program Files (x86)\\EA Games\\Zero Hour\\\""},
    {"SteamLibraryWithTheAppManifest",
     [](const fs::path& home) {
         MakePrefix(Prefix(home), {});
         const fs::path library2 = home / "games/SteamLibrary";
         WriteText(SteamRoot(home) / "steamapps/libraryfolders.vdf",
                   LibraryFoldersVdf({SteamRoot(home), library2}));
         return std::vector<fs::path>{SteamInstall(library2,
                                                   "Command & Conquer Generals - Zero Hour",
                                                   "command & conquer generals - zero hour")};
     },
     "installdir \"Command & Conquer Generals - Zero Hour\""},
    {"RegistryFirstThenSteamAndOneFolderOnlyOnce",
     [](const fs::path& home) {
         const fs::path steamFolder = SteamInstall(SteamRoot(home), "ZH", "ZH");
         PrefixWithInstallPath(home, "Z:" + steamFolder.string());
         const fs::path other = home / "other/ZH";
         fs::create_directories(other);
         const fs::path library2 = home / "games/SteamLibrary";
         WriteText(SteamRoot(home) / "steamapps/libraryfolders.vdf",
                   LibraryFoldersVdf({SteamRoot(home), library2}));
         SteamInstall(library2, "Elsewhere", "Elsewhere");
         return std::vector<fs::path>{steamFolder, library2 / "steamapps/common/Elsewhere"};
     },
     "the same folder as above"},
    {"RegistryPathThatIsNotThere",
     [](const fs::path& home) {
         PrefixWithInstallPath(home, "D:\\Games\\ZH");
         return std::vector<fs::path>{};
     },
     "= \"D:\\Games\\ZH\" names no folder here"},
    {"ManifestNamingAMissingFolder",
     [](const fs::path& home) {
         MakePrefix(Prefix(home), {});
         SteamInstall(SteamRoot(home), "Gone", "Other");
         return std::vector<fs::path>{};
     },
     "names \"Gone\", which is not in steamapps/common"},
    {"NothingAtAll", [](const fs::path&) { return std::vector<fs::path>{}; },
     "no install folder found"},
};

class GameInstallDiscovery : public testing::TestWithParam<InstallCase> {
protected:
    void TearDown() override { platform::wine::ResetCurrentPrefix(); }
    TempDir dir_;
};

TEST_P(GameInstallDiscovery, FindsTheInstallFolders) {
    const fs::path home = dir_ / "home";
    fs::create_directories(home);
    const std::vector<fs::path> expected = GetParam().build(home);
    platform::wine::ResetCurrentPrefix(EnvironmentWithHome(home));
    const GameInstall install = FindGameInstall();
    ASSERT_EQ(install.folders.size(), expected.size()) << install.how;
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(fs::equivalent(install.folders[i], expected[i])) << install.folders[i] << "\n"
                                                                     << install.how;
    EXPECT_NE(install.how.find(GetParam().howPart), std::string::npos) << install.how;
}

INSTANTIATE_TEST_SUITE_P(Homes, GameInstallDiscovery, testing::ValuesIn(InstallCases),
                         [](const testing::TestParamInfo<InstallCase>& param) {
                             return param.param.name;
                         });

TEST(GameInstallArchives, TheMapArchiveFirstThenTheOthersInFolderOrder) {
    TempDir dir;
    for (const char* name : {"Zeta.big", "INIZH.big", "mapszh.BIG", "readme.txt"})
        WriteText(dir / name, "BIGF");
    fs::create_directories(dir / "folder.big");
    std::vector<std::string> names;
    for (const Text& path : ArchivesIn(dir.str()))
        names.push_back(fs::path(path).filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"mapszh.BIG", "INIZH.big", "Zeta.big"}));
}

} // namespace
