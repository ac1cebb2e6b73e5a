// Reads one human player's course from his orders, in file order. A unit's cancel names only a
// production id: the producer is, as for the game, the first object of his selection at that
// moment, so his selections and hotkey groups are followed too.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "orders/match_course.h"
#include "orders/order_arguments.h"
#include "orders/order_types.h"
#include "orders/player_selection.h"

class CourseReader {
public:
    // Whether an order type can change a course: the rest need not be shown to take().
    static constexpr bool Reads(uint32_t type) {
        return type - FirstReadOrder <= LastReadOrder - FirstReadOrder &&
               ReadOrders[type - FirstReadOrder];
    }
    // Whether an order type can place a building (or a sneak attack's tunnel).
    static constexpr bool Places(uint32_t type) {
        return type == order::PlaceBuilding || type == order::PowerAtLocation;
    }
    static constexpr uint32_t FirstReadOrder = order::SelectNew;
    static constexpr uint32_t LastReadOrder = order::ResumeConstruction;

    // His selection replaced by the objects of a selecting order, or cleared (nullptr), as
    // PlayerSelection::noteNew.
    void noteNewSelection(const OrderArguments* selecting) { selection_.noteNew(selecting); }
    // One of his orders that Reads and that doesn't replace his selection, in his order.
    void take(uint32_t frame, uint32_t type, const OrderArguments& arguments);
    // His course, but his activity, which the walk counts.
    PlayerCourse finish() &&;

private:
    // Selections and hotkey groups, powers, sciences, upgrades, units and buildings,
    // construction cancels, sales and resumes.
    static constexpr std::array<bool, LastReadOrder - FirstReadOrder + 1> ReadOrders = [] {
        std::array<bool, LastReadOrder - FirstReadOrder + 1> read{};
        for (uint32_t type = FirstReadOrder; type <= LastReadOrder; ++type)
            read[type - FirstReadOrder] =
                type <= order::Deselect ||
                (type >= order::FirstGroupSet && type <= order::LastGroupAdd) ||
                (type >= order::PowerWithoutTarget && type <= order::PowerAtObject) ||
                (type >= order::PickScience && type <= order::PlaceBuilding) ||
                type == order::CancelConstruction || type == order::Sell ||
                type == order::ResumeConstruction;
        return read;
    }();

    // A queue entry's producer and production id, when it has both.
    struct QueueKey {
        uint32_t producer = 0;
        uint32_t productionId = 0;
        bool known = false;
    };
    // A unit's cancel, paired with its queue entry once all his orders are read: most players
    // never cancel one, and they need no index of their queue entries.
    struct UnitCancel {
        uint32_t frame = 0;
        uint32_t selected = 0; // the first object of his selection
        uint32_t productionId = 0;
        uint32_t queuedBefore = 0; // his queue entries before it
    };

    void queue(uint32_t frame, const OrderArguments& arguments);
    void cancel(uint32_t frame, const OrderArguments& arguments);
    void place(uint32_t frame, const OrderArguments& arguments, uint32_t type);
    void pairCancels();

    PlayerCourse course_;
    PlayerSelection selection_;
    std::vector<QueueKey> queueKeys_; // one per entry of course_.queued
    std::vector<UnitCancel> unitCancels_;
};
