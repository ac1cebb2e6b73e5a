#include "platform/posix/windows_names.h"

#include "platform/text_codes.h"

#include <algorithm>
#include <locale.h>
#include <wctype.h>

namespace platform {

namespace {

// The C.UTF-8 locale knows the case of every Unicode letter, whatever locale the program runs in.
locale_t UnicodeLocale() {
    static const locale_t locale =
        ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return locale;
}

char16_t UpperCodeUnit(char16_t unit) {
    if (unit < 0x80)
        return (unit >= u'a' && unit <= u'z') ? static_cast<char16_t>(unit - 0x20) : unit;
    if (unit >= 0xD800 && unit <= 0xDFFF) return unit; // halves of a pair stay as they are
    const locale_t locale = UnicodeLocale();
    if (!locale) return unit;
    const auto upper = ::towupper_l(static_cast<wint_t>(unit), locale);
    return upper <= 0xFFFF ? static_cast<char16_t>(upper) : unit;
}

void AppendUtf16(std::string_view utf8, std::u16string& out) {
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t point = 0;
        const std::size_t length = DecodeUtf8(utf8, i, point);
        if (length == 0) {
            out.push_back(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(utf8[i])));
            ++i;
            continue;
        }
        i += length;
        if (point < 0x10000) {
            out.push_back(static_cast<char16_t>(point));
        } else {
            point -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
        }
    }
}

} // namespace

std::u16string Utf16FromUtf8(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    AppendUtf16(utf8, out);
    return out;
}

std::string Utf8FromUtf16(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                                (static_cast<char32_t>(utf16[i + 1]) - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::u16string UpperCaseName(std::string_view utf8) {
    std::u16string name;
    UpperCaseNameInto(utf8, name);
    return name;
}

void UpperCaseNameInto(std::string_view utf8, std::u16string& out) {
    // Most names are plain ASCII: those bytes are their own code units.
    const auto ascii = static_cast<std::size_t>(
        std::find_if(utf8.begin(), utf8.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) -
        utf8.begin());
    out.resize(ascii);
    for (std::size_t i = 0; i < ascii; ++i) {
        const char c = utf8[i];
        out[i] = static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
    }
    if (ascii == utf8.size()) return;
    const std::size_t rest = out.size();
    AppendUtf16(utf8.substr(ascii), out);
    for (std::size_t i = rest; i < out.size(); ++i)
        out[i] = UpperCodeUnit(out[i]);
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return a == b || UpperCaseName(a) == UpperCaseName(b);
}

bool NtfsNameLess(std::string_view a, std::string_view b) {
    const std::u16string upperA = UpperCaseName(a);
    const std::u16string upperB = UpperCaseName(b);
    if (upperA != upperB) return upperA < upperB;
    return a < b;
}

} // namespace platform
