// The walk over the orders that follow a replay's header. Each order: frame (u32), type (u32),
// player index (i32), a count of argument groups (u8), that many (argument type, count) byte
// pairs, then the arguments group after group. Nothing in the body is trusted: every count is
// checked against the bytes left, and the first order that doesn't fit ends the walk.
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>

#include "replay/course_reader.h"
#include "replay/match.h"
#include "replay/order_arguments.h"

namespace {

constexpr uint32_t EndOfRecording = 27;
constexpr uint32_t SelfDestruct = 1093;
constexpr int32_t FirstPlayerIndex = 2; // 0 and 1 are the map's neutral and civilian sides
// A player who surrendered stays in the game and his client goes on sending orders; one who
// quit sends nothing after leaving. Ten seconds of game time tell them apart.
constexpr uint32_t SurrenderedAfterFrames = 300;
// Commands are counted per minute over the first day of game time only: one order at a crafted
// frame near 2^32 would otherwise make millions of minutes for each human.
constexpr std::size_t CountedMinutes = 24 * 60;
constexpr uint64_t CountedFrames = uint64_t{CountedMinutes} * FramesPerMinute;

enum class OrderKind : uint8_t { Other, Bookkeeping, Selection, Command };

// An order's kind in the low bits of a byte, and whether a course reads it in the next: one
// look-up for both, and one byte the walk keeps in a register.
constexpr uint8_t KindBits = 3;
constexpr uint8_t CourseReads = 4;

constexpr uint32_t FirstGameOrder = 1000;
constexpr uint32_t LastGameOrder = 1097;

// Kinds of the game's orders, 1001 to 1097 (1000 is none), looked up for every order.
constexpr std::array<uint8_t, LastGameOrder - FirstGameOrder + 1> GameOrderKinds = [] {
    std::array<uint8_t, LastGameOrder - FirstGameOrder + 1> kinds{};
    for (uint32_t type = 1001; type <= LastGameOrder; ++type) {
        OrderKind kind = OrderKind::Command;
        if ((type <= 1004) || (type >= 1016 && type <= 1035) || type == 1058)
            kind = OrderKind::Selection;
        // replay camera (1088, 1092), leaving, the periodic game-state check, retaliation mode
        // (set by the client itself)
        if (type == 1088 || type == 1092 || type == SelfDestruct || type == 1095 || type == 1097)
            kind = OrderKind::Bookkeeping;
        kinds[type - FirstGameOrder] = static_cast<uint8_t>(
            static_cast<uint8_t>(kind) | (CourseReader::Reads(type) ? CourseReads : 0));
    }
    return kinds;
}();

// The end marker is bookkeeping; the orders outside 1001-1097 (a community client's own, 2000
// and up, and unknown ones) are nothing.
uint8_t KindOf(uint32_t type) {
    if (type - FirstGameOrder <= LastGameOrder - FirstGameOrder)
        return GameOrderKinds[type - FirstGameOrder];
    return static_cast<uint8_t>(type == EndOfRecording ? OrderKind::Bookkeeping : OrderKind::Other);
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

// Where a player's selection was last replaced: the offset of the order, shifted left, and 1
// for a cleared selection; or the selection the game starts him with.
constexpr uint32_t StartSelection = UINT32_MAX;
uint32_t SelectionMark(uint32_t offset, uint32_t type) {
    return offset << 1 | static_cast<uint32_t>(type == 1003);
}

struct Tally {
    std::array<uint32_t, 4> kinds{}; // orders of each OrderKind
    uint32_t lastFrame = 0;          // of his last order of any kind
    std::optional<PlayerLeaving> left;
    uint32_t commandsBeforeLeaving = 0;
    bool leftFlag = true;
    std::optional<CourseReader> course; // humans who play
    // His commands before each game minute from the second on, noted at the first order in or
    // after it: the minutes' counts without work for each command.
    std::vector<uint32_t> commandsBeforeMinute;
    // The last order that replaced his selection, as a SelectionMark, noted in the walk; and
    // the one his course was last given.
    uint32_t selection = StartSelection;
    uint32_t courseSelection = StartSelection;
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

// Counts the order; true when a course reads it, if the player has one.
bool Count(Tally& tally, uint32_t frame, uint32_t type, const OrderArguments& arguments) {
    tally.lastFrame = frame;
    const uint8_t kind = KindOf(type);
    ++tally.kinds[kind & KindBits];
    if (type == SelfDestruct && !tally.left) {
        tally.left = PlayerLeaving{frame, LeaveHow::Quit};
        tally.commandsBeforeLeaving = tally.kinds[static_cast<std::size_t>(OrderKind::Command)];
        // The game always writes the flag; an order without one is taken as a plain leave.
        tally.leftFlag = arguments.boolean(0).value_or(true);
    }
    return (kind & CourseReads) != 0; // no branch: see CourseBatch
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
// of the walk. They are read in batches while their bytes are still in the processor's cache.
// The walk keeps only where the next one goes in a register.
struct CourseBatch {
    std::array<const unsigned char*, 256> orders;
    std::array<uint32_t, 256> selections; // SelectionMark of the player before each
};

// Reads the batch's first count orders into the players' courses.
void ReadCourses(CourseBatch& batch, std::size_t count, std::vector<Tally>& tallies,
                 const unsigned char* begin, const unsigned char* end) {
    // Two thirds of those replace the selection whatever it held: they are only noted, again
    // without a branch, with the orders that follow them. The walk notes the orders of players
    // without a course too (observers): they are left out here.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char* noted = batch.orders[i];
        const uint32_t type = Little32(noted + 4);
        Tally& tally = tallies[Little32(noted + 8) - static_cast<uint32_t>(FirstPlayerIndex)];
        const bool replaces = CourseReader::ReplacesSelection(noted, end);
        const uint32_t mask = 0 - static_cast<uint32_t>(replaces); // a branch otherwise
        const auto offset = static_cast<uint32_t>(noted - begin);
        tally.selection = (SelectionMark(offset, type) & mask) | (tally.selection & ~mask);
        batch.orders[kept] = noted;
        batch.selections[kept] = tally.selection;
        kept += static_cast<std::size_t>(!replaces) & // no branch either
                static_cast<std::size_t>(tally.course.has_value());
    }
    for (std::size_t i = 0; i < kept; ++i) {
        const Order order(batch.orders[i]);
        Tally& tally = tallies[order.position];
        if (batch.selections[i] != tally.courseSelection) {
            tally.courseSelection = batch.selections[i];
            const Order selecting(begin + (batch.selections[i] >> 1));
            tally.course->replaceSelection(batch.selections[i] & 1 ? nullptr
                                                                   : &selecting.arguments);
        }
        tally.course->take(order.frame, order.type, order.arguments);
    }
}

} // namespace

MatchOrders WalkOrders(std::string_view body, const TZH_replay& record) {
    std::vector<Tally> tallies(record.players.size());
    for (std::size_t i = 0; i < tallies.size(); ++i)
        if (PlaysTheMatch(record.players[i])) tallies[i].course.emplace();
    // Offsets fit 31 bits: bodies are read up to MatchReadLimit.
    const bool cut = body.size() > INT32_MAX;
    body = body.substr(0, std::min<std::size_t>(body.size(), INT32_MAX));
    CourseBatch batch;
    auto noted = batch.orders.begin();
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
        const std::size_t groupCount = at[12];
        const unsigned char* groups = at + OrderHeadSize;
        const auto available = static_cast<std::size_t>(end - groups);
        if (frame < lastFrame || available < 2 * groupCount) break;
        const std::optional<std::size_t> argumentBytes =
            ArgumentBytes(groups, groupCount, available);
        if (!argumentBytes || available - 2 * groupCount < *argumentBytes) break;
        const uint32_t type = Little32(at + 4);
        lastFrame = frame;
        if (frame >= nextMinute) NoteMinutes(tallies, nextMinute, frame);
        if (type == EndOfRecording) {
            endMarker = frame;
            ended = true;
        }
        // Unsigned, so that indices 0 and 1 and negative ones all fall outside the players.
        const uint32_t position = Little32(at + 8) - static_cast<uint32_t>(FirstPlayerIndex);
        if (position < tallies.size()) {
            *noted = at;
            noted += Count(tallies[position], frame, type, OrderArguments(groups, groupCount));
            if (noted == batch.orders.end()) {
                ReadCourses(batch, batch.orders.size(), tallies, begin, end);
                noted = batch.orders.begin();
            }
        }
        at = groups + 2 * groupCount + *argumentBytes;
    }
    ReadCourses(batch, static_cast<std::size_t>(noted - batch.orders.begin()), tallies, begin, end);
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
