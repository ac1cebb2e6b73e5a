// Finding an entry below a folder as Wine finds it for a Windows program: each part of the
// path matches an entry whose name differs only in letter case.
#include <dirent.h>
#include <sys/stat.h>

#include <ctime>
#include <map>
#include <mutex>
#include <utility>

#include "platform/platform.h"
#include "platform/posix/folder_state.h"
#include "platform/posix/windows_names.h"

namespace platform {

namespace {

bool EntryExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// The name of the entry of folder that equals part but for letter case; of several, the
// first in folder order, as the listing would show it.
std::optional<std::string> ListForMatch(const std::string& folder, std::string_view part) {
    DIR* dir = ::opendir(folder.c_str());
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

// The details window looks for "maps" in the replay folder at every repaint, and a
// replay folder may hold tens of thousands of files: a folder's answer is kept as long as
// the folder's state stays the same.
struct KeptAnswer {
    FolderState folder;
    std::optional<std::string> match;
};

std::optional<std::string> MatchIgnoringCase(const std::string& folder, std::string_view part) {
    constexpr std::size_t MostKept = 256;
    static std::mutex guard;
    static std::map<std::pair<std::string, std::u16string>, KeptAnswer> kept;

    const std::string dirPath = folder.empty() ? "/" : folder;
    struct stat info {};
    if (::stat(dirPath.c_str(), &info) != 0) return std::nullopt;
    const FolderState state = FolderStateOf(info);
    auto key = std::make_pair(dirPath, UpperCaseName(part));
    {
        const std::lock_guard lock(guard);
        const auto found = kept.find(key);
        if (found != kept.end() && SameFolderState(found->second.folder, state))
            return found->second.match;
    }
    auto match = ListForMatch(dirPath, part);
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    if (IsSettled(state, FileTimeOf(now))) {
        const std::lock_guard lock(guard);
        if (kept.size() >= MostKept) kept.clear();
        kept[std::move(key)] = KeptAnswer{state, match};
    }
    return match;
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
