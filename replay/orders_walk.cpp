// The walk over the orders that follow a replay's header. Each order: frame (u32), type (u32),
// player index (i32), a count of argument groups (u8), that many (argument type, count) byte
// pairs, then the arguments group after group. Nothing in the body is trusted: every count is
// checked against the bytes left, and the first order that doesn't fit ends the walk.
#include <array>
#include <cmath>
#include <cstring>

#include "match.h"

namespace {

constexpr uint32_t EndOfRecording = 27;
constexpr uint32_t SelfDestruct = 1093;
constexpr int32_t FirstPlayerIndex = 2; // 0 and 1 are the map's neutral and civilian sides
constexpr std::size_t OrderHeadSize = 13;
constexpr std::size_t BooleanArgument = 2;
// Bytes of one argument of each type: integer, real, boolean, object id, drawable id, team id,
// location, pixel, pixel region, timestamp, wide character.
constexpr std::array<uint8_t, 11> ArgumentSizes = {4, 4, 1, 4, 4, 4, 12, 8, 16, 4, 2};
// A player who surrendered stays in the game and his client goes on sending orders; one who
// quit sends nothing after leaving. Ten seconds of game time tell them apart.
constexpr uint32_t SurrenderedAfterFrames = 300;
constexpr double FramesPerMinute = 30.0 * 60.0;
constexpr int8_t ObserverArmy = -2;

enum class OrderKind { Bookkeeping, Selection, Command, Other };

OrderKind KindOf(uint32_t type) {
    switch (type) {
    case EndOfRecording:
    case 1088:
    case 1092: // replay camera
    case SelfDestruct:
    case 1095: // the periodic game-state check
    case 1097: // retaliation mode, set by the client itself
        return OrderKind::Bookkeeping;
    case 1058:
        return OrderKind::Selection;
    default:
        break;
    }
    if ((type >= 1001 && type <= 1004) || (type >= 1016 && type <= 1035)) return OrderKind::Selection;
    if (type >= 1001 && type <= 1097) return OrderKind::Command;
    return OrderKind::Other; // a community client's own orders (2000 and up), and unknown ones
}

uint32_t Little32(const char* at) {
    unsigned char b[4];
    std::memcpy(b, at, sizeof b);
    return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
}

struct Order {
    uint32_t frame = 0;
    uint32_t type = 0;
    int32_t player = 0;
    std::optional<bool> firstBoolean; // the first boolean argument, if any
    std::size_t size = 0;             // bytes of the whole order
};

// The order at the start of bytes; nullopt when it is cut or names an unknown argument type.
std::optional<Order> ReadOrder(std::string_view bytes) {
    if (bytes.size() < OrderHeadSize) return std::nullopt;
    Order order;
    order.frame = Little32(bytes.data());
    order.type = Little32(bytes.data() + 4);
    order.player = static_cast<int32_t>(Little32(bytes.data() + 8));
    const std::size_t groups = static_cast<unsigned char>(bytes[12]);
    const std::size_t groupsEnd = OrderHeadSize + 2 * groups;
    if (bytes.size() < groupsEnd) return std::nullopt;
    std::size_t end = groupsEnd; // at most 13 + 510 + 255 * 255 * 16 bytes: no overflow
    for (std::size_t g = OrderHeadSize; g < groupsEnd; g += 2) {
        const std::size_t type = static_cast<unsigned char>(bytes[g]);
        const std::size_t count = static_cast<unsigned char>(bytes[g + 1]);
        if (type >= ArgumentSizes.size()) return std::nullopt;
        if (type == BooleanArgument && count > 0 && !order.firstBoolean && end < bytes.size())
            order.firstBoolean = bytes[end] != 0;
        end += count * ArgumentSizes[type];
    }
    if (end > bytes.size()) return std::nullopt;
    order.size = end;
    return order;
}

struct Tally {
    PlayerOrders orders;
    uint32_t commandsInSpan = 0; // commands up to his leaving frame
    uint32_t lastFrame = 0;      // of his last order of any kind
    bool leftFlag = true;
};

void Count(Tally& tally, const Order& order) {
    tally.lastFrame = order.frame;
    const OrderKind kind = KindOf(order.type);
    if (kind == OrderKind::Selection) ++tally.orders.selections;
    if (kind == OrderKind::Command) {
        ++tally.orders.commands;
        if (!tally.orders.left || order.frame <= tally.orders.left->frame) ++tally.commandsInSpan;
    }
    if (order.type == SelfDestruct && !tally.orders.left) {
        tally.orders.left = PlayerLeaving{order.frame, LeaveHow::Quit};
        // The game always writes the flag; an order without one is taken as a plain leave.
        tally.leftFlag = order.firstBoolean.value_or(true);
    }
}

PlayerOrders Finish(Tally tally, const TZH_player& player, uint32_t endFrame) {
    PlayerOrders& orders = tally.orders;
    if (orders.left) {
        if (!tally.leftFlag)
            orders.left->how = LeaveHow::Dropped;
        else if (tally.lastFrame - orders.left->frame > SurrenderedAfterFrames)
            orders.left->how = LeaveHow::Surrendered;
    }
    const uint32_t span = orders.left ? orders.left->frame : endFrame;
    if (player.human && player.army != ObserverArmy && span > 0)
        orders.apm = std::round(tally.commandsInSpan * FramesPerMinute / span * 10.0) / 10.0;
    return orders;
}

} // namespace

MatchOrders WalkOrders(std::string_view body, const TZH_replay& record) {
    std::vector<Tally> tallies(record.players.size());
    MatchOrders match;
    std::optional<uint32_t> endMarker;
    uint32_t lastFrame = 0;
    std::size_t at = 0;
    while (at < body.size()) {
        const std::optional<Order> order = ReadOrder(body.substr(at));
        if (!order || order->frame < lastFrame) break;
        lastFrame = order->frame;
        if (order->type == EndOfRecording) endMarker = order->frame;
        const int64_t position = int64_t{order->player} - FirstPlayerIndex;
        if (position >= 0 && position < static_cast<int64_t>(tallies.size()))
            Count(tallies[static_cast<std::size_t>(position)], *order);
        at += order->size;
    }
    match.complete = at == body.size();
    match.endFrame = endMarker.value_or(lastFrame);
    match.players.reserve(tallies.size());
    for (std::size_t i = 0; i < tallies.size(); ++i)
        match.players.push_back(Finish(tallies[i], record.players[i], match.endFrame));
    return match;
}

std::string_view LeaveHowName(LeaveHow how) {
    switch (how) {
    case LeaveHow::Dropped: return "dropped";
    case LeaveHow::Surrendered: return "surrendered";
    case LeaveHow::Quit: return "quit";
    }
    return "quit";
}
