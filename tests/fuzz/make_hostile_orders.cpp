// Writes the bodies of orders made to keep the walk busy (tests/support/hostile_orders.h) for
// the walk's corpus player, which walks each within a time limit. Each is large enough that a
// walk whose orders cost more as the selection, the groups or the queue grow takes many times
// that limit.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <utility>

#include "tests/support/hostile_orders.h"

namespace rb = replay_builder;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_hostile_orders FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    constexpr std::size_t MB = 1000 * 1000;
    const std::pair<rb::HostileShape, std::size_t> bodies[] = {
        {rb::HostileShape::GroupAddStorm, 2 * MB},
        {rb::HostileShape::RecallStorm, 24 * MB},
        {rb::HostileShape::DeselectStorm, 8 * MB},
        {rb::HostileShape::CollidingKeys, 8 * MB},
    };
    for (const auto& [shape, bytes] : bodies) {
        std::ofstream out(folder / rb::HostileShapeName(shape), std::ios::binary);
        out << rb::HostileBody(shape, bytes);
        if (!out) {
            std::cerr << "cannot write " << (folder / rb::HostileShapeName(shape)) << '\n';
            return 1;
        }
    }
    return 0;
}
