// Files and folders on Windows, by their Unicode names.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <limits>

#include "platform/platform.h"
#include "platform/win32/win32_internal.h"

namespace platform {

namespace {
DWORD AttributesOf(const std::string& path) {
    if (path.empty()) return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW(win32::Widen(path).c_str());
}
} // namespace

// Reading only, and sharing everything: the game may be writing the file, another program
// may hold it, and a read-only replay must still open.
InputFile::InputFile(const std::string& path) {
    const HANDLE handle = CreateFileW(win32::Widen(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) throw FileError(win32::SystemMessage(GetLastError()));
    handle_ = handle;
    path_ = path;
}

InputFile::~InputFile() {
    if (handle_) CloseHandle(handle_);
}

std::size_t InputFile::read(char* buffer, std::size_t size) {
    const DWORD wanted =
        static_cast<DWORD>(std::min<std::size_t>(size, std::numeric_limits<DWORD>::max()));
    DWORD got = 0;
    if (!ReadFile(handle_, buffer, wanted, &got, nullptr))
        throw FileError(win32::SystemMessage(GetLastError()));
    return got;
}

void InputFile::seek(uint64_t offset) {
    LARGE_INTEGER to{};
    to.QuadPart =
        static_cast<LONGLONG>(std::min<uint64_t>(offset, std::numeric_limits<LONGLONG>::max()));
    if (!SetFilePointerEx(handle_, to, nullptr, FILE_BEGIN))
        throw FileError(win32::SystemMessage(GetLastError()));
}

uint64_t InputFile::size() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle_, &size)) throw FileError(win32::SystemMessage(GetLastError()));
    return static_cast<uint64_t>(size.QuadPart);
}

// Windows counts a process's reads, cached or not, and not a thread's.
std::optional<uint64_t> ThreadStorageReadBytes() {
    return std::nullopt;
}

// Windows opens each file by its full path.
FolderScope::FolderScope(const std::string&) {}
FolderScope::~FolderScope() = default;

// NTFS may report a growing file's new size only to its handle: ask the directory, as FileSize
// does.
uint64_t InputFile::entrySize() const {
    return FileSize(path_).value_or(0);
}

// Found by a directory search, as the size of any entry is, whatever its attributes.
std::optional<FileStamp> FileStampOf(const std::string& path) {
    if (path.empty()) return std::nullopt;
    WIN32_FIND_DATAW data{};
    const HANDLE search = FindFirstFileExW(win32::Widen(path).c_str(), FindExInfoBasic, &data,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    FindClose(search);
    // Counted in 100 nanoseconds since 1601.
    const FILETIME written = data.ftLastWriteTime;
    const uint64_t ticks =
        (static_cast<uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    constexpr uint64_t TicksPerSecond = 10'000'000;
    return FileStamp{(static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                     FileTime{static_cast<int64_t>(ticks / TicksPerSecond),
                              static_cast<int64_t>(ticks % TicksPerSecond * 100)}};
}

std::optional<uint64_t> FileSize(const std::string& path) {
    const auto stamp = FileStampOf(path);
    if (!stamp) return std::nullopt;
    return stamp->size;
}

bool DirectoryExists(const std::string& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The file system already ignores letter case here.
std::optional<std::string> FindEntry(const std::string& folder, std::string_view relative) {
    std::string path = JoinPath(folder, relative);
    if (AttributesOf(path) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return path;
}

} // namespace platform
