// Names of the game's world (files, archive entries, registry and Steam keys) compared as
// Windows and the game compare them: letter case ignored for ASCII letters only, whatever
// the locale the program runs in.
#pragma once

#include <algorithm>
#include <string_view>

namespace platform {

constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool SameAsciiIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

} // namespace platform
