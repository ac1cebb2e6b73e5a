// A listing's files are opened relative to the folder that was listed; every other path opens
// as it reads, and the scope ends with its object.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::string Contents(const fs::path& file) {
    platform::InputFile input(file.string());
    char bytes[16];
    return std::string(bytes, input.read(bytes, sizeof bytes));
}

TEST(FolderScope, OpensTheListedFolderItselfAndEveryOtherPathAsItReads) {
    testsupport::TempDir dir, other;
    fs::create_directory(dir / "listed");
    fs::create_directory(dir / "listed" / "sub");
    replay_builder::WriteFile((dir / "listed" / "a.rep").string(), "inside");
    replay_builder::WriteFile((dir / "listed" / "sub" / "b.rep").string(), "below");
    replay_builder::WriteFile((other / "c.rep").string(), "other");
    const fs::path old = dir / "listed" / "a.rep";
    {
        const platform::FolderScope scope((dir / "listed").string());
        EXPECT_EQ(Contents(old), "inside");
        EXPECT_EQ(Contents(dir / "listed" / "sub" / "b.rep"), "below");
        EXPECT_EQ(Contents(other / "c.rep"), "other");
        EXPECT_THROW(Contents(dir / "listed" / "gone.rep"), platform::FileError);
        // Moved away after the listing, the folder still answers for the names listed in it.
        fs::rename(dir / "listed", dir / "moved");
        EXPECT_EQ(Contents(old), "inside");
    }
    EXPECT_THROW(Contents(old), platform::FileError);
}

} // namespace
