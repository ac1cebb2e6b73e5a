#include "replay/header_layout.h"

#include <algorithm>
#include <cstdint>

#include "replay/match_date.h"
#include "replay/zerohour.h"

namespace {

constexpr std::size_t ReplayNameOffset = 28;
constexpr std::size_t DateSize = 16;
constexpr std::size_t VersionNumbersSize = 12; // version number, exe CRC, ini CRC
constexpr std::size_t AfterSlotSize = 16;      // four 32-bit numbers
// The recording slot is written as a small decimal number.
constexpr std::size_t MaxSlotTextSize = 11;

// Walks the header's parts, never beyond its end or HeaderReadLimit.
class LayoutCursor {
public:
    explicit LayoutCursor(std::string_view bytes)
        : bytes_(bytes.substr(0, std::min(bytes.size(), HeaderReadLimit))) {}

    bool skip(std::size_t count) {
        if (count > bytes_.size() - at_) return false;
        at_ += count;
        return true;
    }
    // Past a 16-bit text and its NUL character.
    bool skipWideText() {
        for (; at_ + 1 < bytes_.size(); at_ += 2)
            if (bytes_[at_] == 0 && bytes_[at_ + 1] == 0) return skip(2);
        return false;
    }
    // An 8-bit text up to its NUL (moving past the NUL); nullopt when it never ends.
    std::optional<std::string_view> text() {
        const auto nul = bytes_.find('\0', at_);
        if (nul == std::string_view::npos) return std::nullopt;
        const std::string_view result = bytes_.substr(at_, nul - at_);
        at_ = nul + 1;
        return result;
    }
    std::size_t at() const { return at_; }
    std::string_view bytes() const { return bytes_; }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

uint16_t Word(std::string_view bytes, std::size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 static_cast<unsigned char>(bytes[at + 1]) << 8);
}

uint32_t DoubleWord(std::string_view bytes, std::size_t at) {
    return uint32_t{Word(bytes, at)} | uint32_t{Word(bytes, at + 2)} << 16;
}

bool IsSlotText(std::string_view text) {
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    return !text.empty() && text.size() < MaxSlotTextSize &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::optional<TZH_date> MatchDate(std::string_view fileBytes) {
    LayoutCursor cursor(fileBytes);
    if (!cursor.skip(ReplayNameOffset) || !cursor.skipWideText()) return std::nullopt;
    const std::size_t at = cursor.at();
    if (!cursor.skip(DateSize)) return std::nullopt;
    const std::string_view b = cursor.bytes();
    const TZH_date date{Word(b, at),     Word(b, at + 2),  Word(b, at + 4),  Word(b, at + 6),
                        Word(b, at + 8), Word(b, at + 10), Word(b, at + 12), Word(b, at + 14)};
    if (!IsRealDate(date)) return std::nullopt;
    return date;
}

std::optional<HeaderChecksums> ReadChecksums(std::string_view fileBytes) {
    LayoutCursor cursor(fileBytes);
    if (!cursor.skip(ReplayNameOffset) || !cursor.skipWideText() || !cursor.skip(DateSize) ||
        !cursor.skipWideText() || !cursor.skipWideText())
        return std::nullopt;
    const std::size_t at = cursor.at(); // the version number, then the two checksums
    if (!cursor.skip(VersionNumbersSize)) return std::nullopt;
    return HeaderChecksums{DoubleWord(cursor.bytes(), at + 4), DoubleWord(cursor.bytes(), at + 8)};
}

std::optional<std::size_t> OrdersOffset(std::string_view fileBytes) {
    LayoutCursor cursor(fileBytes);
    if (!cursor.skip(ReplayNameOffset) || !cursor.skipWideText() || !cursor.skip(DateSize) ||
        !cursor.skipWideText() || !cursor.skipWideText() || !cursor.skip(VersionNumbersSize) ||
        !cursor.text())
        return std::nullopt;
    const auto slot = cursor.text();
    if (!slot || !IsSlotText(*slot) || !cursor.skip(AfterSlotSize)) return std::nullopt;
    return cursor.at();
}
