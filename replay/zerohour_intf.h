// Records of one replay file and the constant tables that go with them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Texts are byte strings as the game wrote them (see display_text.h for showing them).
using Text = std::string;

struct TZH_file {
    Text path;        // the path exactly as given to the reader
    Text name;        // the file name part of path, extension included; for the game's archive
                      // folder, after its name and a backslash, as the list shows it
    int32_t size = 0; // low 32 bits of the file size; 0 when the file was not found
};

struct TZH_map {
    Text name;            // map name: header field 2 after its last "/"
    int32_t code = 0;     // field 3 as uppercase hexadecimal (full 32-bit pattern)
    int32_t number = 0;   // field 4 as a decimal number
    bool userMap = false; // field 2 names userdata/maps/NAME (a map of the player's own)
};

struct TZH_player {
    Text name;              // player name, or the computer's difficulty name
    int8_t army = 0;        // -2 observer, -1 random, 2..13 the armies
    uint8_t slotValue1 = 0; // first number of the slot (colour)
    bool human = false;
    int8_t team = 0;                  // NoTeam, or 0.. the team
    uint8_t slotValue3 = 0;           // third number of the slot (start position)
    std::array<uint8_t, 4> address{}; // human slots only, first pair first
    uint16_t port = 0;                // human slots only
    // What the game made of the slot's random picks (valid replays only): the army and colour
    // it gave, and whether each was drawn from the match seed. Observers draw a colour, never
    // an army (their armyResolved stays -2). -1 when nothing could be resolved.
    int8_t armyResolved = -1;
    bool armyRandom = false;
    int8_t colourResolved = -1; // 0..7: gold, red, blue, green, orange, sky blue, purple, pink
    bool colourRandom = false;
};

// The local time at which the match started, as the game wrote it (a Windows SYSTEMTIME).
struct TZH_date {
    uint16_t year = 0;
    uint16_t month = 0;     // 1..12
    uint16_t dayOfWeek = 0; // 0 Sunday
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};

// Which check refused a replay; None for a valid one.
enum class InvalidReason : uint8_t {
    None,
    Unreadable,     // the file could not be opened or read
    NotReplay,      // no "GENREP" at its start
    CutShort,       // the file ends before its header does
    UnknownVersion, // a game version the program doesn't know
    BadSettings,    // a settings text it can't read
    BadPlayers,     // a player list it can't read
};

struct TZH_replay {
    TZH_file file;
    TZH_map map;
    int32_t money = 0;
    bool superweaponLimit = false;
    bool vanilla = false;
    Text version; // "1.04", "Invalid" or empty
    std::vector<TZH_player> players;
    int32_t duration = 0; // seconds
    bool valid = false;
    std::optional<TZH_date> date; // the match's local start time, a real one; valid replays only
    std::optional<uint32_t> seed; // the match seed (SD) as its bit pattern, valid replays only
    // The header's checksums of the game's program and data files, valid replays only (0 when
    // the header doesn't reach them): the data set that numbered the objects in the orders.
    uint32_t exeCrc = 0;
    uint32_t iniCrc = 0;
    InvalidReason invalidReason = InvalidReason::Unreadable;
};

inline constexpr std::string_view VersionWords = "Version Wersja ";
inline constexpr std::string_view VersionInitials = "VW";

// The game's lobby has eight slots (players, computers, observers), and eight player colours.
inline constexpr std::size_t LobbySlots = 8;
inline constexpr int8_t PlayerColourCount = 8;

// The first bytes of every replay file.
inline constexpr std::string_view ReplayMagic = "GENREP";
// The game's logic runs 30 frames per second of game time; replays count time in frames.
inline constexpr int32_t FramesPerSecond = 30;
// A game minute of frames, as the players' activity counts them.
inline constexpr uint32_t FramesPerMinute = 60 * FramesPerSecond;
// A slot's army: 2 to 13 the armies ArmyNames names from FirstArmy on, -1 a random pick, -2 an
// observer.
inline constexpr int8_t FirstArmy = 2;
inline constexpr int8_t RandomArmy = -1;
inline constexpr int8_t ObserverArmy = -2;
// A player's team when he plays in none.
inline constexpr int8_t NoTeam = -1;

inline constexpr std::array<std::string_view, 13> ArmyNames = {
    "USA",        "China",          "GLA",        "USA SuperWeapon", "USA Laser", "USA Air Force",
    "China Tank", "China Infantry", "China Nuke", "GLA Toxin",       "GLA Demo",  "GLA Stealth",
    "Observer",
};
