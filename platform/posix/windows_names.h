// How Windows compares file, folder and registry names: by UTF-16 code units, each
// upper-cased on its own (the order NTFS keeps a folder in). Linux names are bytes, so a
// byte that is not part of valid UTF-8 gets a code unit of its own that no valid text has.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-16 code units of a UTF-8 text; an invalid byte b becomes the lone surrogate 0xDC00 + b.
std::u16string Utf16FromUtf8(std::string_view utf8);
// UTF-8 of UTF-16 code units; a lone surrogate becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view utf16);

// The name as Windows compares it: every code unit upper-cased.
std::u16string UpperCaseName(std::string_view utf8);
// The same into out, whose room is reused from name to name.
void UpperCaseNameInto(std::string_view utf8, std::u16string& out);

bool SameNameIgnoringCase(std::string_view a, std::string_view b);
// Order of names in an NTFS folder; names that differ only in case (possible on Linux) are
// then ordered by their bytes so that the order is always the same.
bool NtfsNameLess(std::string_view a, std::string_view b);

} // namespace platform
