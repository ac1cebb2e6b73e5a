#include "replay/header_split.h"

#include <algorithm>

namespace {

// A ";" before this offset belongs to the binary part of the first field.
constexpr std::size_t FirstFieldMinimumEnd = 139;
constexpr std::size_t TypicalHeaderSize = 2048;

} // namespace

HeaderSplit::HeaderSplit(FirstFieldCheck rulesOut) : rulesOut_(rulesOut) {
    bytes_.reserve(TypicalHeaderSize);
}

char* HeaderSplit::room(std::size_t count) {
    bytes_.resize(taken_ + count);
    return bytes_.data() + taken_;
}

void HeaderSplit::feed(std::string_view bytes) {
    std::copy(bytes.begin(), bytes.end(), room(bytes.size()));
    commit(bytes.size());
}

void HeaderSplit::commit(std::size_t got) {
    taken_ += got;
    while (scanned_ < taken_ && !done()) {
        if (complete_ == 0 && scanned_ < FirstFieldMinimumEnd) {
            // No ";" ends field 1 this early; the magic is whole at the sixth byte.
            scanned_ = std::min(taken_, scanned_ < ReplayMagic.size() ? ReplayMagic.size()
                                                                      : FirstFieldMinimumEnd);
        } else {
            const auto semicolon = std::string_view(bytes_).substr(0, taken_).find(';', scanned_);
            if (semicolon == std::string_view::npos) {
                scanned_ = taken_;
            } else {
                scanned_ = semicolon + 1;
                ends_[complete_++] = scanned_;
            }
        }
        if (rulesOut_ && complete_ <= 1 && RuledOut()) stopped_ = true;
    }
}

bool HeaderSplit::RuledOut() const {
    if (complete_ == 0)
        return scanned_ == ReplayMagic.size() &&
               bytes().substr(0, ReplayMagic.size()) != ReplayMagic;
    return scanned_ == ends_[0] && rulesOut_(field(0));
}

std::string_view HeaderSplit::field(std::size_t i) const {
    if (i >= complete_) return {};
    const std::size_t start = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(bytes_).substr(start, ends_[i] - start);
}

std::array<std::string_view, 10> HeaderSplit::fields() const {
    std::array<std::string_view, 10> result;
    for (std::size_t i = 0; i < result.size(); ++i)
        result[i] = field(i);
    return result;
}
