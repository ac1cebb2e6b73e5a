// Paths in the tests are UTF-8 like the platform layer's; std::filesystem on Windows would
// read a narrow string in the ANSI code page instead.
#pragma once

#include <filesystem>
#include <string>

namespace wintest {

inline std::filesystem::path Utf8Path(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace wintest
