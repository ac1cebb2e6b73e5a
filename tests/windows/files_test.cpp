// Reading replays by their Unicode names, read-only and while another program holds them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "folder/replay_folder.h"
#include "platform/platform.h"
#include "platform/win32/win32_internal.h"
#include "replay/zerohour.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"
#include "tests/windows/wide_paths.h"

namespace {

namespace rb = replay_builder;
using wintest::Utf8Of;

std::string SampleReplay() {
    rb::Settings settings;
    settings.slots = {rb::Human("Alice", "C0A80102", 0, 2, 0, 0),
                      rb::Human("Bob", "C0A80103", 1, 3, 1, 1)};
    rb::Replay replay;
    replay.settings = rb::SettingsText(settings);
    return rb::Bytes(replay);
}

class FilesTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes = SampleReplay()) {
        const std::string path = platform::JoinPath(Utf8Of(dir_.path()), name);
        rb::WriteFile(path, bytes);
        return path;
    }
    testsupport::TempDir dir_;
};

HANDLE OpenWide(const std::wstring& path, DWORD access, DWORD share) {
    return CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

TEST_F(FilesTest, ReplayNamedInCyrillicAndChinese) {
    const std::string name = "Повтор 录像 1.rep";
    const std::string path = Write(name);
    // The name on disk is the real one, not a code-page approximation of it.
    const std::wstring widePath = dir_.path().wstring() + L"\\Повтор 录像 1.rep";
    ASSERT_NE(GetFileAttributesW(widePath.c_str()), INVALID_FILE_ATTRIBUTES);

    const TZH_replay replay = ReadReplay(path);
    EXPECT_TRUE(replay.valid);
    EXPECT_EQ(replay.file.name, name);
    EXPECT_EQ(replay.file.path, path);
    EXPECT_EQ(replay.file.size, static_cast<int32_t>(SampleReplay().size()));
    ASSERT_EQ(replay.players.size(), 2u);
    EXPECT_EQ(replay.players[0].name, "Alice");

    const auto entries = platform::ListDirectory(Utf8Of(dir_.path()), "*.rep");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, name);
}

TEST_F(FilesTest, FolderNamedInGreekIsListedAndRead) {
    const std::string folder = platform::JoinPath(Utf8Of(dir_.path()), "Επαναλήψεις");
    ASSERT_TRUE(std::filesystem::create_directory(wintest::Utf8Path(folder)));
    rb::WriteFile(platform::JoinPath(folder, "one.rep"), SampleReplay());
    EXPECT_TRUE(platform::DirectoryExists(folder));
    std::vector<std::string> seen;
    ForEachReplayFile(folder + "\\", ReplayFileMask,
                      [&](const ListedReplayFile& file) { seen.push_back(file.path); });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], platform::JoinPath(folder, "one.rep"));
    EXPECT_TRUE(ReadReplay(seen[0]).valid);
}

TEST_F(FilesTest, ReadOnlyReplayIsStillRead) {
    const std::string path = Write("kept.rep");
    const std::wstring wide = platform::win32::Widen(path);
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY));
    // For an ordinary user the attribute keeps every writer out; Wine running as root lets
    // them in, and then only the handle cases below can tell a writing reader apart.
    const HANDLE writer = OpenWide(wide, GENERIC_WRITE, FILE_SHARE_READ);
    if (writer != INVALID_HANDLE_VALUE) {
        CloseHandle(writer);
        RecordProperty("note", "the read-only attribute is not enforced for this user");
    }

    const TZH_replay replay = ReadReplay(path);
    EXPECT_TRUE(replay.valid);
    EXPECT_EQ(GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_READONLY,
              DWORD{FILE_ATTRIBUTE_READONLY});
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
}

struct Holder {
    const char* label;
    DWORD access;
    DWORD share;
};

TEST_F(FilesTest, ReplayHeldOpenByAnotherProgramIsStillRead) {
    // The game keeps the replay open for writing while a match is recorded; other tools
    // hold replays open and share only reading.
    const Holder holders[] = {
        {"writer sharing only reads", GENERIC_WRITE, FILE_SHARE_READ},
        {"writer sharing reads and writes", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE},
        {"writer sharing everything", GENERIC_WRITE,
         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE},
        {"reader sharing only reads", GENERIC_READ, FILE_SHARE_READ},
        {"reader and writer sharing reads", GENERIC_READ | GENERIC_WRITE,
         FILE_SHARE_READ | FILE_SHARE_WRITE},
    };
    const std::string path = Write("recording.rep");
    const std::wstring wide = platform::win32::Widen(path);
    for (const auto& holder : holders) {
        SCOPED_TRACE(holder.label);
        const HANDLE held = OpenWide(wide, holder.access, holder.share);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_TRUE(ReadReplay(path).valid);
        CloseHandle(held);
    }
}

TEST_F(FilesTest, SharingIsEnforcedHere) {
    // Without this the cases above could not tell a careless open from a careful one.
    const std::string path = Write("guarded.rep");
    const std::wstring wide = platform::win32::Widen(path);
    const HANDLE writer = OpenWide(wide, GENERIC_WRITE, FILE_SHARE_READ);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    const HANDLE notSharingWrites = OpenWide(wide, GENERIC_READ, FILE_SHARE_READ);
    EXPECT_EQ(notSharingWrites, INVALID_HANDLE_VALUE);
    if (notSharingWrites != INVALID_HANDLE_VALUE) CloseHandle(notSharingWrites);
    const HANDLE secondWriter = OpenWide(wide, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_EQ(secondWriter, INVALID_HANDLE_VALUE);
    if (secondWriter != INVALID_HANDLE_VALUE) CloseHandle(secondWriter);
    CloseHandle(writer);
}

TEST_F(FilesTest, ReaderLetsOthersWriteAndDeleteMeanwhile) {
    const std::string path = Write("shared.rep");
    platform::InputFile reading(path);
    char first[6] = {};
    EXPECT_EQ(reading.read(first, sizeof first), sizeof first);
    EXPECT_EQ(std::string(first, sizeof first), "GENREP");

    const HANDLE writer = OpenWide(platform::win32::Widen(path), GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    EXPECT_NE(writer, INVALID_HANDLE_VALUE);
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
}

TEST_F(FilesTest, UnreadablePathsGiveTheSystemsReason) {
    const std::string folder = Utf8Of(dir_.path());
    std::filesystem::create_directory(dir_.path() / "folder.rep");
    struct Unreadable {
        std::string path;
        DWORD error;
    };
    const Unreadable cases[] = {
        {platform::JoinPath(folder, "gone.rep"), ERROR_FILE_NOT_FOUND},
        {platform::JoinPath(folder, "no such folder\\gone.rep"), ERROR_PATH_NOT_FOUND},
        {platform::JoinPath(folder, "folder.rep"), ERROR_ACCESS_DENIED},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.path);
        try {
            ReadReplay(test.path);
            ADD_FAILURE() << "read without an error";
        } catch (const ReplayReadError& error) {
            EXPECT_EQ(error.path(), test.path);
            EXPECT_EQ(error.reason(), platform::win32::SystemMessage(test.error));
        }
    }
}

TEST_F(FilesTest, SizesComeFromTheFileSystem) {
    const std::string folder = Utf8Of(dir_.path());
    const std::string path = Write("sized.rep", std::string(3000, 'x'));
    const std::string hidden = Write("hidden.rep", std::string(17, 'x'));
    SetFileAttributesW(platform::win32::Widen(hidden).c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    EXPECT_EQ(platform::FileSize(path), 3000u);
    EXPECT_EQ(platform::FileSize(hidden), 17u);
    EXPECT_EQ(platform::FileSize(platform::JoinPath(folder, "missing.rep")), std::nullopt);
    EXPECT_EQ(platform::FileSize(""), std::nullopt);
    EXPECT_TRUE(platform::FileExists(path));
    EXPECT_FALSE(platform::FileExists(folder));
    EXPECT_TRUE(platform::DirectoryExists(folder));
    EXPECT_FALSE(platform::DirectoryExists(path));
    // Windows ignores letter case: FindEntry only needs to join.
    EXPECT_EQ(platform::FindEntry(folder, "SIZED.REP"), platform::JoinPath(folder, "SIZED.REP"));
    EXPECT_EQ(platform::FindEntry(folder, "absent.rep"), std::nullopt);
}

} // namespace
