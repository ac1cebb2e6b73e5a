#include "platform/posix/windows_listing.h"

#include <algorithm>
#include <filesystem>
#include <random>

#include <gtest/gtest.h>

#include "platform/posix/windows_names.h"
#include "tests/platform/fake_prefix.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

struct MaskCase {
    const char* mask;
    const char* name;
    bool matches;
};

// The case as test names show it: "*.rep vs game.rep", not the struct's bytes.
void PrintTo(const MaskCase& c, std::ostream* out) {
    *out << c.mask << " vs " << c.name;
}

class Mask : public testing::TestWithParam<MaskCase> {};

TEST_P(Mask, MatchesAsWindowsDoes) {
    EXPECT_EQ(platform::MaskMatches(GetParam().mask, GetParam().name), GetParam().matches)
        << GetParam().mask << " vs " << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Mask,
    testing::Values(MaskCase{"*.rep", "game.rep", true}, MaskCase{"*.rep", "GAME.REP", true},
                    MaskCase{"*.REP", "game.rEp", true}, MaskCase{"*.rep", ".rep", true},
                    MaskCase{"*.rep", "game.rep.bak", false}, MaskCase{"*.rep", "gamerep", false},
                    MaskCase{"*.rep", "a.re", false}, MaskCase{"*.rep", "a.rep.rep", true},
                    MaskCase{"*.rep", "\xD0\xBF\xD1\x80\xD0\xB8.rep", true},
                    MaskCase{"*.r\xC3\xA9p", "X.R\xC3\x89P", true}, // é against É
                    MaskCase{"?.rep", "\xC3\xA9.rep", true}, MaskCase{"?.rep", "ab.rep", false},
                    MaskCase{"a*b*c", "aXXbYYc", true}, MaskCase{"a*b*c", "aXXbYY", false},
                    MaskCase{"*", "", true}, MaskCase{"[ab].rep", "a.rep", false},
                    MaskCase{"[ab].rep", "[ab].rep", true}));

TEST(NtfsOrder, ComparesUpperCasedUtf16CodeUnits) {
    // Expected order: "!" (0x21) < "A" < "B" < "Z" < "_" (0x5F) < "É" (0xC9) < "П" (0x41F) <
    // a surrogate pair (0xD83D...) < "！" (0xFF01). Byte order or code-point order differ.
    const std::vector<std::string> expected = {"!first.rep",      "a.rep",
                                               "B.rep",           "zeta.rep",
                                               "_under.rep",      "\xC3\xA9t\xC3\xA9.rep",
                                               "\xD0\xBF.rep",    "\xF0\x9F\x98\x80.rep",
                                               "\xEF\xBC\x81.rep"};
    std::vector<platform::DirectoryEntry> entries;
    for (const auto& name : expected)
        entries.push_back({name, false});
    std::shuffle(entries.begin(), entries.end(), std::mt19937(7));
    platform::SortInNtfsOrder(entries);
    std::vector<std::string> names;
    for (const auto& entry : entries)
        names.push_back(entry.name);
    EXPECT_EQ(names, expected);
}

TEST(NtfsOrder, NamesDifferingOnlyInCaseKeepAFixedOrder) {
    EXPECT_TRUE(platform::NtfsNameLess("A.rep", "a.rep"));
    EXPECT_FALSE(platform::NtfsNameLess("a.rep", "A.rep"));
    EXPECT_TRUE(platform::SameNameIgnoringCase("R\xC3\xA9plays", "R\xC3\x89PLAYS"));
    EXPECT_FALSE(platform::SameNameIgnoringCase("Replays", "Replay"));
}

TEST(NtfsOrder, InvalidUtf8BytesStillHaveAPlace) {
    const std::string broken = "\xFF\xFE.rep";
    EXPECT_TRUE(platform::NtfsNameLess("z.rep", broken));
    EXPECT_FALSE(platform::NtfsNameLess(broken, "z.rep"));
    EXPECT_NE(platform::UpperCaseName("\xFF"), platform::UpperCaseName("\xFE"));
}

class ListDirectoryTest : public testing::Test {
protected:
    void touch(const std::string& name) { testsupport::WriteText(dir_ / name, "x"); }
    testsupport::TempDir dir_;
};

TEST_F(ListDirectoryTest, ListsLikeWindows) {
    for (const char* name : {"b.rep", "A.rep", ".hidden.rep", "notes.txt", "X.REP", "old.rep.bak"})
        touch(name);
    fs::create_directory(dir_ / "sub.rep");
    fs::create_symlink(dir_ / "b.rep", dir_ / "link.rep");
    fs::create_directory_symlink(dir_ / "sub.rep", dir_ / "dirlink.rep");
    fs::create_symlink(dir_ / "gone", dir_ / "dangling.rep");

    const auto entries = platform::ListDirectory(dir_.str(), "*.rep");
    std::vector<std::pair<std::string, bool>> got;
    for (const auto& entry : entries)
        got.emplace_back(entry.name, entry.isDirectory);
    const std::vector<std::pair<std::string, bool>> expected = {
        {".hidden.rep", false}, {"A.rep", false},    {"b.rep", false},  {"dangling.rep", false},
        {"dirlink.rep", true},  {"link.rep", false}, {"sub.rep", true}, {"X.REP", false}};
    EXPECT_EQ(got, expected);
}

TEST_F(ListDirectoryTest, StarListsEverythingButDotEntries) {
    touch("a.txt");
    fs::create_directory(dir_ / "folder");
    const auto entries = platform::ListDirectory(dir_.str(), "*");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "a.txt");
    EXPECT_EQ(entries[1].name, "folder");
}

TEST_F(ListDirectoryTest, MissingOrUnreadableFolderIsEmpty) {
    EXPECT_TRUE(platform::ListDirectory((dir_ / "missing").string(), "*").empty());
    touch("file.rep");
    EXPECT_TRUE(platform::ListDirectory((dir_ / "file.rep").string(), "*").empty());
}

} // namespace
