#include "tests/support/hostile_orders.h"

#include <cstdint>
#include <vector>

#include "tests/support/replay_builder.h"

namespace replay_builder {

namespace {

constexpr int32_t Player = 2;
constexpr uint8_t Integer = 0, Boolean = 2, ObjectId = 3;

std::string Little32(uint32_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF),
            static_cast<char>(value >> 16 & 0xFF), static_cast<char>(value >> 24)};
}

std::string Bare(uint32_t type) {
    return OrderBytes(1, type, Player);
}

// Hotkey group 0 set to 65,025 objects: 255 groups of 255 ids, the most one order holds.
std::string LargestGroup() {
    std::string ids;
    for (uint32_t id = 1; id <= 255 * 255; ++id)
        ids += Little32(id);
    return OrderBytes(1, 1006, Player, std::vector<ArgumentGroup>(255, {ObjectId, 255}), ids);
}

std::string Select(uint32_t object) {
    return OrderBytes(1, 1001, Player, {{Boolean, 1}, {ObjectId, 1}}, "\1" + Little32(object));
}
std::string Queue(uint32_t productionId) {
    return OrderBytes(1, 1047, Player, {{Integer, 2}}, Little32(135) + Little32(productionId));
}
std::string Cancel(uint32_t productionId) {
    return OrderBytes(1, 1048, Player, {{Integer, 1}}, Little32(productionId));
}

// The inverse of an odd number modulo 2^64, by Newton's steps (each doubles the bits known).
constexpr uint64_t InverseOf(uint64_t odd) {
    uint64_t inverse = odd; // right in its 3 low bits
    for (int step = 0; step < 5; ++step)
        inverse *= 2 - odd * inverse;
    return inverse;
}

// The n-th key (from 1) whose product with the Fibonacci multiplier is n: below 2^32, so that
// bits 32 and up of every product are zero.
uint64_t CollidingKey(uint64_t n) {
    constexpr uint64_t Fibonacci = 0x9E3779B97F4A7C15u;
    static_assert(Fibonacci * InverseOf(Fibonacci) == 1);
    return n * InverseOf(Fibonacci);
}

} // namespace

std::string HostileBody(HostileShape shape, std::size_t bytes) {
    std::string body;
    std::string repeated;
    switch (shape) {
    case HostileShape::GroupAddStorm:
        body = LargestGroup();
        repeated = Bare(1026);
        break;
    case HostileShape::RecallStorm:
        body = LargestGroup();
        repeated = Bare(1016);
        break;
    case HostileShape::DeselectStorm:
        body = LargestGroup() + Bare(1016);
        repeated = Bare(1004);
        break;
    case HostileShape::CollidingKeys:
        for (uint64_t n = 1; body.size() < bytes; ++n) {
            const uint64_t key = CollidingKey(n);
            body += Select(static_cast<uint32_t>(key >> 32)) + Queue(static_cast<uint32_t>(key));
        }
        return body + Cancel(static_cast<uint32_t>(CollidingKey(1)));
    }
    body.reserve(bytes + repeated.size() + 64);
    while (body.size() < bytes)
        body += repeated;
    return body + Queue(1) + Cancel(1);
}

const char* HostileShapeName(HostileShape shape) {
    switch (shape) {
    case HostileShape::GroupAddStorm:
        return "group-add-storm";
    case HostileShape::RecallStorm:
        return "recall-storm";
    case HostileShape::DeselectStorm:
        return "deselect-storm";
    case HostileShape::CollidingKeys:
        return "colliding-keys";
    }
    return "unknown";
}

} // namespace replay_builder
