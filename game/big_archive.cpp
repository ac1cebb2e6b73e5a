#include "game/big_archive.h"

#include <algorithm>
#include <cctype>

#include "platform/ascii_text.h"
#include "platform/platform.h"

namespace big {

namespace {

constexpr std::string_view Magic = "BIGF";
constexpr std::size_t EntryNumbersSize = 8;
// The first read of a table whose header gives no usable end.
constexpr std::size_t FirstTableRead = 64u << 10;

uint32_t BigEndian32(std::string_view bytes, std::size_t at) {
    uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Reads whole chunks from an open file, however the system splits them.
std::size_t ReadFully(platform::InputFile& file, char* out, std::size_t size) {
    std::size_t have = 0;
    while (have < size) {
        const std::size_t got = file.read(out + have, size - have);
        if (got == 0) break;
        have += got;
    }
    return have;
}

} // namespace

std::string EntryKey(std::string_view name) {
    std::string key(name);
    for (char& c : key)
        c = c == '/' ? '\\' : platform::AsciiLower(c);
    return key;
}

Index ParseIndex(std::string_view bytes, uint64_t archiveSize, const EntryFilter& keep) {
    Index index;
    bytes =
        bytes.substr(0, static_cast<std::size_t>(std::min<uint64_t>(bytes.size(), archiveSize)));
    const bool atEnd = bytes.size() >= archiveSize;
    auto cutShort = [&](const std::string& where) {
        index.needsMoreBytes = !atEnd;
        index.problem =
            where + (atEnd ? " runs past the archive's end" : " goes on past the bytes read");
    };
    if (bytes.size() < HeaderSize) {
        cutShort("the header");
        return index;
    }
    if (bytes.substr(0, Magic.size()) != Magic) {
        index.problem = "not an archive of the game (no BIGF at its start)";
        return index;
    }
    index.declaredCount = BigEndian32(bytes, 8);
    std::size_t at = HeaderSize;
    while (index.readCount < index.declaredCount) {
        const std::string entryName = "entry " + std::to_string(index.readCount + 1);
        if (bytes.size() - at < EntryNumbersSize) {
            cutShort(entryName);
            return index;
        }
        Entry entry;
        entry.offset = BigEndian32(bytes, at);
        entry.size = BigEndian32(bytes, at + 4);
        const std::size_t nameStart = at + EntryNumbersSize;
        const std::string_view rest = bytes.substr(nameStart, MaxNameLength + 1);
        const std::size_t nul = rest.find('\0');
        if (nul == std::string_view::npos) {
            if (rest.size() > MaxNameLength) {
                index.problem = entryName + " has a path without an end (over " +
                                std::to_string(MaxNameLength) + " bytes)";
                return index;
            }
            cutShort(entryName);
            return index;
        }
        entry.name = std::string(rest.substr(0, nul));
        at = nameStart + nul + 1;
        ++index.readCount;
        if (uint64_t{entry.offset} + entry.size > archiveSize) {
            ++index.outsideCount;
            continue;
        }
        if (keep && !keep(entry.name)) continue;
        index.entries.push_back(std::move(entry));
    }
    return index;
}

Archive Archive::Open(const std::string& path, const EntryFilter& keep) {
    Archive archive;
    archive.path_ = path;
    try {
        platform::InputFile file(path);
        const uint64_t size = file.size();
        const std::size_t limit =
            static_cast<std::size_t>(std::min<uint64_t>(size, HeaderSize + MaxTableBytes));
        std::string bytes(std::min(limit, HeaderSize), '\0');
        bytes.resize(ReadFully(file, bytes.data(), bytes.size()));
        // The header's offset of the first entry's bytes is where the table normally ends.
        std::size_t want = FirstTableRead;
        if (bytes.size() == HeaderSize) {
            const uint32_t tableEnd = BigEndian32(bytes, 12);
            if (tableEnd > HeaderSize) want = tableEnd;
        }
        for (;;) {
            want = std::min(want, limit);
            if (want > bytes.size()) {
                const std::size_t have = bytes.size();
                bytes.resize(want);
                bytes.resize(have + ReadFully(file, bytes.data() + have, want - have));
            }
            archive.index_ = ParseIndex(bytes, size, keep);
            if (!archive.index_.needsMoreBytes) break;
            if (bytes.size() < want) {
                archive.index_.problem = "the file ended while its table was read";
                break;
            }
            if (want == limit) {
                archive.index_.problem =
                    "its table is larger than " + std::to_string(MaxTableBytes >> 20) + " MiB";
                break;
            }
            want = want > limit / 2 ? limit : want * 2;
        }
    } catch (const platform::FileError& error) {
        archive.index_ = {};
        archive.index_.problem = error.what();
    }
    const auto& entries = archive.index_.entries;
    for (std::size_t i = 0; i < entries.size(); ++i)
        archive.byKey_.emplace(EntryKey(entries[i].name), i);
    return archive;
}

const Entry* Archive::find(std::string_view name) const {
    const auto found = byKey_.find(EntryKey(name));
    return found == byKey_.end() ? nullptr : &index_.entries[found->second];
}

std::optional<std::string> Archive::read(const Entry& entry, std::size_t limit) const {
    if (entry.size > limit) return std::nullopt;
    try {
        platform::InputFile file(path_);
        if (file.size() < uint64_t{entry.offset} + entry.size) return std::nullopt;
        file.seek(entry.offset);
        std::string bytes(entry.size, '\0');
        if (ReadFully(file, bytes.data(), bytes.size()) != bytes.size()) return std::nullopt;
        return bytes;
    } catch (const platform::FileError&) {
        return std::nullopt;
    }
}

} // namespace big
