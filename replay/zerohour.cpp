#include "zerohour.h"

#include <cmath>
#include <cstring>

#include "GR_Utils.h"
#include "platform/platform.h"

ReplayReadError::ReplayReadError(const Text& path, const std::string& reason)
    : std::runtime_error(path + ": " + reason), path_(path), reason_(reason) {}

namespace {

constexpr std::string_view Magic = "GENREP";
// A ";" before this offset belongs to the binary part of the first field.
constexpr std::size_t FirstFieldMinimumEnd = 139;
// The version word must start at this position (from 1) or later.
constexpr std::ptrdiff_t VersionScanStart = 60;
constexpr std::size_t FrameCountOffset = 14;
constexpr std::size_t LeadingByteCount = 18;
constexpr int32_t FramesPerSecond = 30;

bool FirstFieldRulesOut(std::string_view field1);

// Cuts semicolon-terminated fields from bytes fed to it in order.
class FieldSplitter {
public:
    explicit FieldSplitter(HeaderScope scope) : scope_(scope) {}

    bool done() const { return k_ >= fields_.size(); }

    void feed(std::string_view bytes) {
        for (const char byte : bytes) {
            if (done()) return;
            current_.push_back(byte);
            const bool closes = byte == ';' && !(k_ == 0 && offset_ < FirstFieldMinimumEnd);
            ++offset_;
            if (closes) {
                fields_[k_++] = std::move(current_);
                current_.clear();
            }
            if (scope_ == HeaderScope::UntilRuledOut && k_ <= 1 && RuledOut()) {
                k_ = fields_.size();
                return;
            }
        }
    }

    // A field still in progress is dropped: only completed fields count.
    HeaderFields take() { return std::move(fields_); }

private:
    // The magic decides at its sixth byte, the version once the first field is complete.
    bool RuledOut() const {
        if (k_ == 0) return offset_ == Magic.size() && std::string_view(current_) != Magic;
        return offset_ == fields_[0].size() && FirstFieldRulesOut(fields_[0]);
    }

    HeaderScope scope_;
    HeaderFields fields_;
    Text current_;
    std::size_t k_ = 0;
    std::size_t offset_ = 0;
};

Text FieldValue(const Text& field) { return TextBefore(";", TextAfter("=", field)); }

// The version text's digits when the first scan finds none: a blank, a digit, a full stop
// and two digits, as 16-bit text, in whatever language the word before it is written.
bool FindVersionDigits(std::string_view field, TZH_replay& record) {
    const auto length = static_cast<std::ptrdiff_t>(field.size());
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::ptrdiff_t p = VersionScanStart; p + 9 <= length; ++p) {
        const char* b = field.data() + (p - 1);
        if (b[0] == ' ' && b[1] == 0 && isDigit(b[2]) && b[3] == 0 && b[4] == '.' && b[5] == 0 &&
            isDigit(b[6]) && b[7] == 0 && isDigit(b[8]) && b[9] == 0) {
            const Text digits = TakeEverySecondChar(field, p + 2, 4);
            if (IsKnownVersion(digits)) {
                record.version = digits;
                return true;
            }
        }
    }
    return false;
}

bool IsKnownVersionOrNot(std::string_view digits) {
    try {
        return IsKnownVersion(digits);
    } catch (const ConvertError&) {
        return false; // letters where the digits belong: not a version we know
    }
}

// No "GENREP" or no version we know: ParseHeaderFields will look at nothing after field 1.
bool FirstFieldRulesOut(std::string_view field1) {
    if (field1.substr(0, Magic.size()) != Magic) return true;
    try {
        TZH_replay scratch;
        return !FindGameVersion(field1, scratch);
    } catch (const ConvertError&) {
        return true;
    }
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

HeaderFields SplitHeaderBytes(std::string_view bytes) {
    FieldSplitter splitter(HeaderScope::AllTenFields);
    splitter.feed(bytes.substr(0, std::min(bytes.size(), HeaderReadLimit)));
    return splitter.take();
}

HeaderRead ReadHeader(const Text& path, HeaderScope scope) {
    HeaderRead result;
    try {
        platform::InputFile file(path);
        FieldSplitter splitter(scope);
        char block[HeaderBlockSize];
        std::size_t total = 0;
        while (!splitter.done() && total < HeaderReadLimit) {
            const std::size_t got = file.read(block, std::min(sizeof block, HeaderReadLimit - total));
            if (got == 0) break;
            if (result.leadingBytes.size() < LeadingByteCount)
                result.leadingBytes.append(block, std::min(got, LeadingByteCount - result.leadingBytes.size()));
            splitter.feed(std::string_view(block, got));
            total += got;
        }
        result.fields = splitter.take();
    } catch (const platform::FileError& error) {
        throw ReplayReadError(path, error.what());
    }
    return result;
}

HeaderFields SplitHeaderFields(const Text& path) { return ReadHeader(path, HeaderScope::AllTenFields).fields; }

int32_t DurationFromFileSize(int32_t size) {
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    return static_cast<int32_t>(std::nearbyint(static_cast<double>(size) / 1024.0 / 0.12));
}

std::optional<int32_t> DurationFromFrames(std::string_view leadingBytes) {
    if (leadingBytes.size() < LeadingByteCount || leadingBytes.substr(0, Magic.size()) != Magic)
        return std::nullopt;
    uint32_t frames = 0;
    for (std::size_t i = 0; i < 4; ++i)
        frames |= uint32_t{static_cast<unsigned char>(leadingBytes[FrameCountOffset + i])} << (8 * i);
    if (frames == 0) return std::nullopt;
    return static_cast<int32_t>(frames / FramesPerSecond);
}

TZH_replay ReadReplay(const Text& path) {
    TZH_replay record;
    record.file.size = FileSizeByName(path);
    record.file.path = path;
    record.file.name = FileNamePart(path);
    const HeaderRead header = ReadHeader(path, HeaderScope::UntilRuledOut);
    record.valid = ParseHeaderFields(header.fields, record);
    if (const auto seconds = DurationFromFrames(header.leadingBytes)) record.duration = *seconds;
    return record;
}

bool ParseHeaderFields(const HeaderFields& fields, TZH_replay& record) {
    try {
        record.duration = DurationFromFileSize(record.file.size);
        if (CopyChars(1, 6, fields[0]) != Magic) return false;
        if (!FindGameVersion(fields[0], record)) return false;
        // User maps live in userdata/maps/NAME: the name is what follows the last "/".
        const Text& mapField = fields[1];
        const auto slash = mapField.rfind('/');
        Text mapName = slash == Text::npos ? Text{} : mapField.substr(slash + 1);
        if (!mapName.empty()) mapName.pop_back();
        record.map.name = std::move(mapName);
        record.map.code = NumberFromDigits(FieldValue(fields[2]), HexUpperDigits);
        record.map.number = ParseWholeNumber(FieldValue(fields[3]));
        record.superweaponLimit = FieldValue(fields[6]) == "1";
        record.money = ParseWholeNumber(FieldValue(fields[7]));
        record.vanilla = FieldValue(fields[8]) == "Y";
        ParsePlayerSlots(FieldValue(fields[9]), record);
        return true;
    } catch (const ConvertError&) {
        return false;
    }
}

bool FindGameVersion(std::string_view field1, TZH_replay& record) {
    record.version = "Invalid";
    const auto length = static_cast<std::ptrdiff_t>(field1.size());
    std::ptrdiff_t p = VersionScanStart;
    while (p <= length) {
        const char byte = field1[static_cast<std::size_t>(p - 1)];
        if (VersionInitials.find(byte) == std::string_view::npos) {
            ++p;
            continue;
        }
        Text word = TakeEverySecondChar(field1, p, 7);
        if (const auto nul = word.find('\0'); nul != Text::npos) word.resize(nul);
        if (VersionWords.find(word) == std::string_view::npos) {
            ++p;
            continue;
        }
        const Text digits = TakeEverySecondChar(field1, p + 16, 4);
        if (IsKnownVersionOrNot(digits)) {
            record.version = digits;
            return true;
        }
        p += 17;
    }
    return FindVersionDigits(field1, record);
}

Text TakeEverySecondChar(std::string_view text, std::ptrdiff_t start, std::ptrdiff_t count) {
    Text result;
    const auto length = static_cast<std::ptrdiff_t>(text.size());
    for (std::ptrdiff_t p = start; p >= 1 && p <= length && static_cast<std::ptrdiff_t>(result.size()) < count; p += 2)
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
    case 'E': return "IA Facile";
    case 'M': return "IA Moyenne";
    case 'H': return "IA Difficile";
    default: return "";
    }
}

// Takes the next comma-separated entry off the front of rest.
Text NextEntry(Text& rest) {
    Text entry = TextBefore(",", rest);
    rest = TextAfter(",", rest);
    return entry;
}

template <typename T> T LowBits(int32_t value) {
    return static_cast<T>(static_cast<std::make_unsigned_t<T>>(static_cast<uint32_t>(value)));
}

} // namespace

void ParsePlayerSlots(std::string_view slots, TZH_replay& record) {
    Text list(slots);
    Text slot = TextBefore(":", list);
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
                player.name = TextBefore(",", TextAfter("H", slot));
                player.human = true;
            } else {
                return; // an unknown slot kind ends the list; the blank entry stays
            }
            Text rest = TextAfter(",", slot);
            if (human) {
                const Text address = rest.substr(0, std::min<std::size_t>(8, rest.size()));
                for (std::size_t k = 0; k < 4; ++k) {
                    const Text pair = CopyChars(static_cast<std::ptrdiff_t>(2 * k + 1),
                                                static_cast<std::ptrdiff_t>(2 * k + 2), address);
                    player.address[k] = LowBits<uint8_t>(NumberFromDigits(pair, HexUpperDigits));
                }
                rest = TextAfter(",", rest);
                player.port = LowBits<uint16_t>(ParseWholeNumber(TextBefore(",", rest)));
                rest = TextAfter(",", rest);
                rest = TextAfter(",", rest);
            }
            player.slotValue1 = LowBits<uint8_t>(ParseWholeNumber(NextEntry(rest)));
            player.army = LowBits<int8_t>(ParseWholeNumber(NextEntry(rest)));
            player.slotValue3 = LowBits<uint8_t>(ParseWholeNumber(NextEntry(rest)));
            player.team = LowBits<int8_t>(ParseWholeNumber(human ? NextEntry(rest) : rest));
        }
        if (number < 8) {
            list = TextAfter(":", list);
            slot = TextBefore(":", list);
        }
    }
}
