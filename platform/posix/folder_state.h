// Whether a folder still holds the entries it held when it was listed, as its status tells.
#pragma once

#include <sys/stat.h>

#include <ctime>

#include "platform/platform.h"

namespace platform {

// The system's time as the program compares it, the one conversion of a timespec.
inline FileTime FileTimeOf(const timespec& time) {
    return {int64_t{time.tv_sec}, int64_t{time.tv_nsec}};
}

// What an entry added to, removed from or renamed in a folder changes: its change time always,
// its modification time unless a program puts it back, its size and link count often.
struct FolderState {
    dev_t device = 0;
    ino_t inode = 0;
    nlink_t links = 0;
    off_t size = 0;
    FileTime modified;
    FileTime changed;
};

FolderState FolderStateOf(const struct stat& info);

bool SameFolderState(const FolderState& a, const FolderState& b);

// A folder changed within two seconds of now may change again within the same tick of the file
// system's clock, its state unchanged. Times further away, before or after now (a clock that
// ran ahead when they were written), leave no such doubt.
bool IsSettled(const FolderState& folder, FileTime now);

} // namespace platform
