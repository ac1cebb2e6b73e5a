// Folders of many replay files for the benchmarks, made from the headers of real replays, and
// the map previews they show.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace bench {

// The real replays: $TARVEX_SHARED_DIR's, else those of the shared folder the build was told of.
std::filesystem::path RealReplayFolder();
// A file's bytes, read whole.
std::string ReadWhole(const std::filesystem::path& path);

// One real replay as the benchmarks copy it: the bytes the reader may look at (its header, to
// the end of the block that holds the tenth field's ";") and the real file's size.
struct Sample {
    std::string name;
    std::string start;
    std::size_t size = 0;
    bool zeroHour = false; // a replay the program lists as valid
};

// The replays to copy: the real ones in `realFolder`, else built ones of typical sizes.
class Samples {
public:
    explicit Samples(const std::filesystem::path& realFolder);

    const std::string& source() const { return source_; } // where the headers came from
    // File number i of a folder: like a player's folder, mostly Zero Hour replays with one
    // other (Generals, an old Zero Hour) in every twenty.
    const Sample& forFile(std::size_t i) const;

private:
    std::vector<Sample> zeroHour_;
    std::vector<Sample> others_;
    std::string source_;
};

// Writes files number first to first + count - 1 into folder, each padded sparsely to its
// real replay's size; returns their paths. File i is named "NNNNN <real name>", so that
// a folder of n files is the first n files of a larger one.
std::vector<std::string> WriteReplayFiles(const Samples& samples,
                                          const std::filesystem::path& folder, std::size_t first,
                                          std::size_t count);

// A 128 x 128 map preview of random pixels, as the game's tools write it: uncompressed 24-bit
// TGA with its footer.
std::string Preview(int seed);

// A new empty folder in the system's temporary folder, named from prefix, removed with what
// it holds when destroyed.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A new temporary folder of `count` replay files, removed when destroyed.
class ReplayFolder {
public:
    ReplayFolder(const std::filesystem::path& realFolder, std::size_t count);
    ~ReplayFolder();
    ReplayFolder(const ReplayFolder&) = delete;
    ReplayFolder& operator=(const ReplayFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    const std::vector<std::string>& files() const { return files_; }
    const std::string& source() const { return source_; }

private:
    std::filesystem::path path_;
    std::vector<std::string> files_;
    std::string source_;
};

} // namespace bench
