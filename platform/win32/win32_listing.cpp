// Listing a folder in the order Windows returns it.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "platform/platform.h"
#include "platform/wildcard.h"
#include "platform/win32/win32_internal.h"

namespace platform {

namespace win32 {

namespace {
bool SameLetter(wchar_t a, wchar_t b) {
    return a == b || CompareStringOrdinal(&a, 1, &b, 1, TRUE) == CSTR_EQUAL;
}
} // namespace

bool MatchesMask(std::wstring_view name, std::wstring_view mask) {
    return WildcardMatches(mask, name, SameLetter);
}

} // namespace win32

std::vector<DirectoryEntry> ListDirectory(const std::string& folder, std::string_view mask) {
    std::vector<DirectoryEntry> entries;
    const std::wstring wideMask = win32::Widen(mask);
    WIN32_FIND_DATAW data{};
    const HANDLE search =
        FindFirstFileExW(win32::Widen(JoinPath(folder, mask)).c_str(), FindExInfoBasic, &data,
                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        const std::wstring_view name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        // Windows also matches the mask against generated 8.3 names, so "*.rep" would bring
        // "notes.report" along (as NOTES~1.REP); only the real name counts here.
        if (!win32::MatchesMask(name, wideMask)) continue;
        entries.push_back(
            {win32::Narrow(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(search, &data));
    FindClose(search);
    return entries;
}

} // namespace platform
