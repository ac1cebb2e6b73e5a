#include "map_pictures.h"

#include <algorithm>
#include <cctype>

#include "display_text.h"
#include "platform/game_identity.h"
#include "platform/platform.h"

namespace {

constexpr std::string_view MapsFolder = "maps";
constexpr std::string_view PreviewExtension = ".tga";

bool SameAsciiText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// A map name names one folder: nothing that could lead out of the maps folder.
bool IsPlainMapName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("\\/:") == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

// maps/NAME/NAME.tga below folder, letter case ignored.
std::optional<PreviewFile> LooseFile(const Text& folder, const Text& mapName) {
    const Text name = DisplayText(mapName);
    const auto path = platform::FindEntry(folder, std::string(MapsFolder) + "/" + name + "/" +
                                                      name + std::string(PreviewExtension));
    if (!path || !platform::FileExists(*path)) return std::nullopt;
    auto bytes = platform::ReadSmallFile(*path, MaxPreviewFileBytes);
    if (!bytes) return std::nullopt;
    return PreviewFile{std::move(*bytes), *path};
}

} // namespace

Text UserDataFolderOf(const Text& replayFolder) {
    Text folder = replayFolder;
    while (!folder.empty() && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    const auto cut = folder.find_last_of("/\\");
    if (cut == Text::npos || cut == 0 ||
        !SameAsciiText(folder.substr(cut + 1), platform::game::ReplaySubfolder))
        return {};
    return folder.substr(0, cut);
}

std::string MapPreviewEntry(std::string_view mapName) {
    const std::string name(mapName);
    return std::string(MapsFolder) + "\\" + name + "\\" + name + std::string(PreviewExtension);
}

bool IsMapPreviewEntry(std::string_view entryName) {
    const std::string key = big::EntryKey(entryName);
    const std::string start = std::string(MapsFolder) + "\\";
    if (!key.starts_with(start) || !key.ends_with(PreviewExtension)) return false;
    const std::string_view rest = std::string_view(key).substr(start.size());
    const auto slash = rest.find('\\');
    return slash != std::string_view::npos && rest.find('\\', slash + 1) == std::string_view::npos;
}

MapPreviewFinder::MapPreviewFinder(Text userDataFolder, InstallFinder findInstall)
    : userDataFolder_(std::move(userDataFolder)), findInstall_(std::move(findInstall)) {}

std::optional<PreviewFile> MapPreviewFinder::find(const TZH_map& map) {
    if (!IsPlainMapName(map.name)) return std::nullopt;
    return map.userMap ? findUserMap(map.name) : findGameMap(map.name);
}

std::optional<PreviewFile> MapPreviewFinder::findUserMap(const Text& name) const {
    if (userDataFolder_.empty()) return std::nullopt;
    return LooseFile(userDataFolder_, name);
}

// As the game does: a loose file below an install folder comes before the archives.
std::optional<PreviewFile> MapPreviewFinder::findGameMap(const Text& name) {
    if (!install_) {
        install_ = findInstall_ ? findInstall_() : GameInstall{};
        archives_.resize(install_->archives.size());
    }
    for (const Text& folder : install_->folders)
        if (auto file = LooseFile(folder, name)) return file;
    const std::string entryName = MapPreviewEntry(name);
    for (std::size_t i = 0; i < archives_.size(); ++i) {
        const big::Archive& each = archive(i);
        const big::Entry* entry = each.find(entryName);
        if (!entry) continue;
        if (auto bytes = each.read(*entry, MaxPreviewFileBytes))
            return PreviewFile{std::move(*bytes), each.path() + " (" + entry->name + ")"};
    }
    return std::nullopt;
}

const big::Archive& MapPreviewFinder::archive(std::size_t i) {
    // Only the previews' entries are kept: an archive of textures costs nothing to keep.
    if (!archives_[i]) archives_[i] = big::Archive::Open(install_->archives[i], IsMapPreviewEntry);
    return *archives_[i];
}
