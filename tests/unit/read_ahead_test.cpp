// The listing with its headers read ahead gives what the plain listing gives: the same records
// in the same order, the same errors, one pass before every entry; and a file that changes
// during the listing is read as it was at its read-ahead or as it is at its turn, never mixed.
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <set>
#include <thread>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "replay/replay_folder.h"
#include "shared_data.h"
#include "temp_dir.h"
#include "tools/replay_builder.h"
#include "utf8_path.h"

namespace fs = std::filesystem;
namespace rb = replay_builder;

namespace {

// Every member of a record, so that two records compare whole.
std::string Describe(const TZH_replay& r) {
    std::string text = r.file.path + "|" + r.file.name + "|" + std::to_string(r.file.size) + "|" + r.map.name + "|" +
                       std::to_string(r.map.code) + "|" + std::to_string(r.map.number) + "|" +
                       std::to_string(r.map.userMap) + "|" + std::to_string(r.money) + "|" +
                       std::to_string(r.superweaponLimit) + "|" + std::to_string(r.vanilla) + "|" + r.version + "|" +
                       std::to_string(r.duration) + "|" + std::to_string(r.valid);
    for (const TZH_player& p : r.players) {
        text += "|" + p.name + "," + std::to_string(p.army) + "," + std::to_string(p.slotValue1) + "," +
                std::to_string(p.human) + "," + std::to_string(p.team) + "," + std::to_string(p.slotValue3) + "," +
                std::to_string(p.port);
        for (const uint8_t part : p.address) text += "." + std::to_string(part);
    }
    return text;
}

struct Listing {
    std::vector<std::string> outcomes; // a record, or the error the file gave
    std::size_t entries = 0;           // passes before an entry
};

struct Hooks {
    std::function<void(std::size_t)> listed;
    std::function<void(std::size_t entry)> beforeEntry; // with the entry's number
    std::function<void(std::size_t entry)> visited;
};

Listing List(const fs::path& folder, const ReadAheadLimits& limits, const Hooks& hooks = {}) {
    Listing listing;
    ForEachReplayFile(
        testsupport::PathUtf8(folder), ReplayFileMask,
        [&](ListedReplayFile& file) {
            try {
                listing.outcomes.push_back(Describe(file.read()));
            } catch (const ReplayReadError& error) {
                listing.outcomes.push_back(std::string("error: ") + error.what());
            }
            if (hooks.visited) hooks.visited(listing.entries - 1);
        },
        [&] {
            if (hooks.beforeEntry) hooks.beforeEntry(listing.entries);
            ++listing.entries;
        },
        [&](std::size_t count) {
            if (hooks.listed) hooks.listed(count);
        },
        limits);
    return listing;
}

std::string Settings(const std::string& player, int money) {
    rb::Settings settings;
    settings.money = money;
    settings.slots = {rb::Human(player, "C0A80102", 1, 3, 0, 0), rb::Computer('H', 2, 4, 1, 1)};
    return rb::SettingsText(settings);
}

std::string ReplayBytes(const std::string& player, int money = 10000) {
    rb::Replay replay;
    replay.settings = Settings(player, money);
    return rb::Bytes(replay);
}

// Entries of every kind a folder may hold: good replays, headers longer than a read block,
// cut and foreign files, a folder and (on Linux) a pipe named like a replay.
class ReadAheadFolder : public testing::Test {
protected:
    void SetUp() override {
        write("a good.rep", ReplayBytes("Alpha"));
        rb::Replay longHeader;
        longHeader.settings = Settings(std::string(3000, 'L'), 5000);
        write("b long header.rep", rb::Bytes(longHeader));
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
        for (int i = 0; i < 12; ++i) write("j" + std::to_string(100 + i) + ".rep", ReplayBytes("P" + std::to_string(i), 1000 * i));
        write("k Coupé.rep", ReplayBytes("Ünïcode"));
    }
    void write(const std::string& name, const std::string& bytes) {
        rb::WriteFile(testsupport::PathUtf8(dir_.path() / testsupport::Utf8Path(name)), bytes);
    }
    void remove(const std::string& name) { fs::remove(dir_.path() / testsupport::Utf8Path(name)); }
    // The entry's number in the folder's order, as the read-ahead counts entries.
    std::size_t entryOf(const std::string& name) const {
        const auto entries = platform::ListDirectory(testsupport::PathUtf8(dir_.path()), ReplayFileMask);
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i].name == name) return i;
        ADD_FAILURE() << name << " not in the folder";
        return 0;
    }
    std::vector<std::size_t> fileEntries() const {
        std::vector<std::size_t> files;
        const auto entries = platform::ListDirectory(testsupport::PathUtf8(dir_.path()), ReplayFileMask);
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (!entries[i].isDirectory) files.push_back(i);
        return files;
    }
    // The line of the listing that names the file.
    std::size_t indexOf(const Listing& listing, const std::string& name) const {
        for (std::size_t i = 0; i < listing.outcomes.size(); ++i)
            if (listing.outcomes[i].find(name) != std::string::npos) return i;
        ADD_FAILURE() << name << " not listed";
        return 0;
    }
    testsupport::TempDir dir_;
};

// Ends a test that would otherwise hang when a thread it waits for never comes.
constexpr auto Patience = std::chrono::seconds(20);

// Entries whose read-ahead ended, for a listing to wait on.
class ReadsEnded {
public:
    void add(std::size_t entry) {
        {
            const std::lock_guard lock(mutex_);
            ended_.insert(entry);
        }
        changed_.notify_all();
    }
    bool waitFor(const std::vector<std::size_t>& entries) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, Patience, [&] {
            for (const std::size_t entry : entries)
                if (!ended_.count(entry)) return false;
            return true;
        });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::set<std::size_t> ended_;
};

// The listing of folder with its headers read ahead; when every entry waits for its own
// read-ahead to end, each file comes from the bytes read ahead, else as the threads keep up.
Listing ListAhead(const fs::path& folder, std::size_t threads, std::size_t entries, bool waitForEach) {
    ReadsEnded ended;
    std::vector<bool> isFile;
    for (const auto& entry : platform::ListDirectory(testsupport::PathUtf8(folder), ReplayFileMask))
        isFile.push_back(!entry.isDirectory);
    Hooks hooks;
    if (waitForEach)
        hooks.beforeEntry = [&](std::size_t entry) {
            if (isFile.at(entry)) {
                EXPECT_TRUE(ended.waitFor({entry})) << "entry " << entry << " never read ahead";
            }
        };
    // The threads read from the start and never pause, as they do from a cold cache (the
    // test's files are in memory).
    return List(folder, ReadAheadLimits{threads, entries, 0, {}, [&](std::size_t entry) { ended.add(entry); }},
                hooks);
}

TEST_F(ReadAheadFolder, GivesThePlainListingsRecordsErrorsAndPasses) {
    const Listing plain = List(dir_.path(), NoReadAhead);
    ASSERT_GE(plain.outcomes.size(), 20u);
    struct Case { std::size_t threads, entries; bool waitForEach; };
    for (const Case c : {Case{1, 1, true}, Case{3, 2, true}, Case{16, 64, true}, Case{1, 1, false},
                         Case{3, 2, false}, Case{16, 64, false}}) {
        SCOPED_TRACE(std::to_string(c.threads) + " threads, " + std::to_string(c.entries) + " entries" +
                     (c.waitForEach ? ", each read ahead" : ""));
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
// one added: the listing shows the folder as it was read ahead, never a cut header.
TEST_F(ReadAheadFolder, FilesChangedAfterTheirReadAheadAreReadAsTheyWere) {
    const Listing before = List(dir_.path(), NoReadAhead);
    ReadsEnded ended;
    ReadAheadLimits limits{4, 64, 0, {}, [&](std::size_t entry) { ended.add(entry); }};
    const std::vector<std::size_t> files = fileEntries();
    Hooks hooks;
    hooks.beforeEntry = [&](std::size_t entry) {
        if (entry != 0) return;
        ASSERT_TRUE(ended.waitFor(files));
        write("a good.rep", ReplayBytes("Replaced by a longer name", 20000));
        write("b long header.rep", ReplayBytes("Short"));
        write("j105.rep", ReplayBytes("P5").substr(0, 500));
        remove("j106.rep");
        write("a new one.rep", ReplayBytes("Late"));
    };
    const Listing ahead = List(dir_.path(), limits, hooks);
    EXPECT_EQ(ahead.outcomes, before.outcomes);
    // The plain listing now sees every change, which the read-ahead kept out.
    const Listing now = List(dir_.path(), NoReadAhead);
    for (const char* changed : {"a good.rep", "b long header.rep", "j105.rep"})
        EXPECT_NE(now.outcomes[indexOf(now, changed)], before.outcomes[indexOf(before, changed)]) << changed;
    EXPECT_EQ(now.outcomes.size(), before.outcomes.size()); // one file gone, one new
}

// Every read-ahead held back until the listing passed its entry: each file is read at its
// turn, as the plain listing reads the changed folder, errors included.
TEST_F(ReadAheadFolder, FilesWhoseReadAheadHasNotEndedAreReadAtTheirTurn) {
    std::atomic<std::size_t> passed{0}; // entries visited so far
    std::atomic<bool> overtook{false};
    ReadAheadLimits limits{4, 8, 0, [&](std::size_t entry) {
                               if (entry >= passed + 9) overtook = true; // more than the window ahead
                               const auto until = std::chrono::steady_clock::now() + Patience;
                               while (passed <= entry && std::chrono::steady_clock::now() < until)
                                   std::this_thread::sleep_for(std::chrono::microseconds(100));
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
    const std::size_t gone = indexOf(ahead, "j106.rep");
    EXPECT_THROW(
        try { ReadReplay(testsupport::PathUtf8(dir_ / "j106.rep")); } catch (const ReplayReadError& error) {
            EXPECT_EQ(ahead.outcomes[gone], std::string("error: ") + error.what());
            throw;
        },
        ReplayReadError);
    ahead.outcomes.erase(ahead.outcomes.begin() + static_cast<std::ptrdiff_t>(gone));
    EXPECT_EQ(ahead.outcomes, List(dir_.path(), NoReadAhead).outcomes);
}

// A read-ahead that failed (the file was gone) leaves the file to its turn, where it is back.
TEST_F(ReadAheadFolder, AFailedReadAheadIsReadAgainAtItsTurn) {
    const std::string bytes = ReplayBytes("Back again");
    const std::size_t j103 = entryOf("j103.rep");
    ReadsEnded ended;
    ReadAheadLimits limits{2, 64, 0, {}, [&](std::size_t entry) { ended.add(entry); }};
    Hooks hooks;
    hooks.listed = [&](std::size_t) { remove("j103.rep"); };
    hooks.beforeEntry = [&](std::size_t entry) {
        if (entry != 0) return;
        ASSERT_TRUE(ended.waitFor({j103}));
        write("j103.rep", bytes);
    };
    const Listing ahead = List(dir_.path(), limits, hooks);
    const Listing plain = List(dir_.path(), NoReadAhead);
    EXPECT_EQ(ahead.outcomes, plain.outcomes);
    EXPECT_NE(ahead.outcomes[indexOf(ahead, "j103.rep")].find("Back again"), std::string::npos);
}

} // namespace
