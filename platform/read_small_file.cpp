#include <algorithm>

#include "platform/platform.h"

namespace platform {

std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t limit) {
    try {
        InputFile file(path);
        if (file.size() > limit) return std::nullopt;
        std::string bytes(static_cast<std::size_t>(file.size()), '\0');
        std::size_t have = 0;
        // The file may grow while it is read: one byte past the limit is enough to know.
        for (;;) {
            if (have == bytes.size()) bytes.resize(std::min(limit + 1, bytes.size() + 4096));
            const std::size_t got = file.read(bytes.data() + have, bytes.size() - have);
            if (got == 0) break;
            have += got;
            if (have > limit) return std::nullopt;
        }
        bytes.resize(have);
        return bytes;
    } catch (const FileError&) {
        return std::nullopt;
    }
}

} // namespace platform
