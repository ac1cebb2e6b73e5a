// A replay's whole file read for its orders: the header is found again in the bytes read, so
// that a file replaced since the listing (the game rewrites its last replay after every
// match) is never walked for another match's players.
#include <algorithm>

#include "orders/match.h"
#include "platform/platform.h"
#include "replay/header_layout.h"
#include "replay/zerohour.h"

namespace {

// The file's first bytes, up to the limit.
platform::FileBytes ReadFileStart(const Text& path, std::size_t limit) {
    try {
        platform::InputFile file(path);
        return platform::FileBytes(file, limit);
    } catch (const platform::FileError& error) {
        throw ReplayReadError(path, error.what());
    }
}

bool SamePlayers(const TZH_replay& a, const TZH_replay& b) {
    return std::equal(a.players.begin(), a.players.end(), b.players.begin(), b.players.end(),
                      [](const TZH_player& p, const TZH_player& q) {
                          return p.name == q.name && p.army == q.army && p.human == q.human &&
                                 p.slotValue1 == q.slotValue1 && p.team == q.team;
                      });
}

} // namespace

MatchOrders MatchFromBytes(std::string_view fileBytes, const TZH_replay& record,
                           std::optional<std::size_t> placementsOf) {
    const std::optional<std::size_t> offset = OrdersOffset(fileBytes);
    MatchOrders match =
        WalkOrders(offset ? fileBytes.substr(*offset) : std::string_view{}, record, placementsOf);
    match.complete = match.complete && offset.has_value();
    return match;
}

std::optional<MatchOrders> ReadMatch(const TZH_replay& record, std::size_t readLimit,
                                     std::optional<std::size_t> placementsOf) {
    if (!record.valid) return std::nullopt;
    const platform::FileBytes start = ReadFileStart(record.file.path, readLimit);
    TZH_replay now;
    now.valid = ParseHeaderFields(SplitHeaderBytes(start.view()), now);
    if (!now.valid || now.map.name != record.map.name || !SamePlayers(now, record))
        throw ReplayReadError(record.file.path,
                              "the file no longer holds the replay that was listed");
    MatchOrders match = MatchFromBytes(start.view(), record, placementsOf);
    match.complete = match.complete && !start.cut();
    return match;
}

std::optional<MatchOrders> ReadMatch(const TZH_replay& record) {
    return ReadMatch(record, MatchReadLimit);
}
