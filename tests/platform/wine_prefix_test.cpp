#include "platform/wine/wine_prefix.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/wine/wine_documents.h"
#include "tests/platform/fake_prefix.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace testsupport;
using platform::wine::CandidatePrefixes;
using platform::wine::ChoosePrefix;

class PrefixSearch : public testing::Test {
protected:
    fs::path home() const { return dir_ / "home"; }
    fs::path steamRoot() const { return home() / ".local/share/Steam"; }
    fs::path compat(const fs::path& library, const std::string& app) const {
        return library / "steamapps/compatdata" / app / "pfx";
    }
    platform::wine::Environment environment() const { return EnvironmentWithHome(home()); }
    std::vector<std::string> candidatePaths(const platform::wine::Environment& environment) const {
        std::vector<std::string> paths;
        for (const auto& candidate : CandidatePrefixes(environment))
            paths.push_back(candidate.path);
        return paths;
    }
    void steamLibraries(const std::vector<fs::path>& libraries) {
        WriteText(steamRoot() / "steamapps/libraryfolders.vdf", LibraryFoldersVdf(libraries));
    }
    TempDir dir_;
};

TEST_F(PrefixSearch, LooksInTheDocumentedOrder) {
    const fs::path library2 = dir_ / "disk2/SteamLibrary";
    MakePrefix(dir_ / "custom", {});
    MakePrefix(home() / ".wine", {});
    MakePrefix(compat(steamRoot(), "100"), {});
    MakePrefix(compat(steamRoot(), "2229870"), {});
    MakePrefix(compat(steamRoot(), "2732960"), {});
    MakePrefix(compat(library2, "2732960"), {});
    MakePrefix(home() / "Games/zero-hour", {});
    MakePrefix(home() / "Games/proton-game/pfx", {});
    MakePrefix(home() / ".local/share/bottles/bottles/Generals", {});
    MakePrefix(home() / "Games/Heroic/Prefixes/default/ZeroHour", {});
    fs::create_directories(home() / "Games/not-a-prefix");
    steamLibraries({steamRoot(), library2, steamRoot()});
    // ~/.steam/steam and ~/.steam/root lead to the same Steam folder: it counts once.
    fs::create_directories(home() / ".steam");
    fs::create_directory_symlink(steamRoot(), home() / ".steam/steam");
    fs::create_directory_symlink(steamRoot(), home() / ".steam/root");

    auto env = environment();
    env.winePrefix = (dir_ / "custom").string();
    const auto steamPath = [&](const fs::path& library, const std::string& app) {
        return (library / "steamapps/compatdata" / app / "pfx").string();
    };
    const fs::path viaLink = home() / ".steam/steam";
    const std::vector<std::string> expected = {
        (dir_ / "custom").string(),
        (home() / ".wine").string(),
        steamPath(viaLink, "2732960"),
        steamPath(viaLink, "2229870"),
        steamPath(viaLink, "100"),
        steamPath(library2, "2732960"),
        (home() / "Games/proton-game/pfx").string(),
        (home() / "Games/zero-hour").string(),
        (home() / ".local/share/bottles/bottles/Generals").string(),
        (home() / "Games/Heroic/Prefixes/default/ZeroHour").string(),
    };
    EXPECT_EQ(candidatePaths(env), expected);
}

TEST_F(PrefixSearch, TheFirstPrefixWithTheGameKeyWins) {
    const fs::path library2 = dir_ / "disk2/SteamLibrary";
    MakePrefix(home() / ".wine", {});
    MakePrefix(compat(steamRoot(), "2732960"), {});
    PrefixSetup withKey;
    withKey.machineKeys = {GameKey32({TextValue("UserDataLeafName", "Data")})};
    MakePrefix(compat(library2, "2732960"), withKey);
    MakePrefix(home() / "Games/zero-hour", withKey);
    steamLibraries({steamRoot(), library2});

    const auto choice = ChoosePrefix(environment());
    ASSERT_TRUE(choice.prefix);
    EXPECT_EQ(choice.prefix->path, compat(library2, "2732960").string());
    EXPECT_NE(choice.prefix->origin.find("2732960"), std::string::npos);
    EXPECT_NE(choice.prefix->origin.find(library2.string()), std::string::npos);
    ASSERT_TRUE(choice.machine);
    EXPECT_TRUE(choice.machine->isWin64());
    EXPECT_TRUE(choice.user);
    EXPECT_TRUE(fs::equivalent(choice.documents,
                               compat(library2, "2732960") / "drive_c/users/steamuser/Documents"));
}

TEST_F(PrefixSearch, WithoutAKeyThePrefixHoldingTheDefaultReplayFolderWins) {
    MakePrefix(home() / ".wine", {});
    const fs::path documents = MakePrefix(compat(steamRoot(), "2732960"), {});
    MakeReplayFolder(documents, "command and conquer generals zero hour data", "REPLAYS");

    const auto choice = ChoosePrefix(environment());
    ASSERT_TRUE(choice.prefix);
    EXPECT_EQ(choice.prefix->path, compat(steamRoot(), "2732960").string());
    EXPECT_NE(choice.why.find("no prefix holds the game's key"), std::string::npos);
}

TEST_F(PrefixSearch, WithoutAnyGameThereIsNoPrefixAndTheUserDocumentsServe) {
    MakePrefix(home() / ".wine", {});
    WriteText(home() / ".config/user-dirs.dirs",
              "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
              "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    const auto choice = ChoosePrefix(environment());
    EXPECT_FALSE(choice.prefix);
    EXPECT_FALSE(choice.machine);
    EXPECT_EQ(choice.documents, (home() / "Dokumente").string());
    EXPECT_NE(choice.why.find("1 Wine prefix"), std::string::npos) << choice.why;

    auto env = environment();
    env.xdgDocumentsDir = "/srv/docs/";
    EXPECT_EQ(ChoosePrefix(env).documents, "/srv/docs");
    fs::remove(home() / ".config/user-dirs.dirs");
    EXPECT_EQ(ChoosePrefix(environment()).documents, (home() / "Documents").string());
}

TEST_F(PrefixSearch, NothingAtAllIsNoPrefix) {
    fs::create_directories(home());
    const auto choice = ChoosePrefix(environment());
    EXPECT_FALSE(choice.prefix);
    EXPECT_EQ(choice.why, "no Wine prefix found");
    EXPECT_TRUE(CandidatePrefixes(platform::wine::Environment{}).empty());
}

class PrefixDocuments : public testing::Test {
protected:
    fs::path prefix() const { return dir_ / "pfx"; }
    std::optional<platform::wine::DocumentsAnswer> documents(const std::string& user = "player") {
        const auto registry = platform::wine::RegistryFile::Load((prefix() / "user.reg").string());
        return platform::wine::PrefixDocuments(prefix().string(), registry ? &*registry : nullptr,
                                               EnvironmentWithHome(dir_ / "home", user));
    }
    TempDir dir_;
};

TEST_F(PrefixDocuments, PersonalShellFolderMapsThroughTheDriveLinks) {
    PrefixSetup setup;
    setup.writePersonal = false;
    setup.userKeys = {{"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                       {TextValue("Personal", "D:\\Docs\\")}}};
    MakePrefix(prefix(), setup);
    fs::create_directories(dir_ / "elsewhere/docs");
    fs::create_directory_symlink(dir_ / "elsewhere", prefix() / "dosdevices/d:");
    const auto answer = documents();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->folder, fs::canonical(dir_ / "elsewhere" / "docs").string());
    EXPECT_NE(answer->how.find("Personal"), std::string::npos);
}

TEST_F(PrefixDocuments, MissingPersonalFolderFallsBackToTheUsers) {
    PrefixSetup setup;
    setup.user = "player";
    setup.writePersonal = false;
    setup.userKeys = {{"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                       {TextValue("Personal", "Q:\\nowhere")}}};
    MakePrefix(prefix(), setup);
    fs::create_directories(prefix() / "drive_c/users/aaron/Documents");
    const auto answer = documents("player");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->folder, (prefix() / "drive_c/users/player/Documents").string());
}

TEST_F(PrefixDocuments, UsersComeInOrderAndPublicIsNeverOne) {
    fs::create_directories(prefix() / "drive_c/users/Public/Documents");
    EXPECT_FALSE(documents());
    fs::create_directories(prefix() / "drive_c/users/zoe/My Documents");
    fs::create_directories(prefix() / "drive_c/users/bob/Documents");
    EXPECT_EQ(documents()->folder, (prefix() / "drive_c/users/bob/Documents").string());
    fs::create_directories(prefix() / "drive_c/users/player/documents");
    EXPECT_EQ(documents()->folder, (prefix() / "drive_c/users/player/documents").string());
    fs::create_directories(prefix() / "drive_c/users/steamuser/My Documents");
    EXPECT_EQ(documents()->folder, (prefix() / "drive_c/users/steamuser/My Documents").string());
}

TEST_F(PrefixDocuments, WindowsPathsMapIgnoringCase) {
    MakePrefix(prefix(), {});
    using platform::wine::LinuxPathInPrefix;
    EXPECT_EQ(LinuxPathInPrefix(prefix().string(), "c:\\USERS\\SteamUser\\documents"),
              fs::canonical(prefix() / "drive_c/users/steamuser/Documents").string());
    EXPECT_FALSE(LinuxPathInPrefix(prefix().string(), "X:\\users"));
    EXPECT_FALSE(LinuxPathInPrefix(prefix().string(), "\\\\server\\share"));
    EXPECT_FALSE(LinuxPathInPrefix(prefix().string(), "C:\\users\\nobody"));
}

} // namespace
