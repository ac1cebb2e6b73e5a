// Registry, documents folder and listing on Linux, read from the Wine prefix of the game.
// First version: no prefix support yet; the registry is empty and the documents folder is
// the user's own.
#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fnmatch.h>

#include "platform.h"

namespace platform {

std::optional<RegistryValue> ReadRegistryValue(RegistryRoot, RegistryView, std::string_view,
                                               std::string_view) {
    return std::nullopt;
}

std::string DocumentsFolder() {
    const char* home = std::getenv("HOME");
    return home ? JoinPath(home, "Documents") : std::string{};
}

std::optional<std::string> FindEntry(const std::string& folder, std::string_view relative) {
    std::string path = JoinPath(folder, relative);
    if (!FileSize(path)) return std::nullopt;
    return path;
}

std::vector<DirectoryEntry> ListDirectory(const std::string& folder, std::string_view mask) {
    std::vector<DirectoryEntry> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return entries;
    const std::string pattern(mask);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (::fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) != 0) continue;
        entries.push_back({name, DirectoryExists(JoinPath(folder, name))});
    }
    ::closedir(dir);
    return entries;
}

std::string DescribeSources() { return "no Wine prefix support yet"; }

} // namespace platform
