// Windows wildcards, "*" for any run of characters and "?" for exactly one, over any kind of
// code unit; `same` decides when two code units match (letter case is ignored on Windows).
#pragma once

#include <string_view>

namespace platform {

template <typename Char, typename Same>
bool WildcardMatches(std::basic_string_view<Char> mask, std::basic_string_view<Char> name,
                     Same same) {
    constexpr auto none = std::basic_string_view<Char>::npos;
    std::size_t m = 0, n = 0;
    std::size_t starAt = none, resumeAt = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == Char('*')) {
            starAt = m++;
            resumeAt = n;
        } else if (m < mask.size() && (mask[m] == Char('?') || same(mask[m], name[n]))) {
            ++m;
            ++n;
        } else if (starAt != none) {
            m = starAt + 1; // let the last star take one more code unit
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == Char('*'))
        ++m;
    return m == mask.size();
}

} // namespace platform
