// How fast the orders after a replay's header are walked, from memory and from a warm file,
// beside just reading the same files; the walk over bodies made to keep it busy; and
// tarvex-info --match on a folder of many copies of the real replays beside a bare loop that
// reads those files whole.
//   match_bench [--copies N] [google benchmark options]

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/bench_folder.h"
#include "bench/bench_options.h"
#include "bench/program_runs.h"
#include "orders/match.h"
#include "replay/zerohour.h"
#include "tests/support/hostile_orders.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct RealFile {
    std::string path;
    std::string bytes;
    TZH_replay record;
};

std::vector<RealFile> Files;     // the real replays the program lists as valid
std::vector<std::string> Copies; // every real replay, many times, in a folder of their own
fs::path CopiesFolder;
std::size_t CopiesBytes = 0;

void SetBytes(benchmark::State& state, std::size_t bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

std::size_t ValidBytes() {
    std::size_t bytes = 0;
    for (const RealFile& file : Files)
        bytes += file.bytes.size();
    return bytes;
}

// The walk alone, over the files' bytes already in memory.
void WalkOrdersInMemory(benchmark::State& state) {
    for (auto _ : state)
        for (const RealFile& file : Files)
            benchmark::DoNotOptimize(MatchFromBytes(file.bytes, file.record));
    SetBytes(state, ValidBytes());
}

// The walk over 60 MB made to keep it busy, for one human: every order must cost what its own
// arguments cost whatever came before, so these go about as fast as the real replays.
void WalkHostileOrders(benchmark::State& state, replay_builder::HostileShape shape) {
    const std::string body = replay_builder::HostileBody(shape, 60 * 1000 * 1000);
    TZH_replay record;
    record.players.emplace_back().human = true;
    record.players.back().army = 2;
    for (auto _ : state)
        benchmark::DoNotOptimize(WalkOrders(body, record));
    SetBytes(state, body.size());
}

// ReadMatch: the file read whole (warm cache), its header checked again, its orders walked.
void ReadMatchFromFile(benchmark::State& state) {
    for (auto _ : state)
        for (const RealFile& file : Files)
            benchmark::DoNotOptimize(ReadMatch(file.record));
    SetBytes(state, ValidBytes());
}

// The largest real replay (2.3 MB, its camera recorded every frame), as the details window
// would read it for one selection.
void ReadMatchLargestFile(benchmark::State& state) {
    const RealFile& largest =
        *std::max_element(Files.begin(), Files.end(), [](const RealFile& a, const RealFile& b) {
            return a.bytes.size() < b.bytes.size();
        });
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadMatch(largest.record));
    SetBytes(state, largest.bytes.size());
}

// The least any reader of the same files must do: open, read whole, close.
void ReadWholeFilesBare(benchmark::State& state, const std::vector<std::string>& paths,
                        std::size_t total) {
    std::vector<char> buffer(4 * 1024 * 1024);
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const std::string& path : paths) {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) {
                state.SkipWithError("cannot open a benchmark file");
                return;
            }
            for (ssize_t got; (got = ::read(fd, buffer.data(), buffer.size())) > 0;)
                bytes += static_cast<std::size_t>(got);
            ::close(fd);
        }
        benchmark::DoNotOptimize(bytes);
    }
    SetBytes(state, total);
}

void ReadValidFilesBare(benchmark::State& state) {
    std::vector<std::string> paths;
    for (const RealFile& file : Files)
        paths.push_back(file.path);
    ReadWholeFilesBare(state, paths, ValidBytes());
}

void ReadCopiesBare(benchmark::State& state) {
    ReadWholeFilesBare(state, Copies, CopiesBytes);
}

// tarvex-info on the folder of copies, its output thrown away.
void RunTarvexInfo(benchmark::State& state, std::vector<std::string> args) {
    args.insert(args.begin(), TARVEX_INFO);
    args.push_back(CopiesFolder.string());
    if (bench::RunProgram(state, std::move(args))) SetBytes(state, CopiesBytes);
}

void InfoMatchJson(benchmark::State& state) {
    RunTarvexInfo(state, {"--match", "--json"});
}
void InfoMatchLines(benchmark::State& state) {
    RunTarvexInfo(state, {"--match"});
}
void InfoHeadersOnly(benchmark::State& state) {
    RunTarvexInfo(state, {"--json"});
}

BENCHMARK(WalkOrdersInMemory)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WalkHostileOrders, group_add_storm, replay_builder::HostileShape::GroupAddStorm)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WalkHostileOrders, recall_storm, replay_builder::HostileShape::RecallStorm)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WalkHostileOrders, deselect_storm, replay_builder::HostileShape::DeselectStorm)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WalkHostileOrders, colliding_keys, replay_builder::HostileShape::CollidingKeys)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ReadMatchFromFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadMatchLargestFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadValidFilesBare)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadCopiesBare)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(InfoMatchJson)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(InfoMatchLines)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(InfoHeadersOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void Prepare(std::size_t copies) {
    std::vector<fs::path> real;
    for (const auto& entry : fs::directory_iterator(bench::RealReplayFolder()))
        if (entry.path().extension() == ".rep") real.push_back(entry.path());
    if (real.empty())
        throw std::runtime_error("no real replays in " + bench::RealReplayFolder().string());
    for (const fs::path& path : real) {
        TZH_replay record = ReadReplay(path.string());
        if (record.valid)
            Files.push_back({path.string(), bench::ReadWhole(path), std::move(record)});
    }
    CopiesFolder = fs::temp_directory_path() / ("tarvex-match-bench-" + std::to_string(::getpid()));
    fs::create_directories(CopiesFolder);
    for (std::size_t copy = 0; copy < copies; ++copy) {
        for (const fs::path& path : real) {
            const fs::path to =
                CopiesFolder / (std::to_string(copy) + " " + path.filename().string());
            fs::copy_file(path, to);
            Copies.push_back(to.string());
            CopiesBytes += fs::file_size(to);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<std::size_t> copies =
        bench::InitializeWithCount(argc, argv, "--copies", 20, 1, SIZE_MAX);
    if (!copies) return 1;
    try {
        Prepare(*copies);
    } catch (const std::exception& error) {
        std::cerr << "match_bench: " << error.what() << '\n';
        std::error_code ignored;
        fs::remove_all(CopiesFolder, ignored);
        return 1;
    }
    std::cout << Files.size() << " valid real replays (" << ValidBytes() << " bytes); "
              << Copies.size() << " copies of all real replays (" << CopiesBytes << " bytes) in "
              << CopiesFolder.string() << "\n"
              << "(the files were just read or written, so the page cache is warm: these are warm "
                 "figures)\n";
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(CopiesFolder, ignored);
    return 0;
}
