#include "replay/zerohour.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <iterator>
#include <optional>

#include "platform/ascii_text.h"
#include "platform/platform.h"
#include "replay/GR_Utils.h"
#include "replay/header_layout.h"
#include "replay/header_split.h"
#include "replay/random_picks.h"

ReplayReadError::ReplayReadError(const Text& path, const std::string& reason)
    : std::runtime_error(path + ": " + reason), path_(path), reason_(reason) {}

namespace {

// The version word must start at this position (from 1) or later.
constexpr std::ptrdiff_t VersionScanStart = 60;
constexpr std::size_t FrameCountOffset = 14;
constexpr std::size_t LeadingByteCount = 18;

std::string_view FieldValue(std::string_view field) {
    return ViewBefore(";", ViewAfter("=", field));
}

// The game names its own maps maps/NAME and the player's userdata/maps/NAME.
bool IsUserMapField(std::string_view mapField) {
    constexpr std::string_view userFolder = "userdata/maps";
    const auto slash = mapField.rfind('/');
    if (slash == std::string_view::npos || slash < userFolder.size()) return false;
    const std::string_view folder = mapField.substr(slash - userFolder.size(), userFolder.size());
    return platform::SameAsciiIgnoringCase(folder, userFolder);
}

bool IsKnownVersionOrNot(std::string_view digits) {
    try {
        return IsKnownVersion(digits);
    } catch (const ConvertError&) {
        return false; // letters where the digits belong: not a version we know
    }
}

// TakeEverySecondChar into a caller's buffer: the version scan runs for every replay.
template <typename Out>
std::size_t EverySecondChar(std::string_view text, std::ptrdiff_t start, Out& out) {
    const std::size_t Count = std::size(out);
    std::size_t taken = 0;
    const auto length = static_cast<std::ptrdiff_t>(text.size());
    for (std::ptrdiff_t p = start; p >= 1 && p <= length && taken < Count; p += 2)
        out[taken++] = text[static_cast<std::size_t>(p - 1)];
    return taken;
}

using VersionText = std::array<char, 4>;

// The version text's digits when the first scan finds none: a blank, a digit, a full stop
// and two digits, as 16-bit text, in whatever language the word before it is written.
std::optional<VersionText> FindVersionDigits(std::string_view field) {
    const auto length = static_cast<std::ptrdiff_t>(field.size());
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::ptrdiff_t p = VersionScanStart; p + 9 <= length; ++p) {
        const char* b = field.data() + (p - 1);
        if (b[0] == ' ' && b[1] == 0 && isDigit(b[2]) && b[3] == 0 && b[4] == '.' && b[5] == 0 &&
            isDigit(b[6]) && b[7] == 0 && isDigit(b[8]) && b[9] == 0) {
            const VersionText digits = {b[2], b[4], b[6], b[8]};
            if (IsKnownVersion(std::string_view(digits.data(), digits.size()))) return digits;
        }
    }
    return std::nullopt;
}

// FindGameVersion's scan: the accepted version text of field 1, if there is one.
std::optional<VersionText> KnownVersionIn(std::string_view field1) {
    const auto length = static_cast<std::ptrdiff_t>(field1.size());
    std::ptrdiff_t p = VersionScanStart;
    while (p <= length) {
        const char byte = field1[static_cast<std::size_t>(p - 1)];
        if (std::find(VersionInitials.begin(), VersionInitials.end(), byte) ==
            VersionInitials.end()) {
            ++p;
            continue;
        }
        char wordChars[7];
        std::string_view word(wordChars, EverySecondChar(field1, p, wordChars));
        word = word.substr(0, word.find('\0'));
        if (VersionWords.find(word) == std::string_view::npos) {
            ++p;
            continue;
        }
        VersionText digits{};
        const std::size_t taken = EverySecondChar(field1, p + 16, digits);
        if (IsKnownVersionOrNot(std::string_view(digits.data(), taken))) return digits;
        p += 17;
    }
    return FindVersionDigits(field1);
}

// No "GENREP" or no version we know: ParseHeaderFields will look at nothing after field 1.
bool FirstFieldRulesOut(std::string_view field1) {
    return field1.substr(0, ReplayMagic.size()) != ReplayMagic || !KnownVersionIn(field1);
}

// "Invalid" when the magic matched but no version we know was found.
bool TakeVersion(const std::optional<VersionText>& version, TZH_replay& record) {
    record.version = "Invalid";
    if (version) record.version.assign(version->data(), version->size());
    return version.has_value();
}

// The first field's version as the split's check found it, so that it is looked for once.
struct FirstFieldVersion {
    bool found = false; // the check ran
    std::optional<VersionText> version;
};

// Reads the start of the open file into split, up to the tenth field or a ruling-out first
// field, and never beyond HeaderReadLimit. Returns the file's size.
uint64_t SplitFile(platform::InputFile& file, const Text& path, HeaderSplit& split) {
    try {
        std::size_t total = 0;
        while (!split.done() && total < HeaderReadLimit) {
            const std::size_t wanted = std::min(HeaderBlockSize, HeaderReadLimit - total);
            const std::size_t got = file.read(split.room(wanted), wanted);
            split.commit(got);
            if (got == 0) break;
            total += got;
        }
        return file.entrySize();
    } catch (const platform::FileError& error) {
        throw ReplayReadError(path, error.what());
    }
}

platform::InputFile OpenReplay(const Text& path) {
    try {
        return platform::InputFile(path);
    } catch (const platform::FileError& error) {
        throw ReplayReadError(path, error.what());
    }
}

uint64_t SplitFile(const Text& path, HeaderSplit& split) {
    platform::InputFile file = OpenReplay(path);
    return SplitFile(file, path, split);
}

using FieldViews = std::array<std::string_view, 10>;

bool ParseFields(const FieldViews& fields, TZH_replay& record, const FirstFieldVersion& known = {},
                 std::string_view leadingBytes = {});

// Human and computer slots among the first eight: room for the players in one allocation.
std::size_t PlayerSlotsAtMost(std::string_view list) {
    std::size_t players = 0;
    for (int number = 1; number <= 8 && !list.empty(); ++number) {
        if (list.front() != 'O' && list.front() != 'X' && list.front() != ':') ++players;
        const auto colon = list.find(':');
        if (colon == std::string_view::npos) break;
        list.remove_prefix(colon + 1);
    }
    return players;
}

} // namespace

Text FileNamePart(std::string_view path) {
#ifdef _WIN32
    const auto at = path.find_last_of("\\/:");
#else
    const auto at = path.rfind('/');
#endif
    return Text(at == std::string_view::npos ? path : path.substr(at + 1));
}

namespace {

HeaderFields Copies(const HeaderSplit& split) {
    HeaderFields fields;
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i] = split.field(i);
    return fields;
}

} // namespace

HeaderFields SplitHeaderBytes(std::string_view bytes, HeaderScope scope) {
    HeaderSplit split(scope == HeaderScope::UntilRuledOut ? FirstFieldRulesOut : nullptr);
    split.feed(bytes.substr(0, std::min(bytes.size(), HeaderReadLimit)));
    return Copies(split);
}

HeaderRead ReadHeader(const Text& path, HeaderScope scope) {
    HeaderSplit split(scope == HeaderScope::UntilRuledOut ? FirstFieldRulesOut : nullptr);
    HeaderRead result;
    result.fileSize = SplitFile(path, split);
    result.fields = Copies(split);
    result.leadingBytes = split.bytes().substr(0, LeadingByteCount);
    return result;
}

HeaderFields SplitHeaderFields(const Text& path) {
    return ReadHeader(path, HeaderScope::AllTenFields).fields;
}

int32_t DurationFromFileSize(int32_t size) {
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    return static_cast<int32_t>(std::nearbyint(static_cast<double>(size) / 1024.0 / 0.12));
}

std::optional<int32_t> DurationFromFrames(std::string_view leadingBytes) {
    if (leadingBytes.size() < LeadingByteCount ||
        leadingBytes.substr(0, ReplayMagic.size()) != ReplayMagic)
        return std::nullopt;
    uint32_t frames = 0;
    for (std::size_t i = 0; i < 4; ++i)
        frames |= uint32_t{static_cast<unsigned char>(leadingBytes[FrameCountOffset + i])}
                  << (8 * i);
    if (frames == 0) return std::nullopt;
    return static_cast<int32_t>(frames / FramesPerSecond);
}

TZH_replay ReadReplay(const Text& path) {
    platform::InputFile file = OpenReplay(path);
    return ReadReplay(file, path);
}

TZH_replay ReadReplay(platform::InputFile& file, const Text& path) {
    // The fields stay in the buffer they were read into; the size comes with the open file.
    FirstFieldVersion known;
    HeaderSplit split([&known](std::string_view field1) {
        if (field1.substr(0, ReplayMagic.size()) != ReplayMagic) return true;
        known = {true, KnownVersionIn(field1)};
        return !known.version;
    });
    const uint64_t size = SplitFile(file, path, split);
    TZH_replay record;
    record.file.size = RecordedSize(size);
    record.file.path = path;
    record.file.name = FileNamePart(path);
    record.valid =
        ParseFields(split.fields(), record, known, split.bytes().substr(0, ReplayMagic.size()));
    if (const auto seconds = DurationFromFrames(split.bytes().substr(0, LeadingByteCount)))
        record.duration = *seconds;
    return record;
}

bool ParseHeaderFields(const HeaderFields& fields, TZH_replay& record) {
    FieldViews views;
    for (std::size_t i = 0; i < fields.size(); ++i)
        views[i] = fields[i];
    return ParseFields(views, record);
}

namespace {

constexpr std::size_t SeedField = 4;
constexpr std::size_t PlayersField = 9;

// The file's first bytes, when the caller has them, tell a file cut inside its first field
// from one that isn't a replay at all.
bool ParseFields(const FieldViews& fields, TZH_replay& record, const FirstFieldVersion& known,
                 std::string_view leadingBytes) {
    std::size_t field = 0; // the field being read, for the reason of a failure
    try {
        record.duration = DurationFromFileSize(record.file.size);
        if (CharsView(1, 6, fields[0]) != ReplayMagic) {
            const bool cut =
                fields[0].empty() && leadingBytes.substr(0, ReplayMagic.size()) == ReplayMagic;
            record.invalidReason = cut ? InvalidReason::CutShort : InvalidReason::NotReplay;
            return false;
        }
        if (!TakeVersion(known.found ? known.version : KnownVersionIn(fields[0]), record)) {
            record.invalidReason = InvalidReason::UnknownVersion;
            return false;
        }
        // User maps live in userdata/maps/NAME: the name is what follows the last "/".
        const std::string_view mapField = fields[1];
        const auto slash = mapField.rfind('/');
        std::string_view mapName =
            slash == std::string_view::npos ? std::string_view{} : mapField.substr(slash + 1);
        if (!mapName.empty()) mapName.remove_suffix(1);
        record.map.name = mapName;
        record.map.userMap = IsUserMapField(mapField);
        field = 2;
        record.map.code = NumberFromDigits(FieldValue(fields[2]), HexUpperDigits);
        field = 3;
        record.map.number = ParseWholeNumber(FieldValue(fields[3]));
        record.superweaponLimit = FieldValue(fields[6]) == "1";
        field = 7;
        record.money = ParseWholeNumber(FieldValue(fields[7]));
        record.vanilla = FieldValue(fields[8]) == "Y";
        field = PlayersField;
        ParsePlayerSlots(FieldValue(fields[PlayersField]), record);
    } catch (const ConvertError&) {
        // A field the file never completed is a cut file, whatever its value would have been.
        record.invalidReason = fields[field].empty()   ? InvalidReason::CutShort
                               : field == PlayersField ? InvalidReason::BadPlayers
                                                       : InvalidReason::BadSettings;
        return false;
    }
    record.invalidReason = InvalidReason::None;
    record.date = MatchDate(fields[0]);
    if (const auto checksums = ReadChecksums(fields[0])) {
        record.exeCrc = checksums->exe;
        record.iniCrc = checksums->ini;
    }
    record.seed = MatchSeed(FieldValue(fields[SeedField]));
    ResolveRandomPicks(record.players, record.seed, record.vanilla);
    return true;
}

} // namespace

bool FindGameVersion(std::string_view field1, TZH_replay& record) {
    return TakeVersion(KnownVersionIn(field1), record);
}

Text TakeEverySecondChar(std::string_view text, std::ptrdiff_t start, std::ptrdiff_t count) {
    Text result;
    const auto length = static_cast<std::ptrdiff_t>(text.size());
    for (std::ptrdiff_t p = start;
         p >= 1 && p <= length && static_cast<std::ptrdiff_t>(result.size()) < count; p += 2)
        result.push_back(text[static_cast<std::size_t>(p - 1)]);
    return result;
}

bool IsKnownVersion(std::string_view digits) {
    if (digits.size() < 4) return false;
    Text number;
    number.push_back(digits[0]);
    number.append(digits.substr(2, 2));
    const int32_t value = ParseWholeNumber(number);
    return value >= 100 && value <= 104;
}

namespace {

const char* DifficultyName(char letter) {
    switch (letter) {
    case 'E':
        return "IA Facile";
    case 'M':
        return "IA Moyenne";
    case 'H':
        return "IA Difficile";
    default:
        return "";
    }
}

// TextBefore and TextAfter of one delimiter in a single search: returns the text before it
// and moves rest past it; without the delimiter both are empty.
std::string_view TakeUntil(char delimiter, std::string_view& rest) {
    const auto at = FindChar(rest, delimiter);
    if (at == std::string_view::npos) {
        rest = {};
        return {};
    }
    const std::string_view entry = rest.substr(0, at);
    rest.remove_prefix(at + 1);
    return entry;
}

// Takes the next comma-separated entry off the front of rest.
std::string_view NextEntry(std::string_view& rest) {
    return TakeUntil(',', rest);
}

template <typename T> T LowBits(int32_t value) {
    return static_cast<T>(static_cast<std::make_unsigned_t<T>>(static_cast<uint32_t>(value)));
}

} // namespace

void ParsePlayerSlots(std::string_view slots, TZH_replay& record) {
    record.players.reserve(record.players.size() + PlayerSlotsAtMost(slots));
    std::string_view list = slots;
    std::string_view slot = TakeUntil(':', list);
    for (int number = 1; number <= 8; ++number) {
        if (slot.empty()) throw ConvertError("missing player slot " + std::to_string(number));
        const char kind = slot[0];
        if (kind != 'O' && kind != 'X') {
            TZH_player& player = record.players.emplace_back();
            const bool human = kind == 'H';
            if (kind == 'C') {
                player.name = DifficultyName(slot.size() > 1 ? slot[1] : '\0');
                player.human = false;
            } else if (human) {
                player.name = ViewBefore(",", ViewAfter("H", slot));
                player.human = true;
            } else {
                return; // an unknown slot kind ends the list; the blank entry stays
            }
            std::string_view rest = ViewAfter(",", slot);
            if (human) {
                const std::string_view address =
                    rest.substr(0, std::min<std::size_t>(8, rest.size()));
                for (std::size_t k = 0; k < 4; ++k) {
                    const std::string_view pair =
                        CharsView(static_cast<std::ptrdiff_t>(2 * k + 1),
                                  static_cast<std::ptrdiff_t>(2 * k + 2), address);
                    player.address[k] = LowBits<uint8_t>(NumberFromDigits(pair, HexUpperDigits));
                }
                rest = ViewAfter(",", rest);
                player.port = LowBits<uint16_t>(ParseWholeNumber(NextEntry(rest)));
                rest = ViewAfter(",", rest);
            }
            player.slotValue1 = LowBits<uint8_t>(ParseWholeNumber(NextEntry(rest)));
            player.army = LowBits<int8_t>(ParseWholeNumber(NextEntry(rest)));
            player.slotValue3 = LowBits<uint8_t>(ParseWholeNumber(NextEntry(rest)));
            player.team = LowBits<int8_t>(ParseWholeNumber(human ? NextEntry(rest) : rest));
        }
        if (number < 8) slot = TakeUntil(':', list);
    }
}

std::string_view InvalidReasonName(InvalidReason reason) {
    switch (reason) {
    case InvalidReason::None:
        return "none";
    case InvalidReason::Unreadable:
        return "unreadable";
    case InvalidReason::NotReplay:
        return "notReplay";
    case InvalidReason::CutShort:
        return "cutShort";
    case InvalidReason::UnknownVersion:
        return "unknownVersion";
    case InvalidReason::BadSettings:
        return "badSettings";
    case InvalidReason::BadPlayers:
        return "badPlayers";
    }
    return "unreadable";
}
