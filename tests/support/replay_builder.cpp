#include "tests/support/replay_builder.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace replay_builder {

namespace {

void PutU32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutUtf16(std::string& out, const std::u16string& text) {
    for (const char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    out.append(2, '\0');
}

std::string Number(int value) {
    return std::to_string(value);
}

} // namespace

Slot Human(const std::string& name, const std::string& addressHex, int colour, int army,
           int startPosition, int team, int port) {
    return {"H" + name + "," + addressHex + "," + Number(port) + ",TT," + Number(colour) + "," +
            Number(army) + "," + Number(startPosition) + "," + Number(team) + ",1"};
}

Slot Computer(char difficulty, int colour, int army, int startPosition, int team) {
    return {std::string("C") + difficulty + "," + Number(colour) + "," + Number(army) + "," +
            Number(startPosition) + "," + Number(team)};
}

Slot Open() {
    return {"O"};
}
Slot Closed() {
    return {"X"};
}

std::string SettingsText(const Settings& s) {
    std::string slots;
    for (std::size_t i = 0; i < 8; ++i)
        slots += (i < s.slots.size() ? s.slots[i].text : "X") + ":";
    return "US=1;M=07" + s.mapPath + ";MC=" + s.mapCode + ";MS=" + s.mapSize + ";SD=" + s.seed +
           ";C=100;SR=" + (s.superweaponLimit ? "1" : "0") + ";SC=" + Number(s.money) +
           ";O=" + (s.originalArmiesOnly ? "Y" : "N") + ";S=" + slots + ";";
}

std::string Bytes(const Replay& r) {
    std::string out = "GENREP";
    PutU32(out, r.startTime);
    PutU32(out, r.endTime);
    PutU32(out, r.frames);
    out.append(2 + 8, '\0'); // desync, quit early, eight disconnect flags
    PutUtf16(out, r.replayName);
    for (const uint16_t v : r.startDate) {
        out.push_back(static_cast<char>(v & 0xFF));
        out.push_back(static_cast<char>(v >> 8));
    }
    PutUtf16(out, r.versionText);
    PutUtf16(out, r.buildDate);
    PutU32(out, r.versionNumber);
    PutU32(out, 0xDA2B4B18); // exe CRC
    PutU32(out, 0xFEAAE3F3); // ini CRC
    out += r.settings;
    out.push_back('\0');
    out += std::to_string(r.localSlot);
    out.push_back('\0');
    out.append(16, '\0');
    out.append(r.bodySize, '\0');
    out += r.body;
    return out;
}

std::string OrderBytes(uint32_t frame, uint32_t type, int32_t player,
                       const std::vector<ArgumentGroup>& groups, const std::string& arguments) {
    std::string out;
    PutU32(out, frame);
    PutU32(out, type);
    PutU32(out, static_cast<uint32_t>(player));
    out.push_back(static_cast<char>(groups.size()));
    for (const ArgumentGroup& group : groups) {
        out.push_back(static_cast<char>(group.type));
        out.push_back(static_cast<char>(group.count));
    }
    return out + arguments;
}

namespace {
// Paths are UTF-8; on Windows a plain narrow path would go through the ANSI code page and
// lose every character outside it.
std::filesystem::path FromUtf8(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}
} // namespace

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(FromUtf8(path), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

void WriteSparseFile(const std::string& path, const std::string& bytes, std::size_t size) {
    std::ofstream file(FromUtf8(path), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (size > bytes.size() + 1) {
        // Seeking past the end and writing one byte leaves a hole on most file systems.
        file.seekp(static_cast<std::streamoff>(size - 1));
        file.put('\0');
    }
    if (!file) throw std::runtime_error("cannot write " + path);
}

} // namespace replay_builder
