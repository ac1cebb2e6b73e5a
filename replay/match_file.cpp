// A replay's whole file read for its orders: the header is found again in the bytes read, so
// that a file replaced since the listing (the game rewrites its last replay after every
// match) is never walked for another match's players.
#include <algorithm>
#include <memory>

#include "platform/platform.h"
#include "replay/header_layout.h"
#include "replay/match.h"
#include "replay/zerohour.h"

namespace {

// The file's first bytes, up to the limit, in one buffer that is never filled twice: a whole
// replay is read for its orders, so the copies are what reading it costs.
class FileStart {
public:
    FileStart(const Text& path, std::size_t limit) {
        try {
            platform::InputFile file(path);
            // The size is a hint only: the file may shrink or grow while it is read. One byte
            // more than it says shows growth at once.
            std::size_t capacity =
                static_cast<std::size_t>(std::min<uint64_t>(file.size(), limit - 1)) + 1;
            for (;;) {
                grow(capacity);
                const std::size_t got = file.read(data_.get() + size_, capacity - size_);
                if (got == 0) break;
                size_ += got;
                if (size_ == limit) break;
                if (size_ == capacity) capacity = std::min(limit, capacity * 2);
            }
            char extra = 0;
            cut_ = size_ == limit && file.read(&extra, 1) > 0;
        } catch (const platform::FileError& error) {
            throw ReplayReadError(path, error.what());
        }
    }

    std::string_view bytes() const { return {data_.get(), size_}; }
    bool cut() const { return cut_; } // the file goes on past the limit

private:
    void grow(std::size_t capacity) {
        if (capacity <= capacity_) return;
        std::unique_ptr<char[]> larger(new char[capacity]); // left unfilled: read() fills it
        std::copy(data_.get(), data_.get() + size_, larger.get());
        data_ = std::move(larger);
        capacity_ = capacity;
    }

    std::unique_ptr<char[]> data_;
    std::size_t capacity_ = 0;
    std::size_t size_ = 0;
    bool cut_ = false;
};

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
    const FileStart start(record.file.path, std::max<std::size_t>(readLimit, 1));
    TZH_replay now;
    now.valid = ParseHeaderFields(SplitHeaderBytes(start.bytes()), now);
    if (!now.valid || now.map.name != record.map.name || !SamePlayers(now, record))
        throw ReplayReadError(record.file.path,
                              "the file no longer holds the replay that was listed");
    MatchOrders match = MatchFromBytes(start.bytes(), record);
    match.complete = match.complete && !start.cut();
    return match;
}

std::optional<MatchOrders> ReadMatch(const TZH_replay& record) {
    return ReadMatch(record, MatchReadLimit);
}
