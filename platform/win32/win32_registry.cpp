// Reading one value of the registry, for reading only: asking for more access fails for
// every user without administrator rights.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <memory>
#include <type_traits>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/win32_internal.h"

namespace platform {

namespace {

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using OpenKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

OpenKey OpenForReading(RegistryRoot root, RegistryView view, std::string_view key) {
    const HKEY rootKey =
        root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const REGSAM access =
        KEY_READ | (view == RegistryView::Bits32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY);
    HKEY opened = nullptr;
    if (RegOpenKeyExW(rootKey, win32::Widen(key).c_str(), 0, access, &opened) != ERROR_SUCCESS)
        return {};
    return OpenKey(opened);
}

RegistryValueType TypeOf(DWORD type) {
    switch (type) {
    case REG_SZ:
        return RegistryValueType::String;
    case REG_EXPAND_SZ:
        return RegistryValueType::ExpandString;
    case REG_DWORD:
        return RegistryValueType::DWord;
    case REG_BINARY:
        return RegistryValueType::Binary;
    default:
        return RegistryValueType::Other;
    }
}

// Stored text need not end in a NUL, and may hold more than one: the text ends at the first.
std::string TextOf(const std::vector<BYTE>& data, DWORD size) {
    std::wstring text(size / sizeof(wchar_t), L'\0');
    std::copy_n(data.begin(), text.size() * sizeof(wchar_t), reinterpret_cast<BYTE*>(text.data()));
    const auto end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
    return win32::Narrow(text);
}

} // namespace

std::optional<RegistryValue> ReadRegistryValue(RegistryRoot root, RegistryView view,
                                               std::string_view key, std::string_view name) {
    const OpenKey opened = OpenForReading(root, view, key);
    if (!opened) return std::nullopt;
    const std::wstring valueName = win32::Widen(name);
    DWORD type = 0;
    DWORD size = 0;
    std::vector<BYTE> data;
    for (;;) {
        // The value may grow between the two calls; ask again until it fits.
        LSTATUS status =
            RegQueryValueExW(opened.get(), valueName.c_str(), nullptr, &type, nullptr, &size);
        if (status != ERROR_SUCCESS) return std::nullopt;
        data.assign(size, 0);
        status =
            RegQueryValueExW(opened.get(), valueName.c_str(), nullptr, &type, data.data(), &size);
        if (status == ERROR_SUCCESS) break;
        if (status != ERROR_MORE_DATA) return std::nullopt;
    }
    RegistryValue value;
    value.type = TypeOf(type);
    if (value.isText()) value.text = TextOf(data, size);
    return value;
}

} // namespace platform
