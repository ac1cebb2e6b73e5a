#include "platform/posix/folder_state.h"

#include <algorithm>
#include <cstdint>

namespace platform {

namespace {

constexpr int64_t NanosecondsPerSecond = 1'000'000'000;
constexpr int64_t SettledAfter = 2 * NanosecondsPerSecond;

// Seconds apart first: a time centuries away overflows 64 bits counted in nanoseconds.
bool FarFrom(FileTime time, FileTime now) {
    const FileTime early = std::min(time, now);
    const FileTime late = std::max(time, now);
    // Unsigned, the later's seconds less the earlier's never overflow.
    const uint64_t seconds =
        static_cast<uint64_t>(late.seconds) - static_cast<uint64_t>(early.seconds);
    if (seconds > static_cast<uint64_t>(SettledAfter / NanosecondsPerSecond) + 1) return true;
    const int64_t apart =
        static_cast<int64_t>(seconds) * NanosecondsPerSecond + late.nanoseconds - early.nanoseconds;
    return apart > SettledAfter;
}

} // namespace

FolderState FolderStateOf(const struct stat& info) {
    return {info.st_dev,
            info.st_ino,
            info.st_nlink,
            info.st_size,
            FileTimeOf(info.st_mtim),
            FileTimeOf(info.st_ctim)};
}

bool SameFolderState(const FolderState& a, const FolderState& b) {
    return a.device == b.device && a.inode == b.inode && a.links == b.links && a.size == b.size &&
           a.modified == b.modified && a.changed == b.changed;
}

bool IsSettled(const FolderState& folder, FileTime now) {
    return FarFrom(folder.modified, now) && FarFrom(folder.changed, now);
}

} // namespace platform
