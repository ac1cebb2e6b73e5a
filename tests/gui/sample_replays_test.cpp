// The sample replays written beside the program cover what they are there to show.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

#include "replay/display_text.h"
#include "replay/zerohour.h"

namespace fs = std::filesystem;

namespace {

std::vector<TZH_replay> Samples() {
    std::vector<TZH_replay> samples;
    for (const auto& entry : fs::directory_iterator(TARVEX_SAMPLE_DIR))
        if (entry.path().extension() == ".rep")
            samples.push_back(ReadReplay(entry.path().string()));
    return samples;
}

bool Any(const std::vector<TZH_replay>& samples, auto predicate) {
    return std::any_of(samples.begin(), samples.end(), predicate);
}

bool HasPlayer(const TZH_replay& r, auto predicate) {
    return std::any_of(r.players.begin(), r.players.end(), predicate);
}

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

} // namespace

TEST(SampleReplays, ADozenWithSomeBroken) {
    const auto samples = Samples();
    EXPECT_GE(samples.size(), 12u);
    const auto broken =
        std::count_if(samples.begin(), samples.end(), [](const auto& r) { return !r.valid; });
    EXPECT_GE(broken, 3);
    EXPECT_LE(broken, 4);
}

TEST(SampleReplays, CoverTheKindsOfGames) {
    const auto samples = Samples();
    const auto humans = [](const TZH_replay& r) {
        return std::count_if(r.players.begin(), r.players.end(),
                             [](const auto& p) { return p.human; });
    };
    EXPECT_TRUE(Any(samples, [&](const TZH_replay& r) {
        return r.valid && r.players.size() == 2 && humans(r) == 2;
    })) << "a 1v1";
    EXPECT_TRUE(Any(samples, [&](const TZH_replay& r) {
        return HasPlayer(r, [](const TZH_player& p) { return p.team == 0; }) &&
               HasPlayer(r, [](const TZH_player& p) { return p.team == 1; });
    })) << "a team game";
    for (const char* difficulty : {"IA Facile", "IA Moyenne", "IA Difficile"})
        EXPECT_TRUE(Any(samples, [&](const TZH_replay& r) {
            return HasPlayer(r,
                             [&](const TZH_player& p) { return !p.human && p.name == difficulty; });
        })) << difficulty;
    EXPECT_TRUE(Any(samples, [](const TZH_replay& r) {
        return HasPlayer(r, [](const TZH_player& p) { return p.army == -2; });
    })) << "an observer";
    EXPECT_TRUE(Any(samples, [](const TZH_replay& r) {
        return HasPlayer(r, [](const TZH_player& p) {
            return IsValidUtf8(p.name) && std::any_of(p.name.begin(), p.name.end(), [](char c) {
                       return static_cast<unsigned char>(c) >= 0x80;
                   });
        });
    })) << "a name outside ASCII";
    EXPECT_TRUE(Any(samples, [](const TZH_replay& r) {
        return r.valid && Contents(r.file.path).find("M=07userdata/maps/") != std::string::npos;
    })) << "a user map";
}
