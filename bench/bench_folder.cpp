#include "bench_folder.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "replay/zerohour.h"
#include "tools/replay_builder.h"

namespace fs = std::filesystem;

namespace bench {

namespace {

struct Sample {
    std::string name;
    std::string start; // the bytes the reader reads
    std::size_t size;  // the real file's size
};

// The reader reads whole blocks until the tenth field's ";": keep those blocks, as real bytes.
std::string ReadStart(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes(HeaderReadLimit, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    std::size_t headerEnd = 0;
    for (const Text& field : SplitHeaderBytes(bytes)) headerEnd += field.size();
    const std::size_t blocks = (headerEnd + HeaderBlockSize - 1) / HeaderBlockSize;
    bytes.resize(std::min(bytes.size(), std::max<std::size_t>(1, blocks) * HeaderBlockSize));
    return bytes;
}

std::vector<Sample> RealSamples(const fs::path& folder) {
    std::vector<Sample> samples;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".rep") continue;
        samples.push_back({entry.path().filename().string(), ReadStart(entry.path()), entry.file_size()});
    }
    std::sort(samples.begin(), samples.end(), [](const Sample& a, const Sample& b) { return a.name < b.name; });
    return samples;
}

// Without the real replays: built ones of typical multiplayer sizes.
std::vector<Sample> BuiltSamples() {
    namespace rb = replay_builder;
    std::vector<Sample> samples;
    for (int i = 0; i < 8; ++i) {
        rb::Settings settings;
        settings.slots = {rb::Human("Player" + std::to_string(i), "C0A80102", 1, 2 + i, 0, 0),
                          rb::Computer('H', 2, 3, 1, 1)};
        rb::Replay replay;
        replay.settings = rb::SettingsText(settings);
        samples.push_back({"built" + std::to_string(i) + ".rep", rb::Bytes(replay),
                           static_cast<std::size_t>(40000 + 60000 * i)});
    }
    return samples;
}

} // namespace

ReplayFolder::ReplayFolder(const fs::path& realFolder, std::size_t count) {
    std::vector<Sample> samples = RealSamples(realFolder);
    source_ = std::to_string(samples.size()) + " real replays in " + realFolder.string();
    if (samples.empty()) {
        samples = BuiltSamples();
        source_ = "built replays (no real replays found in " + realFolder.string() + ")";
    }
    path_ = fs::temp_directory_path() / ("tarvex-bench-" + std::to_string(::getpid()));
    fs::remove_all(path_);
    fs::create_directories(path_);
    files_.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Sample& sample = samples[i % samples.size()];
        const fs::path file = path_ / (std::to_string(100000 + i).substr(1) + " " + sample.name);
        replay_builder::WriteSparseFile(file.string(), sample.start, sample.size);
        files_.push_back(file.string());
    }
}

ReplayFolder::~ReplayFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
}

} // namespace bench
