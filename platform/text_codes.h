// Small text codings shared by the reader and the platform layer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Value of a hexadecimal digit of either case, or -1.
int HexDigitValue(char c);

// The UTF-8 sequence starting at text[at]: its length, with its code point in point; 0 when no
// valid one starts there (overlong forms, surrogates and values past U+10FFFF are invalid).
// truncated, when given, is set when the text ends inside a sequence that was valid so far.
// Inline: the listing decodes every file name of a folder with it.
inline std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t& point,
                              bool* truncated = nullptr) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        point = lead;
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, point = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, point = lead & 0x0Fu;
        if (lead == 0xE0) low = 0xA0;  // no overlong forms
        if (lead == 0xED) high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, point = lead & 0x07u;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F; // nothing past U+10FFFF
    } else {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (at + i >= text.size()) {
            if (truncated) *truncated = true;
            return 0;
        }
        const auto c = static_cast<unsigned char>(text[at + i]);
        if (c < (i == 1 ? low : 0x80) || c > (i == 1 ? high : 0xBF)) return 0;
        point = (point << 6) | (c & 0x3Fu);
    }
    return length;
}

// Appends the UTF-8 form of a code point (up to U+10FFFF).
void AppendUtf8(std::string& out, char32_t point);

} // namespace platform
