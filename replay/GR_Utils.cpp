#include "replay/GR_Utils.h"

#include <algorithm>
#include <array>
#include <limits>

#include "platform/platform.h"
#include "platform/text_codes.h"

Text SpecialFolderPath(int folder) {
    if (folder != CSIDL_PERSONAL_FOLDER) return {};
    return platform::DocumentsFolder();
}

int32_t RecordedSize(uint64_t size) {
    return static_cast<int32_t>(static_cast<uint32_t>(size & 0xFFFFFFFFu));
}

int32_t FileSizeByName(const Text& path) {
    const auto size = platform::FileSize(path);
    return size ? RecordedSize(*size) : 0;
}

Text CopyChars(std::ptrdiff_t first, std::ptrdiff_t last, std::string_view text) {
    return Text(CharsView(first, last, text));
}

Text TextAfter(std::string_view delimiter, std::string_view text) {
    return Text(ViewAfter(delimiter, text));
}

Text TextBefore(std::string_view delimiter, std::string_view text) {
    return Text(ViewBefore(delimiter, text));
}

int32_t DigitValue(std::string_view alphabet, char character) {
    const auto at = alphabet.rfind(character);
    return at == std::string_view::npos ? 0 : static_cast<int32_t>(at);
}

int32_t NumberFromDigits(std::string_view text, std::string_view alphabet) {
    if (text.empty()) throw ConvertError("empty number");
    std::size_t at = 0;
    bool negative = false;
    while (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        if (text[at] == '-') negative = !negative;
        ++at;
    }
    // Unsigned arithmetic wraps like the 32-bit two's complement the format expects.
    const auto base = static_cast<uint32_t>(alphabet.size());
    uint32_t value = 0;
    if (alphabet.data() == HexUpperDigits.data() || alphabet == HexUpperDigits) {
        // Every map code and player address: a table instead of a search of the alphabet.
        static const auto table = [] {
            std::array<uint8_t, 256> digits{};
            for (std::size_t i = 0; i < HexUpperDigits.size(); ++i)
                digits[static_cast<unsigned char>(HexUpperDigits[i])] = static_cast<uint8_t>(i);
            return digits;
        }();
        for (; at < text.size(); ++at)
            value = value * base + table[static_cast<unsigned char>(text[at])];
    }
    for (; at < text.size(); ++at)
        value = value * base + static_cast<uint32_t>(DigitValue(alphabet, text[at]));
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

namespace {

[[noreturn]] void NotANumber(std::string_view text) {
    throw ConvertError("'" + std::string(text) + "' is not a valid integer value");
}

} // namespace

int32_t ParseWholeNumberInFull(std::string_view text) {
    const auto full = text;
    text = text.substr(
        0, static_cast<std::size_t>(std::find(text.begin(), text.end(), '\0') - text.begin()));
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    unsigned base = 10;
    if (at < text.size() && (text[at] == '$' || text[at] == 'x' || text[at] == 'X')) {
        base = 16;
        ++at;
    } else if (at + 1 < text.size() && text[at] == '0' && text[at + 1] == 'x') {
        base = 16;
        at += 2;
    }
    if (at >= text.size()) NotANumber(full);
    // The magnitude may reach 2^31 only for a negative number.
    const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
    uint64_t value = 0;
    for (; at < text.size(); ++at) {
        const int digit = platform::HexDigitValue(text[at]);
        if (digit < 0 || static_cast<unsigned>(digit) >= base) NotANumber(full);
        value = value * base + static_cast<unsigned>(digit);
        if (value > limit) NotANumber(full);
    }
    const auto magnitude = static_cast<int64_t>(value);
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}
