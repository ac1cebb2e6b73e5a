// Finding an entry below a folder as Wine finds it for a Windows program: each part of the
// path matches an entry whose name differs only in letter case.
#include <dirent.h>
#include <sys/stat.h>

#include "platform/platform.h"
#include "platform/posix/windows_names.h"

namespace platform {

namespace {

bool EntryExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// The name of the entry of folder that equals part but for letter case; of several, the
// first in folder order, as the listing would show it.
std::optional<std::string> MatchIgnoringCase(const std::string& folder, std::string_view part) {
    DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir) return std::nullopt;
    const std::u16string wanted = UpperCaseName(part);
    std::optional<std::string> best;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (UpperCaseName(name) != wanted) continue;
        if (!best || name < *best) best = std::string(name);
    }
    ::closedir(dir);
    return best;
}

} // namespace

std::optional<std::string> FindEntry(const std::string& folder, std::string_view relative) {
    std::string path = folder;
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find('/', start);
        if (end == std::string_view::npos) end = relative.size();
        const std::string_view part = relative.substr(start, end - start);
        start = end + 1;
        if (part.empty()) continue;
        std::string exact = JoinPath(path, part);
        if (EntryExists(exact)) {
            path = std::move(exact);
            continue;
        }
        const auto match = MatchIgnoringCase(path, part);
        if (!match) return std::nullopt;
        path = JoinPath(path, *match);
    }
    if (!EntryExists(path)) return std::nullopt;
    return path;
}

} // namespace platform
