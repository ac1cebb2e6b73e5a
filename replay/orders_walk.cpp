// The walk over the orders that follow a replay's header. Each order: frame (u32), type (u32),
// player index (i32), a count of argument groups (u8), that many (argument type, count) byte
// pairs, then the arguments group after group. Nothing in the body is trusted: every count is
// checked against the bytes left, and the first order that doesn't fit ends the walk.
#include <array>
#include <cmath>

#include "replay/match.h"

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
constexpr double FramesPerMinute = FramesPerSecond * 60.0;

enum class OrderKind : uint8_t { Other, Bookkeeping, Selection, Command };

constexpr uint32_t FirstGameOrder = 1000;
constexpr uint32_t LastGameOrder = 1097;

// Kinds of the game's orders, 1001 to 1097 (1000 is none), looked up for every order.
constexpr std::array<OrderKind, LastGameOrder - FirstGameOrder + 1> GameOrderKinds = [] {
    std::array<OrderKind, LastGameOrder - FirstGameOrder + 1> kinds{};
    for (uint32_t type = 1001; type <= LastGameOrder; ++type) {
        OrderKind kind = OrderKind::Command;
        if ((type <= 1004) || (type >= 1016 && type <= 1035) || type == 1058)
            kind = OrderKind::Selection;
        // replay camera (1088, 1092), leaving, the periodic game-state check, retaliation mode
        // (set by the client itself)
        if (type == 1088 || type == 1092 || type == SelfDestruct || type == 1095 || type == 1097)
            kind = OrderKind::Bookkeeping;
        kinds[type - FirstGameOrder] = kind;
    }
    return kinds;
}();

// The end marker is bookkeeping; the orders outside 1001-1097 (a community client's own, 2000
// and up, and unknown ones) are nothing.
OrderKind KindOf(uint32_t type) {
    if (type - FirstGameOrder <= LastGameOrder - FirstGameOrder)
        return GameOrderKinds[type - FirstGameOrder];
    return type == EndOfRecording ? OrderKind::Bookkeeping : OrderKind::Other;
}

// Bytes of one argument by type, for every byte value: 0 for a type that doesn't exist.
constexpr std::array<uint8_t, 256> ArgumentSizeOf = [] {
    std::array<uint8_t, 256> sizes{};
    for (std::size_t type = 0; type < ArgumentSizes.size(); ++type)
        sizes[type] = ArgumentSizes[type];
    return sizes;
}();

uint32_t Little32(const unsigned char* at) {
    return uint32_t{at[0]} | uint32_t{at[1]} << 8 | uint32_t{at[2]} << 16 | uint32_t{at[3]} << 24;
}

// The first boolean argument of an order whose groups are already known to fit.
std::optional<bool> FirstBoolean(const unsigned char* groups, std::size_t count) {
    const unsigned char* argument = groups + 2 * count;
    for (std::size_t g = 0; g < count; ++g) {
        const std::size_t type = groups[2 * g], n = groups[2 * g + 1];
        if (type == BooleanArgument && n > 0) return *argument != 0;
        argument += n * ArgumentSizeOf[type];
    }
    return std::nullopt;
}

// The bytes of an order's arguments, or nullopt when a group names an unknown type. Most
// orders have one to four groups, and how many varies from order to order: those are added up
// without a loop whose end the processor would have to guess.
std::optional<std::size_t> ArgumentBytes(const unsigned char* groups, std::size_t count,
                                         std::size_t available) {
    constexpr std::size_t Unrolled = 4;
    std::size_t bytes = 0; // at most 255 * 255 * 16: no overflow
    bool unknown = false;
    if (count <= Unrolled && available >= 2 * Unrolled) {
        for (std::size_t g = 0; g < Unrolled; ++g) {
            const std::size_t inUse = g < count ? 1 : 0;
            const std::size_t size = ArgumentSizeOf[groups[2 * g]];
            bytes += inUse * size * groups[2 * g + 1];
            unknown |= inUse && size == 0;
        }
    } else {
        for (std::size_t g = 0; g < count; ++g) {
            const std::size_t size = ArgumentSizeOf[groups[2 * g]];
            bytes += size * groups[2 * g + 1];
            unknown |= size == 0;
        }
    }
    if (unknown) return std::nullopt;
    return bytes;
}

struct Tally {
    std::array<uint32_t, 4> kinds{}; // orders of each OrderKind
    uint32_t lastFrame = 0;          // of his last order of any kind
    std::optional<PlayerLeaving> left;
    uint32_t commandsBeforeLeaving = 0;
    bool leftFlag = true;
};

void Count(Tally& tally, uint32_t frame, uint32_t type, const unsigned char* groups,
           std::size_t groupCount) {
    tally.lastFrame = frame;
    ++tally.kinds[static_cast<std::size_t>(KindOf(type))];
    if (type == SelfDestruct && !tally.left) {
        tally.left = PlayerLeaving{frame, LeaveHow::Quit};
        tally.commandsBeforeLeaving = tally.kinds[static_cast<std::size_t>(OrderKind::Command)];
        // The game always writes the flag; an order without one is taken as a plain leave.
        tally.leftFlag = FirstBoolean(groups, groupCount).value_or(true);
    }
}

PlayerOrders Finish(const Tally& tally, const TZH_player& player, uint32_t endFrame) {
    PlayerOrders orders;
    orders.commands = tally.kinds[static_cast<std::size_t>(OrderKind::Command)];
    orders.selections = tally.kinds[static_cast<std::size_t>(OrderKind::Selection)];
    orders.left = tally.left;
    if (orders.left) {
        if (!tally.leftFlag)
            orders.left->how = LeaveHow::Dropped;
        else if (tally.lastFrame - orders.left->frame > SurrenderedAfterFrames)
            orders.left->how = LeaveHow::Surrendered;
    }
    // Commands up to his leaving, over the game time up to it; or all of them up to the end.
    const uint32_t span = orders.left ? orders.left->frame : endFrame;
    const uint32_t commands = orders.left ? tally.commandsBeforeLeaving : orders.commands;
    if (player.human && player.army != ObserverArmy && span > 0)
        orders.apm = std::round(commands * FramesPerMinute / span * 10.0) / 10.0;
    return orders;
}

} // namespace

MatchOrders WalkOrders(std::string_view body, const TZH_replay& record) {
    std::vector<Tally> tallies(record.players.size());
    MatchOrders match;
    uint32_t endMarker = 0;
    bool ended = false;
    uint32_t lastFrame = 0;
    const auto* at = reinterpret_cast<const unsigned char*>(body.data());
    const unsigned char* const end = at + body.size();
    // Each order is checked against the bytes left before anything of it is counted.
    while (end - at >= static_cast<std::ptrdiff_t>(OrderHeadSize)) {
        const uint32_t frame = Little32(at);
        const std::size_t groupCount = at[12];
        const unsigned char* groups = at + OrderHeadSize;
        const auto available = static_cast<std::size_t>(end - groups);
        if (frame < lastFrame || available < 2 * groupCount) break;
        const std::optional<std::size_t> argumentBytes =
            ArgumentBytes(groups, groupCount, available);
        if (!argumentBytes || available - 2 * groupCount < *argumentBytes) break;
        const uint32_t type = Little32(at + 4);
        lastFrame = frame;
        if (type == EndOfRecording) {
            endMarker = frame;
            ended = true;
        }
        // Unsigned, so that indices 0 and 1 and negative ones all fall outside the players.
        const uint32_t position = Little32(at + 8) - static_cast<uint32_t>(FirstPlayerIndex);
        if (position < tallies.size()) Count(tallies[position], frame, type, groups, groupCount);
        at = groups + 2 * groupCount + *argumentBytes;
    }
    match.complete = at == end;
    match.endFrame = ended ? endMarker : lastFrame;
    match.players.reserve(tallies.size());
    for (std::size_t i = 0; i < tallies.size(); ++i)
        match.players.push_back(Finish(tallies[i], record.players[i], match.endFrame));
    return match;
}

std::string_view LeaveHowName(LeaveHow how) {
    switch (how) {
    case LeaveHow::Dropped:
        return "dropped";
    case LeaveHow::Surrendered:
        return "surrendered";
    case LeaveHow::Quit:
        return "quit";
    }
    return "quit";
}
