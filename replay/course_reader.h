// Reads one human player's course from his orders, in file order. A unit's cancel names only a
// production id: the producer is, as for the game, the first object of his selection at that
// moment, so his selections and hotkey groups are followed too.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "replay/match_course.h"
#include "replay/order_arguments.h"

// 64-bit keys to 32-bit values in one open-addressed array: a queue order must cost little, and
// the node-per-entry standard maps allocate for each.
class KeyIndex {
public:
    void put(uint64_t key, uint32_t value); // replaces the key's value if it has one
    std::optional<uint32_t> get(uint64_t key) const;

private:
    std::size_t slotOf(uint64_t key) const;

    struct Slot {
        uint64_t key = 0;
        uint32_t value = 0;
        bool used = false;
    };
    std::vector<Slot> slots_; // a power of two, at most half used
    std::size_t used_ = 0;
};

class CourseReader {
public:
    // Whether an order type can change a course: the rest need not be shown to take().
    static constexpr bool Reads(uint32_t type) {
        return type - FirstReadOrder <= LastReadOrder - FirstReadOrder &&
               ReadOrders[type - FirstReadOrder];
    }
    static constexpr uint32_t FirstReadOrder = 1001;
    static constexpr uint32_t LastReadOrder = 1065;

    CourseReader();

    // Whether an order replaces the selection, whatever it held: a cleared one (1003), or a
    // selection of objects whose flag says new. Those are two thirds of a player's orders, and
    // the walk asks for each of the orders a course reads: kept free of branches that depend
    // on the order. end: the end of the bytes.
    static bool ReplacesSelection(uint32_t type, const unsigned char* groups,
                                  std::size_t groupCount, const unsigned char* end) {
        // A selection of objects takes two groups and a boolean: five bytes. With five bytes
        // left, they are read whatever the order holds (the next order's, maybe) and judged
        // together; fewer are left only at the very end of the bytes.
        if (end - groups < 5) return type == ClearSelectionOrder;
        const bool selects = (type == SelectNewOrder) | (type == SelectAddOrder);
        const bool plainNew =
            (groupCount == 2) & (groups[0] == static_cast<uint8_t>(ArgumentType::Boolean)) &
            (groups[1] == 1) & (groups[2] == static_cast<uint8_t>(ArgumentType::ObjectId)) &
            (groups[4] != 0);
        return (type == ClearSelectionOrder) | (selects & plainNew);
    }

    // His selection replaced by the objects of a selecting order, or cleared (nullptr).
    void replaceSelection(const OrderArguments* selecting);
    // One of his orders that Reads and that doesn't replace his selection, in his order.
    void take(uint32_t frame, uint32_t type, const OrderArguments& arguments);
    // His course, but his activity, which the walk counts.
    PlayerCourse finish() && { return std::move(course_); }

private:
    using Ids = std::vector<uint32_t>;
    static constexpr uint32_t SelectNewOrder = 1001;
    static constexpr uint32_t SelectAddOrder = 1002;
    static constexpr uint32_t ClearSelectionOrder = 1003;

    // Selections (1001-1004), hotkey groups (1006-1035), powers (1040-1042), sciences, upgrades,
    // units and buildings (1044-1049), construction cancels, sales and resumes.
    static constexpr std::array<bool, LastReadOrder - FirstReadOrder + 1> ReadOrders = [] {
        std::array<bool, LastReadOrder - FirstReadOrder + 1> read{};
        for (uint32_t type = FirstReadOrder; type <= LastReadOrder; ++type)
            read[type - FirstReadOrder] = (type <= 1035 && type != 1005) ||
                                          (type >= 1040 && type <= 1042) ||
                                          (type >= 1044 && type <= 1049) || type == 1051 ||
                                          type == 1052 || type == LastReadOrder;
        return read;
    }();

    void select(uint32_t type, const OrderArguments& arguments);
    void queue(uint32_t frame, const OrderArguments& arguments);
    void cancel(uint32_t frame, const OrderArguments& arguments);
    void place(uint32_t frame, const OrderArguments& arguments, uint32_t type);
    // The order's object ids, into ids (cleared first).
    static void Objects(const OrderArguments& arguments, Ids& ids);

    PlayerCourse course_;
    Ids selection_;
    std::array<Ids, 10> groups_;
    Ids scratch_;
    // The latest queue entry of each producer and production id; production id 0 (the game
    // counts from 1) marks that the producer queued at all.
    KeyIndex queueEntries_;
    std::optional<uint32_t> lastProducer_; // marked already
};
