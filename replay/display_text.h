// How the program shows the byte texts of a replay (player names, map names, file names).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The game writes names as UTF-8 but may cut one in the middle of a character. A text that
// is valid UTF-8 once an incomplete sequence at its very end is dropped is shown that way;
// any other text is read as Windows-1252. The result is UTF-8.
std::string DisplayText(std::string_view bytes);

// The two halves of that reading: how many leading bytes are shown as UTF-8, or nullopt for a
// text read as Windows-1252; and the character a byte stands for in Windows-1252 (the five
// bytes it leaves unassigned keep their own code points).
std::optional<std::size_t> DisplayedUtf8Length(std::string_view bytes);
char32_t Windows1252Character(unsigned char byte);

// True when bytes is valid UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view bytes);
