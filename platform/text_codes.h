// Small text codings shared by the reader and the platform layer.
#pragma once

#include <string>

namespace platform {

// Value of a hexadecimal digit of either case, or -1.
int HexDigitValue(char c);

// Appends the UTF-8 form of a code point (up to U+10FFFF).
void AppendUtf8(std::string& out, char32_t point);

} // namespace platform
