#include <sys/stat.h>

#include <filesystem>
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

// A folder's listing is kept while the folder is settled and its state the same.
TEST_F(FindEntryTest, AFolderIsSettledFarFromNowEitherWayAndChangedByAnyEntry) {
    constexpr time_t Now = 1'800'000'000;
    const auto times = [](time_t modified, time_t changed) {
        platform::FolderState folder;
        folder.modified = {modified, 0};
        folder.changed = {changed, 0};
        return folder;
    };
    struct Case {
        const char* what;
        platform::FolderState folder;
        bool settled;
    };
    const Case cases[] = {
        {"changed two hours ago", times(Now - 7200, Now - 7200), true},
        {"written two hours ahead by a clock kept in local time", times(Now + 7200, Now + 7200),
         true},
        {"changed a second ago", times(Now - 1, Now - 1), false},
        {"a second ahead", times(Now + 1, Now + 1), false},
        {"its modification time put back just now", times(Now - 7200, Now), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::IsSettled(c.folder, {Now, 0}), c.settled) << c.what;

    // An entry added behind the folder's back, its modification time put back: still seen.
    const fs::path data = dir_ / "Data";
    struct stat before {};
    ASSERT_EQ(::stat(data.c_str(), &before), 0);
    const auto modified = fs::last_write_time(data);
    EXPECT_FALSE(find("Data/Previews"));
    fs::create_directories(data / "PREVIEWS");
    fs::last_write_time(data, modified);
    struct stat after {};
    ASSERT_EQ(::stat(data.c_str(), &after), 0);
    ASSERT_EQ(std::tie(after.st_mtim.tv_sec, after.st_mtim.tv_nsec),
              std::tie(before.st_mtim.tv_sec, before.st_mtim.tv_nsec));
    EXPECT_FALSE(
        platform::SameFolderState(platform::FolderStateOf(before), platform::FolderStateOf(after)));
    EXPECT_EQ(find("Data/Previews"), path("Data/PREVIEWS"));
}

TEST_F(FindEntryTest, EmptyPartsAndEmptyPathAreHarmless) {
    EXPECT_EQ(find("Data//Replays/"), path("Data/Replays"));
    EXPECT_EQ(find(""), dir_.str());
}

} // namespace
