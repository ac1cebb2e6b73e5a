#include "platform/wine/wine_prefix.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <set>

#include "platform/game_identity.h"
#include "platform/posix/windows_listing.h"
#include "platform/posix/windows_names.h"
#include "platform/steam_files.h"
#include "platform/wine/wine_documents.h"

namespace platform::wine {

namespace {

std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : std::string{};
}

bool LooksLikePrefix(const std::string& folder) {
    return FileExists(JoinPath(folder, "system.reg")) || FileExists(JoinPath(folder, "user.reg")) ||
           DirectoryExists(JoinPath(folder, "drive_c"));
}

// Names of the sub-folders of folder, in folder order.
std::vector<std::string> SubFolders(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : ListDirectory(folder, "*"))
        if (entry.isDirectory) names.push_back(entry.name);
    return names;
}

class CandidateList {
public:
    // Adds folder when it is a prefix not seen before.
    void add(const std::string& folder, const std::string& origin) {
        if (folder.empty() || !LooksLikePrefix(folder)) return;
        const std::string real = RealPath(folder);
        if (real.empty() || !seen_.insert(real).second) return;
        list_.push_back({folder, origin});
    }
    // A launcher's game folder is a prefix itself or keeps one in pfx/ (Proton).
    void addGameFolder(const std::string& folder, const std::string& origin) {
        if (LooksLikePrefix(folder))
            add(folder, origin);
        else
            add(JoinPath(folder, "pfx"), origin);
    }
    std::vector<PrefixCandidate> take() { return std::move(list_); }

private:
    std::set<std::string> seen_;
    std::vector<PrefixCandidate> list_;
};

std::vector<std::string> SteamRoots(const std::string& home) {
    return {JoinPath(home, ".steam/steam"),
            JoinPath(home, ".steam/root"),
            JoinPath(home, ".local/share/Steam"),
            JoinPath(home, ".var/app/com.valvesoftware.Steam/.local/share/Steam"),
            JoinPath(home, ".var/app/com.valvesoftware.Steam/data/Steam"),
            JoinPath(home, "snap/steam/common/.local/share/Steam")};
}

void AddSteamPrefixes(const std::string& home, CandidateList& candidates) {
    for (const std::string& library : SteamLibraries(home)) {
        const std::string compatdata = JoinPath(library, "steamapps/compatdata");
        std::vector<std::string> apps = {std::string(game::SteamAppZeroHour),
                                         std::string(game::SteamAppGenerals)};
        for (const std::string& app : SubFolders(compatdata))
            if (std::find(apps.begin(), apps.end(), app) == apps.end()) apps.push_back(app);
        for (const std::string& app : apps)
            candidates.add(JoinPath(JoinPath(compatdata, app), "pfx"),
                           "Steam library " + library + ", app " + app);
    }
}

void AddLauncherPrefixes(const std::string& folder, const std::string& launcher,
                         CandidateList& candidates) {
    for (const std::string& name : SubFolders(folder))
        candidates.addGameFolder(JoinPath(folder, name), launcher + " prefix " + name);
}

// The game's key in system.reg (either view) or user.reg.
bool RegistryHoldsGame(const std::string& prefix) {
    const std::string key(game::RegistryKey);
    const std::string key32 = "Software\\Wow6432Node\\" + key.substr(key.find('\\') + 1);
    auto isGameKey = [&](std::string_view name) {
        return SameNameIgnoringCase(name, key) || SameNameIgnoringCase(name, key32);
    };
    for (const char* file : {"system.reg", "user.reg"}) {
        const auto registry = RegistryFile::Load(JoinPath(prefix, file), isGameKey);
        if (registry && registry->keyCount() > 0) return true;
    }
    return false;
}

std::shared_ptr<const RegistryFile> LoadShared(const std::string& path) {
    auto file = RegistryFile::Load(path);
    return file ? std::make_shared<const RegistryFile>(std::move(*file)) : nullptr;
}

bool DocumentsHoldDefaultReplays(const std::string& prefix, const Environment& environment) {
    const auto user = RegistryFile::Load(JoinPath(prefix, "user.reg"), [](std::string_view key) {
        return SameNameIgnoringCase(key, ShellFoldersKey);
    });
    const auto documents = PrefixDocuments(prefix, user ? &*user : nullptr, environment);
    if (!documents) return false;
    const auto replays = FindEntry(documents->folder, std::string(game::DefaultUserDataLeafName) +
                                                          "/" + std::string(game::ReplaySubfolder));
    return replays && DirectoryExists(*replays);
}

PrefixChoice ChoiceOf(const PrefixCandidate& candidate, std::string why,
                      const Environment& environment) {
    PrefixChoice choice;
    choice.prefix = candidate;
    choice.why = std::move(why);
    choice.machine = LoadShared(JoinPath(candidate.path, "system.reg"));
    choice.user = LoadShared(JoinPath(candidate.path, "user.reg"));
    if (const auto documents = PrefixDocuments(candidate.path, choice.user.get(), environment)) {
        choice.documents = documents->folder;
        choice.documentsHow = documents->how;
    } else {
        choice.documentsHow = "the prefix has no documents folder";
    }
    return choice;
}

std::mutex cacheMutex;
std::optional<PrefixChoice> cachedChoice;
std::optional<Environment> environmentOverride;

} // namespace

std::vector<std::string> SteamLibraries(const std::string& home) {
    if (home.empty()) return {};
    std::set<std::string> seenRoots, seenLibraries;
    std::vector<std::string> found;
    for (const std::string& root : SteamRoots(home)) {
        const std::string realRoot = RealPath(root);
        if (realRoot.empty() || !seenRoots.insert(realRoot).second) continue;
        std::vector<std::string> libraries = {root};
        const auto listed = SteamLibraryPaths(
            ReadSmallFile(JoinPath(root, "steamapps/libraryfolders.vdf"), SteamFileLimit)
                .value_or(std::string()));
        libraries.insert(libraries.end(), listed.begin(), listed.end());
        for (const std::string& library : libraries) {
            const std::string realLibrary = RealPath(library);
            if (!realLibrary.empty() && seenLibraries.insert(realLibrary).second)
                found.push_back(library);
        }
    }
    return found;
}

std::vector<PrefixCandidate> CandidatePrefixes(const Environment& environment) {
    CandidateList candidates;
    candidates.add(environment.winePrefix, "$WINEPREFIX");
    const std::string& home = environment.home;
    if (!home.empty()) {
        candidates.add(JoinPath(home, ".wine"), "~/.wine");
        AddSteamPrefixes(home, candidates);
        AddLauncherPrefixes(JoinPath(home, "Games"), "Lutris", candidates);
        AddLauncherPrefixes(JoinPath(home, ".local/share/bottles/bottles"), "Bottles", candidates);
        AddLauncherPrefixes(JoinPath(home, ".var/app/com.usebottles.bottles/data/bottles/bottles"),
                            "Bottles", candidates);
        AddLauncherPrefixes(JoinPath(home, "Games/Heroic/Prefixes/default"), "Heroic", candidates);
        AddLauncherPrefixes(JoinPath(home, "Games/Heroic/Prefixes"), "Heroic", candidates);
    }
    return candidates.take();
}

PrefixChoice ChoosePrefix(const Environment& environment) {
    const std::vector<PrefixCandidate> candidates = CandidatePrefixes(environment);
    for (const auto& candidate : candidates)
        if (RegistryHoldsGame(candidate.path))
            return ChoiceOf(candidate, "its registry holds the game's key", environment);
    for (const auto& candidate : candidates)
        if (DocumentsHoldDefaultReplays(candidate.path, environment))
            return ChoiceOf(candidate,
                            "no prefix holds the game's key; its documents folder holds \"" +
                                std::string(game::DefaultUserDataLeafName) + "\\" +
                                std::string(game::ReplaySubfolder) + "\"",
                            environment);
    PrefixChoice none;
    none.why = candidates.empty()
                   ? "no Wine prefix found"
                   : "none of the " + std::to_string(candidates.size()) +
                         " Wine prefixes found holds the game's key or its replay folder";
    const DocumentsAnswer documents = UserDocuments(environment);
    none.documents = documents.folder;
    none.documentsHow = documents.how;
    return none;
}

Environment CurrentEnvironment() {
    std::lock_guard lock(cacheMutex);
    return environmentOverride.value_or(Environment::FromProcess());
}

const PrefixChoice& CurrentPrefix() {
    std::lock_guard lock(cacheMutex);
    if (!cachedChoice)
        cachedChoice = ChoosePrefix(environmentOverride.value_or(Environment::FromProcess()));
    return *cachedChoice;
}

void ResetCurrentPrefix(std::optional<Environment> environment) {
    std::lock_guard lock(cacheMutex);
    cachedChoice.reset();
    environmentOverride = std::move(environment);
}

} // namespace platform::wine
