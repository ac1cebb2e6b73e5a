// Helpers shared by the Win32 half of the platform layer: the layer speaks UTF-8, Windows
// speaks UTF-16, and these convert at the edge.
#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// The system's own sentence for an error code (GetLastError), in UTF-8, without the line break.
std::string SystemMessage(unsigned long error);

// name matches mask: "*" any run, "?" any one code unit, letters compared without case.
bool MatchesMask(std::wstring_view name, std::wstring_view mask);

} // namespace platform::win32
