// Replays every file of the given folders (or single files) through the fuzz target, for
// ctest: the seed corpus and any findings checked in stay covered without libFuzzer.
//   CORPUS_PLAYER [-timeout=SECONDS] CORPUS_FOLDER_OR_FILE...
// With -timeout, as with libFuzzer's, an input that takes longer fails the run.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

namespace {

// ctest treats this exit status as "skipped" (SKIP_RETURN_CODE).
constexpr int Skipped = 77;

bool UnderCi() {
    const char* ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

std::vector<fs::path> InputsOf(const fs::path& path) {
    if (!fs::is_directory(path)) return {path};
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(path))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char** argv) {
    const std::string timeoutFlag = "-timeout=";
    std::optional<double> timeout;
    int first = 1;
    if (argc > 1 && std::string(argv[1]).starts_with(timeoutFlag))
        timeout = std::stod(argv[first++] + timeoutFlag.size());
    if (argc <= first) {
        std::cerr << "usage: " << argv[0] << " [-timeout=SECONDS] CORPUS_FOLDER_OR_FILE...\n";
        return 2;
    }
    std::size_t count = 0;
    for (int i = first; i < argc; ++i) {
        const fs::path path = argv[i];
        if (!fs::exists(path)) {
            std::cerr << "corpus not found: " << path << '\n';
            if (UnderCi()) return 1;
            std::cerr << "(the shared test material lies beside the project's clone); skipping\n";
            return Skipped;
        }
        for (const fs::path& file : InputsOf(path)) {
            std::ifstream in(file, std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
            if (!in.eof() && in.fail()) {
                std::cerr << "cannot read " << file << '\n';
                return 1;
            }
            const auto start = std::chrono::steady_clock::now();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            if (timeout && took.count() > *timeout) {
                std::cerr << "slow input: " << file << " took " << took.count() << " s, over "
                          << *timeout << " s\n";
                return 1;
            }
            ++count;
        }
    }
    std::cout << "replayed " << count << " inputs\n";
    return count > 0 ? 0 : 1;
}
