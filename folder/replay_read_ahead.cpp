#include "folder/replay_read_ahead.h"

#include <algorithm>
#include <chrono>
#include <system_error>

namespace {

// Whether a read on this thread came from the storage: the system's count of bytes read from
// it, where there is one; else a read that took long. (Time alone misleads on a busy machine,
// where a read from memory may wait its turn for a processor.)
} // namespace

// The count, when there is one, is asked again only when askCount is set.
ReplayReadAhead::StorageRead::StorageRead()
    : bytes_(platform::ThreadStorageReadBytes()), start_(std::chrono::steady_clock::now()) {}

bool ReplayReadAhead::StorageRead::happened(bool askCount) {
    if (!bytes_) return std::chrono::steady_clock::now() - start_ > std::chrono::microseconds(100);
    return askCount && platform::ThreadStorageReadBytes().value_or(*bytes_) > *bytes_;
}

namespace {

std::size_t FilesAmong(const std::vector<platform::DirectoryEntry>& entries) {
    return static_cast<std::size_t>(std::count_if(
        entries.begin(), entries.end(), [](const auto& entry) { return !entry.isDirectory; }));
}

} // namespace

ReplayReadAhead::ReplayReadAhead(const std::string& folder,
                                 const std::vector<platform::DirectoryEntry>& entries,
                                 ReadAheadLimits limits)
    : folder_(folder), entries_(entries), limits_(std::move(limits)), files_(FilesAmong(entries)),
      // A single file gains nothing from being read ahead: the scan wants it at once.
      usable_(limits_.threads > 0 && limits_.entries > 0 && files_ >= 2) {
    if (!usable_) return;
    slots_.resize(std::min(limits_.entries, entries.size()));
    if (limits_.memoryReadsToPause == 0) start();
}

void ReplayReadAhead::start() {
    const std::size_t threads = std::min(limits_.threads, files_);
    threads_.reserve(threads);
    try {
        for (std::size_t i = 0; i < threads; ++i)
            threads_.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
        // Fewer threads than asked for, or none: the scan reads what they don't.
    }
}

ReplayReadAhead::~ReplayReadAhead() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    canRead_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

// An entry's slot is its number modulo the number of slots: entries are claimed in order, so
// the slot a claim waits for is held by the oldest entry still held, the scan's next.
bool ReplayReadAhead::canClaim() const {
    return !paused_ && next_ < entries_.size() &&
           slots_[next_ % slots_.size()].state == State::Free;
}

void ReplayReadAhead::work() {
    // Files of the folder open relative to it on this thread too.
    const platform::FolderScope scope(folder_);
    std::unique_lock lock(mutex_);
    for (;;) {
        while (next_ < entries_.size() && entries_[next_].isDirectory)
            ++next_;
        if (stopping_ || next_ >= entries_.size()) return;
        if (!canClaim()) {
            ++waiting_;
            canRead_.wait(lock);
            --waiting_;
            continue;
        }
        const std::size_t entry = next_++;
        Slot& slot = slotOf(entry);
        ++held_;
        slot.state = State::Reading;
        // The scan frees a name only after taking its entry, which is still to come.
        const Text path = platform::JoinPath(folder_, entries_[entry].name);
        lock.unlock();
        if (limits_.beforeRead) limits_.beforeRead(entry);
        std::optional<TZH_replay> record;
        StorageRead storage;
        try {
            record = ReadReplay(path);
        } catch (...) {
            // The scan reads the file itself and meets whatever went wrong there.
        }
        const bool fromStorage = storage.happened(true);
        lock.lock();
        fromStorage_ = fromStorage;
        memoryReads_ = fromStorage ? 0 : memoryReads_ + 1;
        if (limits_.memoryReadsToPause > 0 && memoryReads_ >= limits_.memoryReadsToPause)
            paused_ = true;
        if (slot.state == State::Abandoned) {
            slot = Slot{}; // the scan passed it meanwhile: the slot may take another entry
            --held_;
            if (canClaim()) canRead_.notify_one();
        } else if (record) {
            slot.record = std::move(*record);
            slot.state = State::Read;
        } else {
            slot.state = State::Failed;
        }
        if (limits_.afterRead) {
            lock.unlock();
            limits_.afterRead(entry);
            lock.lock();
        }
    }
}

TZH_replay ReplayReadAhead::readHere(const Text& path) {
    if (!usable_) return ReadReplay(path);
    // The system's count costs a call: it is asked once every few reads here, where most
    // reads come from memory.
    if (++ownReads_ == OwnReadsPerCheck || !ownCheck_ || !ownCheck_->counted()) {
        ownReads_ = 0;
        ownCheck_.emplace();
    }
    TZH_replay record = ReadReplay(path);
    if (!ownCheck_->happened(ownReads_ + 1 == OwnReadsPerCheck)) return record;
    ownCheck_.reset();
    bool resume = false;
    {
        const std::lock_guard lock(mutex_);
        memoryReads_ = 0;
        resume = paused_;
        paused_ = false;
        fromStorage_ = true;
    }
    if (threads_.empty())
        this->start();
    else if (resume)
        canRead_.notify_all();
    return record;
}

std::optional<TZH_replay> ReplayReadAhead::take(std::size_t entry) {
    // Before the threads start too: they begin after the entries the scan has taken.
    if (!usable_) return std::nullopt;
    std::optional<TZH_replay> record;
    bool wake = false, fromStorage = false;
    {
        const std::lock_guard lock(mutex_);
        if (entry >= next_) {
            next_ = entry + 1;
        } else {
            Slot& slot = slotOf(entry);
            if (slot.state == State::Reading) {
                slot.state = State::Abandoned;
            } else {
                if (slot.state == State::Read) record = std::move(slot.record);
                slot = Slot{};
                --held_;
            }
        }
        // Waiting threads are woken together once a quarter of the entries may be read again,
        // not one by one for every entry taken: waking a thread costs more than a warm read.
        const std::size_t free = slots_.size() - held_;
        wake = waiting_ > 0 && (free >= std::max<std::size_t>(1, slots_.size() / 4) ||
                                free >= entries_.size() - next_);
        fromStorage = fromStorage_;
    }
    // Reads from the storage want as many under way as there are threads; from memory, one
    // thread keeps ahead of the scan, and waking the others would cost more than their reads.
    if (wake && fromStorage)
        canRead_.notify_all();
    else if (wake)
        canRead_.notify_one();
    return record;
}
