// The few services of the operating system that Tarvex uses: the registry, the documents
// folder, the program's folder, file tests, directory listing and reading a file.
// On Windows these are the Win32 services; on Linux they answer from the Wine prefix that
// holds the game. Paths and texts are UTF-8 on both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

#ifdef _WIN32
inline constexpr char PathSeparator = '\\';
#else
inline constexpr char PathSeparator = '/';
#endif

// folder + separator + name, without doubling a separator already at the end of folder.
std::string JoinPath(std::string_view folder, std::string_view name);

// ---- Registry (read only) ----

enum class RegistryRoot { LocalMachine, CurrentUser };
// The game is a 32-bit program: on 64-bit Windows its keys live in the 32-bit view.
enum class RegistryView { Bits32, Bits64 };
enum class RegistryValueType { String, ExpandString, DWord, Binary, Other };

struct RegistryValue {
    RegistryValueType type = RegistryValueType::Other;
    std::string text; // UTF-8; only for String and ExpandString
    bool isText() const {
        return type == RegistryValueType::String || type == RegistryValueType::ExpandString;
    }
};

// nullopt when the key or the value does not exist or the key can't be opened for reading.
std::optional<RegistryValue> ReadRegistryValue(RegistryRoot root, RegistryView view,
                                               std::string_view key, std::string_view name);

// ---- Folders ----

// The user's documents folder without a trailing separator; empty when unknown.
std::string DocumentsFolder();
// The folder of the running executable, with a trailing separator.
std::string ProgramFolder();

bool DirectoryExists(const std::string& path);
bool FileExists(const std::string& path);

// The path of an entry below folder, found as Windows finds it: on Linux, inside the game's
// folders, each part of relative is matched without regard to letter case. nullopt when
// there is no such entry.
std::optional<std::string> FindEntry(const std::string& folder, std::string_view relative);

// Size of a file or folder entry as the file system reports it; nullopt when there is none.
std::optional<uint64_t> FileSize(const std::string& path);

// A time as the file system keeps it: whole seconds, and nanoseconds within the second. Kept
// apart, since a time centuries away overflows 64 bits counted in nanoseconds.
struct FileTime {
    int64_t seconds = 0;
    int64_t nanoseconds = 0;
    auto operator<=>(const FileTime&) const = default;
};

// What tells that a file changed since it was read: its size and its last modification time,
// as the file system reports them.
struct FileStamp {
    uint64_t size = 0;
    FileTime modified;
    bool operator==(const FileStamp&) const = default;
};
// nullopt when there is no such entry.
std::optional<FileStamp> FileStampOf(const std::string& path);

// ---- Directory listing ----

struct DirectoryEntry {
    std::string name; // UTF-8
    bool isDirectory = false;
};

// Every entry of folder whose name matches mask ("*" and "?" wildcards, letter case ignored),
// hidden ones included, in the order Windows lists a folder. Empty when folder can't be read.
std::vector<DirectoryEntry> ListDirectory(const std::string& folder, std::string_view mask);

// ---- Reading files ----

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file opened for reading only, sharing reading, writing and deletion with other programs.
class InputFile {
public:
    explicit InputFile(const std::string& path); // throws FileError with the system's reason
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Up to size bytes; 0 at the end of the file. Throws FileError.
    std::size_t read(char* buffer, std::size_t size);
    // The next read starts offset bytes from the start of the file. Throws FileError.
    void seek(uint64_t offset);
    // The file's size now. Throws FileError.
    uint64_t size() const;

    // The size FileSize(path) reports, without another look-up by name where the system
    // gives the same answer for the open file; 0 when the entry is gone.
    uint64_t entrySize() const;

private:
#ifdef _WIN32
    void* handle_ = nullptr;
    std::string path_;
#else
    int fd_ = -1;
    uint64_t size_ = 0;
#endif
};

// The first bytes of an open file, up to limit, read into one buffer that is never filled
// twice: a replay read for its orders is megabytes, so copies are what reading costs.
// Throws FileError.
class FileBytes {
public:
    FileBytes(InputFile& file, std::size_t limit);

    std::string_view view() const { return {data_.get(), size_}; }
    bool cut() const { return cut_; } // the file goes on past the limit

private:
    void grow(std::size_t capacity);

    std::unique_ptr<char[]> data_;
    std::size_t capacity_ = 0;
    std::size_t size_ = 0;
    bool cut_ = false;
};

// The whole of a small file; nullopt when it can't be read or is longer than limit bytes (a
// file whose size says so is refused unread).
std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t limit);

// Bytes this thread has had read from the storage so far, not served from memory, where the
// system counts them (Linux); nullopt elsewhere.
std::optional<uint64_t> ThreadStorageReadBytes();

// ---- The game's installation ----

// The folder that a Windows path names for the game, as it exists here: on Windows the path
// itself, on Linux the path inside the game's Wine prefix (through its drives, letter case
// ignored). nullopt when there is no such folder.
std::optional<std::string> FolderOfWindowsPath(std::string_view windowsPath);

// Every Steam library on this machine, each once: the Steam installation's own folder, then
// those its steamapps/libraryfolders.vdf lists. Empty without Steam.
std::vector<std::string> SteamLibraryFolders();

// ---- Listing many files ----

// While one lives (on its thread), an InputFile whose path names an entry directly inside
// folder is opened relative to the folder, which was opened once: the system then doesn't
// walk the folder's path again for every file of a listing. Nothing changes on Windows.
class FolderScope {
public:
    explicit FolderScope(const std::string& folder);
    ~FolderScope();
    FolderScope(const FolderScope&) = delete;
    FolderScope& operator=(const FolderScope&) = delete;

private:
    friend class InputFile;
    FolderScope* outer_ = nullptr;
    std::string prefix_; // the folder with its separator
    int fd_ = -1;
};

// ---- Where the answers come from ----

// A sentence naming where the registry and the documents folder are read (for --where).
std::string DescribeSources();

} // namespace platform
