#include "game/user_data.h"

#include <algorithm>
#include <optional>

#include "game/game_registry.h"
#include "platform/game_identity.h"
#include "platform/platform.h"
#include "replay/GR_Utils.h"

using platform::game::ArchiveSubfolder;
using platform::game::DefaultUserDataLeafName;
using platform::game::ReplaySubfolder;
using platform::game::UserDataValueName;

RegistryTypeError::RegistryTypeError(std::string_view valueName)
    : std::runtime_error("Invalid data type for '" + std::string(valueName) + "'") {}

namespace {

struct LeafName {
    Text text;
    std::string source;
};

// The game reads its key from the machine first, then from the user; without either it
// uses its default folder name. A value that exists is used as it is, even when empty.
LeafName ReadUserDataLeafName() {
    const auto found = ReadGameRegistryValue(UserDataValueName);
    if (found) {
        if (!found->value.isText()) throw RegistryTypeError(UserDataValueName);
        return {found->value.text, found->place + ", value " + std::string(UserDataValueName) +
                                       " = \"" + found->value.text + "\""};
    }
    return {Text(DefaultUserDataLeafName),
            "no " + std::string(UserDataValueName) +
                " in the game's registry key; the game's default \"" +
                std::string(DefaultUserDataLeafName) + "\""};
}

// The leaf name is a piece of a Windows path: a backslash in it separates folders, also for
// the game running inside Wine.
Text LeafAsRelativePath(Text leaf) {
    std::replace(leaf.begin(), leaf.end(), '\\', platform::PathSeparator);
    return leaf;
}

// The game copies its games to the archive folder whether the player keeps a Replays folder or
// not: it is listed after the program's own folder too.
Text FindArchiveFolder(const Text& userData) {
    if (userData.empty()) return {};
    const std::optional<Text> found = platform::FindEntry(userData, ArchiveSubfolder);
    return found && platform::DirectoryExists(*found) ? *found : Text();
}

} // namespace

ReplayFolderChoice FindReplayFolder() {
    const LeafName leaf = ReadUserDataLeafName();
    const Text documents = SpecialFolderPath(CSIDL_PERSONAL_FOLDER);
    const Text leafPath = LeafAsRelativePath(leaf.text);
    std::string how = platform::DescribeSources() + "\nleaf name: " + leaf.source +
                      "\ndocuments folder: " + (documents.empty() ? "(unknown)" : documents);
    // Inside the game's folders letter case doesn't matter, as on Windows. The user data
    // folder holds the player's maps whether he kept replays or not.
    Text userData;
    if (!documents.empty())
        userData = platform::FindEntry(documents, leafPath)
                       .value_or(platform::JoinPath(documents, leafPath));
    std::optional<Text> found;
    if (!userData.empty()) found = platform::FindEntry(userData, ReplaySubfolder);
    Text archive = FindArchiveFolder(userData);
    if (found && platform::DirectoryExists(*found))
        return {*found, how + "\nreplay folder: " + *found, userData, std::move(archive)};
    const Text own = platform::ProgramFolder();
    const Text relative = platform::JoinPath(leafPath, ReplaySubfolder);
    const Text composed = documents.empty() ? relative : platform::JoinPath(documents, relative);
    return {own, how + "\nno folder " + composed + "; listing the program's own folder " + own,
            userData, std::move(archive)};
}

std::vector<ReplaySource> ListedSources(const ReplayFolderChoice& choice) {
    std::vector<ReplaySource> sources{{choice.folder, {}}};
    // The game's own name for the folder, as it writes the path, whatever its case on disk.
    if (!choice.archiveFolder.empty())
        sources.push_back({choice.archiveFolder, std::string(ArchiveSubfolder) + '\\'});
    return sources;
}
