// The reader that turns one Zero Hour replay file into a TZH_replay.
#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "replay/zerohour_intf.h"

namespace platform {
class InputFile;
}

// A replay file could not be opened or read. what() names the file and the system's reason.
class ReplayReadError : public std::runtime_error {
public:
    ReplayReadError(const Text& path, const std::string& reason);
    const Text& path() const { return path_; }
    const std::string& reason() const { return reason_; }

private:
    Text path_;
    std::string reason_;
};

using HeaderFields = std::array<Text, 10>;

// What the reader takes from the start of a file: the ten fields and the file's first bytes.
struct HeaderRead {
    HeaderFields fields;
    Text leadingBytes; // up to the first 18 bytes of the file (magic and match length)
    uint64_t fileSize = 0;
};

// The header is never looked for beyond this many bytes.
inline constexpr std::size_t HeaderReadLimit = 64 * 1024;
inline constexpr std::size_t HeaderBlockSize = 2048;

// Reads one replay file. Throws ReplayReadError when the file can't be opened or read;
// a malformed header gives a record with valid == false instead.
TZH_replay ReadReplay(const Text& path);
// The same from the file opened at path, read from its start; the file can be read on after.
TZH_replay ReadReplay(platform::InputFile& file, const Text& path);

enum class HeaderScope {
    AllTenFields,  // every field, whatever the first one holds
    UntilRuledOut, // stops once the magic or the first field rules the replay out (the
                   // other fields are then left empty: nothing would look at them)
};

HeaderRead ReadHeader(const Text& path, HeaderScope scope);
HeaderFields SplitHeaderFields(const Text& path);
// Cuts the ten fields from the start of a file's bytes (only the first HeaderReadLimit count).
HeaderFields SplitHeaderBytes(std::string_view bytes,
                              HeaderScope scope = HeaderScope::AllTenFields);

bool ParseHeaderFields(const HeaderFields& fields, TZH_replay& record);
bool FindGameVersion(std::string_view field1, TZH_replay& record);
Text TakeEverySecondChar(std::string_view text, std::ptrdiff_t start, std::ptrdiff_t count);
bool IsKnownVersion(std::string_view digits);
void ParsePlayerSlots(std::string_view slots, TZH_replay& record);

// Match length in seconds from the frame count a finished game wrote; nullopt when the
// bytes don't hold one (not a replay, too short, or a crashed game's 0).
std::optional<int32_t> DurationFromFrames(std::string_view leadingBytes);

// The estimate from the file size: size / 1024 / 0.12, rounded half to even.
int32_t DurationFromFileSize(int32_t size);

// The reason's name in tarvex-info's JSON: "none", "unreadable", "notReplay", "cutShort",
// "unknownVersion", "badSettings", "badPlayers".
std::string_view InvalidReasonName(InvalidReason reason);

// The file name part of a path, as the platform separates it.
Text FileNamePart(std::string_view path);
