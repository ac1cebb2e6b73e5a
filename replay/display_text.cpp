#include "replay/display_text.h"

#include <array>
#include <cstdint>

#include "platform/text_codes.h"

namespace {

// Valid UTF-8 up to `end`; end is moved back to drop an incomplete final sequence.
bool ValidUtf8Prefix(std::string_view bytes, std::size_t& end) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        bool truncated = false;
        char32_t point = 0;
        const std::size_t length = platform::DecodeUtf8(bytes, at, point, &truncated);
        if (length == 0) {
            if (!truncated) return false;
            end = at;
            return true;
        }
        at += length;
    }
    end = bytes.size();
    return true;
}

// Windows-1252 for 0x80..0x9F; the five unassigned bytes keep their C1 code points.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    std::size_t end = 0;
    return ValidUtf8Prefix(bytes, end) && end == bytes.size();
}

std::optional<std::size_t> DisplayedUtf8Length(std::string_view bytes) {
    std::size_t end = 0;
    if (!ValidUtf8Prefix(bytes, end)) return std::nullopt;
    return end;
}

char32_t Windows1252Character(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? Cp1252High[byte - 0x80] : char32_t{byte};
}

std::string DisplayText(std::string_view bytes) {
    if (const std::optional<std::size_t> length = DisplayedUtf8Length(bytes))
        return std::string(bytes.substr(0, *length));
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char byte : bytes)
        platform::AppendUtf8(out, Windows1252Character(static_cast<unsigned char>(byte)));
    return out;
}
