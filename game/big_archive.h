// The game's .big archives. An archive starts with a 16-byte header: "BIGF", the archive's
// size (little-endian, never trusted here), the number of entries and the offset where the
// entries' bytes begin (both big-endian). The table follows: per entry its offset and size
// (big-endian 32-bit) and its path, such as maps\alpine assault\alpine assault.tga, ended by
// a NUL. Every number in it is checked against the real file: archives are shared by
// strangers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace big {

inline constexpr std::size_t HeaderSize = 16;
// The game reads a path into a buffer of 260 bytes, its NUL included.
inline constexpr std::size_t MaxNameLength = 259;
// The largest table read; the game's own archives have tables well below 1 MiB.
inline constexpr std::size_t MaxTableBytes = 8u << 20;

struct Entry {
    std::string name; // as stored: any letter case, "\" or "/" between the parts
    uint32_t offset = 0;
    uint32_t size = 0;
};

struct Index {
    std::vector<Entry>
        entries; // the kept entries whose bytes lie inside the archive, in table order
    uint32_t declaredCount = 0;  // the number of entries the header claims
    uint32_t readCount = 0;      // entries read from the table
    uint32_t outsideCount = 0;   // entries whose bytes would lie past the archive's end: left out
    std::string problem;         // why the table was not read to its end; empty when it was
    bool needsMoreBytes = false; // the table goes on past the bytes given, inside the archive
};

// Chooses, by an entry's name, which entries are kept.
using EntryFilter = std::function<bool(std::string_view name)>;

// The table read from the archive's first bytes; archiveSize is the file's real size.
// Without a filter every entry is kept.
Index ParseIndex(std::string_view bytes, uint64_t archiveSize, const EntryFilter& keep = {});

// How the game compares entry names: letter case ignored, "/" the same as "\".
std::string EntryKey(std::string_view name);

class Archive {
public:
    // Reads the archive's table (never its entries). Never throws: a file that can't be read
    // gives an archive without entries and the reason in index().problem.
    static Archive Open(const std::string& path, const EntryFilter& keep = {});

    const std::string& path() const { return path_; }
    const Index& index() const { return index_; }
    // The first entry of that name, or nullptr.
    const Entry* find(std::string_view name) const;
    // The entry's bytes; nullopt when it is larger than limit or the file can't be read to
    // its end (it may have changed since its table was read).
    std::optional<std::string> read(const Entry& entry, std::size_t limit) const;

private:
    std::string path_;
    Index index_;
    std::unordered_map<std::string, std::size_t> byKey_;
};

} // namespace big
