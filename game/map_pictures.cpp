#include "game/map_pictures.h"

#include <algorithm>
#include <array>

#include "platform/ascii_text.h"
#include "platform/game_identity.h"
#include "platform/platform.h"
#include "replay/display_text.h"

namespace {

constexpr std::string_view MapsFolder = "maps";
constexpr std::string_view PreviewExtension = ".tga";

bool IsDeviceName(std::string_view stem) {
    static constexpr std::array<std::string_view, 6> Plain{"CON", "PRN",    "AUX",
                                                           "NUL", "CONIN$", "CONOUT$"};
    if (std::any_of(Plain.begin(), Plain.end(), [stem](std::string_view device) {
            return platform::SameAsciiIgnoringCase(stem, device);
        }))
        return true;
    // COM0 to COM9 and LPT0 to LPT9.
    return stem.size() == 4 &&
           (platform::SameAsciiIgnoringCase(stem.substr(0, 3), "COM") ||
            platform::SameAsciiIgnoringCase(stem.substr(0, 3), "LPT")) &&
           stem[3] >= '0' && stem[3] <= '9';
}

bool IsRefusedCharacter(unsigned char c) {
    return c < 0x20 || c == 0x7F ||
           std::string_view("/\\:<>\"|?*").find(static_cast<char>(c)) != std::string_view::npos;
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

bool IsSafeMapFileName(std::string_view name) {
    if (name.empty() || name.find("..") != std::string_view::npos) return false;
    if (std::any_of(name.begin(), name.end(),
                    [](char c) { return IsRefusedCharacter(static_cast<unsigned char>(c)); }))
        return false;
    // Windows takes "CON.bmp", and "CON.x.bmp", for the device.
    return !IsDeviceName(name.substr(0, name.find('.')));
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
    if (!IsSafeMapFileName(map.name)) return std::nullopt;
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
