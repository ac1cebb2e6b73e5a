#include "windows_listing.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "platform/wildcard.h"
#include "windows_names.h"

namespace platform {

namespace {

bool MatchesUpperCase(const std::u16string& mask, const std::u16string& name) {
    return WildcardMatches<char16_t>(mask, name, [](char16_t a, char16_t b) { return a == b; });
}

using KeyedEntry = std::pair<std::u16string, DirectoryEntry>; // the upper-cased name first

// NTFS order: by upper-cased name; names that differ only in case by their bytes.
void SortKeyed(std::vector<KeyedEntry>& keyed, std::vector<DirectoryEntry>& entries) {
    std::sort(keyed.begin(), keyed.end(), [](const KeyedEntry& a, const KeyedEntry& b) {
        if (a.first != b.first) return a.first < b.first;
        return a.second.name < b.second.name;
    });
    entries.clear();
    entries.reserve(keyed.size());
    for (auto& [key, entry] : keyed) entries.push_back(std::move(entry));
}

} // namespace

bool MaskMatches(std::string_view mask, std::string_view name) {
    return MatchesUpperCase(UpperCaseName(mask), UpperCaseName(name));
}

void SortInNtfsOrder(std::vector<DirectoryEntry>& entries) {
    std::vector<KeyedEntry> keyed;
    keyed.reserve(entries.size());
    for (auto& entry : entries) keyed.emplace_back(UpperCaseName(entry.name), std::move(entry));
    SortKeyed(keyed, entries);
}

std::vector<DirectoryEntry> ListDirectory(const std::string& folder, std::string_view mask) {
    std::vector<DirectoryEntry> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return entries;
    const int dirFd = ::dirfd(dir);
    // Every name is upper-cased once, for the mask and for the order.
    const std::u16string upperMask = UpperCaseName(mask);
    std::vector<KeyedEntry> keyed;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        std::u16string upperName = UpperCaseName(name);
        if (!MatchesUpperCase(upperMask, upperName)) continue;
        // stat follows links: a link to a file is a file, a link to a folder a folder.
        // A dangling link stays a file entry, as Windows lists it.
        struct stat info {};
        const bool isDirectory = ::fstatat(dirFd, entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        keyed.emplace_back(std::move(upperName), DirectoryEntry{std::string(name), isDirectory});
    }
    ::closedir(dir);
    SortKeyed(keyed, entries);
    return entries;
}

} // namespace platform
