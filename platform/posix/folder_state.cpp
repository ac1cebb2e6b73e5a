#include "platform/posix/folder_state.h"

#include <cstdint>

namespace platform {

namespace {

constexpr int64_t NanosecondsPerSecond = 1'000'000'000;
constexpr int64_t SettledAfter = 2 * NanosecondsPerSecond;

int64_t Nanoseconds(timespec time) {
    return int64_t{time.tv_sec} * NanosecondsPerSecond + time.tv_nsec;
}

bool SameTime(timespec a, timespec b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool FarFrom(timespec time, timespec now) {
    const int64_t apart = Nanoseconds(time) - Nanoseconds(now);
    return apart > SettledAfter || apart < -SettledAfter;
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
