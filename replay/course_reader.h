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
#include "replay/order_types.h"

class CourseReader {
public:
    // Whether an order type can change a course: the rest need not be shown to take().
    static constexpr bool Reads(uint32_t type) {
        return type - FirstReadOrder <= LastReadOrder - FirstReadOrder &&
               ReadOrders[type - FirstReadOrder];
    }
    static constexpr uint32_t FirstReadOrder = order::SelectNew;
    static constexpr uint32_t LastReadOrder = order::ResumeConstruction;

    CourseReader();

    // Whether the order at order replaces the selection, whatever it held: a cleared one
    // (1003), or a selection of objects in the plain layout whose flag says new. Those are four
    // in five of the orders a course reads, and the walk asks for each order of a player: kept
    // free of branches that depend on the order. end: the end of the bytes.
    static bool ReplacesSelection(const unsigned char* order, const unsigned char* end) {
        const uint32_t type = Little32(order + 4);
        // With the plain layout's bytes there, they are read whatever the order holds (the next
        // order's, maybe) and judged together; they are missing only at the very end of the
        // bytes.
        constexpr std::size_t FlagAt = OrderHeadSize + PlainSelection::FlagAt;
        if (end - order <= static_cast<std::ptrdiff_t>(FlagAt))
            return type == order::ClearSelection;
        const bool selects = type - order::SelectNew <= order::SelectAdd - order::SelectNew;
        const bool plainNew =
            (Little32(order + OrderHeadSize - 1) == PlainSelection::Head) & (order[FlagAt] != 0);
        return (type == order::ClearSelection) | (selects & plainNew);
    }

    // His selection replaced by the objects of a selecting order, or cleared (nullptr). Only
    // noted: most selections are replaced again before an order needs their objects.
    void noteNewSelection(const OrderArguments* selecting) {
        selectionNoted_ = true;
        selecting_ = selecting ? *selecting : NoObjects;
    }
    // One of his orders that Reads and that doesn't replace his selection, in his order.
    void take(uint32_t frame, uint32_t type, const OrderArguments& arguments);
    // His course, but his activity, which the walk counts.
    PlayerCourse finish() &&;

private:
    using Ids = std::vector<uint32_t>;

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

    void select(uint32_t type, const OrderArguments& arguments);
    void queue(uint32_t frame, const OrderArguments& arguments);
    void cancel(uint32_t frame, const OrderArguments& arguments);
    void place(uint32_t frame, const OrderArguments& arguments, uint32_t type);
    void pairCancels();
    // The order's object ids, into ids (cleared first).
    static void Objects(const OrderArguments& arguments, Ids& ids);
    // His selection's objects, read from the order that replaced it if that is not done yet.
    Ids& heldSelection();
    std::optional<uint32_t> firstSelected() const;

    PlayerCourse course_;
    // His selection: the objects of the order that last replaced it while selectionNoted_,
    // else selection_.
    static constexpr OrderArguments NoObjects{nullptr, 0}; // a cleared selection's
    OrderArguments selecting_ = NoObjects;
    bool selectionNoted_ = false;
    Ids selection_;
    std::array<Ids, 10> groups_;
    Ids scratch_;
    std::vector<QueueKey> queueKeys_; // one per entry of course_.queued
    std::vector<UnitCancel> unitCancels_;
};
