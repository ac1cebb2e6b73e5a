// A player's selection and his ten hotkey groups, followed through his orders as the game keeps
// them, for the first object selected: the producer a queue order or its cancel names. A file
// can set a group of 65,025 objects and then recall, add or deselect millions of times, so
// each order costs what its own arguments cost, whatever the selection and the groups hold:
// a group is shared by the selections it enters, never copied, and what leaves one is noted
// per object.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "orders/key_index.h"
#include "orders/order_arguments.h"
#include "orders/order_types.h"

// Whether the order at order replaces the selection, whatever it held: a cleared one (1003),
// or a selection of objects in the plain layout whose flag says new. Those are four in five of
// the orders a course reads, and the walk asks for each order of a player: kept free of
// branches that depend on the order. end: the end of the bytes.
inline bool ReplacesSelection(const unsigned char* order, const unsigned char* end) {
    const uint32_t type = Little32(order + 4);
    // With the plain layout's bytes there, they are read whatever the order holds (the next
    // order's, maybe) and judged together; they are missing only at the very end of the bytes.
    constexpr std::size_t FlagAt = OrderHeadSize + PlainSelection::FlagAt;
    if (end - order <= static_cast<std::ptrdiff_t>(FlagAt)) return type == order::ClearSelection;
    const bool selects = type - order::SelectNew <= order::SelectAdd - order::SelectNew;
    const bool plainNew =
        (Little32(order + OrderHeadSize - 1) == PlainSelection::Head) & (order[FlagAt] != 0);
    return (type == order::ClearSelection) | (selects & plainNew);
}

class PlayerSelection {
public:
    // The game selects each player's command centre at the start without an order; its real
    // id shows only when he clicks it. The game's object ids start at 1.
    static constexpr uint32_t StartCommandCentre = 0;

    PlayerSelection(); // the start command centre selected

    // The selection replaced by the objects of a selecting order, or cleared (nullptr). Only
    // noted: most selections are replaced again before an order needs their objects.
    void noteNew(const OrderArguments* selecting) {
        noted_ = selecting ? *selecting : NoObjects;
        isNoted_ = true;
    }
    // A selection or group order (1001 to 1035); the others change nothing.
    void take(uint32_t type, const OrderArguments& arguments);
    // The first object selected, if any.
    std::optional<uint32_t> first();

private:
    // A group's objects as one order set them (each once, in the order's order), shared by the
    // selections it enters. Objects that leave it for another group stay in its list: nextHeld
    // skips them, but not for a selection it had entered before they left.
    struct Setting {
        explicit Setting(uint32_t given) : serial(given) {}
        uint32_t held(uint32_t position); // the first position from there whose object stayed
        void leave(uint32_t position);

        uint32_t serial;
        std::vector<uint32_t> objects;
        // For each position and one past the last: itself while its object stays, else a later
        // position.
        std::vector<uint32_t> nextHeld;
        std::vector<uint32_t> leftSince; // positions left while the selection held it whole
        uint32_t selection = 0;          // the last selection it entered whole
        std::size_t addedUpTo = 0;       // the deselections from that selection it has seen
    };
    // A run of the selection's objects, in the order they joined it: a setting's objects, or
    // a part of objects_.
    struct Run {
        std::shared_ptr<Setting> setting;
        uint32_t begin = 0;
        uint32_t end = 0;
    };
    static constexpr uint8_t NoGroup = 0xFF;
    struct ObjectState {
        uint8_t group = NoGroup;
        uint32_t setting = 0;  // the serial of the group's setting that holds it
        uint32_t position = 0; // in that setting
        // Last deselected from selection deselectedIn: the runs before deselectedBefore lost it.
        uint32_t deselectedIn = 0;
        uint32_t deselectedBefore = 0;
    };

    // A new selection, empty.
    void startSelection();
    // The noted selection's objects read into its first run.
    void readNoted();
    void append(const OrderArguments& arguments);
    void deselect(const OrderArguments& arguments);
    void setGroup(uint8_t group, const OrderArguments& arguments);
    void addGroup(uint8_t group);
    ObjectState& stateOf(uint32_t object);
    bool deselectedFrom(uint32_t object, std::size_t run) const;

    static constexpr OrderArguments NoObjects{nullptr, 0};
    OrderArguments noted_ = NoObjects;
    bool isNoted_ = false; // the selection is noted_'s objects, not the runs

    uint32_t selection_ = 1; // counts the selections begun
    std::vector<Run> runs_;
    std::vector<uint32_t> objects_;    // of the runs without a setting
    std::vector<uint32_t> deselected_; // objects deselected from this selection, in turn
    // Where the first object was found: runs before it have nothing left.
    std::size_t firstRun_ = 0;
    uint32_t firstPosition_ = 0;

    std::array<std::shared_ptr<Setting>, 10> groups_;
    uint32_t settings_ = 0; // serials given
    KeyIndex objectIndex_;  // an object's place in states_
    std::vector<ObjectState> states_;
    std::vector<std::pair<uint32_t, uint32_t>> scratch_; // positions and objects
};
