#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/posix/folder_state.h"
#include "tests/platform/fake_prefix.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

class FindEntryTest : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir_ / "Data" / "Replays");
        fs::create_directories(dir_ / "Data" / "maps");
        testsupport::WriteText(dir_ / "Data" / "maps" / "TournamentDesert.bmp", "BM");
    }
    std::optional<std::string> find(std::string_view relative) {
        return platform::FindEntry(dir_.str(), relative);
    }
    std::string path(const std::string& relative) { return (dir_ / relative).string(); }
    testsupport::TempDir dir_;
};

TEST_F(FindEntryTest, MatchesEveryPartIgnoringCase) {
    EXPECT_EQ(find("Data/Replays"), path("Data/Replays"));
    EXPECT_EQ(find("DATA/replays"), path("Data/Replays"));
    EXPECT_EQ(find("data/MAPS/tournamentdesert.BMP"), path("Data/maps/TournamentDesert.bmp"));
}

TEST_F(FindEntryTest, MissingEntriesAreNotFound) {
    EXPECT_FALSE(find("Data/Replay"));
    EXPECT_FALSE(find("Other/Replays"));
    EXPECT_FALSE(find("Data/maps/TournamentDesert.bmp/more"));
    EXPECT_FALSE(platform::FindEntry(path("missing"), "x"));
}

TEST_F(FindEntryTest, PrefersTheExactSpellingThenTheFirstInFolderOrder) {
    fs::create_directories(dir_ / "Data" / "replays");
    fs::create_directories(dir_ / "Data" / "REPLAYS");
    EXPECT_EQ(find("Data/replays"), path("Data/replays"));
    EXPECT_EQ(find("Data/RePlays"), path("Data/REPLAYS"));
}

// A file's modification time past 2262, beyond 64 bits counted in nanoseconds, is kept whole.
TEST_F(FindEntryTest, AFileStampKeepsATimeCenturiesAhead) {
    const fs::path file = dir_ / "MapCache.ini";
    std::ofstream(file) << "x";
    const timespec far[2] = {{10'000'000'000, 5}, {10'000'000'000, 5}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), far, 0), 0);
    const auto stamp = platform::FileStampOf(file.string());
    ASSERT_TRUE(stamp.has_value());
    EXPECT_EQ(stamp->modified, (platform::FileTime{10'000'000'000, 5}));
}

// A folder's listing is kept while the folder is settled and its state the same.
TEST_F(FindEntryTest, AFolderIsSettledFarFromNowEitherWayAndChangedByAnyEntry) {
    constexpr time_t Now = 1'800'000'000;
    // Modification and change times from now, and whether the folder is settled: two hours
    // ago; two hours ahead (a clock kept in local time); a second ago; a second ahead; its
    // modification time put back just now; centuries ahead and behind, whose nanoseconds from
    // now wrap past 2^64 to within a second.
    constexpr time_t Wraps = 18'446'744'074;
    const std::tuple<time_t, time_t, bool> cases[] = {
        {-7200, -7200, true}, {7200, 7200, true},   {-1, -1, false},       {1, 1, false},
        {-7200, 0, false},    {Wraps, Wraps, true}, {-Wraps, -Wraps, true}};
    for (const auto& [modified, changed, settled] : cases) {
        platform::FolderState folder;
        folder.modified = {Now + modified, 0};
        folder.changed = {Now + changed, 0};
        EXPECT_EQ(platform::IsSettled(folder, {Now, 0}), settled) << modified << " " << changed;
    }
    // An entry added behind the folder's back, its modification time put back, still shows.
    const fs::path data = dir_ / "Data";
    struct stat before {
    }, after{};
    ASSERT_EQ(::stat(data.c_str(), &before), 0);
    const auto modified = fs::last_write_time(data);
    fs::create_directories(data / "PREVIEWS");
    fs::last_write_time(data, modified);
    ASSERT_EQ(::stat(data.c_str(), &after), 0);
    EXPECT_FALSE(
        platform::SameFolderState(platform::FolderStateOf(before), platform::FolderStateOf(after)));
}

TEST_F(FindEntryTest, EmptyPartsAndEmptyPathAreHarmless) {
    EXPECT_EQ(find("Data//Replays/"), path("Data/Replays"));
    EXPECT_EQ(find(""), dir_.str());
}

} // namespace
