// Where the game and Steam are installed, as Windows itself tells.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>

#include "platform/platform.h"
#include "platform/steam_files.h"
#include "platform/win32/win32_internal.h"

namespace platform {

namespace {

std::string WithBackslashes(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

bool SameFolder(const std::string& a, const std::string& b) {
    return CompareStringOrdinal(win32::Widen(a).c_str(), -1, win32::Widen(b).c_str(), -1, TRUE) ==
           CSTR_EQUAL;
}

// Steam names its own folder for the user (with forward slashes) and for the machine.
std::vector<std::string> SteamInstallations() {
    std::vector<std::string> roots;
    const auto add = [&](RegistryRoot root, RegistryView view, const char* key, const char* name) {
        const auto value = ReadRegistryValue(root, view, key, name);
        if (value && value->isText() && !value->text.empty())
            roots.push_back(WithBackslashes(value->text));
    };
    add(RegistryRoot::CurrentUser, RegistryView::Bits64, "Software\\Valve\\Steam", "SteamPath");
    add(RegistryRoot::LocalMachine, RegistryView::Bits32, "SOFTWARE\\Valve\\Steam", "InstallPath");
    add(RegistryRoot::LocalMachine, RegistryView::Bits64, "SOFTWARE\\Valve\\Steam", "InstallPath");
    return roots;
}

} // namespace

std::optional<std::string> FolderOfWindowsPath(std::string_view windowsPath) {
    const std::string path = WithBackslashes(std::string(windowsPath));
    if (path.empty() || !DirectoryExists(path)) return std::nullopt;
    return path;
}

std::vector<std::string> SteamLibraryFolders() {
    std::vector<std::string> found;
    const auto add = [&](const std::string& folder) {
        if (!DirectoryExists(folder)) return;
        const bool known = std::any_of(found.begin(), found.end(), [&](const std::string& seen) {
            return SameFolder(seen, folder);
        });
        if (!known) found.push_back(folder);
    };
    for (const std::string& root : SteamInstallations()) {
        add(root);
        const auto vdf =
            ReadSmallFile(JoinPath(root, "steamapps\\libraryfolders.vdf"), SteamFileLimit);
        if (!vdf) continue;
        for (const std::string& library : SteamLibraryPaths(*vdf))
            add(WithBackslashes(library));
    }
    return found;
}

} // namespace platform
