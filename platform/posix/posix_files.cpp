// Files and folders on Linux.
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/platform.h"
#include "platform/posix/folder_state.h"

namespace platform {

namespace {
std::string SystemReason(int error) {
    return std::strerror(error);
}
} // namespace

namespace {
thread_local FolderScope* currentScope = nullptr;
} // namespace

FolderScope::FolderScope(const std::string& folder) : outer_(currentScope) {
    if (folder.empty()) return;
    fd_ = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return; // files then open by their paths, as without a scope
    prefix_ = JoinPath(folder, "");
    currentScope = this;
}

FolderScope::~FolderScope() {
    if (fd_ < 0) return;
    currentScope = outer_;
    ::close(fd_);
}

InputFile::InputFile(const std::string& path) {
    // Non-blocking, so that a FIFO named like a replay can't hang the program waiting for a
    // writer; only regular files are read.
    constexpr int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
    const FolderScope* scope = currentScope;
    if (scope && path.size() > scope->prefix_.size() && path.starts_with(scope->prefix_) &&
        path.find('/', scope->prefix_.size()) == std::string::npos)
        fd_ = ::openat(scope->fd_, path.c_str() + scope->prefix_.size(), flags);
    else
        fd_ = ::open(path.c_str(), flags);
    if (fd_ < 0) throw FileError(SystemReason(errno));
    struct stat info {};
    const int error = ::fstat(fd_, &info) != 0 ? errno
                      : S_ISDIR(info.st_mode)  ? EISDIR
                      : !S_ISREG(info.st_mode) ? EINVAL
                                               : 0;
    if (error != 0) {
        ::close(fd_);
        fd_ = -1;
        throw FileError(error == EINVAL ? "Pas un fichier ordinaire" : SystemReason(error));
    }
    size_ = static_cast<uint64_t>(info.st_size);
    // Reads of a regular file ignore O_NONBLOCK; read() clears it should a file system not.
}

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

std::size_t InputFile::read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, size);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
            continue;
        }
        if (errno != EINTR) throw FileError(SystemReason(errno));
    }
}

void InputFile::seek(uint64_t offset) {
    if (offset > static_cast<uint64_t>(INT64_MAX) ||
        ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0)
        throw FileError(SystemReason(offset > static_cast<uint64_t>(INT64_MAX) ? EINVAL : errno));
}

uint64_t InputFile::size() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) throw FileError(SystemReason(errno));
    return static_cast<uint64_t>(info.st_size);
}

uint64_t InputFile::entrySize() const {
    return size_;
}

std::optional<uint64_t> ThreadStorageReadBytes() {
    struct rusage usage {};
    if (::getrusage(RUSAGE_THREAD, &usage) != 0) return std::nullopt;
    return static_cast<uint64_t>(usage.ru_inblock) * 512; // counted in blocks of 512 bytes
}

std::optional<FileStamp> FileStampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileStamp{static_cast<uint64_t>(info.st_size), FileTimeOf(info.st_mtim)};
}

std::optional<uint64_t> FileSize(const std::string& path) {
    const auto stamp = FileStampOf(path);
    if (!stamp) return std::nullopt;
    return stamp->size;
}

bool DirectoryExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::string ProgramFolder() {
    char buffer[PATH_MAX + 1];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, PATH_MAX);
    if (length <= 0) return "./";
    std::string path(buffer, static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
}

} // namespace platform
