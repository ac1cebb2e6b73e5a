// A replay's whole file read for its orders: the header is found again in the bytes read, so
// that a file replaced since the listing (the game rewrites its last replay after every
// match) is never walked for another match's players.
#include <algorithm>

#include "header_layout.h"
#include "match.h"
#include "platform/platform.h"
#include "zerohour.h"

namespace {

constexpr std::size_t ReadChunkSize = 1024 * 1024;

struct FileStart {
    Text bytes;
    bool cut = false; // the file goes on past the limit
};

FileStart ReadFileStart(const Text& path, std::size_t limit) {
    try {
        platform::InputFile file(path);
        FileStart start;
        // The size is a hint only: the file may shrink or grow while it is read.
        start.bytes.reserve(static_cast<std::size_t>(std::min<uint64_t>(file.size(), limit)));
        std::size_t have = 0;
        while (have < limit) {
            const std::size_t wanted = std::min(ReadChunkSize, limit - have);
            start.bytes.resize(have + wanted);
            const std::size_t got = file.read(start.bytes.data() + have, wanted);
            have += got;
            if (got == 0) break;
        }
        start.bytes.resize(have);
        char extra = 0;
        start.cut = have == limit && file.read(&extra, 1) > 0;
        return start;
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

MatchOrders MatchFromBytes(std::string_view fileBytes, const TZH_replay& record) {
    const std::optional<std::size_t> offset = OrdersOffset(fileBytes);
    MatchOrders match = WalkOrders(offset ? fileBytes.substr(*offset) : std::string_view{}, record);
    match.complete = match.complete && offset.has_value();
    return match;
}

std::optional<MatchOrders> ReadMatch(const TZH_replay& record, std::size_t readLimit) {
    if (!record.valid) return std::nullopt;
    const FileStart start = ReadFileStart(record.file.path, readLimit);
    TZH_replay now;
    now.valid = ParseHeaderFields(SplitHeaderBytes(start.bytes), now);
    if (!now.valid || now.map.name != record.map.name || !SamePlayers(now, record))
        throw ReplayReadError(record.file.path, "the file no longer holds the replay that was listed");
    MatchOrders match = MatchFromBytes(start.bytes, record);
    match.complete = match.complete && !start.cut;
    return match;
}

std::optional<MatchOrders> ReadMatch(const TZH_replay& record) { return ReadMatch(record, MatchReadLimit); }
