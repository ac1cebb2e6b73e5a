// Listing a folder as Windows does: its order, hidden and system files, and the mask
// compared with the real (long) names only.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/win32_internal.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"
#include "tests/windows/wide_paths.h"

namespace {

using wintest::Utf8Of;

std::vector<std::string> Names(const std::vector<platform::DirectoryEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries)
        names.push_back(entry.name);
    return names;
}

class ListingTest : public ::testing::Test {
protected:
    std::string Folder() const { return Utf8Of(dir_.path()); }
    std::string Touch(const std::string& name) {
        const std::string path = platform::JoinPath(Folder(), name);
        replay_builder::WriteFile(path, "GENREP");
        return path;
    }
    testsupport::TempDir dir_;
};

TEST_F(ListingTest, EntriesComeInTheOrderWindowsGivesThem) {
    // Created out of order; Windows lists an NTFS folder by upper-cased name, so "_" (after
    // "Z") follows the letters whatever their case.
    for (const char* name : {"_x.rep", "b.rep", "C.rep", "a1.rep", "A.rep"})
        Touch(name);
    const std::vector<std::string> expected = {"A.rep", "a1.rep", "b.rep", "C.rep", "_x.rep"};
    EXPECT_EQ(Names(platform::ListDirectory(Folder(), "*.rep")), expected);
}

TEST_F(ListingTest, HiddenAndSystemFilesAreListed) {
    const std::string hidden = Touch("hidden.rep");
    const std::string system = Touch("system.rep");
    Touch(".dotted.rep");
    ASSERT_TRUE(SetFileAttributesW(platform::win32::Widen(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW(platform::win32::Widen(system).c_str(),
                                   FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
    auto names = Names(platform::ListDirectory(Folder(), "*.rep"));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".dotted.rep", "hidden.rep", "system.rep"}));
}

TEST_F(ListingTest, MaskMatchesRealNamesWithoutCase) {
    Touch("upper.REP");
    Touch("notes.report"); // its 8.3 name, NOTES~1.REP, would match "*.rep"
    Touch("backup.rep.bak");
    Touch("plain.txt");
    std::filesystem::create_directory(dir_.path() / "folder.rep");

    const auto entries = platform::ListDirectory(Folder(), "*.rep");
    std::vector<std::pair<std::string, bool>> seen;
    for (const auto& entry : entries)
        seen.emplace_back(entry.name, entry.isDirectory);
    std::sort(seen.begin(), seen.end());
    const std::vector<std::pair<std::string, bool>> expected = {{"folder.rep", true},
                                                                {"upper.REP", false}};
    EXPECT_EQ(seen, expected);
}

TEST_F(ListingTest, EveryEntryButTheDotsWithAStar) {
    Touch("a.rep");
    std::filesystem::create_directory(dir_.path() / "sub");
    auto names = Names(platform::ListDirectory(Folder(), "*"));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.rep", "sub"}));
}

TEST_F(ListingTest, MissingOrEmptyFolderListsNothing) {
    EXPECT_TRUE(platform::ListDirectory(Folder(), "*.rep").empty());
    EXPECT_TRUE(platform::ListDirectory(platform::JoinPath(Folder(), "absent"), "*.rep").empty());
}

struct MaskCase {
    const wchar_t* name;
    const wchar_t* mask;
    bool matches;
};

TEST(MaskTest, WildcardsAndLetterCase) {
    const MaskCase cases[] = {
        {L"game.rep", L"*.rep", true},
        {L"GAME.REP", L"*.rep", true},
        {L".rep", L"*.rep", true},
        {L"game.report", L"*.rep", false},
        {L"game.rep.bak", L"*.rep", false},
        {L"gamerep", L"*.rep", false},
        {L"a.rep", L"?.rep", true},
        {L"ab.rep", L"?.rep", false},
        {L"a.b.c.rep", L"*.rep", true},
        {L"aXXbYYc", L"a*b*c", true},
        {L"abcabd", L"*abd", true},
        {L"abc", L"a*b*c*d", false},
        {L"ÄRGER.rep", L"ärger.*", true},
        {L"Дом.rep", L"дОМ.REP", true},
        {L"", L"*", true},
        {L"a", L"", false},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(platform::win32::MatchesMask(test.name, test.mask), test.matches)
            << platform::win32::Narrow(test.name) << " against "
            << platform::win32::Narrow(test.mask);
    }
}

} // namespace
