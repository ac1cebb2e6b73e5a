// Writes and removes the game's registry key in the test's throwaway Wine prefix, the way
// installers and the game leave it.
#pragma once

#include <windows.h>

#include <string>

namespace wintest {

// The places the program reads, in the order it reads them.
struct KeyPlace {
    HKEY root;
    REGSAM view; // KEY_WOW64_32KEY or KEY_WOW64_64KEY
    const char* label;
};
inline const KeyPlace MachineBits32{HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, "HKLM 32-bit"};
inline const KeyPlace MachineBits64{HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, "HKLM 64-bit"};
inline const KeyPlace UserKey{HKEY_CURRENT_USER, KEY_WOW64_64KEY, "HKCU"};

// Sets value `name` of the game's key (created when missing) to raw data of the given type.
void WriteGameValue(const KeyPlace& place, const std::wstring& name, DWORD type, const void* data,
                    DWORD size);
// A text value with its terminating NUL, as RegSetValueEx is meant to be called.
void WriteGameText(const KeyPlace& place, const std::wstring& name, const std::wstring& text,
                   DWORD type = REG_SZ);
void WriteGameDword(const KeyPlace& place, const std::wstring& name, DWORD number);

// Removes the game's key from every place; missing keys are fine.
void RemoveGameKeys();

} // namespace wintest
