// How long listing a replay folder takes per file, the way the program lists it, beside the
// least any reader must do: open each file, read one 2 KiB block, close it.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <memory>

#include <benchmark/benchmark.h>

#include "bench/bench_folder.h"
#include "folder/replay_folder.h"
#include "replay/GR_Utils.h"
#include "replay/zerohour.h"

namespace {

constexpr std::size_t FileCount = 10000;

std::unique_ptr<bench::ReplayFolder> Folder;

void SetPerFile(benchmark::State& state, std::size_t files) {
    state.counters["files"] = static_cast<double>(files);
    // Time per file: the rate of files per second, inverted.
    state.counters["per_file"] = benchmark::Counter(static_cast<double>(files),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

void ListAndReadEveryReplay(benchmark::State& state) {
    std::size_t files = 0, valid = 0;
    for (auto _ : state) {
        files = valid = 0;
        ForEachReplayFile(Folder->path().string(), ReplayFileMask, [&](ListedReplayFile& file) {
            const TZH_replay replay = file.read();
            valid += replay.valid;
            ++files;
        });
        benchmark::DoNotOptimize(valid);
    }
    SetPerFile(state, files);
    state.counters["valid"] = static_cast<double>(valid);
}

// The reading alone, over the same files in the same order without listing the folder.
void ReadEveryReplay(benchmark::State& state) {
    std::size_t valid = 0;
    for (auto _ : state) {
        valid = 0;
        for (const std::string& path : Folder->files())
            valid += ReadReplay(path).valid;
        benchmark::DoNotOptimize(valid);
    }
    SetPerFile(state, Folder->files().size());
}

// The parsing alone: the headers of the same files, already in memory.
void ParseEveryHeader(benchmark::State& state) {
    std::vector<HeaderRead> headers;
    for (const std::string& path : Folder->files())
        headers.push_back(ReadHeader(path, HeaderScope::UntilRuledOut));
    std::size_t valid = 0;
    for (auto _ : state) {
        valid = 0;
        for (const HeaderRead& header : headers) {
            TZH_replay record;
            record.file.size = RecordedSize(header.fileSize);
            valid += ParseHeaderFields(header.fields, record);
        }
        benchmark::DoNotOptimize(valid);
    }
    SetPerFile(state, headers.size());
}

void ListOnly(benchmark::State& state) {
    std::size_t files = 0;
    for (auto _ : state) {
        files = 0;
        ForEachReplayFile(
            Folder->path().string(), ReplayFileMask, [&](const ListedReplayFile&) { ++files; }, {},
            {}, NoReadAhead);
        benchmark::DoNotOptimize(files);
    }
    SetPerFile(state, files);
}

void OpenRead2KiBClose(benchmark::State& state) {
    char block[2048];
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (const std::string& path : Folder->files()) {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) {
                state.SkipWithError("cannot open a benchmark file");
                return;
            }
            const ssize_t got = ::read(fd, block, sizeof block);
            bytes += got > 0 ? static_cast<std::size_t>(got) : 0;
            ::close(fd);
        }
        benchmark::DoNotOptimize(bytes);
    }
    SetPerFile(state, Folder->files().size());
}

// Wall-clock time: the work is mostly system calls, which CPU time of the process misses.
BENCHMARK(ListAndReadEveryReplay)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadEveryReplay)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ParseEveryHeader)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ListOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OpenRead2KiBClose)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    Folder = std::make_unique<bench::ReplayFolder>(bench::RealReplayFolder(), FileCount);
    std::cout
        << FileCount << " files in " << Folder->path().string() << ", headers from "
        << Folder->source() << "\n"
        << "(the files were just written, so the page cache is warm: these are warm figures)\n";
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Folder.reset();
    return 0;
}
