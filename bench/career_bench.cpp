// A player's career over a folder of his games (copies of the real replays, each a match of its
// own, their first human renamed), beside a bare pass over the same files: each read whole on
// all cores and its orders stepped through by their sizes alone, nothing kept (and beside the
// plain read alone). Measured side by side: the career's orders part (CareerReading),
// tarvex-info --player (process start included), and the tallies of the headers on a list of
// 50,000 of his replays.
//   career_bench [--games N] [google benchmark options]
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/bench_folder.h"
#include "bench/bench_options.h"
#include "bench/program_runs.h"
#include "career/career.h"
#include "career/career_reading.h"
#include "folder/replay_folder.h"
#include "orders/match.h"
#include "orders/order_arguments.h"
#include "orders/order_end.h"
#include "platform/platform.h"
#include "replay/header_layout.h"
#include "replay/zerohour.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

const std::string Him = "Bench";
constexpr std::size_t ListSize = 50000;

std::unique_ptr<bench::ScratchFolder> Folder;
std::vector<TZH_replay> Records; // the folder as the list holds it
std::size_t FolderBytes = 0;

// The byte offset of the match's start time (a SYSTEMTIME after the 16-bit replay name).
std::size_t DateOffset(const std::string& bytes) {
    std::size_t at = 28;
    while (at + 1 < bytes.size() && (bytes[at] != 0 || bytes[at + 1] != 0))
        at += 2;
    return at + 2;
}

// A copy of a real replay as a match of its own played by Him: its first human who plays
// renamed in the settings text, its start time's milliseconds set to copy.
std::string HisCopy(std::string bytes, const TZH_replay& record, std::size_t copy) {
    const auto player = std::find_if(record.players.begin(), record.players.end(), PlaysTheMatch);
    const std::size_t settings = bytes.find(";S=");
    const std::size_t slot = bytes.find("H" + player->name + ",", settings);
    if (settings == std::string::npos || slot == std::string::npos)
        throw std::runtime_error("no slot of " + player->name + " in " + record.file.name);
    bytes.replace(slot + 1, player->name.size(), Him);
    const std::size_t milliseconds = DateOffset(bytes) + 14;
    bytes[milliseconds] = static_cast<char>(copy & 0xFF);
    bytes[milliseconds + 1] = static_cast<char>(copy >> 8);
    return bytes;
}

// The bare pass's stepping: each order's end found as the walk finds it, nothing read.
std::size_t StepOrders(std::string_view body) {
    const auto* at = reinterpret_cast<const unsigned char*>(body.data());
    const unsigned char* const end = at + body.size();
    std::size_t orders = 0;
    while (end - at >= static_cast<std::ptrdiff_t>(OrderHeadSize)) {
        at = OrderEnd(at, end);
        if (!at) break;
        ++orders;
    }
    return orders;
}

// Runs work(i) for every i below count on one thread per core.
template <typename Work> void OnAllCores(std::size_t count, const Work& work) {
    std::atomic<std::size_t> next{0};
    std::vector<std::jthread> threads;
    for (unsigned t = 0; t < std::max(1u, std::thread::hardware_concurrency()); ++t)
        threads.emplace_back([&] {
            for (std::size_t i; (i = next.fetch_add(1)) < count;)
                work(i);
        });
}

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(FolderBytes));
}

// Sets the counter cpu_ms, per iteration, from the processor time before the loop.
void SetCpu(benchmark::State& state, int who, double before) {
    state.counters["cpu_ms"] =
        (bench::CpuSeconds(who) - before) * 1000 / static_cast<double>(state.iterations());
}

// Reads every file whole on all cores; step, when given, goes through its orders.
void ReadOnAllCores(benchmark::State& state, bool step) {
    const double cpu = bench::CpuSeconds(RUSAGE_SELF);
    for (auto _ : state) {
        std::atomic<std::size_t> orders{0};
        OnAllCores(Records.size(), [&](std::size_t i) {
            platform::InputFile file(Records[i].file.path);
            const platform::FileBytes bytes(file, MatchReadLimit);
            const std::optional<std::size_t> offset = OrdersOffset(bytes.view());
            if (offset && step) orders += StepOrders(bytes.view().substr(*offset));
        });
        benchmark::DoNotOptimize(orders.load());
    }
    SetCpu(state, RUSAGE_SELF, cpu);
    SetBytes(state);
}

void PlainRead(benchmark::State& state) {
    ReadOnAllCores(state, false);
}
void BarePass(benchmark::State& state) {
    ReadOnAllCores(state, true);
}

// The career's orders part, the games of the header part's tallies read as the window will.
void CareerOrders(benchmark::State& state) {
    const Career career = TallyCareer(Records, Him);
    if (career.games.size() != Records.size()) {
        state.SkipWithError("not every file is one of his games");
        return;
    }
    const double cpu = bench::CpuSeconds(RUSAGE_SELF);
    for (auto _ : state) {
        std::size_t read = 0;
        CareerReading reading;
        reading.start(Records, career,
                      [&read](const CareerGameRead& game) { read += game.orders.has_value(); });
        reading.wait();
        if (read != career.games.size()) state.SkipWithError("a game's orders were not read");
    }
    SetCpu(state, RUSAGE_SELF, cpu);
    SetBytes(state);
}

// stop() in the middle of the reading: how long the caller waits for the files under way.
void StopWhileReading(benchmark::State& state) {
    const Career career = TallyCareer(Records, Him);
    for (auto _ : state) {
        std::atomic<std::size_t> read{0};
        CareerReading reading;
        reading.start(Records, career, [&read](const CareerGameRead&) { ++read; });
        while (read < career.games.size() / 4)
            std::this_thread::yield();
        const auto start = std::chrono::steady_clock::now();
        reading.stop();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

void InfoPlayer(benchmark::State& state) {
    if (bench::RunProgram(state, {TARVEX_INFO, "--player", Him, "--json", Folder->path().string()}))
        SetBytes(state);
}

// The header part on a list of 50,000 of his replays: what the window does before it opens.
void CareerHeaders50k(benchmark::State& state) {
    std::vector<TZH_replay> list;
    list.reserve(ListSize);
    for (std::size_t i = 0; i < ListSize; ++i) {
        list.push_back(Records[i % Records.size()]);
        if (list.back().date) list.back().date->minute = static_cast<uint16_t>(i / Records.size());
    }
    std::size_t games = 0;
    for (auto _ : state)
        games = TallyCareer(list, Him).games.size();
    state.counters["games"] = static_cast<double>(games);
}

// The stepping and the walks on one core from memory, over the real replays the folder copies:
// what the walk costs beside the stepping, without the reading.
struct InMemory {
    std::string bytes;
    TZH_replay record;
    std::size_t his = 0; // the seat his copies give him
};
std::vector<InMemory> Sources;

void StepInMemory(benchmark::State& state) {
    for (auto _ : state)
        for (const InMemory& source : Sources)
            benchmark::DoNotOptimize(StepOrders(
                std::string_view(source.bytes).substr(OrdersOffset(source.bytes).value_or(0))));
}

void WalkInMemory(benchmark::State& state) {
    for (auto _ : state)
        for (const InMemory& source : Sources)
            benchmark::DoNotOptimize(MatchFromBytes(source.bytes, source.record));
}

// The walk as a career reads each of his games: only his placements of his course.
void CareerWalkInMemory(benchmark::State& state) {
    for (auto _ : state)
        for (const InMemory& source : Sources)
            benchmark::DoNotOptimize(MatchFromBytes(source.bytes, source.record, source.his));
}

BENCHMARK(StepInMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(WalkInMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(CareerWalkInMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BarePass)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CareerOrders)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StopWhileReading)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(InfoPlayer)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CareerHeaders50k)->Unit(benchmark::kMillisecond)->UseRealTime();

void Prepare(std::size_t games) {
    std::vector<InMemory>& sources = Sources;
    for (const auto& entry : fs::directory_iterator(bench::RealReplayFolder())) {
        if (entry.path().extension() != ".rep") continue;
        TZH_replay record = ReadReplay(entry.path().string());
        if (!record.valid) continue;
        const auto his = std::find_if(record.players.begin(), record.players.end(), PlaysTheMatch);
        const auto seat = static_cast<std::size_t>(his - record.players.begin());
        if (his != record.players.end())
            sources.push_back({bench::ReadWhole(entry.path()), std::move(record), seat});
    }
    if (sources.empty())
        throw std::runtime_error("no real replays in " + bench::RealReplayFolder().string());
    std::sort(sources.begin(), sources.end(), [](const InMemory& a, const InMemory& b) {
        return a.record.file.name < b.record.file.name;
    });
    Folder = std::make_unique<bench::ScratchFolder>("tarvex-career-bench");
    for (std::size_t i = 0; i < games; ++i) {
        const InMemory& source = sources[i % sources.size()];
        const std::string bytes = HisCopy(source.bytes, source.record, i / sources.size());
        std::ofstream(Folder->path() / (std::to_string(i) + ".rep"), std::ios::binary) << bytes;
        FolderBytes += bytes.size();
    }
    ForEachReplayFile(Folder->path().string(), ReplayFileMask,
                      [](ListedReplayFile& file) { Records.push_back(file.read()); });
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<std::size_t> games =
        bench::InitializeWithCount(argc, argv, "--games", 2000, 1, 65535);
    if (!games) return 1;
    try {
        Prepare(*games);
    } catch (const std::exception& error) {
        std::cerr << "career_bench: " << error.what() << '\n';
        Folder.reset();
        return 1;
    }
    std::cout << Records.size() << " of his games (" << FolderBytes << " bytes) in "
              << Folder->path().string() << ", on " << std::thread::hardware_concurrency()
              << " cores\n(the files were just written, so the page cache is warm)\n";
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Folder.reset();
    return 0;
}
