#include "platform/posix/windows_listing.h"

#include <algorithm>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <numeric>
#include <sys/stat.h>

#include "platform/posix/windows_names.h"
#include "platform/wildcard.h"

namespace platform {

namespace {

bool MatchesUpperCase(std::u16string_view mask, std::u16string_view name) {
    return WildcardMatches<char16_t>(mask, name, [](char16_t a, char16_t b) { return a == b; });
}

// The entry's type as the folder records it; only links and file systems that don't record
// types cost a stat. stat follows links: a link to a folder is a folder, and a dangling link
// stays a file entry, as Windows lists it.
bool IsDirectory(int dirFd, const dirent& entry) {
    if (entry.d_type == DT_DIR) return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
    struct stat info {};
    return ::fstatat(dirFd, entry.d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

// Entries with their upper-cased names, kept for sorting in one block of bytes: each code unit
// as two bytes, high byte first, so that comparing the bytes compares the code units.
class SortKeys {
public:
    void add(std::u16string_view upperName, DirectoryEntry entry) {
        const std::size_t at = keys_.size();
        // The first four code units in one number decide most comparisons without memcmp;
        // shorter names are padded with 0, below every code unit a name can hold.
        uint64_t head = 0;
        for (std::size_t i = 0; i < 4; ++i)
            head = head << 16 | (i < upperName.size() ? upperName[i] : 0u);
        spans_.push_back({at, upperName.size() * 2, head});
        keys_.resize(at + upperName.size() * 2);
        char* key = keys_.data() + at;
        for (const char16_t unit : upperName) {
            *key++ = static_cast<char>(unit >> 8);
            *key++ = static_cast<char>(unit & 0xFF);
        }
        entries_.push_back(std::move(entry));
    }

    // NTFS order: by upper-cased name; names that differ only in case by their bytes.
    std::vector<DirectoryEntry> sorted() {
        std::vector<uint32_t> order(entries_.size());
        std::iota(order.begin(), order.end(), 0u);
        std::sort(order.begin(), order.end(), [this](uint32_t a, uint32_t b) {
            if (spans_[a].head != spans_[b].head) return spans_[a].head < spans_[b].head;
            if (const int byKey = key(a).compare(key(b)); byKey != 0) return byKey < 0;
            return entries_[a].name < entries_[b].name;
        });
        std::vector<DirectoryEntry> result;
        result.reserve(order.size());
        for (const uint32_t i : order)
            result.push_back(std::move(entries_[i]));
        return result;
    }

private:
    struct Span {
        std::size_t at, length;
        uint64_t head;
    };
    std::string_view key(uint32_t i) const {
        return std::string_view(keys_).substr(spans_[i].at, spans_[i].length);
    }

    std::string keys_;
    std::vector<Span> spans_;
    std::vector<DirectoryEntry> entries_;
};

} // namespace

bool MaskMatches(std::string_view mask, std::string_view name) {
    return MatchesUpperCase(UpperCaseName(mask), UpperCaseName(name));
}

void SortInNtfsOrder(std::vector<DirectoryEntry>& entries) {
    SortKeys keys;
    for (auto& entry : entries) {
        const std::u16string upperName = UpperCaseName(entry.name);
        keys.add(upperName, std::move(entry));
    }
    entries = keys.sorted();
}

std::vector<DirectoryEntry> ListDirectory(const std::string& folder, std::string_view mask) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return {};
    const int dirFd = ::dirfd(dir);
    // Every name is upper-cased once, for the mask and for the order.
    const std::u16string upperMask = UpperCaseName(mask);
    std::u16string upperName;
    SortKeys keys;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        UpperCaseNameInto(name, upperName);
        if (!MatchesUpperCase(upperMask, upperName)) continue;
        keys.add(upperName, DirectoryEntry{std::string(name), IsDirectory(dirFd, *entry)});
    }
    ::closedir(dir);
    return keys.sorted();
}

} // namespace platform
