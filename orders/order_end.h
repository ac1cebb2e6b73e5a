// Where one order ends: what the walk over the orders waits for before it can read the next,
// so it is written for speed and shared by everything that steps through orders.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "orders/order_arguments.h"

namespace order_end_detail {

// Of eight bytes holding four (type, count) pairs, the types of the first n, n from 0 to 4;
// shifted a byte along, their counts.
constexpr std::array<uint64_t, 5> FirstTypes = {0, 0x00FF, 0x00FF'00FF, 0x00FF'00FF'00FF,
                                                0x00FF'00FF'00FF'00FF};
// Adding this to the types sets one of UnknownTypeBits exactly when one is 11 or more: the
// types the file knows are 0 to 10.
constexpr uint64_t UnknownTypeCarry = 0x0075'0075'0075'0075;
constexpr uint64_t UnknownTypeBits = 0xFF80'FF80'FF80'FF80;
static_assert(ArgumentSizeOf[10] != 0 && ArgumentSizeOf[11] == 0);

inline uint64_t Little64(const unsigned char* at) {
    return uint64_t{Little32(at)} | uint64_t{Little32(at + 4)} << 32;
}

} // namespace order_end_detail

// Where the order at `at` ends, or nullptr when it doesn't fit in the bytes up to end or a group
// names an unknown type. The walk waits for this before it can read the next order: most
// orders have one to four groups, and their pairs are read as one word, the unused ones
// cleared, with no loop whose end the processor would have to guess. Always inlined: a call
// here would cost as much as the rest of the walk's step.
[[gnu::always_inline]] inline const unsigned char* OrderEnd(const unsigned char* at,
                                                            const unsigned char* end) {
    using namespace order_end_detail;
    const std::size_t count = at[12];
    const unsigned char* groups = at + OrderHeadSize;
    const auto available = static_cast<std::size_t>(end - groups);
    if (available < 2 * count) return nullptr;
    constexpr std::size_t Packed = 4;
    std::size_t bytes = 0; // at most 255 * 255 * 16: no overflow
    if (count <= Packed && available >= 2 * Packed) {
        const uint64_t pairs = Little64(groups);
        const uint64_t types = pairs & FirstTypes[count];
        if ((types + UnknownTypeCarry) & UnknownTypeBits) return nullptr;
        // The size of each type is looked up while the unused counts are cleared: the walk
        // waits for the size, not for the clearing. Written out: the compiler keeps a loop
        // here, and its counting costs as much as the sums.
        const uint64_t counts = pairs >> 8 & FirstTypes[count];
        const auto pairBytes = [pairs, counts](int shift) {
            return std::size_t{ArgumentSizeOf[pairs >> shift & 0xFF]} * (counts >> shift & 0xFF);
        };
        bytes = (pairBytes(0) + pairBytes(16)) + (pairBytes(32) + pairBytes(48));
    } else {
        for (std::size_t g = 0; g < count; ++g) {
            const std::size_t size = ArgumentSizeOf[groups[2 * g]];
            if (size == 0) return nullptr;
            bytes += size * groups[2 * g + 1];
        }
    }
    if (available - 2 * count < bytes) return nullptr;
    return groups + 2 * count + bytes;
}
