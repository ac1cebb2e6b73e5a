#include "game/game_install.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <system_error>

#include "game/game_registry.h"
#include "platform/ascii_text.h"
#include "platform/game_identity.h"
#include "platform/platform.h"
#include "platform/steam_files.h"

namespace {

std::string SteamManifestName() {
    return "appmanifest_" + std::string(platform::game::SteamAppZeroHour) + ".acf";
}

std::filesystem::path FsPath(const Text& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// One folder reached by two roads (a link, a drive of the prefix) is listed once.
bool SameFolder(const Text& a, const Text& b) {
    std::error_code error;
    return std::filesystem::equivalent(FsPath(a), FsPath(b), error) && !error;
}

struct Found {
    std::optional<Text> folder;
    std::string how;
};

Found FromRegistry() {
    const std::string value(platform::game::InstallPathValueName);
    const auto found = ReadGameRegistryValue(value);
    if (!found) return {std::nullopt, "registry: no " + value + " in the game's registry key"};
    const std::string named = found->place + ", value " + value;
    if (!found->value.isText()) return {std::nullopt, "registry: " + named + " does not hold text"};
    const Text& path = found->value.text;
    auto folder = path.empty() ? std::nullopt : platform::FolderOfWindowsPath(path);
    if (!folder)
        return {std::nullopt, "registry: " + named + " = \"" + path + "\" names no folder here"};
    return {folder, "install folder: " + *folder + " (" + named + " = \"" + path + "\")"};
}

std::vector<Found> FromSteam() {
    std::vector<Found> found;
    const std::string manifestName = SteamManifestName();
    for (const Text& library : platform::SteamLibraryFolders()) {
        const auto manifest = platform::FindEntry(library, "steamapps/" + manifestName);
        if (!manifest) continue;
        const auto text = platform::ReadSmallFile(*manifest, platform::SteamFileLimit);
        const auto installDir = text ? platform::SteamAppInstallDir(*text) : std::nullopt;
        if (!installDir) {
            found.push_back({std::nullopt, "Steam: " + *manifest + " names no install folder"});
            continue;
        }
        auto folder = platform::FindEntry(library, "steamapps/common/" + *installDir);
        if (!folder || !platform::DirectoryExists(*folder)) {
            found.push_back({std::nullopt, "Steam: " + *manifest + " names \"" + *installDir +
                                               "\", which is not in steamapps/common"});
            continue;
        }
        found.push_back({folder, "install folder: " + *folder + " (Steam library " + library +
                                     ", " + manifestName + ": installdir \"" + *installDir +
                                     "\")"});
    }
    if (found.empty()) found.push_back({std::nullopt, "Steam: no library holds " + manifestName});
    return found;
}

} // namespace

std::vector<Text> ArchivesIn(const Text& folder) {
    std::vector<Text> mapArchives, others;
    for (const auto& entry : platform::ListDirectory(folder, "*.big")) {
        if (entry.isDirectory) continue;
        const bool isMapArchive =
            platform::SameAsciiIgnoringCase(entry.name, platform::game::MapArchiveName);
        (isMapArchive ? mapArchives : others).push_back(platform::JoinPath(folder, entry.name));
    }
    mapArchives.insert(mapArchives.end(), others.begin(), others.end());
    return mapArchives;
}

GameInstall FindGameInstall() {
    GameInstall install;
    std::vector<Found> found = {FromRegistry()};
    for (Found& steam : FromSteam())
        found.push_back(std::move(steam));
    for (const Found& each : found) {
        if (each.folder) {
            const bool known =
                std::any_of(install.folders.begin(), install.folders.end(),
                            [&](const Text& seen) { return SameFolder(seen, *each.folder); });
            if (known) {
                install.how += each.how + ", the same folder as above\n";
                continue;
            }
            install.folders.push_back(*each.folder);
        }
        install.how += each.how + "\n";
    }
    for (const Text& folder : install.folders) {
        const std::vector<Text> archives = ArchivesIn(folder);
        install.archives.insert(install.archives.end(), archives.begin(), archives.end());
    }
    if (install.folders.empty())
        install.how += "no install folder found: the game's own maps show no picture\n";
    if (!install.how.empty()) install.how.pop_back();
    return install;
}
