#include "platform/wine/wine_registry.h"

#include <vector>

#include "platform/posix/windows_names.h"
#include "platform/text_codes.h"

namespace platform::wine {

namespace {

std::u16string FoldName(std::string_view name) {
    return UpperCaseName(name);
}

RegistryValueType TypeFromNumber(unsigned number) {
    switch (number) {
    case 1:
        return RegistryValueType::String;
    case 2:
        return RegistryValueType::ExpandString;
    case 3:
        return RegistryValueType::Binary;
    case 4:
        return RegistryValueType::DWord;
    default:
        return RegistryValueType::Other;
    }
}

// "(N)" after "str" or "hex": the type number in hex; nullopt when malformed.
std::optional<unsigned> ParseTypeNumber(std::string_view text, std::size_t& at) {
    if (at >= text.size() || text[at] != '(') return std::nullopt;
    unsigned number = 0;
    std::size_t digits = 0;
    for (++at; at < text.size() && HexDigitValue(text[at]) >= 0 && digits < 8; ++at, ++digits)
        number = number * 16 + static_cast<unsigned>(HexDigitValue(text[at]));
    if (digits == 0 || at >= text.size() || text[at] != ')') return std::nullopt;
    ++at;
    return number;
}

// Comma-separated hex bytes; a line ending in "\" continues on the next line.
std::optional<std::string> ParseHexBytes(std::string_view first,
                                         const std::vector<std::string_view>& lines,
                                         std::size_t& lineIndex) {
    std::string bytes;
    std::string_view line = first;
    for (;;) {
        std::size_t i = 0;
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        bool continued = false;
        while (i < line.size()) {
            const char c = line[i];
            if (c == ',' || c == ' ' || c == '\t') {
                ++i;
            } else if (c == '\\' && i + 1 == line.size()) {
                continued = true;
                ++i;
            } else if (i + 1 < line.size() && HexDigitValue(c) >= 0 &&
                       HexDigitValue(line[i + 1]) >= 0) {
                bytes.push_back(
                    static_cast<char>(HexDigitValue(c) * 16 + HexDigitValue(line[i + 1])));
                i += 2;
            } else {
                return std::nullopt;
            }
        }
        if (!continued) return bytes;
        if (lineIndex + 1 >= lines.size()) return std::nullopt;
        line = lines[++lineIndex];
    }
}

// Text of a string value that Wine wrote as hex (a string without its final NUL).
std::string TextFromUtf16Bytes(const std::string& bytes) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                (static_cast<unsigned char>(bytes[i + 1]) << 8));
        if (unit == 0) break;
        units.push_back(unit);
    }
    return Utf8FromUtf16(units);
}

// The data after "name=": nullopt for a malformed or deleted value.
std::optional<RegistryValue> ParseData(std::string_view line, std::size_t at,
                                       const std::vector<std::string_view>& lines,
                                       std::size_t& lineIndex) {
    const std::string_view rest = line.substr(at);
    RegistryValue value;
    std::size_t next = 0;
    if (rest.starts_with("\"")) {
        auto text = DecodeRegistryString(line, at + 1, '"', next);
        if (!text) return std::nullopt;
        value.type = RegistryValueType::String;
        value.text = std::move(*text);
        return value;
    }
    if (rest.starts_with("str")) {
        std::size_t i = at + 3;
        const auto number = ParseTypeNumber(line, i);
        if (!number || i + 1 >= line.size() || line[i] != ':' || line[i + 1] != '"')
            return std::nullopt;
        auto text = DecodeRegistryString(line, i + 2, '"', next);
        if (!text) return std::nullopt;
        value.type = TypeFromNumber(*number);
        if (value.isText()) value.text = std::move(*text);
        return value;
    }
    if (rest.starts_with("dword:")) {
        const std::string_view digits = rest.substr(6);
        if (digits.empty() || digits.size() > 8) return std::nullopt;
        for (char c : digits)
            if (HexDigitValue(c) < 0) return std::nullopt;
        value.type = RegistryValueType::DWord;
        return value;
    }
    if (rest.starts_with("hex")) {
        std::size_t i = at + 3;
        unsigned number = 3;
        if (i < line.size() && line[i] == '(') {
            const auto parsed = ParseTypeNumber(line, i);
            if (!parsed) return std::nullopt;
            number = *parsed;
        }
        if (i >= line.size() || line[i] != ':') return std::nullopt;
        const auto bytes = ParseHexBytes(line.substr(i + 1), lines, lineIndex);
        if (!bytes) return std::nullopt;
        value.type = TypeFromNumber(number);
        if (value.isText()) value.text = TextFromUtf16Bytes(*bytes);
        return value;
    }
    return std::nullopt;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

} // namespace

std::optional<std::string> DecodeRegistryString(std::string_view text, std::size_t start,
                                                char terminator, std::size_t& next) {
    std::u16string units;
    std::size_t i = start;
    // Plain bytes are UTF-8; escapes give UTF-16 code units.
    auto flushPlain = [&](std::size_t from, std::size_t to) {
        if (to > from) units += Utf16FromUtf8(text.substr(from, to - from));
    };
    std::size_t plainFrom = i;
    while (i < text.size()) {
        const char c = text[i];
        if (c == terminator) {
            flushPlain(plainFrom, i);
            next = i + 1;
            return Utf8FromUtf16(units);
        }
        if (c != '\\') {
            ++i;
            continue;
        }
        flushPlain(plainFrom, i);
        if (++i >= text.size()) return std::nullopt;
        const char e = text[i++];
        switch (e) {
        case 'a':
            units.push_back(u'\a');
            break;
        case 'b':
            units.push_back(u'\b');
            break;
        case 'e':
            units.push_back(u'\x1b');
            break;
        case 'f':
            units.push_back(u'\f');
            break;
        case 'n':
            units.push_back(u'\n');
            break;
        case 'r':
            units.push_back(u'\r');
            break;
        case 't':
            units.push_back(u'\t');
            break;
        case 'v':
            units.push_back(u'\v');
            break;
        case 'x': {
            unsigned unit = 0;
            std::size_t digits = 0;
            for (; digits < 4 && i < text.size() && HexDigitValue(text[i]) >= 0; ++digits, ++i)
                unit = unit * 16 + static_cast<unsigned>(HexDigitValue(text[i]));
            // "\x" without a digit stands for the letter x.
            units.push_back(digits ? static_cast<char16_t>(unit) : u'x');
            break;
        }
        default:
            if (e >= '0' && e <= '7') {
                unsigned unit = static_cast<unsigned>(e - '0');
                for (int digits = 1;
                     digits < 3 && i < text.size() && text[i] >= '0' && text[i] <= '7';
                     ++digits, ++i)
                    unit = unit * 8 + static_cast<unsigned>(text[i] - '0');
                units.push_back(static_cast<char16_t>(unit));
            } else {
                units += Utf16FromUtf8(std::string_view(&text[i - 1], 1)); // \\ \" \] and the like
            }
        }
        plainFrom = i;
    }
    return std::nullopt;
}

std::optional<RegistryFile> RegistryFile::Parse(std::string_view text, const KeyFilter& keep) {
    const std::vector<std::string_view> lines = SplitLines(text);
    std::size_t index = 0;
    while (index < lines.size() && lines[index].empty())
        ++index;
    if (index >= lines.size() || !lines[index].starts_with("WINE REGISTRY Version "))
        return std::nullopt;

    RegistryFile file;
    Values* current = nullptr; // null while inside a key that is not kept
    bool seenKey = false;
    for (++index; index < lines.size(); ++index) {
        const std::string_view line = lines[index];
        if (line.empty() || line.starts_with(";")) continue;
        if (line.starts_with("#")) {
            if (!seenKey && line.starts_with("#arch=")) file.win64_ = line.substr(6) == "win64";
            continue;
        }
        if (line.starts_with("[")) {
            seenKey = true;
            std::size_t next = 0;
            const auto key = DecodeRegistryString(line, 1, ']', next);
            current = nullptr;
            if (key && (!keep || keep(*key))) current = &file.keys_[FoldName(*key)];
            continue;
        }
        if (!current) continue;
        std::string name;
        std::size_t at = 0;
        if (line.starts_with("@=")) {
            at = 2;
        } else if (line.starts_with("\"")) {
            auto decoded = DecodeRegistryString(line, 1, '"', at);
            if (!decoded || at >= line.size() || line[at] != '=') continue;
            name = std::move(*decoded);
            ++at;
        } else {
            continue;
        }
        if (auto value = ParseData(line, at, lines, index))
            (*current)[FoldName(name)] = std::move(*value);
    }
    return file;
}

std::optional<RegistryFile> RegistryFile::Load(const std::string& path, const KeyFilter& keep) {
    const auto content = ReadSmallFile(path, RegistryFileLimit);
    if (!content) return std::nullopt;
    return Parse(*content, keep);
}

bool RegistryFile::hasKey(std::string_view key) const {
    return keys_.contains(FoldName(key));
}

std::optional<RegistryValue> RegistryFile::value(std::string_view key,
                                                 std::string_view name) const {
    const auto found = keys_.find(FoldName(key));
    if (found == keys_.end()) return std::nullopt;
    const auto value = found->second.find(FoldName(name));
    if (value == found->second.end()) return std::nullopt;
    return value->second;
}

} // namespace platform::wine
