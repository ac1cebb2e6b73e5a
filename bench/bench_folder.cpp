#include "bench/bench_folder.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "replay/zerohour.h"
#include "tests/support/replay_builder.h"

namespace fs = std::filesystem;

namespace bench {

std::filesystem::path RealReplayFolder() {
    const char* shared = std::getenv("TARVEX_SHARED_DIR");
    return std::filesystem::path(shared ? shared : TARVEX_SHARED_DIR) / "testdata" / "replays" /
           "real";
}

std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

namespace {

constexpr std::size_t OtherEvery = 20;

// Whole blocks up to the tenth field's ";", as the reader read them before it learnt to stop
// after a first field that rules the replay out.
std::string ReadStart(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes(HeaderReadLimit, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    std::size_t headerEnd = 0;
    for (const Text& field : SplitHeaderBytes(bytes))
        headerEnd += field.size();
    const std::size_t blocks = (headerEnd + HeaderBlockSize - 1) / HeaderBlockSize;
    bytes.resize(std::min(bytes.size(), std::max<std::size_t>(1, blocks) * HeaderBlockSize));
    return bytes;
}

std::vector<Sample> RealSamples(const fs::path& folder) {
    std::vector<Sample> samples;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".rep") continue;
        samples.push_back({entry.path().filename().string(), ReadStart(entry.path()),
                           entry.file_size(), ReadReplay(entry.path().string()).valid});
    }
    std::sort(samples.begin(), samples.end(),
              [](const Sample& a, const Sample& b) { return a.name < b.name; });
    return samples;
}

// Without the real replays: built ones of typical multiplayer sizes, one of them Generals'.
std::vector<Sample> BuiltSamples() {
    namespace rb = replay_builder;
    std::vector<Sample> samples;
    for (int i = 0; i < 8; ++i) {
        rb::Settings settings;
        settings.slots = {rb::Human("Player" + std::to_string(i), "C0A80102", 1, 2 + i, 0, 0),
                          rb::Computer('H', 2, 3, 1, 1)};
        rb::Replay replay;
        replay.settings = rb::SettingsText(settings);
        if (i == 7) replay.versionText = u"Version 1.7";
        samples.push_back({"built" + std::to_string(i) + ".rep", rb::Bytes(replay),
                           static_cast<std::size_t>(40000 + 60000 * i), i != 7});
    }
    return samples;
}

} // namespace

Samples::Samples(const fs::path& realFolder) {
    std::vector<Sample> all = RealSamples(realFolder);
    source_ = std::to_string(all.size()) + " real replays in " + realFolder.string();
    if (all.empty()) {
        all = BuiltSamples();
        source_ = "built replays (no real replays found in " + realFolder.string() + ")";
    }
    for (Sample& sample : all)
        (sample.zeroHour ? zeroHour_ : others_).push_back(std::move(sample));
    if (zeroHour_.empty()) zeroHour_ = others_;
    if (others_.empty()) others_ = zeroHour_;
}

const Sample& Samples::forFile(std::size_t i) const {
    if (i % OtherEvery == OtherEvery - 1) return others_[(i / OtherEvery) % others_.size()];
    return zeroHour_[(i - i / OtherEvery) % zeroHour_.size()];
}

std::vector<std::string> WriteReplayFiles(const Samples& samples, const fs::path& folder,
                                          std::size_t first, std::size_t count) {
    fs::create_directories(folder);
    std::vector<std::string> files;
    files.reserve(count);
    for (std::size_t i = first; i < first + count; ++i) {
        const Sample& sample = samples.forFile(i);
        const fs::path file = folder / (std::to_string(100000 + i).substr(1) + " " + sample.name);
        replay_builder::WriteSparseFile(file.string(), sample.start, sample.size);
        files.push_back(file.string());
    }
    return files;
}

ScratchFolder::ScratchFolder(const std::string& prefix)
    : path_(fs::temp_directory_path() / (prefix + std::to_string(std::random_device{}()))) {
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

ReplayFolder::ReplayFolder(const fs::path& realFolder, std::size_t count) {
    const Samples samples(realFolder);
    source_ = samples.source();
    path_ = fs::temp_directory_path() / ("tarvex-bench-" + std::to_string(::getpid()));
    fs::remove_all(path_);
    files_ = WriteReplayFiles(samples, path_, 0, count);
}

ReplayFolder::~ReplayFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
}

std::string Preview(int seed) {
    std::string tga(18, '\0');
    tga[2] = 2;
    tga[12] = tga[14] = static_cast<char>(128);
    tga[16] = 24;
    std::mt19937 random(static_cast<unsigned>(seed));
    for (int i = 0; i < 128 * 128 * 3; ++i)
        tga.push_back(static_cast<char>(random() & 0xFF));
    return tga + std::string(8, '\0') + "TRUEVISION-XFILE." + std::string(1, '\0');
}

} // namespace bench
