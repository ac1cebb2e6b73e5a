// Which replay folder the program lists, for prefixes set up the way players have them.
#include "folder/replay_folder.h"

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "game/user_data.h"
#include "platform/game_identity.h"
#include "platform/platform.h"
#include "platform/wine/wine_prefix.h"
#include "tests/platform/fake_prefix.h"
#include "tests/support/shared_data.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace testsupport;

const std::string LeafValue = "UserDataLeafName";
const std::string DefaultLeaf = "Command and Conquer Generals Zero Hour Data";

struct World {
    fs::path home;
    fs::path root;
    platform::wine::Environment environment;
    fs::path archive; // the archive folder that must be found, if any
    fs::path steamRoot() const { return home / ".local/share/Steam"; }
    fs::path zeroHourPrefix(const fs::path& library) const {
        return library / "steamapps/compatdata/2732960/pfx";
    }
};

struct DiscoveryCase {
    const char* name;
    // Builds the world; returns the folder that must be listed (empty: the program's own).
    std::function<fs::path(World&)> build;
};

void PrintTo(const DiscoveryCase& c, std::ostream* out);

PrefixSetup WithMachineKey(RegKey key) {
    PrefixSetup setup;
    setup.machineKeys = {std::move(key)};
    return setup;
}

void PrintTo(const DiscoveryCase& c, std::ostream* out) {
    *out << c.name;
}

fs::path ProtonWithMachineKey(World& world, RegKey key, const std::string& leaf,
                              bool win64 = true) {
    PrefixSetup setup;
    setup.win64 = win64;
    setup.machineKeys = {std::move(key)};
    return MakeReplayFolder(MakePrefix(world.zeroHourPrefix(world.steamRoot()), setup), leaf);
}

const DiscoveryCase DiscoveryCases[] = {
    {"KeyInThe32BitView",
     [](World& w) {
         return ProtonWithMachineKey(w, GameKey32({TextValue(LeafValue, "My ZH Data")}),
                                     "My ZH Data");
     }},
    {"KeyInThe64BitView",
     [](World& w) {
         return ProtonWithMachineKey(w, GameKey64({TextValue(LeafValue, "ZH 64")}), "ZH 64");
     }},
    {"The32BitViewComesFirst",
     [](World& w) {
         PrefixSetup setup;
         setup.machineKeys = {GameKey64({TextValue(LeafValue, "From64")}),
                              GameKey32({TextValue(LeafValue, "From32")})};
         const fs::path documents = MakePrefix(w.zeroHourPrefix(w.steamRoot()), setup);
         MakeReplayFolder(documents, "From64");
         return MakeReplayFolder(documents, "From32");
     }},
    {"A32BitPrefixHasOneView",
     [](World& w) {
         return ProtonWithMachineKey(w, GameKey64({TextValue(LeafValue, "Old")}), "Old", false);
     }},
    {"KeyOnlyForTheUser",
     [](World& w) {
         PrefixSetup setup;
         setup.userKeys = {GameUserKey({TextValue(LeafValue, "User Data")})};
         return MakeReplayFolder(MakePrefix(w.home / ".wine", setup), "User Data");
     }},
    {"MachineTextBeatsAUserDword",
     [](World& w) {
         PrefixSetup setup;
         setup.machineKeys = {GameKey32({TextValue(LeafValue, "Machine")})};
         setup.userKeys = {GameUserKey({"\"UserDataLeafName\"=dword:00000001"})};
         return MakeReplayFolder(MakePrefix(w.home / ".wine", setup), "Machine");
     }},
    {"KeyWithoutTheValueUsesTheDefaultLeaf",
     [](World& w) {
         return ProtonWithMachineKey(w, GameKey32({"\"Version\"=dword:00010004"}), DefaultLeaf);
     }},
    {"ProtonWithoutAnyKeyUsesTheDefaultLeaf",
     [](World& w) { return MakeReplayFolder(MakePrefix(w.zeroHourPrefix(w.steamRoot()), {})); }},
    {"EmptyValueIsUsedAsItIs",
     [](World& w) {
         PrefixSetup setup;
         setup.machineKeys = {GameKey32({TextValue(LeafValue, "")})};
         const fs::path documents = MakePrefix(w.home / ".wine", setup);
         MakeReplayFolder(documents); // the default leaf must not be used
         fs::create_directories(documents / "Replays");
         return documents / "Replays";
     }},
    {"DocumentsLinkedToTheUsersFolder",
     [](World& w) {
         PrefixSetup setup;
         setup.user = "player";
         setup.documentsLinkTarget = w.home / "Documents";
         setup.machineKeys = {GameKey32({TextValue(LeafValue, DefaultLeaf)})};
         MakePrefix(w.home / ".wine", setup);
         return MakeReplayFolder(w.home / "Documents");
     }},
    {"ProtonPrefixInASecondSteamLibrary",
     [](World& w) {
         const fs::path library2 = w.root / "games/SteamLibrary";
         // The first library's prefix has no key, only a replay folder of the default name:
         // a prefix whose registry holds the key comes first.
         MakeReplayFolder(MakePrefix(w.zeroHourPrefix(w.steamRoot()), {}));
         WriteText(w.steamRoot() / "steamapps/libraryfolders.vdf",
                   LibraryFoldersVdf({w.steamRoot(), library2}));
         return MakeReplayFolder(
             MakePrefix(w.zeroHourPrefix(library2),
                        WithMachineKey(GameKey32({TextValue(LeafValue, "Lib2")}))),
             "Lib2");
     }},
    {"WinePrefixVariableBeatsOtherPrefixes",
     [](World& w) {
         ProtonWithMachineKey(w, GameKey32({TextValue(LeafValue, "Steam")}), "Steam");
         MakeReplayFolder(MakePrefix(w.home / ".wine",
                                     WithMachineKey(GameKey32({TextValue(LeafValue, "Wine")}))),
                          "Wine");
         w.environment.winePrefix = (w.root / "chosen").string();
         return MakeReplayFolder(MakePrefix(w.root / "chosen", WithMachineKey(GameKey32(
                                                                   {TextValue(LeafValue, "Env")}))),
                                 "Env");
     }},
    {"ReplaysSpelledInAnotherCase",
     [](World& w) {
         const fs::path documents =
             MakePrefix(w.zeroHourPrefix(w.steamRoot()),
                        WithMachineKey(GameKey32({TextValue(LeafValue, DefaultLeaf)})));
         return MakeReplayFolder(documents, "COMMAND AND CONQUER GENERALS ZERO HOUR DATA",
                                 "replays");
     }},
    {"LeafWithABackslashIsTwoFolders",
     [](World& w) {
         return ProtonWithMachineKey(w, GameKey32({TextValue(LeafValue, "EA\\ZH")}), "EA/ZH");
     }},
    {"GameKeyButNoReplayFolderListsTheOwnFolder",
     [](World& w) {
         MakePrefix(w.home / ".wine",
                    WithMachineKey(GameKey32({TextValue(LeafValue, DefaultLeaf)})));
         return fs::path{};
     }},
    {"NoPrefixAtAllListsTheOwnFolder", [](World&) { return fs::path{}; }},
    {"NoPrefixButTheUsersOwnDocumentsHoldTheReplays",
     [](World& w) { return MakeReplayFolder(w.home / "Documents"); }},
    {"ArchivedReplaysSpelledInAnotherCase",
     [](World& w) {
         const fs::path replays = MakeReplayFolder(w.home / "Documents");
         w.archive = MakeReplayFolder(w.home / "Documents", DefaultLeaf, "archivedREPLAYS");
         return replays;
     }},
    // The game copies its games there whether Replays is left or not.
    {"ArchivedReplaysWithoutReplaysFollowsTheOwnFolder",
     [](World& w) {
         w.archive = MakeReplayFolder(w.home / "Documents", DefaultLeaf, "ArchivedReplays");
         return fs::path{};
     }},
};

class ReplayFolderDiscovery : public testing::TestWithParam<DiscoveryCase> {
protected:
    void TearDown() override { platform::wine::ResetCurrentPrefix(); }
    World world() {
        World w{dir_ / "home", dir_.path(), EnvironmentWithHome(dir_ / "home"), {}};
        fs::create_directories(w.home);
        return w;
    }
    TempDir dir_;
};

TEST_P(ReplayFolderDiscovery, ListsTheGamesReplayFolder) {
    World w = world();
    const fs::path expected = GetParam().build(w);
    platform::wine::ResetCurrentPrefix(w.environment);
    const ReplayFolderChoice choice = FindReplayFolder();
    if (w.archive.empty())
        EXPECT_EQ(choice.archiveFolder, "");
    else
        EXPECT_TRUE(fs::equivalent(choice.archiveFolder, w.archive)) << choice.archiveFolder;
    // The user data folder holds the player's maps whether Replays exists or not.
    const fs::path userData = choice.userDataFolder;
    if (expected.empty()) {
        EXPECT_EQ(userData.filename(), DefaultLeaf) << userData;
        EXPECT_EQ(choice.folder, platform::ProgramFolder());
        EXPECT_NE(choice.how.find("the program's own folder"), std::string::npos) << choice.how;
    } else {
        ASSERT_TRUE(fs::is_directory(choice.folder)) << choice.folder << "\n" << choice.how;
        EXPECT_EQ(userData, fs::path(choice.folder).parent_path());
        EXPECT_TRUE(fs::equivalent(choice.folder, expected))
            << choice.folder << " is not " << expected << "\n"
            << choice.how;
        EXPECT_NE(choice.how.find("replay folder: " + choice.folder), std::string::npos)
            << choice.how;
    }
}

INSTANTIATE_TEST_SUITE_P(Prefixes, ReplayFolderDiscovery, testing::ValuesIn(DiscoveryCases),
                         [](const testing::TestParamInfo<DiscoveryCase>& param) {
                             return param.param.name;
                         });

class ReplayFolderErrors : public testing::Test {
protected:
    void TearDown() override { platform::wine::ResetCurrentPrefix(); }
    TempDir dir_;
};

TEST_F(ReplayFolderErrors, ADwordLeafNameIsAnError) {
    const fs::path home = dir_ / "home";
    MakeReplayFolder(MakePrefix(
        home / ".wine", WithMachineKey(GameKey32({"\"UserDataLeafName\"=dword:00000005"}))));
    platform::wine::ResetCurrentPrefix(EnvironmentWithHome(home));
    try {
        FindReplayFolder();
        FAIL() << "a DWORD leaf name was accepted";
    } catch (const RegistryTypeError& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'UserDataLeafName'");
    }
}

TEST_F(ReplayFolderErrors, TheHowNamesThePrefixTheRegistryFileAndTheKey) {
    const fs::path home = dir_ / "home";
    const fs::path prefix = home / ".local/share/Steam/steamapps/compatdata/2732960/pfx";
    MakeReplayFolder(
        MakePrefix(prefix, WithMachineKey(GameKey32({TextValue(LeafValue, DefaultLeaf)}))));
    platform::wine::ResetCurrentPrefix(EnvironmentWithHome(home));
    const std::string how = FindReplayFolder().how;
    for (const std::string& part : {"Wine prefix: " + prefix.string(), std::string("app 2732960"),
                                    (prefix / "system.reg").string(), std::string("(32-bit view)"),
                                    std::string("Wow6432Node"), std::string("Generals Zero Hour")})
        EXPECT_NE(how.find(part), std::string::npos) << "missing \"" << part << "\" in\n" << how;
}

TEST(ReplayFolderRealRegistry, FilesWineWroteLeadToTheReplays) {
    const auto shared = SharedDir() / "testdata" / "wine" / "win64-game-installed";
    TARVEX_REQUIRE_SHARED(shared);
    TempDir dir;
    const fs::path home = dir / "home";
    const fs::path prefix = home / ".wine";
    PrefixSetup setup;
    setup.user = "root";
    setup.documentsLinkTarget = home / "Documents";
    MakePrefix(prefix, setup);
    fs::copy_file(shared / "system.reg", prefix / "system.reg",
                  fs::copy_options::overwrite_existing);
    fs::copy_file(shared / "user.reg", prefix / "user.reg", fs::copy_options::overwrite_existing);
    const fs::path replays = MakeReplayFolder(home / "Documents");
    platform::wine::ResetCurrentPrefix(EnvironmentWithHome(home, "root"));
    const auto value = platform::ReadRegistryValue(
        platform::RegistryRoot::LocalMachine, platform::RegistryView::Bits32,
        platform::game::RegistryKey, platform::game::UserDataValueName);
    EXPECT_FALSE(platform::ReadRegistryValue(
        platform::RegistryRoot::LocalMachine, platform::RegistryView::Bits64,
        platform::game::RegistryKey, platform::game::UserDataValueName));
    const ReplayFolderChoice choice = FindReplayFolder();
    platform::wine::ResetCurrentPrefix();
    ASSERT_TRUE(value);
    EXPECT_EQ(value->text, DefaultLeaf);
    EXPECT_TRUE(fs::equivalent(choice.folder, replays)) << choice.how;
}

class ForEachReplayFileTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"b.rep", "A.REP", "notes.txt"})
            WriteText(dir_ / name, "x");
        fs::create_directory(dir_ / "folder.rep");
    }
    std::vector<std::string> visit(const std::string& folder, int* entries = nullptr) {
        std::vector<std::string> paths;
        std::size_t listed = 0;
        ForEachReplayFile(
            folder, ReplayFileMask,
            [&](const ListedReplayFile& file) { paths.push_back(file.path); },
            [&] {
                if (entries) ++*entries;
            },
            [&](std::size_t count) {
                EXPECT_TRUE(paths.empty()) << "told the count after a visit";
                listed = count;
            });
        if (entries) {
            EXPECT_EQ(listed, static_cast<std::size_t>(*entries));
        }
        return paths;
    }
    TempDir dir_;
};

TEST_F(ForEachReplayFileTest, VisitsFilesNotFoldersAndServicesEveryEntry) {
    int entries = 0;
    const auto paths = visit(dir_.str(), &entries);
    EXPECT_EQ(paths,
              (std::vector<std::string>{(dir_ / "A.REP").string(), (dir_ / "b.rep").string()}));
    EXPECT_EQ(entries, 3);
}

TEST_F(ForEachReplayFileTest, TrailingSeparatorChangesNothing) {
    EXPECT_EQ(visit(dir_.str() + "/"), visit(dir_.str()));
}

} // namespace
