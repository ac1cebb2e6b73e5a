// The walk over the orders that follow a replay's header. Each order: frame (u32), type (u32),
// player index (i32), a count of argument groups (u8), that many (argument type, count) byte
// pairs, then the arguments group after group. Nothing in the body is trusted: every count is
// checked against the bytes left, and the first order that doesn't fit ends the walk.
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>

#include "orders/course_reader.h"
#include "orders/match.h"
#include "orders/order_arguments.h"
#include "orders/order_end.h"
#include "orders/order_types.h"
#include "orders/player_selection.h"

namespace {

constexpr int32_t FirstPlayerIndex = 2; // 0 and 1 are the map's neutral and civilian sides
// A player who surrendered stays in the game and his client goes on sending orders; one who
// quit sends nothing after leaving. Ten seconds of game time tell them apart.
constexpr uint32_t SurrenderedAfterFrames = 300;
// Commands are counted per minute over the first day of game time only: one order at a crafted
// frame near 2^32 would otherwise make millions of minutes for each human.
constexpr std::size_t CountedMinutes = 24 * 60;
constexpr uint64_t CountedFrames = uint64_t{CountedMinutes} * FramesPerMinute;

enum class OrderKind : uint8_t { Other, Bookkeeping, Selection, Command };

// An order's kind in the low bits of a byte, whether a course reads it in the next, and whether
// it places a building in the one after: one look-up for all, and one byte the walk keeps in a
// register.
constexpr uint8_t KindBits = 3;
constexpr uint8_t CourseReads = 4;
constexpr uint8_t PlacementReads = 8;

constexpr uint32_t FirstGameOrder = order::NoOrder;
constexpr uint32_t LastGameOrder = order::LastGameOrder;

// Kinds of the game's orders, 1001 to 1097 (1000 is none), looked up for every order.
constexpr std::array<uint8_t, LastGameOrder - FirstGameOrder + 1> GameOrderKinds = [] {
    std::array<uint8_t, LastGameOrder - FirstGameOrder + 1> kinds{};
    for (uint32_t type = FirstGameOrder + 1; type <= LastGameOrder; ++type) {
        OrderKind kind = OrderKind::Command;
        if (type <= order::Deselect ||
            (type >= order::FirstGroupRecall && type <= order::LastGroupAdd) ||
            type == order::OtherSelection)
            kind = OrderKind::Selection;
        if (type == order::ReplayCameraFirst || type == order::ReplayCameraSecond ||
            type == order::SelfDestruct || type == order::GameStateCheck ||
            type == order::RetaliationMode)
            kind = OrderKind::Bookkeeping;
        kinds[type - FirstGameOrder] = static_cast<uint8_t>(
            static_cast<uint8_t>(kind) | (CourseReader::Reads(type) ? CourseReads : 0) |
            (CourseReader::Places(type) ? PlacementReads : 0));
    }
    return kinds;
}();

// The end marker is bookkeeping; the orders outside 1001-1097 (a community client's own, 2000
// and up, and unknown ones) are nothing.
uint8_t KindOf(uint32_t type) {
    if (type - FirstGameOrder <= LastGameOrder - FirstGameOrder)
        return GameOrderKinds[type - FirstGameOrder];
    return static_cast<uint8_t>(type == order::EndOfRecording ? OrderKind::Bookkeeping
                                                              : OrderKind::Other);
}

// Where a player's selection was last replaced: the offset of the order, shifted left, and 1
// for a cleared selection; or never, for the selection the game starts him with.
constexpr uint32_t NeverReplaced = UINT32_MAX;
uint32_t ReplacedAt(uint32_t offset, uint32_t type) {
    return offset << 1 | static_cast<uint32_t>(type == order::ClearSelection);
}

struct Tally {
    std::array<uint32_t, 4> kinds{}; // orders of each OrderKind
    uint32_t lastFrame = 0;          // of his last order of any kind
    std::optional<PlayerLeaving> left;
    uint32_t commandsBeforeLeaving = 0;
    bool leftFlag = true;
    std::optional<CourseReader> course; // humans who play
    uint8_t courseReads = 0;            // CourseReads, or PlacementReads, when he has a course
    // His commands before each game minute from the second on, noted at the first order in or
    // after it: the minutes' counts without work for each command.
    std::vector<uint32_t> commandsBeforeMinute;
    // Where his selection was last replaced (ReplacedAt), noted in the walk; and where it was
    // when his course last noted it.
    uint32_t replacedAt = NeverReplaced;
    uint32_t courseReplacedAt = NeverReplaced;
};

// The players' commands before each minute that begins up to frame, from nextMinute on; past
// the counted minutes nextMinute is never reached again.
void NoteMinutes(std::vector<Tally>& tallies, uint64_t& nextMinute, uint32_t frame) {
    for (; nextMinute <= frame; nextMinute += FramesPerMinute) {
        if (nextMinute > CountedFrames) {
            nextMinute = UINT64_MAX;
            return;
        }
        for (Tally& tally : tallies)
            if (tally.course)
                tally.commandsBeforeMinute.push_back(
                    tally.kinds[static_cast<std::size_t>(OrderKind::Command)]);
    }
}

// Commands in each game minute begun within span, up to the counted minutes, of the counted
// ones (those before his leaving): a command at the span's very end counts in its last minute.
std::vector<uint32_t> CommandsPerMinute(const Tally& tally, uint32_t span, uint32_t counted) {
    const std::size_t minutes = span / FramesPerMinute + (span % FramesPerMinute ? 1 : 0);
    std::vector<uint32_t> perMinute(std::min(minutes, CountedMinutes));
    uint32_t before = 0;
    for (std::size_t m = 0; m < perMinute.size(); ++m) {
        // Minutes after his last order saw no command of his.
        const uint32_t after = m + 1 < minutes && m < tally.commandsBeforeMinute.size()
                                   ? std::min(tally.commandsBeforeMinute[m], counted)
                                   : counted;
        perMinute[m] = after - before;
        before = after;
    }
    return perMinute;
}

// Counts the order at offset in the bytes up to end, and notes it when it replaces his
// selection; true when his course must read it.
bool Count(Tally& tally, const unsigned char* order, uint32_t offset, const unsigned char* end) {
    const uint32_t frame = Little32(order);
    const uint32_t type = Little32(order + 4);
    tally.lastFrame = frame;
    const uint8_t kind = KindOf(type);
    ++tally.kinds[kind & KindBits];
    if (type == order::SelfDestruct && !tally.left) {
        tally.left = PlayerLeaving{frame, LeaveHow::Quit};
        tally.commandsBeforeLeaving = tally.kinds[static_cast<std::size_t>(OrderKind::Command)];
        // The game always writes the flag; an order without one is taken as a plain leave.
        tally.leftFlag = OrderArguments(order + OrderHeadSize, order[12]).boolean(0).value_or(true);
    }
    // No branch: see CourseBatch.
    const bool replaces = ReplacesSelection(order, end);
    const uint32_t mask = 0 - static_cast<uint32_t>(replaces);
    tally.replacedAt = (ReplacedAt(offset, type) & mask) | (tally.replacedAt & ~mask);
    return ((kind & tally.courseReads) != 0) & !replaces;
}

// The orders' fields once they are known to fit.
struct Order {
    explicit Order(const unsigned char* at)
        : frame(Little32(at)), type(Little32(at + 4)),
          position(Little32(at + 8) - static_cast<uint32_t>(FirstPlayerIndex)),
          arguments(at + OrderHeadSize, at[12]) {}

    uint32_t frame;
    uint32_t type;
    uint32_t position; // unsigned: indices 0 and 1 and negative ones fall outside the players
    OrderArguments arguments;
};

PlayerOrders Finish(Tally& tally, const TZH_player& player, uint32_t endFrame) {
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
    if (PlaysTheMatch(player) && span > 0)
        orders.apm = std::round(commands * double{FramesPerMinute} / span * 10.0) / 10.0;
    if (tally.course) {
        orders.course = std::move(*tally.course).finish();
        orders.course->commandsPerMinute = CommandsPerMinute(tally, span, commands);
    }
    return orders;
}

// The orders the courses read, noted by the walk without a branch: which orders those are is as
// hard to guess as the orders themselves, and a wrong guess for each costs more than the rest
// of the walk. Those that replace a selection are only noted, where they are, in the player's
// tally. The rest are read in batches while their bytes are still in the processor's cache.
struct CourseBatch {
    std::array<const unsigned char*, 256> orders;
    std::array<uint32_t, 256> replacedAt; // where the player's selection was at each
};

// Reads the batch's first count orders into the players' courses.
void ReadCourses(const CourseBatch& batch, std::size_t count, std::vector<Tally>& tallies,
                 const unsigned char* begin) {
    for (std::size_t i = 0; i < count; ++i) {
        const Order order(batch.orders[i]);
        Tally& tally = tallies[order.position];
        if (batch.replacedAt[i] != tally.courseReplacedAt) {
            tally.courseReplacedAt = batch.replacedAt[i];
            const Order selecting(begin + (batch.replacedAt[i] >> 1));
            tally.course->noteNewSelection(batch.replacedAt[i] & 1 ? nullptr
                                                                   : &selecting.arguments);
        }
        tally.course->take(order.frame, order.type, order.arguments);
    }
}

} // namespace

MatchOrders WalkOrders(std::string_view body, const TZH_replay& record,
                       std::optional<std::size_t> placementsOf) {
    std::vector<Tally> tallies(record.players.size());
    for (std::size_t i = 0; i < tallies.size(); ++i)
        if (PlaysTheMatch(record.players[i]) && placementsOf.value_or(i) == i) {
            tallies[i].course.emplace();
            tallies[i].courseReads = placementsOf ? PlacementReads : CourseReads;
        }
    // Offsets fit 31 bits: bodies are read up to MatchReadLimit.
    const bool cut = body.size() > INT32_MAX;
    body = body.substr(0, std::min<std::size_t>(body.size(), INT32_MAX));
    CourseBatch batch;
    std::size_t noted = 0;
    MatchOrders match;
    uint32_t endMarker = 0;
    bool ended = false;
    uint32_t lastFrame = 0;
    uint64_t nextMinute = FramesPerMinute;
    const auto* const begin = reinterpret_cast<const unsigned char*>(body.data());
    const unsigned char* at = begin;
    const unsigned char* const end = at + body.size();
    // Each order is checked against the bytes left before anything of it is counted.
    while (end - at >= static_cast<std::ptrdiff_t>(OrderHeadSize)) {
        const uint32_t frame = Little32(at);
        const unsigned char* const next = OrderEnd(at, end);
        if (frame < lastFrame || !next) break;
        if (frame >= nextMinute) NoteMinutes(tallies, nextMinute, frame);
        const uint32_t type = Little32(at + 4);
        lastFrame = frame;
        if (type == order::EndOfRecording) {
            endMarker = frame;
            ended = true;
        }
        // Unsigned, so that indices 0 and 1 and negative ones all fall outside the players.
        const uint32_t position = Little32(at + 8) - static_cast<uint32_t>(FirstPlayerIndex);
        if (position < tallies.size()) {
            Tally& tally = tallies[position];
            const bool read = Count(tally, at, static_cast<uint32_t>(at - begin), end);
            batch.orders[noted] = at;
            batch.replacedAt[noted] = tally.replacedAt;
            noted += static_cast<std::size_t>(read);
            if (noted == batch.orders.size()) {
                ReadCourses(batch, noted, tallies, begin);
                noted = 0;
            }
        }
        at = next;
    }
    ReadCourses(batch, noted, tallies, begin);
    match.complete = at == end && !cut;
    match.endFrame = ended ? endMarker : lastFrame;
    match.players.reserve(tallies.size());
    for (std::size_t i = 0; i < tallies.size(); ++i)
        match.players.push_back(Finish(tallies[i], record.players[i], match.endFrame));
    return match;
}

bool PlaysTheMatch(const TZH_player& player) {
    return player.human && player.army != ObserverArmy;
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
