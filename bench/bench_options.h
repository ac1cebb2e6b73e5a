// A benchmark's own count option beside Google Benchmark's.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace bench {

// Takes `option N` out of the command line (N clamped to [low, high]; fallback without it) and
// hands the rest to Google Benchmark; nullopt when it recognised an argument as neither (it
// said so).
std::optional<std::size_t> InitializeWithCount(int argc, char** argv, std::string_view option,
                                               std::size_t fallback, std::size_t low,
                                               std::size_t high);

} // namespace bench
