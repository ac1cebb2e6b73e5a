// Which replay folder the program lists, decided by what the game's registry key holds in the
// places Windows offers: the machine's 32-bit and 64-bit views and the user's key.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "folder/replay_folder.h"
#include "game/user_data.h"
#include "platform/game_identity.h"
#include "platform/platform.h"
#include "tests/windows/game_key.h"
#include "tests/windows/wide_paths.h"

namespace {

namespace fs = std::filesystem;
using wintest::Utf8Path;

const std::wstring ValueName = L"UserDataLeafName";

std::string ReplaysBelow(const std::string& leaf) {
    return platform::JoinPath(platform::JoinPath(platform::DocumentsFolder(), leaf),
                              platform::game::ReplaySubfolder);
}

class DiscoveryTest : public ::testing::Test {
protected:
    void SetUp() override { wintest::RemoveGameKeys(); }
    void TearDown() override {
        wintest::RemoveGameKeys();
        std::error_code ignored;
        for (const auto& folder : made_)
            fs::remove_all(Utf8Path(folder), ignored);
        made_.clear();
    }
    // Makes documents\leaf\Replays; removed again after the test.
    std::string MakeReplayFolder(const std::string& leaf) {
        const std::string folder = ReplaysBelow(leaf);
        fs::create_directories(Utf8Path(folder));
        made_.push_back(leaf.empty() ? folder
                                     : platform::JoinPath(platform::DocumentsFolder(), leaf));
        return folder;
    }

private:
    std::vector<std::string> made_;
};

TEST_F(DiscoveryTest, DocumentsAndProgramFolderAreUsable) {
    const std::string documents = platform::DocumentsFolder();
    ASSERT_FALSE(documents.empty());
    EXPECT_NE(documents.back(), '\\') << documents;
    EXPECT_TRUE(platform::DirectoryExists(documents)) << documents;

    const std::string own = platform::ProgramFolder();
    ASSERT_FALSE(own.empty());
    EXPECT_EQ(own.back(), '\\');
    EXPECT_TRUE(platform::FileExists(own + "windows_tests.exe")) << own;
}

struct DiscoveryCase {
    const char* label;
    std::function<void()> writeRegistry;
    std::vector<std::string> foldersToMake; // leaf names below the documents folder
    std::string expectedLeaf;               // the leaf whose Replays folder is listed
    bool expectProgramFolder = false;
};

TEST_F(DiscoveryTest, FindsTheFolderTheGameUses) {
    using namespace wintest;
    const std::string gameDefault(platform::game::DefaultUserDataLeafName);
    const std::vector<DiscoveryCase> cases = {
        {"32-bit view, where the game's installer writes",
         [] { WriteGameText(MachineBits32, ValueName, L"Leaf 32"); },
         {"Leaf 32"},
         "Leaf 32"},
        {"only the 64-bit view",
         [] { WriteGameText(MachineBits64, ValueName, L"Leaf 64"); },
         {"Leaf 64"},
         "Leaf 64"},
        {"32-bit view before the 64-bit view",
         [] {
             WriteGameText(MachineBits32, ValueName, L"Leaf 32");
             WriteGameText(MachineBits64, ValueName, L"Leaf 64");
         },
         {"Leaf 32", "Leaf 64"},
         "Leaf 32"},
        {"only the user's key",
         [] { WriteGameText(UserKey, ValueName, L"User Leaf"); },
         {"User Leaf"},
         "User Leaf"},
        {"the machine's key before the user's",
         [] {
             WriteGameText(MachineBits64, ValueName, L"Machine Leaf");
             WriteGameText(UserKey, ValueName, L"User Leaf");
         },
         {"Machine Leaf", "User Leaf"},
         "Machine Leaf"},
        {"no key at all: the game's default folder", [] {}, {gameDefault}, gameDefault},
        {"key without the value: the game's default folder",
         [] { WriteGameText(MachineBits32, L"Language", L"english"); },
         {gameDefault},
         gameDefault},
        {"an empty value is used as it is",
         [] { WriteGameText(MachineBits32, ValueName, L""); },
         {"", gameDefault},
         ""},
        {"expandable text counts as text",
         [] { WriteGameText(MachineBits32, ValueName, L"Exp", REG_EXPAND_SZ); },
         {"Exp"},
         "Exp"},
        {"a leaf name outside the ANSI code page",
         [] { WriteGameText(MachineBits32, ValueName, L"Генералы 将军"); },
         {"Генералы 将军"},
         "Генералы 将军"},
        {"no Replays folder: the program's own folder",
         [] { WriteGameText(MachineBits32, ValueName, L"Leaf 32"); },
         {},
         "",
         true},
        {"no key and no default folder: the program's own folder", [] {}, {}, "", true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.label);
        wintest::RemoveGameKeys();
        test.writeRegistry();
        for (const auto& leaf : test.foldersToMake)
            MakeReplayFolder(leaf);

        const ReplayFolderChoice choice = FindReplayFolder();
        const std::string expected =
            test.expectProgramFolder ? platform::ProgramFolder() : ReplaysBelow(test.expectedLeaf);
        EXPECT_EQ(choice.folder, expected);
        EXPECT_FALSE(choice.how.empty());
        TearDown();
    }
}

TEST_F(DiscoveryTest, ValueThatIsNotTextIsAnError) {
    wintest::WriteGameDword(wintest::MachineBits32, ValueName, 1);
    MakeReplayFolder(std::string(platform::game::DefaultUserDataLeafName));
    try {
        FindReplayFolder();
        FAIL() << "a number as leaf name was accepted";
    } catch (const RegistryTypeError& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'UserDataLeafName'");
    }
}

TEST_F(DiscoveryTest, NonTextInTheUsersKeyIsAnErrorToo) {
    const BYTE bytes[] = {0x41, 0x00};
    wintest::WriteGameValue(wintest::UserKey, ValueName, REG_BINARY, bytes, sizeof bytes);
    EXPECT_THROW(FindReplayFolder(), RegistryTypeError);
}

} // namespace
