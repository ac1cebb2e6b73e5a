// The documents folder that a Windows program sees: inside a Wine prefix, or the user's own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/wine/wine_environment.h"
#include "platform/wine/wine_registry.h"

namespace platform::wine {

inline constexpr std::string_view ShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

struct DocumentsAnswer {
    std::string folder; // without a trailing separator
    std::string how;    // where it came from, for tarvex-info --where
};

// $XDG_DOCUMENTS_DIR, else XDG_DOCUMENTS_DIR of user-dirs.dirs, else ~/Documents; the
// folder need not exist.
DocumentsAnswer UserDocuments(const Environment& environment);

// The Linux path of a Windows path such as "C:\users\steamuser\Documents" inside a prefix:
// the drive through the prefix's dosdevices links, the rest matched without regard to letter
// case. nullopt when the drive or an entry is missing.
std::optional<std::string> LinuxPathInPrefix(const std::string& prefix,
                                             std::string_view windowsPath);

// The prefix's documents folder, an existing directory: the "Personal" shell folder of
// user.reg, else drive_c/users/<steamuser, $USER, any other but Public>/Documents or
// My Documents. nullopt when there is none.
std::optional<DocumentsAnswer> PrefixDocuments(const std::string& prefix,
                                               const RegistryFile* userRegistry,
                                               const Environment& environment);

} // namespace platform::wine
