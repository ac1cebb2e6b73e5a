// Fuzz target over the orders' walk and the players' courses: any bytes in, taken both as a whole
// replay file and as a bare body, and what comes out must make sense. Built as a libFuzzer program
// (TARVEX_FUZZ) and as a plain corpus player for ctest.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string_view>
#include <vector>

#include "orders/match.h"
#include "replay/zerohour.h"

namespace {

void Require(bool condition, const char* rule) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_match: broken rule: %s\n", rule);
    std::abort();
}

constexpr std::size_t SmallestOrder = 13;

// Every kind of player: humans with armies, random and observing, and computers.
TZH_replay EightPlayers() {
    TZH_replay record;
    record.valid = true;
    const int8_t armies[] = {2, -1, -2, 13, 3, -1, 7, 4};
    for (std::size_t i = 0; i < 8; ++i) {
        TZH_player& p = record.players.emplace_back();
        p.human = i < 5;
        p.army = armies[i];
    }
    return record;
}

uint64_t Counted(const MatchOrders& match) {
    uint64_t total = 0;
    for (const PlayerOrders& p : match.players)
        total += uint64_t{p.commands} + p.selections;
    return total;
}

// A course holds what its player's commands asked for, in time order, within the match.
void CheckCourse(const PlayerOrders& p) {
    const PlayerCourse& c = *p.course;
    Require(std::is_sorted(c.sales.begin(), c.sales.end()), "a course is in time order");
    const std::size_t entries = c.placed.size() + c.queued.size() + c.constructionCancels.size() +
                                c.sales.size() + c.resumed.size() + c.powers.size() +
                                c.sciences.size() + c.upgrades.size();
    Require(entries <= p.commands, "each entry of a course is one of his commands");
    for (const QueuedUnit& q : c.queued)
        Require(!q.cancelled || *q.cancelled >= q.frame, "a cancel comes after its entry");
    Require(std::accumulate(c.commandsPerMinute.begin(), c.commandsPerMinute.end(), 0ull) <=
                p.commands,
            "the minutes hold no more than his commands");
}

void Check(const MatchOrders& match, const TZH_replay& record, std::size_t bodySize) {
    Require(match.players.size() == record.players.size(), "one entry per player of the record");
    for (std::size_t i = 0; i < match.players.size(); ++i) {
        const TZH_player& who = record.players[i];
        Require(match.players[i].course.has_value() == (who.human && who.army != ObserverArmy),
                "a course for each human who plays, none for the others");
        if (match.players[i].course) CheckCourse(match.players[i]);
    }
    Require(Counted(match) <= bodySize / SmallestOrder,
            "no more orders counted than fit in the bytes");
    for (std::size_t i = 0; i < match.players.size(); ++i) {
        const PlayerOrders& p = match.players[i];
        const TZH_player& who = record.players[i];
        if (!p.apm) continue;
        Require(who.human && who.army != -2, "only humans who play have a rate");
        Require(std::isfinite(*p.apm) && *p.apm >= 0, "a rate is a number of zero or more");
        const double tenths = *p.apm * 10;
        Require(std::fabs(tenths - std::round(tenths)) < 1e-6, "a rate has one decimal");
        Require(!p.left || p.left->frame > 0, "a rate needs a span");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static const TZH_replay eight = EightPlayers();

    // As a bare body; its first half never counts more than the whole.
    const MatchOrders whole = WalkOrders(bytes, eight);
    Check(whole, eight, bytes.size());
    const MatchOrders half = WalkOrders(bytes.substr(0, size / 2), eight);
    Check(half, eight, size / 2);
    for (std::size_t i = 0; i < eight.players.size(); ++i) {
        Require(half.players[i].commands <= whole.players[i].commands,
                "a prefix counts no more commands");
        Require(half.players[i].selections <= whole.players[i].selections,
                "a prefix counts no more selections");
        Require(!whole.players[i].left || !half.players[i].left ||
                    half.players[i].left->frame == whole.players[i].left->frame,
                "the first leaving is the same in a prefix");
    }
    Require(!whole.complete || size == 0 ||
                !WalkOrders(std::string(bytes) + '\x01', eight).complete,
            "a stray byte after the last order is never complete");

    // As a whole file, with the players its header names.
    TZH_replay record;
    record.valid = ParseHeaderFields(SplitHeaderBytes(bytes), record);
    const MatchOrders match = MatchFromBytes(bytes, record);
    Check(match, record, size);
    return 0;
}
