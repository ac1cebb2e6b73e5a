// The documents folder through the shell (which follows its redirection, to OneDrive for
// example) and the folder of the running program.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <shlobj.h>

#include "platform/platform.h"
#include "platform/win32/win32_internal.h"

namespace platform {

namespace {
bool IsDriveRoot(std::wstring_view path) {
    return path.size() == 3 && path[1] == L':';
}
} // namespace

std::string DocumentsFolder() {
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &items)) || !items) return {};
    wchar_t buffer[MAX_PATH + 1] = {};
    const BOOL found = SHGetPathFromIDListW(items, buffer);
    CoTaskMemFree(items);
    if (!found) return {};
    std::wstring path(buffer);
    // Wine answers with a trailing backslash, Windows without; a drive root keeps its own.
    if (!path.empty() && path.back() == L'\\' && !IsDriveRoot(path)) path.pop_back();
    return win32::Narrow(path);
}

std::string ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2); // cut short: try a larger buffer
    }
    return win32::Narrow(path.substr(0, path.rfind(L'\\') + 1));
}

std::string DescribeSources() {
    return "Windows registry and shell";
}

} // namespace platform
