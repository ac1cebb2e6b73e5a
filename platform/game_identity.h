// Where Command and Conquer Generals Zero Hour keeps its settings and user data. The reader
// uses these to find the replay folder; on Linux the prefix search uses them to recognise
// the Wine prefix the game is installed in.
#pragma once

#include <string_view>

namespace platform::game {

// Below HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER.
inline constexpr std::string_view RegistryKey =
    "SOFTWARE\\Electronic Arts\\EA GAMES\\Command and Conquer Generals Zero Hour";
inline constexpr std::string_view UserDataValueName = "UserDataLeafName";
// The folder name the game itself uses when its key holds no leaf name.
inline constexpr std::string_view DefaultUserDataLeafName =
    "Command and Conquer Generals Zero Hour Data";
inline constexpr std::string_view ReplaySubfolder = "Replays";
// Beside Replays: the community's current game client, with ArchiveReplays = yes in its
// Options.ini, copies every game there as YYYYMMDD_HHMMSS.rep.
inline constexpr std::string_view ArchiveSubfolder = "ArchivedReplays";
// The game's install folder, as a Windows path, in the same key.
inline constexpr std::string_view InstallPathValueName = "InstallPath";
// Zero Hour's own archive of its maps, in its install folder beside the other archives.
inline constexpr std::string_view MapArchiveName = "MapsZH.big";

// Steam's ids of the game and of Generals, whose Proton prefixes may hold it.
inline constexpr std::string_view SteamAppZeroHour = "2732960";
inline constexpr std::string_view SteamAppGenerals = "2229870";

} // namespace platform::game
