// The shared test material lives beside the clone. Users' clones don't have it: tests that
// need it are skipped then, except under CI, where its absence is a failure.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#ifndef TARVEX_SHARED_DIR
#error "TARVEX_SHARED_DIR must point at the shared test material"
#endif

namespace testsupport {

inline std::filesystem::path SharedDir() {
    return TARVEX_SHARED_DIR;
}
inline std::filesystem::path RealReplayDir() {
    return SharedDir() / "testdata" / "replays" / "real";
}

inline bool UnderCi() {
    const char* ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

} // namespace testsupport

// Skips the test when `dir` is missing (fails under CI).
#define TARVEX_REQUIRE_SHARED(dir)                                                                 \
    do {                                                                                           \
        if (!std::filesystem::is_directory(dir)) {                                                 \
            if (testsupport::UnderCi()) FAIL() << "shared test material missing: " << (dir);       \
            GTEST_SKIP() << "shared test material not found at " << (dir)                          \
                         << " (it lies beside the project's clone); skipping";                     \
        }                                                                                          \
    } while (0)
