#include "bench/bench_options.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <benchmark/benchmark.h>

namespace bench {

std::optional<std::size_t> InitializeWithCount(int argc, char** argv, std::string_view option,
                                               std::size_t fallback, std::size_t low,
                                               std::size_t high) {
    std::size_t count = fallback;
    std::vector<char*> rest = {argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == option && i + 1 < argc)
            count = std::clamp<std::size_t>(std::strtoul(argv[++i], nullptr, 10), low, high);
        else
            rest.push_back(argv[i]);
    }
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    if (benchmark::ReportUnrecognizedArguments(restCount, rest.data())) return std::nullopt;
    return count;
}

} // namespace bench
