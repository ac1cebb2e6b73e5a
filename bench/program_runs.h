// A program run once per iteration of a benchmark, as a user starts it, and the processor time
// the benchmarks count beside the clock's.
#pragma once

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace bench {

// Processor time (user and system) of every thread of this process (RUSAGE_SELF), or of its
// children (RUSAGE_CHILDREN): a busy machine disturbs it less than the time on the clock.
double CpuSeconds(int who);

// Runs args (the program's path first), its output to /dev/null, once per iteration of state,
// and sets the counter child_cpu_ms; false, the state skipped with an error, when a run failed.
bool RunProgram(benchmark::State& state, std::vector<std::string> args);

} // namespace bench
