// A folder of many replay files for the benchmarks, made from the headers of real replays.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace bench {

// Creates `count` replay files in a new temporary folder and removes the folder when
// destroyed. Each file starts with the bytes the reader looks at from one of the real
// replays in `realFolder` (its header, to the end of the reader's last block) and is padded
// sparsely to that replay's real size. Without real replays, built headers are used.
class ReplayFolder {
public:
    ReplayFolder(const std::filesystem::path& realFolder, std::size_t count);
    ~ReplayFolder();
    ReplayFolder(const ReplayFolder&) = delete;
    ReplayFolder& operator=(const ReplayFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    const std::vector<std::string>& files() const { return files_; }
    const std::string& source() const { return source_; } // where the headers came from

private:
    std::filesystem::path path_;
    std::vector<std::string> files_;
    std::string source_;
};

} // namespace bench
