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

// maps/NAME/NAME.tga, below the user data folder or an install folder.
std::string LoosePreview(const Text& mapName) {
    const Text name = DisplayText(mapName);
    return std::string(MapsFolder) + "/" + name + "/" + name + std::string(PreviewExtension);
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
    : userDataFolder_(std::move(userDataFolder)),
      // Only the previews' entries are kept: an archive of textures costs nothing to keep.
      gameFiles_(std::move(findInstall), IsMapPreviewEntry, GameFiles::Tables::Kept) {}

std::optional<GameFile> MapPreviewFinder::find(const TZH_map& map) {
    if (!IsSafeMapFileName(map.name)) return std::nullopt;
    if (!map.userMap)
        return gameFiles_.find(LoosePreview(map.name), MapPreviewEntry(map.name),
                               MaxPreviewFileBytes);
    if (userDataFolder_.empty()) return std::nullopt;
    return LooseGameFile(userDataFolder_, LoosePreview(map.name), MaxPreviewFileBytes);
}
