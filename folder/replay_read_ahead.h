// The next replay files of a listing, read by a few threads of their own while the scan works
// on the file in hand: storage answers several reads at once much faster than one after
// another when the files are not in memory yet. Each file is read once, by ReadReplay, into
// the record the scan then takes; nothing else of the program runs on these threads.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "replay/zerohour.h"

struct ReadAheadLimits {
    std::size_t threads = 16;
    // Entries read ahead of the scan at most: records, and while a file is being read its
    // header (at most HeaderReadLimit bytes, usually 1 to 3 KiB).
    std::size_t entries = 64;
    // From memory, reading ahead only costs: the threads start once the scan's own read of a
    // file came from the storage, and pause after this many reads in a row from memory until
    // it does again. 0: they start at once and never pause.
    std::size_t memoryReadsToPause = 32;
    // Called on a reading thread, for the entry it is about to read, and once the scan may
    // take what came of it. Tests use them to order reads and changes to the files.
    std::function<void(std::size_t entry)> beforeRead;
    std::function<void(std::size_t entry)> afterRead;
};

inline const ReadAheadLimits NoReadAhead{0, 0, 0, {}, {}};

class ReplayReadAhead {
public:
    // Starts reading the non-directory entries of folder, in their order.
    ReplayReadAhead(const std::string& folder, const std::vector<platform::DirectoryEntry>& entries,
                    ReadAheadLimits limits);
    // Stops the threads; a read under way ends first.
    ~ReplayReadAhead();
    ReplayReadAhead(const ReplayReadAhead&) = delete;
    ReplayReadAhead& operator=(const ReplayReadAhead&) = delete;

    // Entry i's record when it was read ahead and the read succeeded, and releases it;
    // nullopt when the read failed or has not ended (the caller then reads the file itself,
    // and nothing that was read ahead is used). Entries are taken in increasing order; an
    // entry is never read ahead once a later one or itself was taken.
    std::optional<TZH_replay> take(std::size_t entry);
    // ReadReplay(path) on the scan's thread, for a file that take() did not give: a read
    // from the storage starts the threads or wakes them from their pause.
    TZH_replay readHere(const Text& path);

private:
    enum class State { Free, Reading, Read, Failed, Abandoned };
    struct Slot {
        State state = State::Free;
        TZH_replay record;
    };

    // Whether reads on this thread since it was made came from the storage: the system's
    // count of bytes read from it, where there is one; else a read that took long. (Time alone
    // misleads on a busy machine, where a read from memory may wait for a processor.)
    class StorageRead {
    public:
        StorageRead(); // out of line: Clang can't use the initializers inside the outer class
        bool happened(bool askCount);
        bool counted() const { return bytes_.has_value(); }

    private:
        std::optional<uint64_t> bytes_;
        std::chrono::steady_clock::time_point start_;
    };
    static constexpr std::size_t OwnReadsPerCheck = 8;

    void work();
    void start();
    bool canClaim() const;
    Slot& slotOf(std::size_t entry) { return slots_[entry % slots_.size()]; }

    const std::string folder_;
    const std::vector<platform::DirectoryEntry>& entries_;
    const ReadAheadLimits limits_;
    std::mutex mutex_;
    std::condition_variable canRead_; // an entry may be claimed, or the threads must stop
    std::vector<Slot> slots_;
    std::size_t next_ = 0;    // the next entry a thread may read
    std::size_t held_ = 0;    // slots not free
    std::size_t waiting_ = 0; // threads waiting for an entry to read
    bool fromStorage_ = true; // the last read came from the storage, not from memory
    bool paused_ = false;
    std::size_t memoryReads_ = 0; // reads in a row that came from memory
    std::size_t files_ = 0;
    const bool usable_;
    // The scan's own reads (its thread only).
    std::optional<StorageRead> ownCheck_;
    std::size_t ownReads_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};
