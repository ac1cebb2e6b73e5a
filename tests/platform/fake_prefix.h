// Builds Wine prefixes in a temporary folder the way Wine and Proton lay them out: registry
// text files, dosdevices links, drive_c/users/<user>/Documents.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/wine/wine_environment.h"

namespace testsupport {

struct RegKey {
    std::string name;                    // single backslashes between parts
    std::vector<std::string> valueLines; // as Wine writes them, e.g. "\"Name\"=dword:00000001"
};

// The text of a registry file as Wine writes it.
std::string RegistryText(bool machine, bool win64, const std::vector<RegKey>& keys);

// A line "name"="text" with the text escaped as Wine escapes it.
std::string TextValue(const std::string& name, const std::string& text);

// The game's key in HKEY_LOCAL_MACHINE as a 64-bit prefix stores it: 32-bit or 64-bit view.
RegKey GameKey32(std::vector<std::string> valueLines);
RegKey GameKey64(std::vector<std::string> valueLines);
// The game's key in user.reg.
RegKey GameUserKey(std::vector<std::string> valueLines);

struct PrefixSetup {
    std::string user = "steamuser";
    bool win64 = true;
    std::vector<RegKey> machineKeys;
    std::vector<RegKey> userKeys;
    bool writePersonal = true; // Shell Folders "Personal" in user.reg
    // When set, drive_c/users/<user>/Documents is a link to this folder (plain Wine).
    std::optional<std::filesystem::path> documentsLinkTarget;
};

// Writes the prefix; returns its documents folder (inside drive_c).
std::filesystem::path MakePrefix(const std::filesystem::path& prefix, const PrefixSetup& setup);

// Makes documents/<leaf>/<replays> (creating folders as needed) and returns it.
std::filesystem::path
MakeReplayFolder(const std::filesystem::path& documents,
                 const std::string& leaf = "Command and Conquer Generals Zero Hour Data",
                 const std::string& replays = "Replays");

// Steam's libraryfolders.vdf listing these libraries, in the current form of the file.
std::string LibraryFoldersVdf(const std::vector<std::filesystem::path>& libraries);

// An environment with only HOME and USER set.
platform::wine::Environment EnvironmentWithHome(const std::filesystem::path& home,
                                                const std::string& user = "player");

void WriteText(const std::filesystem::path& path, const std::string& text);

} // namespace testsupport
