// The arguments of one order: after the order's head, a count of groups, that many (argument
// type, count) byte pairs, then the arguments group after group, little-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "orders/match_course.h"

// An order's argument types, as the file numbers them.
enum class ArgumentType : uint8_t {
    Integer = 0,
    Real = 1,
    Boolean = 2,
    ObjectId = 3,
    DrawableId = 4,
    TeamId = 5,
    Location = 6,
    Pixel = 7,
    PixelRegion = 8,
    Timestamp = 9,
    WideCharacter = 10,
};

// Bytes of one argument by type, for every byte value: 0 for a type that doesn't exist.
inline constexpr std::array<uint8_t, 256> ArgumentSizeOf = [] {
    constexpr std::array<uint8_t, 11> known = {4, 4, 1, 4, 4, 4, 12, 8, 16, 4, 2};
    std::array<uint8_t, 256> sizes{};
    for (std::size_t type = 0; type < known.size(); ++type)
        sizes[type] = known[type];
    return sizes;
}();

// An order's head: frame, type and player index (32 bits each), then its count of argument
// groups.
inline constexpr std::size_t OrderHeadSize = 13;

inline uint32_t Little32(const unsigned char* at) {
    return uint32_t{at[0]} | uint32_t{at[1]} << 8 | uint32_t{at[2]} << 16 | uint32_t{at[3]} << 24;
}

// The layout of most selections: two groups, one boolean (its flag) then object ids.
struct PlainSelection {
    // The order's count of groups and the first three bytes of their pairs, as one
    // little-endian word from the count on.
    static constexpr uint32_t Head =
        2 | uint32_t{static_cast<uint8_t>(ArgumentType::Boolean)} << 8 | 1 << 16 |
        uint32_t{static_cast<uint8_t>(ArgumentType::ObjectId)} << 24;
    static constexpr std::size_t CountAt = 3;   // of the object ids, from the pairs on
    static constexpr std::size_t FlagAt = 4;    // the same
    static constexpr std::size_t ObjectsAt = 5; // the same
};

// The arguments of an order whose groups are already known to fit in the bytes.
class OrderArguments {
public:
    constexpr OrderArguments(const unsigned char* groups, std::size_t groupCount)
        : groups_(groups), groupCount_(groupCount) {}

    // The index-th argument of a type (from 0), nullopt when the order has fewer.
    std::optional<uint32_t> integer(std::size_t index) const {
        const unsigned char* at = find(ArgumentType::Integer, index);
        if (!at) return std::nullopt;
        return Little32(at);
    }
    std::optional<float> real(std::size_t index) const;
    std::optional<bool> boolean(std::size_t index) const {
        const unsigned char* at = find(ArgumentType::Boolean, index);
        if (!at) return std::nullopt;
        return *at != 0;
    }
    // The index-th location on the map (its height is left out).
    std::optional<WorldPoint> location(std::size_t index) const;

    // The plain selection's flag and count of objects, when the order has its layout. Ids are
    // read with object().
    struct FlagThenObjects {
        bool flag;
        std::size_t count;
    };
    std::optional<FlagThenObjects> flagThenObjects() const {
        // With two groups, their pairs' four bytes are there.
        if (groupCount_ != 2 || (2 | Little32(groups_) << 8) != PlainSelection::Head)
            return std::nullopt;
        return FlagThenObjects{groups_[PlainSelection::FlagAt] != 0,
                               groups_[PlainSelection::CountAt]};
    }
    // The i-th object id of that layout.
    uint32_t object(std::size_t i) const {
        return Little32(groups_ + PlainSelection::ObjectsAt + 4 * i);
    }

    // Calls take(id) for each object id argument, in file order.
    template <typename Take> void forEachObject(Take take) const {
        const unsigned char* argument = groups_ + 2 * groupCount_;
        for (std::size_t g = 0; g < groupCount_; ++g) {
            const std::size_t type = groups_[2 * g], count = groups_[2 * g + 1];
            if (type == static_cast<std::size_t>(ArgumentType::ObjectId))
                for (std::size_t i = 0; i < count; ++i)
                    take(Little32(argument + 4 * i));
            argument += count * ArgumentSizeOf[type];
        }
    }

private:
    // Inline: most orders have one or two groups, and the walk reads them for every order.
    const unsigned char* find(ArgumentType type, std::size_t index) const {
        const unsigned char* argument = groups_ + 2 * groupCount_;
        const auto wanted = static_cast<std::size_t>(type);
        for (std::size_t g = 0; g < groupCount_; ++g) {
            const std::size_t groupType = groups_[2 * g], count = groups_[2 * g + 1];
            const std::size_t size = ArgumentSizeOf[groupType];
            if (groupType == wanted) {
                if (index < count) return argument + index * size;
                index -= count;
            }
            argument += count * size;
        }
        return nullptr;
    }

    const unsigned char* groups_;
    std::size_t groupCount_;
};
