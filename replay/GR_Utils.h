// Small text and file helpers the replay reader is built on. Positions count from 1.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "replay/zerohour_intf.h"

// Raised by NumberFromDigits and ParseWholeNumber on text that is not a number.
class ConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::string_view HexUpperDigits = "0123456789ABCDEF";
inline constexpr std::string_view HexLowerDigits = "0123456789abcdef";
inline constexpr std::string_view BinaryDigits = "01";
inline constexpr std::string_view OctalDigits = "01234567";
inline constexpr std::string_view DecimalDigits = "0123456789";

// Shell folder numbers understood by SpecialFolderPath.
inline constexpr int CSIDL_PERSONAL_FOLDER = 5;

// The full path of a shell folder (5: the user's documents folder), without a trailing
// separator; empty when it cannot be resolved.
Text SpecialFolderPath(int folder);

// Size of the file in bytes (low 32 bits, signed), or 0 when there is no such entry.
int32_t FileSizeByName(const Text& path);
// A size as a record keeps it: its low 32 bits, signed.
int32_t RecordedSize(uint64_t size);

// Characters first..last (inclusive, from 1); shorter when the text ends earlier.
Text CopyChars(std::ptrdiff_t first, std::ptrdiff_t last, std::string_view text);

// Everything after the first delimiter; empty when the delimiter does not occur.
Text TextAfter(std::string_view delimiter, std::string_view text);

// Everything before the first delimiter; empty when the delimiter does not occur.
Text TextBefore(std::string_view delimiter, std::string_view text);

// The same three as views into text, for the reader's inner loops (no copies, inlined).
inline std::string_view CharsView(std::ptrdiff_t first, std::ptrdiff_t last,
                                  std::string_view text) {
    if (first < 1) first = 1;
    const auto length = static_cast<std::ptrdiff_t>(text.size());
    if (last > length) last = length;
    if (first > last) return {};
    return text.substr(static_cast<std::size_t>(first - 1),
                       static_cast<std::size_t>(last - first + 1));
}

// The first c in text, by a plain loop: the reader searches short entries, where calling
// memchr costs more than it saves.
inline std::size_t FindChar(std::string_view text, char c) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == c) return i;
    return std::string_view::npos;
}

inline std::string_view ViewAfter(std::string_view delimiter, std::string_view text) {
    const auto at =
        delimiter.size() == 1 ? FindChar(text, delimiter.front()) : text.find(delimiter);
    if (at == std::string_view::npos) return {};
    return text.substr(at + delimiter.size());
}

inline std::string_view ViewBefore(std::string_view delimiter, std::string_view text) {
    const auto at =
        delimiter.size() == 1 ? FindChar(text, delimiter.front()) : text.find(delimiter);
    if (at == std::string_view::npos) return {};
    return text.substr(0, at);
}

// Position (from 0) of the character's last occurrence in the alphabet; 0 when absent.
int32_t DigitValue(std::string_view alphabet, char character);

// The text read as a number in the digit alphabet, with leading signs; 32-bit wrapping.
// Raises ConvertError on an empty text.
int32_t NumberFromDigits(std::string_view text, std::string_view alphabet);

// Decimal (or $, x, X, 0x hexadecimal) text to a 32-bit signed number, read up to the end or
// the first NUL. Raises ConvertError on anything else or a value out of range.
int32_t ParseWholeNumberInFull(std::string_view text);

// The same, with nearly every number of a header (an optional minus and at most nine decimal
// digits) read inline.
inline int32_t ParseWholeNumber(std::string_view text) {
    const std::size_t at = !text.empty() && text.front() == '-' ? 1 : 0;
    if (at < text.size() && text.size() - at <= 9) {
        int32_t value = 0;
        std::size_t i = at;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            value = value * 10 + (text[i] - '0');
        if (i == text.size()) return at ? -value : value;
    }
    return ParseWholeNumberInFull(text);
}
