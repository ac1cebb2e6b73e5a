// Builds replay files the way the game writes them: the binary start, the settings text and
// a body. Tests, the benchmark and the sample replays beside the program use it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace replay_builder {

struct Slot {
    std::string text; // "HName,C0A80102,8088,TT,2,5,1,0,1", "CH,-1,3,2,1", "O", "X"
};

// A human slot as the game writes it.
Slot Human(const std::string& name, const std::string& addressHex, int colour, int army,
           int startPosition, int team, int port = 8088);
// A computer slot; difficulty is 'E', 'M' or 'H'.
Slot Computer(char difficulty, int colour, int army, int startPosition, int team);
Slot Open();
Slot Closed();

struct Settings {
    std::string mapPath = "maps/tournament desert"; // as the game writes it, after "M=07"
    std::string mapCode = "12BE477C";
    std::string mapSize = "130668";
    std::string seed = "21160562";
    bool superweaponLimit = false;
    int money = 10000;
    bool originalArmiesOnly = false;
    std::vector<Slot> slots; // filled up to eight with closed slots
};

// "US=1;M=07<map>;MC=..;MS=..;SD=..;C=100;SR=..;SC=..;O=..;S=<slots>:;"
std::string SettingsText(const Settings& settings);

struct Replay {
    std::u16string replayName = u"Last Replay";
    std::u16string versionText = u"Version 1.04";
    std::u16string buildDate = u"Mar 10 2005 13:47:03";
    uint32_t startTime = 1700000000;
    uint32_t endTime = 1700001500;
    uint32_t frames = 45000; // 25 minutes at 30 frames a second
    // SYSTEMTIME of the start: year, month, day of week, day, hour, minute, second, ms
    std::array<uint16_t, 8> startDate = {2024, 5, 3, 17, 20, 15, 42, 0};
    uint32_t versionNumber = 0x00010004;
    std::string settings; // SettingsText(...) or any bytes
    int localSlot = 0;
    std::size_t bodySize = 64; // bytes of commands after the header (zeros)
    std::string body;          // then these bytes (orders made with OrderBytes)
};

// One argument group of an order: its type (0 integer ... 10 wide character) and count.
struct ArgumentGroup {
    uint8_t type = 0;
    uint8_t count = 0;
};

// One order as the game writes it: frame, type, player index, the groups, then their
// arguments' bytes (given whole, in the groups' order).
std::string OrderBytes(uint32_t frame, uint32_t type, int32_t player,
                       const std::vector<ArgumentGroup>& groups = {},
                       const std::string& arguments = {});

// The whole file's bytes.
std::string Bytes(const Replay& replay);

// Writes bytes to path; throws std::runtime_error on failure.
void WriteFile(const std::string& path, const std::string& bytes);

// Writes a file of `size` bytes that holds `bytes` at its start, leaving the rest as a hole
// where the file system allows it (so thousands of real-sized replays cost little disk).
void WriteSparseFile(const std::string& path, const std::string& bytes, std::size_t size);

} // namespace replay_builder
