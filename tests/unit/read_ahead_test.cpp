// The listing with its headers read ahead gives what the plain listing gives: the same records
// in the same order, the same errors, one pass before every entry; and a file that changes
// during the listing is read as it was at its read-ahead or as it is at its turn, never mixed.
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "folder/replay_folder.h"
#include "tests/support/replay_builder.h"
#include "tests/support/shared_data.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_path.h"
#include "tools/replay_report.h"

namespace fs = std::filesystem;
namespace rb = replay_builder;

namespace {

struct Listing {
    std::vector<std::string>
        outcomes;            // every member of a record (as tarvex-info's JSON), or its error
    std::size_t entries = 0; // passes before an entry
};

struct Hooks {
    std::function<void(std::size_t)> listed;
    std::function<void(std::size_t entry)> beforeEntry, visited;
};

Listing List(const fs::path& folder, const ReadAheadLimits& limits, const Hooks& hooks = {}) {
    Listing listing;
    ForEachReplayFile(
        testsupport::PathUtf8(folder), ReplayFileMask,
        [&](ListedReplayFile& file) {
            try {
                listing.outcomes.push_back(ReplayToJson(file.read()));
            } catch (const ReplayReadError& error) {
                listing.outcomes.push_back(std::string("error: ") + error.what());
            }
            if (hooks.visited) hooks.visited(listing.entries - 1);
        },
        [&] {
            if (hooks.beforeEntry) hooks.beforeEntry(listing.entries);
            ++listing.entries;
        },
        hooks.listed, limits);
    return listing;
}

std::string ReplayBytes(const std::string& player, int money = 10000) {
    rb::Settings settings;
    settings.money = money;
    settings.slots = {rb::Human(player, "C0A80102", 1, 3, 0, 0), rb::Computer('H', 2, 4, 1, 1)};
    rb::Replay replay;
    replay.settings = rb::SettingsText(settings);
    return rb::Bytes(replay);
}

// Whether done() came to hold; a thread that never comes ends the wait after a while.
bool Eventually(const std::function<bool()>& done) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    return done();
}

// Entries of every kind a folder may hold: good replays, headers longer than a read block,
// cut and foreign files, a folder and (on Linux) a pipe named like a replay.
class ReadAheadFolder : public testing::Test {
protected:
    void SetUp() override {
        write("a good.rep", ReplayBytes("Alpha"));
        write("b long header.rep", ReplayBytes(std::string(3000, 'L'), 5000));
        write("c cut.rep", ReplayBytes("Cut").substr(0, 300));
        write("d empty.rep", "");
        write("e magic only.rep", "GENREP");
        write("f text.rep", "not a replay at all;;;;;;;;;;");
        rb::Replay endless;
        endless.settings = std::string(70 * 1024, 'x');
        write("g no end.rep", rb::Bytes(endless));
        fs::create_directory(dir_ / "h folder.rep");
#ifndef _WIN32
        ASSERT_EQ(::mkfifo((dir_ / "i pipe.rep").c_str(), 0600), 0);
#endif
        for (int i = 0; i < 12; ++i)
            write("j" + std::to_string(100 + i) + ".rep",
                  ReplayBytes("P" + std::to_string(i), 1000 * i));
        write("k Coupé.rep", ReplayBytes("Ünïcode"));
    }
    void write(const std::string& name, const std::string& bytes) {
        rb::WriteFile(testsupport::PathUtf8(dir_.path() / testsupport::Utf8Path(name)), bytes);
    }
    void remove(const std::string& name) {
        fs::remove(dir_.path() / testsupport::Utf8Path(name));
    }
    // The line of the listing that names the file.
    static std::string& lineOf(Listing& listing, const std::string& name) {
        for (std::string& line : listing.outcomes)
            if (line.find(name) != std::string::npos) return line;
        ADD_FAILURE() << name << " not listed";
        return listing.outcomes.at(0);
    }
    testsupport::TempDir dir_;
};

// The listing of folder with its headers read ahead; when every entry waits for its own
// read-ahead to end, each file comes from the bytes read ahead, else as the threads keep up.
Listing ListAhead(const fs::path& folder, std::size_t threads, std::size_t entries,
                  bool waitForEach) {
    std::vector<bool> isFile; // for each entry, in the read-ahead's order
    for (const auto& entry : platform::ListDirectory(testsupport::PathUtf8(folder), ReplayFileMask))
        isFile.push_back(!entry.isDirectory);
    std::vector<std::atomic<bool>> ended(isFile.size());
    Hooks hooks;
    if (waitForEach)
        hooks.beforeEntry = [&](std::size_t entry) {
            if (isFile.at(entry)) {
                EXPECT_TRUE(Eventually([&] { return ended[entry].load(); }))
                    << "entry " << entry << " never read ahead";
            }
        };
    // The threads read from the start and never pause, as they do from a cold cache (the
    // test's files are in memory).
    return List(folder,
                ReadAheadLimits{
                    threads, entries, 0, {}, [&](std::size_t entry) { ended.at(entry) = true; }},
                hooks);
}

TEST_F(ReadAheadFolder, GivesThePlainListingsRecordsErrorsAndPasses) {
    const Listing plain = List(dir_.path(), NoReadAhead);
    ASSERT_GE(plain.outcomes.size(), 20u);
    struct Case {
        std::size_t threads, entries;
        bool waitForEach;
    };
    for (const Case c : {Case{1, 1, true}, Case{3, 2, true}, Case{16, 64, true}, Case{1, 1, false},
                         Case{3, 2, false}, Case{16, 64, false}}) {
        SCOPED_TRACE(testing::Message() << c.threads << " threads, " << c.entries
                                        << " entries, each waited for: " << c.waitForEach);
        for (int round = 0; round < 3; ++round) {
            const Listing ahead = ListAhead(dir_.path(), c.threads, c.entries, c.waitForEach);
            EXPECT_EQ(ahead.outcomes, plain.outcomes);
            EXPECT_EQ(ahead.entries, plain.entries);
        }
    }
}

TEST(ReadAheadRealFolder, GivesThePlainListingsRecords) {
    TARVEX_REQUIRE_SHARED(testsupport::RealReplayDir());
    const Listing plain = List(testsupport::RealReplayDir(), NoReadAhead);
    ASSERT_FALSE(plain.outcomes.empty());
    EXPECT_EQ(ListAhead(testsupport::RealReplayDir(), 4, 8, true).outcomes, plain.outcomes);
    EXPECT_EQ(ListAhead(testsupport::RealReplayDir(), 16, 64, false).outcomes, plain.outcomes);
}

// Every file read ahead before the first entry's turn, then changed, cut, removed, and a new
// one added: the listing shows the folder as it was read ahead, never a cut header. One file
// was gone when the threads came to it: its failed read-ahead leaves it to its turn, where it
// is back.
TEST_F(ReadAheadFolder, FilesChangedAfterTheirReadAheadAreReadAsTheyWere) {
    Listing before = List(dir_.path(), NoReadAhead);
    std::atomic<std::size_t> ended{0};
    Hooks hooks;
    hooks.listed = [&](std::size_t) { remove("j103.rep"); };
    hooks.beforeEntry = [&](std::size_t entry) {
        if (entry != 0) return;
        ASSERT_TRUE(Eventually([&] { return ended == before.outcomes.size(); }));
        write("a good.rep", ReplayBytes("Replaced by a longer name", 20000));
        write("b long header.rep", ReplayBytes("Short"));
        write("j103.rep", ReplayBytes("Back again"));
        write("j105.rep", ReplayBytes("P5").substr(0, 500));
        remove("j106.rep");
        write("a new one.rep", ReplayBytes("Late"));
    };
    const Listing ahead =
        List(dir_.path(), ReadAheadLimits{4, 64, 0, {}, [&](std::size_t) { ++ended; }}, hooks);
    Listing now = List(dir_.path(), NoReadAhead);
    EXPECT_NE(lineOf(now, "j103.rep").find("Back again"), std::string::npos);
    lineOf(before, "j103.rep") = lineOf(now, "j103.rep");
    EXPECT_EQ(ahead.outcomes, before.outcomes);
    EXPECT_NE(now.outcomes, before.outcomes); // the changes reached the folder
}

// Every read-ahead held back until the listing passed its entry: each file is read at its
// turn, as the plain listing reads the changed folder, errors included; and the threads,
// more than the files read ahead, never hold more of them than the window.
TEST_F(ReadAheadFolder, FilesWhoseReadAheadHasNotEndedAreReadAtTheirTurn) {
    std::vector<bool> isFile;
    for (const auto& entry :
         platform::ListDirectory(testsupport::PathUtf8(dir_.path()), ReplayFileMask))
        isFile.push_back(!entry.isDirectory);
    std::atomic<std::size_t> passed{0}; // entries visited so far
    std::atomic<bool> overtook{false};
    ReadAheadLimits limits{16,
                           8,
                           0,
                           [&](std::size_t entry) {
                               // The files after the one in hand, up to this one, are all read
                               // ahead: the scan has not taken them yet. (The folder among the
                               // entries takes no place in the window.)
                               auto inHand =
                                   isFile.begin() + static_cast<std::ptrdiff_t>(passed.load());
                               inHand = std::find(inHand, isFile.end(), true);
                               const auto claimed =
                                   isFile.begin() + static_cast<std::ptrdiff_t>(entry) + 1;
                               if (inHand < claimed && std::count(inHand + 1, claimed, true) > 8)
                                   overtook = true;
                               Eventually([&] { return passed > entry; });
                           },
                           {}};
    Hooks hooks;
    hooks.beforeEntry = [&](std::size_t entry) {
        if (entry != 0) return;
        write("a good.rep", ReplayBytes("Replaced", 20000));
        write("b long header.rep", ReplayBytes("Short"));
        remove("j106.rep");
    };
    hooks.visited = [&](std::size_t entry) { passed = entry + 1; };
    Listing ahead = List(dir_.path(), limits, hooks);
    EXPECT_FALSE(overtook);
    // The file that went away gives the error that reading it now gives.
    std::string gone;
    try {
        ReadReplay(testsupport::PathUtf8(dir_ / "j106.rep"));
    } catch (const ReplayReadError& error) {
        gone = std::string("error: ") + error.what();
    }
    EXPECT_EQ(lineOf(ahead, "j106.rep"), gone);
    std::erase(ahead.outcomes, gone);
    EXPECT_EQ(ahead.outcomes, List(dir_.path(), NoReadAhead).outcomes);
}

} // namespace
