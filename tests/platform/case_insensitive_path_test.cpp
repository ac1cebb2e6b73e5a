#include <filesystem>

#include <gtest/gtest.h>

#include "platform/platform.h"
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

TEST_F(FindEntryTest, AFolderIsListedAgainOnlyOnceItsTimeChanged) {
    const fs::path data = dir_ / "Data";
    const auto settled = fs::file_time_type::clock::now() - std::chrono::hours(2);
    fs::last_write_time(data, settled);
    EXPECT_FALSE(find("Data/Previews"));
    // Added behind the folder's back, its time put back: the kept answer stands till it moves.
    fs::create_directories(data / "PREVIEWS");
    fs::last_write_time(data, settled);
    EXPECT_FALSE(find("Data/Previews"));
    fs::last_write_time(data, settled + std::chrono::hours(1));
    EXPECT_EQ(find("Data/Previews"), path("Data/PREVIEWS"));
}

TEST_F(FindEntryTest, EmptyPartsAndEmptyPathAreHarmless) {
    EXPECT_EQ(find("Data//Replays/"), path("Data/Replays"));
    EXPECT_EQ(find(""), dir_.str());
}

} // namespace
