// Wine keeps a prefix's registry in text files: system.reg (HKEY_LOCAL_MACHINE) and
// user.reg (HKEY_CURRENT_USER). This reads one such file.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace platform::wine {

// A prefix's registry files are a few megabytes; one past this is not read.
inline constexpr std::size_t RegistryFileLimit = 256u << 20;

class RegistryFile {
public:
    // Chooses, by the key's name (backslashes between its parts), which keys are kept.
    using KeyFilter = std::function<bool(std::string_view key)>;

    // nullopt when text is not a Wine registry file. Without a filter every key is kept.
    static std::optional<RegistryFile> Parse(std::string_view text, const KeyFilter& keep = {});
    // nullopt when the file can't be read, is larger than RegistryFileLimit or is not a Wine
    // registry file.
    static std::optional<RegistryFile> Load(const std::string& path, const KeyFilter& keep = {});

    // "#arch=win64": the 32-bit programs' keys lie under Software\Wow6432Node.
    bool isWin64() const { return win64_; }
    // Key names and value names compare without regard to letter case, as in Windows.
    bool hasKey(std::string_view key) const;
    // name "" is the key's default value (written "@").
    std::optional<RegistryValue> value(std::string_view key, std::string_view name) const;
    std::size_t keyCount() const { return keys_.size(); }

private:
    using Values = std::map<std::u16string, RegistryValue>;
    std::map<std::u16string, Values> keys_;
    bool win64_ = false;
};

// Decodes the text between quotes as Wine writes it (escapes \\ \" \n \r \t, octal and \x
// with up to four hex digits as UTF-16 code units), from text[start] up to the unescaped
// terminator. Returns the UTF-8 text and sets next just past the terminator; nullopt when
// the terminator is missing.
std::optional<std::string> DecodeRegistryString(std::string_view text, std::size_t start,
                                                char terminator, std::size_t& next);

} // namespace platform::wine
