#include "game/map_cache.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "platform/ascii_text.h"
#include "platform/platform.h"

namespace {

constexpr std::string_view BlockWord = "MapCache";
constexpr std::string_view EndWord = "END";
constexpr std::string_view SpotPrefix = "Player_";
constexpr std::string_view SpotSuffix = "_Start";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The whole text as one number, nothing before or after it.
template <typename Number> std::optional<Number> Parsed(std::string_view text) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at != end || text.empty()) return std::nullopt;
    return value;
}

// A coordinate as the game keeps it: read as a double, stored as a float.
std::optional<float> Coordinate(std::string_view text) {
    const std::optional<double> value = Parsed<double>(text);
    if (!value || !std::isfinite(*value) || std::fabs(*value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(*value);
}

// "X:961.84 Y:2537.37 Z:0.00": x and y are needed, z is of no use here.
std::optional<MapPoint> Point(std::string_view text) {
    std::optional<float> x, y;
    while (!(text = Trimmed(text)).empty()) {
        const auto blank = std::find_if(text.begin(), text.end(), IsBlank);
        const std::string_view word =
            text.substr(0, static_cast<std::size_t>(blank - text.begin()));
        text.remove_prefix(word.size());
        if (word.size() < 2 || word[1] != ':') return std::nullopt;
        const char axis = platform::AsciiLower(word[0]);
        if (axis != 'x' && axis != 'y') continue;
        const std::optional<float> value = Coordinate(word.substr(2));
        if (!value) return std::nullopt;
        (axis == 'x' ? x : y) = value;
    }
    if (!x || !y) return std::nullopt;
    return MapPoint{*x, *y};
}

// N of Player_N_Start, from 1; 0 for any other key.
std::size_t SpotNumber(std::string_view key) {
    if (key.size() <= SpotPrefix.size() + SpotSuffix.size() ||
        !platform::SameAsciiIgnoringCase(key.substr(0, SpotPrefix.size()), SpotPrefix) ||
        !platform::SameAsciiIgnoringCase(key.substr(key.size() - SpotSuffix.size()), SpotSuffix))
        return 0;
    const auto number = Parsed<uint32_t>(
        key.substr(SpotPrefix.size(), key.size() - SpotPrefix.size() - SpotSuffix.size()));
    return number ? *number : 0;
}

// One block being read.
struct Block {
    MapCacheEntry entry;
    std::array<std::optional<MapPoint>, MaxStartSpots> spots;
    std::optional<MapPoint> extentMin;
    std::optional<MapPoint> extentMax;
    bool hasSize = false;
    bool hasCRC = false;
    bool malformed = false;

    void take(std::string_view key, std::string_view value) {
        if (platform::SameAsciiIgnoringCase(key, "fileSize")) {
            hasSize = assign(entry.fileSize, Parsed<uint32_t>(value));
        } else if (platform::SameAsciiIgnoringCase(key, "fileCRC")) {
            hasCRC = assign(entry.fileCRC, Parsed<uint32_t>(value));
        } else if (platform::SameAsciiIgnoringCase(key, "numPlayers")) {
            assign(entry.numPlayers, Parsed<uint32_t>(value));
        } else if (platform::SameAsciiIgnoringCase(key, "extentMin")) {
            assign(extentMin, Point(value));
        } else if (platform::SameAsciiIgnoringCase(key, "extentMax")) {
            assign(extentMax, Point(value));
        } else if (platform::SameAsciiIgnoringCase(key, "techPosition")) {
            add(entry.techPositions, Point(value));
        } else if (platform::SameAsciiIgnoringCase(key, "supplyPosition")) {
            add(entry.supplyPositions, Point(value));
        } else if (const std::size_t number = SpotNumber(key)) {
            const std::optional<MapPoint> point = Point(value);
            malformed = malformed || !point;
            // The game looks up no spot past its eight slots.
            if (number <= MaxStartSpots) spots[number - 1] = point;
        }
    }

    template <typename Member, typename T>
    bool assign(Member& member, const std::optional<T>& value) {
        malformed = malformed || !value;
        if (value) member = *value;
        return value.has_value();
    }

    void add(std::vector<MapPoint>& points, const std::optional<MapPoint>& point) {
        malformed = malformed || !point;
        if (point && points.size() < MaxPositionsPerKind) points.push_back(*point);
    }

    bool complete() const { return hasSize && hasCRC && !malformed; }

    MapCacheEntry finish() {
        if (entry.numPlayers >= 1 && entry.numPlayers <= MaxStartSpots)
            entry.spots.assign(spots.begin(), spots.begin() + entry.numPlayers);
        if (extentMin && extentMax) entry.extent = MapExtent{*extentMin, *extentMax};
        return std::move(entry);
    }
};

class Parser {
public:
    void line(std::string_view text) {
        text = Trimmed(text.substr(0, text.find(';')));
        if (text.empty()) return;
        const auto equals = text.find('=');
        if (equals != std::string_view::npos) {
            if (block_)
                block_->take(Trimmed(text.substr(0, equals)), Trimmed(text.substr(equals + 1)));
            return;
        }
        const auto blank = std::find_if(text.begin(), text.end(), IsBlank);
        const std::string_view word =
            text.substr(0, static_cast<std::size_t>(blank - text.begin()));
        if (platform::SameAsciiIgnoringCase(word, EndWord)) {
            close();
        } else if (platform::SameAsciiIgnoringCase(word, BlockWord)) {
            // A block that another begins before its END was cut: it is dropped.
            block_.emplace();
            block_->entry.name = Trimmed(text.substr(word.size()));
        }
    }

    std::vector<MapCacheEntry> entries() && { return std::move(entries_); }

private:
    void close() {
        if (block_ && block_->complete()) {
            MapCacheEntry entry = block_->finish();
            const auto [at, added] = byName_.try_emplace(entry.name, entries_.size());
            if (added)
                entries_.push_back(std::move(entry));
            else
                entries_[at->second] = std::move(entry);
        }
        block_.reset();
    }

    std::optional<Block> block_;
    std::vector<MapCacheEntry> entries_;
    std::unordered_map<std::string, std::size_t> byName_;
};

} // namespace

std::vector<MapCacheEntry> ParseMapCache(std::string_view text) {
    Parser parser;
    while (!text.empty()) {
        const auto end = text.find('\n');
        parser.line(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return std::move(parser).entries();
}

std::optional<std::vector<MapCacheEntry>> ReadMapCacheFile(const std::string& path) {
    try {
        platform::InputFile file(path);
        // A cache longer than the limit is read up to it: the entries there still count.
        const platform::FileBytes bytes(file, MaxMapCacheBytes);
        return ParseMapCache(bytes.view());
    } catch (const platform::FileError&) {
        return std::nullopt;
    }
}

std::optional<MapExtent> PictureExtent(const std::optional<MapExtent>& extent) {
    if (!extent) return std::nullopt;
    const float width = extent->max.x - extent->min.x;
    const float height = extent->max.y - extent->min.y;
    if (!(width > 0) || !(height > 0) || !std::isfinite(width) || !std::isfinite(height))
        return std::nullopt;
    return extent;
}

std::optional<MapPoint> PictureFraction(const MapExtent& extent, MapPoint point) {
    if (!PictureExtent(extent)) return std::nullopt;
    const float width = extent.max.x - extent.min.x;
    const float height = extent.max.y - extent.min.y;
    const MapPoint fraction{(point.x - extent.min.x) / width,
                            1 - (point.y - extent.min.y) / height};
    // Extreme coordinates overflow the float on their way: what isn't finite places nothing.
    if (!std::isfinite(fraction.x) || !std::isfinite(fraction.y)) return std::nullopt;
    return fraction;
}
