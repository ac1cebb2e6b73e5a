#include "platform/wine/wine_documents.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/posix/windows_listing.h"
#include "platform/posix/windows_names.h"

namespace platform::wine {

namespace {

std::string TrimTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// XDG_DOCUMENTS_DIR="$HOME/Documents" in user-dirs.dirs (a shell fragment of this one form).
std::optional<std::string> DocumentsFromUserDirs(const std::string& file, const std::string& home) {
    constexpr std::size_t UserDirsLimit = 64u << 10; // a dozen lines where it is the desktop's
    std::istringstream in(ReadSmallFile(file, UserDirsLimit).value_or(std::string()));
    std::string line;
    while (std::getline(in, line)) {
        constexpr std::string_view prefix = "XDG_DOCUMENTS_DIR=";
        const auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, prefix.size(), prefix) != 0) continue;
        std::string value = line.substr(start + prefix.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.starts_with("$HOME")) value = home + value.substr(5);
        if (!value.starts_with("/")) continue;
        return TrimTrailingSlashes(value);
    }
    return std::nullopt;
}

// The folder with its links resolved: dosdevices/c: and a Documents link to the user's own
// folder read better as the folders they stand for.
std::optional<std::string> ExistingDirectoryBelow(const std::string& folder,
                                                  std::string_view relative) {
    const auto path = FindEntry(folder, relative);
    if (!path || !DirectoryExists(*path)) return std::nullopt;
    std::error_code error;
    const auto resolved = std::filesystem::canonical(*path, error);
    return error ? *path : resolved.string();
}

// steamuser (Proton), the login name (Wine), then every other user but Public, in folder order.
std::vector<std::string> PrefixUsers(const std::string& usersFolder,
                                     const Environment& environment) {
    std::vector<std::string> users = {"steamuser"};
    if (!environment.user.empty() && !SameNameIgnoringCase(environment.user, "steamuser"))
        users.push_back(environment.user);
    for (const auto& entry : ListDirectory(usersFolder, "*")) {
        if (!entry.isDirectory || SameNameIgnoringCase(entry.name, "Public")) continue;
        const bool known = std::any_of(users.begin(), users.end(), [&](const std::string& user) {
            return SameNameIgnoringCase(user, entry.name);
        });
        if (!known) users.push_back(entry.name);
    }
    return users;
}

} // namespace

DocumentsAnswer UserDocuments(const Environment& environment) {
    if (!environment.xdgDocumentsDir.empty())
        return {TrimTrailingSlashes(environment.xdgDocumentsDir),
                "the user's documents folder ($XDG_DOCUMENTS_DIR)"};
    const std::string configHome = environment.xdgConfigHome.empty()
                                       ? JoinPath(environment.home, ".config")
                                       : environment.xdgConfigHome;
    const std::string userDirs = JoinPath(configHome, "user-dirs.dirs");
    if (!environment.home.empty() || !environment.xdgConfigHome.empty()) {
        if (auto folder = DocumentsFromUserDirs(userDirs, environment.home))
            return {*folder, "the user's documents folder (XDG_DOCUMENTS_DIR in " + userDirs + ")"};
    }
    if (environment.home.empty()) return {{}, "no documents folder: $HOME is not set"};
    return {JoinPath(environment.home, "Documents"), "the user's documents folder (~/Documents)"};
}

std::optional<std::string> LinuxPathInPrefix(const std::string& prefix,
                                             std::string_view windowsPath) {
    if (windowsPath.size() < 2 || windowsPath[1] != ':' ||
        !std::isalpha(static_cast<unsigned char>(windowsPath[0])))
        return std::nullopt;
    const char drive = AsciiLower(windowsPath[0]);
    std::string root = JoinPath(JoinPath(prefix, "dosdevices"), std::string(1, drive) + ":");
    if (!DirectoryExists(root)) {
        if (drive != 'c') return std::nullopt;
        root = JoinPath(prefix, "drive_c"); // prefixes copied without their links
    }
    std::string relative(windowsPath.substr(2));
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return ExistingDirectoryBelow(root, relative);
}

std::optional<DocumentsAnswer> PrefixDocuments(const std::string& prefix,
                                               const RegistryFile* userRegistry,
                                               const Environment& environment) {
    if (userRegistry) {
        const auto personal = userRegistry->value(ShellFoldersKey, "Personal");
        if (personal && personal->isText() && !personal->text.empty()) {
            if (auto folder = LinuxPathInPrefix(prefix, personal->text))
                return DocumentsAnswer{
                    TrimTrailingSlashes(*folder),
                    "the prefix's documents folder (user.reg, Shell Folders, \"Personal\" = \"" +
                        personal->text + "\")"};
        }
    }
    const auto users = FindEntry(prefix, "drive_c/users");
    if (!users) return std::nullopt;
    for (const std::string& user : PrefixUsers(*users, environment)) {
        for (const char* leaf : {"Documents", "My Documents"}) {
            if (auto folder = ExistingDirectoryBelow(*users, user + "/" + leaf))
                return DocumentsAnswer{*folder,
                                       "the prefix's documents folder of the user " + user};
        }
    }
    return std::nullopt;
}

} // namespace platform::wine
