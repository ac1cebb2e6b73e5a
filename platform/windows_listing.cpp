#include "windows_listing.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "windows_names.h"

namespace platform {

bool MaskMatches(std::string_view mask, std::string_view name) {
    const std::u16string pattern = UpperCaseName(mask);
    const std::u16string text = UpperCaseName(name);
    // Greedy match that backtracks to the last "*" seen.
    std::size_t p = 0, t = 0;
    std::size_t starAt = std::u16string::npos, textAtStar = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == text[t])) {
            ++p, ++t;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starAt = p++;
            textAtStar = t;
        } else if (starAt != std::u16string::npos) {
            p = starAt + 1;
            t = ++textAtStar;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

void SortInNtfsOrder(std::vector<DirectoryEntry>& entries) {
    // Upper-case every name once, not at every comparison.
    std::vector<std::pair<std::u16string, DirectoryEntry>> keyed;
    keyed.reserve(entries.size());
    for (auto& entry : entries) keyed.emplace_back(UpperCaseName(entry.name), std::move(entry));
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first < b.first;
        return a.second.name < b.second.name;
    });
    entries.clear();
    for (auto& [key, entry] : keyed) entries.push_back(std::move(entry));
}

std::vector<DirectoryEntry> ListDirectory(const std::string& folder, std::string_view mask) {
    std::vector<DirectoryEntry> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return entries;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (!MaskMatches(mask, name)) continue;
        // stat follows links: a link to a file is a file, a link to a folder a folder.
        // A dangling link stays a file entry, as Windows lists it.
        struct stat info {};
        const bool isDirectory = ::fstatat(dirFd, entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        entries.push_back({std::string(name), isDirectory});
    }
    ::closedir(dir);
    SortInNtfsOrder(entries);
    return entries;
}

} // namespace platform
