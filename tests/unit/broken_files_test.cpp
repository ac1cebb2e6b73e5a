// Damaged and odd files made from real replays: the reader must give a clear outcome for each,
// never crash, throw nothing but ReplayReadError, and never change the file it reads.
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "replay/zerohour.h"
#include "tests/support/replay_builder.h"
#include "tests/support/shared_data.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_path.h"

namespace fs = std::filesystem;
namespace rb = replay_builder;

namespace {

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string RealBytes(const std::string& name) {
    return ReadAll(testsupport::RealReplayDir() / name);
}

// Offset just past the ";" that closes the tenth header field.
std::size_t HeaderEnd(const std::string& bytes) {
    std::size_t end = 0;
    for (const Text& field : SplitHeaderBytes(bytes))
        end += field.size();
    return end;
}

struct FileState {
    std::string bytes;
    fs::file_time_type modified{};
};

FileState StateOf(const fs::path& file) {
    std::error_code error;
    const auto modified = fs::last_write_time(file, error);
    EXPECT_FALSE(error) << file << ": " << error.message();
    return {ReadAll(file), modified};
}

// Reads the file and checks that it came out of the read byte for byte and untouched.
TZH_replay ReadUnchanged(const fs::path& file) {
    const FileState before = StateOf(file);
    TZH_replay replay;
    EXPECT_NO_THROW(replay = ReadReplay(testsupport::PathUtf8(file))) << file;
    const FileState after = StateOf(file);
    EXPECT_TRUE(after.bytes == before.bytes) << file << " changed";
    EXPECT_TRUE(after.modified == before.modified) << file << " was written to";
    return replay;
}

// What every record must satisfy, whatever the bytes were.
void ExpectConsistent(const TZH_replay& r, const std::string& bytes) {
    // The first field holds the magic; it only counts once its ";" (at offset 139 or later,
    // within the first 64 KiB) has been read.
    const auto firstFieldEnd = bytes.find(';', 139);
    const bool magic = bytes.compare(0, 6, "GENREP") == 0 && firstFieldEnd < HeaderReadLimit;
    EXPECT_LE(r.players.size(), 8u);
    EXPECT_EQ(r.version.empty(), !magic) << r.version;
    if (r.valid) {
        EXPECT_TRUE(magic);
        EXPECT_TRUE(IsKnownVersion(r.version)) << r.version;
        EXPECT_EQ(r.version.size(), 4u);
    }
}

// The real files the damage starts from: English and Russian Zero Hour, a Generals replay.
const char* const Originals[] = {
    "00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep",
    "11-25-57_2v2_Kana_HardAI_Erbolat_Hulk.rep",
    "Test_003_BuildPowerPlantAndDozer.rep",
};

class BrokenFiles : public ::testing::Test {
protected:
    fs::path write(const std::string& name, const std::string& bytes) {
        const fs::path path = dir_.path() / testsupport::Utf8Path(name);
        // A new file each time: truncating one in place makes ext4 flush it to disk on close.
        fs::remove(path);
        rb::WriteFile(testsupport::PathUtf8(path), bytes);
        return path;
    }
    testsupport::TempDir dir_;
};

} // namespace

TEST_F(BrokenFiles, CutAtEveryByteOfTheHeaderAndBeyond) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    for (const char* original : Originals) {
        SCOPED_TRACE(original);
        const std::string whole = RealBytes(original);
        const TZH_replay full = ReadReplay((testsupport::RealReplayDir() / original).string());
        const std::size_t headerEnd = HeaderEnd(whole);
        ASSERT_GT(headerEnd, 139u);
        // Every byte of the first KiB (real settings texts end before byte 600), both sides of
        // the tenth field's ";" (which lies far into the body of a Generals replay), then
        // ever longer pieces.
        std::vector<std::size_t> cuts = {headerEnd - 1, headerEnd};
        for (std::size_t cut = 0; cut <= 1024; ++cut)
            cuts.push_back(cut);
        for (std::size_t cut = 1024; cut < whole.size(); cut *= 3)
            cuts.push_back(cut);
        for (const std::size_t cut : cuts) {
            SCOPED_TRACE("cut at " + std::to_string(cut));
            const std::string bytes = whole.substr(0, cut);
            const TZH_replay r = ReadUnchanged(write("cut.rep", bytes));
            ExpectConsistent(r, bytes);
            EXPECT_EQ(r.file.size, static_cast<int32_t>(cut));
            if (cut < headerEnd) {
                // The slot list is never complete: the replay can't be valid.
                EXPECT_FALSE(r.valid);
            } else {
                EXPECT_EQ(r.valid, full.valid);
                EXPECT_EQ(r.version, full.version);
                EXPECT_EQ(r.map.name, full.map.name);
                EXPECT_EQ(r.money, full.money);
                EXPECT_EQ(r.players.size(), full.players.size());
            }
            // The frame count is known as soon as its four bytes are there.
            const int32_t duration =
                cut >= 18 ? full.duration : DurationFromFileSize(static_cast<int32_t>(cut));
            EXPECT_EQ(r.duration, duration);
        }
    }
}

TEST_F(BrokenFiles, FlippedAndRandomisedBytes) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    std::mt19937 random(20240521); // fixed: a failure must be reproducible
    for (const char* original : Originals) {
        SCOPED_TRACE(original);
        const std::string whole = RealBytes(original);
        const std::size_t region = HeaderEnd(whole) + 16;
        const std::string start = whole.substr(0, region + 256);
        std::uniform_int_distribution<std::size_t> position(0, region - 1);
        std::uniform_int_distribution<int> byte(0, 255);
        for (int round = 0; round < 600; ++round) {
            std::string bytes = start;
            if (round % 3 == 2) {
                // A run of random bytes somewhere in the header.
                const std::size_t from = position(random);
                const std::size_t length =
                    std::min<std::size_t>(1 + position(random) % 40, region - from);
                for (std::size_t i = 0; i < length; ++i)
                    bytes[from + i] = static_cast<char>(byte(random));
            } else {
                // A few single bytes flipped, sometimes into the characters the format cares about.
                const char special[] = {';', '=', ':', ',', '/', '-', '\0', 'V', 'W'};
                for (int flips = 1 + round % 6; flips > 0; --flips) {
                    const std::size_t at = position(random);
                    bytes[at] =
                        round % 2 ? special[static_cast<std::size_t>(byte(random)) % sizeof special]
                                  : static_cast<char>(bytes[at] ^ (1 << (byte(random) % 8)));
                }
            }
            SCOPED_TRACE("round " + std::to_string(round));
            ExpectConsistent(ReadUnchanged(write("flipped.rep", bytes)), bytes);
        }
    }
}

TEST_F(BrokenFiles, EmptyFileIsAnInvalidReplay) {
    const TZH_replay r = ReadUnchanged(write("empty.rep", ""));
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.version, "");
    EXPECT_EQ(r.file.size, 0);
    EXPECT_EQ(r.duration, 0);
    EXPECT_TRUE(r.players.empty());
}

TEST_F(BrokenFiles, MegabytesWithoutASemicolon) {
    // The reader gives up after the first 64 KiB instead of reading 8 MB for nothing.
    const std::string bytes = "GENREP" + std::string(8 * 1024 * 1024, 'A');
    const TZH_replay r = ReadUnchanged(write("endless.rep", bytes));
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.version, ""); // the first field never ends, so the magic is never seen
    EXPECT_EQ(r.file.size, static_cast<int32_t>(bytes.size()));
    EXPECT_EQ(r.duration, 0x41414141 / 30); // the 'A's at offsets 14-17 read as the frame count
}

TEST_F(BrokenFiles, HeaderMustEndWithinTheFirst64KiB) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    const std::string whole = RealBytes(Originals[0]);
    const std::size_t headerEnd = HeaderEnd(whole);
    struct Case {
        std::size_t end;
        bool valid;
    };
    for (const Case c : {Case{HeaderReadLimit, true}, Case{HeaderReadLimit + 1, false}}) {
        SCOPED_TRACE(c.end);
        // Pad the slot list after its eighth ":" (which the slot parser ignores) so that the
        // ";" closing the tenth field is the file's byte number c.end.
        std::string bytes = whole.substr(0, headerEnd - 1);
        bytes += std::string(c.end - headerEnd, 'x') + ";";
        ASSERT_EQ(bytes.size(), c.end);
        bytes += whole.substr(headerEnd, 4096);
        const TZH_replay r = ReadUnchanged(write("long-header.rep", bytes));
        EXPECT_EQ(r.valid, c.valid);
        if (c.valid) {
            EXPECT_EQ(r.players.size(), 4u);
        }
    }
}

TEST_F(BrokenFiles, ReadOnlyFilesAreRead) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    // The game's installers may leave an empty read-only 00000000.rep beside the real replays.
    struct Case {
        const char* name;
        std::string bytes;
        bool valid;
    };
    const Case cases[] = {
        {"00000000.rep", "", false},
        {"real.rep", RealBytes(Originals[0]), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = write(c.name, c.bytes);
        fs::permissions(path,
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
#ifndef _WIN32
        if (::geteuid() == 0) {
            // The superuser may open anything for writing: read as an ordinary user instead,
            // in a child process, so that a request for write access would fail.
            fs::permissions(dir_.path(), fs::perms::all);
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                int code = 3;
                if (::setgid(65534) == 0 && ::setuid(65534) == 0) {
                    // A temporary folder below a private one can't be reached: nothing to learn.
                    if (::access(path.c_str(), R_OK) != 0) ::_exit(4);
                    try {
                        code = ReadReplay(path.string()).valid ? 0 : 1;
                    } catch (...) {
                        code = 2;
                    }
                }
                ::_exit(code);
            }
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFEXITED(status));
            if (WEXITSTATUS(status) == 4) {
                std::cerr << "note: " << path
                          << " is out of an ordinary user's reach; read as root only\n";
            } else {
                EXPECT_EQ(WEXITSTATUS(status), c.valid ? 0 : 1)
                    << "2: the read threw, 3: no ordinary user";
            }
        }
#endif
        const TZH_replay r = ReadUnchanged(path);
        EXPECT_EQ(r.valid, c.valid);
    }
}

TEST_F(BrokenFiles, PathsThatAreNotReadableFilesThrowReplayReadError) {
    const fs::path folder = dir_ / "folder.rep";
    fs::create_directory(folder);
    std::vector<fs::path> paths = {folder, dir_ / "missing.rep"};
#ifndef _WIN32
    // A FIFO without a writer would block a plain open for ever.
    const fs::path fifo = dir_ / "pipe.rep";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    paths.push_back(fifo);
#endif
    for (const fs::path& path : paths) {
        SCOPED_TRACE(path);
        try {
            (void)ReadReplay(path.string());
            ADD_FAILURE() << "no error for " << path;
        } catch (const ReplayReadError& error) {
            EXPECT_EQ(error.path(), path.string());
            EXPECT_FALSE(error.reason().empty());
            EXPECT_NE(std::string(error.what()).find(path.string()), std::string::npos);
        }
    }
}

TEST_F(BrokenFiles, CyrillicFileNameOpens) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    const fs::path path = write("Последний повтор.rep", RealBytes(Originals[1]));
    const TZH_replay r = ReadUnchanged(path);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.file.name, "Последний повтор.rep");
    EXPECT_EQ(r.map.name, "tournamentb");
}

TEST_F(BrokenFiles, CrashedGameFallsBackToTheSizeEstimate) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    // A game that crashed leaves its end time (bytes 10-13) and frame count (14-17) at 0.
    std::string bytes = RealBytes(Originals[0]);
    ASSERT_EQ(bytes.size(), 77245u);
    bytes.replace(10, 8, std::string(8, '\0'));
    const TZH_replay r = ReadUnchanged(write("crashed.rep", bytes));
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.duration, 629); // 77245 / 1024 / 0.12 = 628.6
}
