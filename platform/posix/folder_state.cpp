#include "platform/posix/folder_state.h"

#include <cstdint>

namespace platform {

namespace {

constexpr int64_t NanosecondsPerSecond = 1'000'000'000;
constexpr int64_t SettledAfter = 2 * NanosecondsPerSecond;

bool SameTime(timespec a, timespec b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool Before(timespec a, timespec b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// Seconds apart first: a time centuries away overflows 64 bits counted in nanoseconds.
bool FarFrom(timespec time, timespec now) {
    const timespec early = Before(time, now) ? time : now;
    const timespec late = Before(time, now) ? now : time;
    // Unsigned, the later's seconds less the earlier's never overflow.
    const uint64_t seconds =
        static_cast<uint64_t>(late.tv_sec) - static_cast<uint64_t>(early.tv_sec);
    if (seconds > static_cast<uint64_t>(SettledAfter / NanosecondsPerSecond) + 1) return true;
    const int64_t apart =
        static_cast<int64_t>(seconds) * NanosecondsPerSecond + late.tv_nsec - early.tv_nsec;
    return apart > SettledAfter;
}

} // namespace

FolderState FolderStateOf(const struct stat& info) {
    return {info.st_dev, info.st_ino, info.st_nlink, info.st_size, info.st_mtim, info.st_ctim};
}

bool SameFolderState(const FolderState& a, const FolderState& b) {
    return a.device == b.device && a.inode == b.inode && a.links == b.links && a.size == b.size &&
           SameTime(a.modified, b.modified) && SameTime(a.changed, b.changed);
}

bool IsSettled(const FolderState& folder, timespec now) {
    return FarFrom(folder.modified, now) && FarFrom(folder.changed, now);
}

} // namespace platform
