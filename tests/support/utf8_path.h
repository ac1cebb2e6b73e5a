// Paths from and to UTF-8 text, the program's path encoding on every platform. (A narrow
// std::filesystem path uses the ANSI code page on Windows.)
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace testsupport {

inline std::filesystem::path Utf8Path(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string PathUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace testsupport
