#include "tests/windows/game_key.h"

#include <stdexcept>

#include "folder/replay_folder.h"
#include "platform/game_identity.h"
#include "platform/platform.h"

namespace wintest {

namespace {

std::wstring GameKeyW() {
    const std::string_view key = platform::game::RegistryKey; // plain ASCII
    return std::wstring(key.begin(), key.end());
}

void Check(LSTATUS status, const char* what) {
    if (status != ERROR_SUCCESS)
        throw std::runtime_error(std::string(what) + " failed with error " +
                                 std::to_string(status));
}

} // namespace

void WriteGameValue(const KeyPlace& place, const std::wstring& name, DWORD type, const void* data,
                    DWORD size) {
    HKEY key = nullptr;
    Check(RegCreateKeyExW(place.root, GameKeyW().c_str(), 0, nullptr, 0, KEY_WRITE | place.view,
                          nullptr, &key, nullptr),
          "RegCreateKeyExW");
    const LSTATUS status =
        RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    Check(status, "RegSetValueExW");
}

void WriteGameText(const KeyPlace& place, const std::wstring& name, const std::wstring& text,
                   DWORD type) {
    WriteGameValue(place, name, type, text.c_str(),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void WriteGameDword(const KeyPlace& place, const std::wstring& name, DWORD number) {
    WriteGameValue(place, name, REG_DWORD, &number, sizeof number);
}

void RemoveGameKeys() {
    for (const KeyPlace& place : {MachineBits32, MachineBits64, UserKey})
        RegDeleteKeyExW(place.root, GameKeyW().c_str(), place.view, 0);
    RegDeleteKeyExW(HKEY_CURRENT_USER, GameKeyW().c_str(), KEY_WOW64_32KEY, 0);
}

} // namespace wintest
