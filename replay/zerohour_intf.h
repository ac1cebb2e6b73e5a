// Records of one replay file and the constant tables that go with them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Texts are byte strings as the game wrote them (see display_text.h for showing them).
using Text = std::string;

struct TZH_file {
    Text path;         // the path exactly as given to the reader
    Text name;         // the file name part of path, extension included
    int32_t size = 0;  // low 32 bits of the file size; 0 when the file was not found
};

struct TZH_map {
    Text name;          // map name: header field 2 after its last "/"
    int32_t code = 0;   // field 3 as uppercase hexadecimal (full 32-bit pattern)
    int32_t number = 0; // field 4 as a decimal number
    bool userMap = false; // field 2 names userdata/maps/NAME (a map of the player's own)
};

struct TZH_player {
    Text name;                           // player name, or the computer's difficulty name
    int8_t army = 0;                     // -2 observer, -1 random, 2..13 the armies
    uint8_t slotValue1 = 0;              // first number of the slot (colour)
    bool human = false;
    int8_t team = 0;                     // -1 no team
    uint8_t slotValue3 = 0;              // third number of the slot (start position)
    std::array<uint8_t, 4> address{};    // human slots only, first pair first
    uint16_t port = 0;                   // human slots only
};

struct TZH_replay {
    TZH_file file;
    TZH_map map;
    int32_t money = 0;
    bool superweaponLimit = false;
    bool vanilla = false;
    Text version;                        // "1.04", "Invalid" or empty
    std::vector<TZH_player> players;
    int32_t duration = 0;                // seconds
    bool valid = false;
};

inline constexpr std::string_view VersionWords = "Version Wersja ";
inline constexpr std::string_view VersionInitials = "VW";

inline constexpr std::array<std::string_view, 13> ArmyNames = {
    "USA",        "China",          "GLA",        "USA SuperWeapon", "USA Laser",
    "USA Air Force", "China Tank", "China Infantry", "China Nuke",   "GLA Toxin",
    "GLA Demo",   "GLA Stealth",    "Observer",
};
