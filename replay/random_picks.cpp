#include "random_picks.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::array<uint32_t, 6> SeedOffsets = {0xF22D0E56, 0x883126E9, 0xC624DD2F,
                                                 0x0702C49C, 0x9E353F7D, 0x6FDF3B64};

// The armies a random pick can give, in the game's order: the three factions, then the nine
// generals (never the locked boss army).
constexpr std::array<int8_t, 12> AllArmies = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
constexpr std::size_t OriginalArmyCount = 3;

constexpr int8_t ObserverArmy = -2;
constexpr int8_t ColourCount = 8;
// A colour is drawn again while another slot holds it; one of eight is always free, so this
// bound is never reached by the real generator. It only keeps a hostile case finite.
constexpr int MaxColourDraws = 1000;

bool IsColour(int colour) { return colour >= 0 && colour < ColourCount; }
bool DrawsArmy(int8_t army) { return army < 0 && army != ObserverArmy; }

} // namespace

LogicRandom::LogicRandom(uint32_t seed) {
    for (std::size_t k = 0; k < words_.size(); ++k) words_[k] = seed + SeedOffsets[k];
}

uint32_t LogicRandom::next() {
    std::array<uint32_t, 6>& w = words_;
    uint32_t sum = w[5] + w[4];
    uint32_t carry = sum < w[5] ? 1 : 0;
    w[4] = sum;
    for (int k = 3; k >= 0; --k) {
        const uint32_t old = w[static_cast<std::size_t>(k)];
        sum = sum + old + carry;
        w[static_cast<std::size_t>(k)] = sum;
        // The game's own test, not a true carry: it differs when old + carry wraps exactly.
        carry = sum < old ? 1 : 0;
    }
    // Add one to the 192-bit number (word 5 lowest).
    for (int k = 5; k >= 0 && ++w[static_cast<std::size_t>(k)] == 0; --k) {
    }
    return w[0];
}

uint32_t LogicRandom::between(uint32_t lo, uint32_t hi) {
    const uint32_t count = hi - lo + 1;
    if (count == 0) return hi;
    return next() % count + lo;
}

std::optional<uint32_t> MatchSeed(std::string_view text) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at != end) return std::nullopt;
    return static_cast<uint32_t>(value);
}

void ResolveRandomPicks(std::vector<TZH_player>& players, std::optional<uint32_t> seed, bool vanilla) {
    // Colours as the draws see them: -1 for one still to be drawn.
    std::vector<int> colours;
    colours.reserve(players.size());
    for (TZH_player& p : players) {
        const int colour = static_cast<int8_t>(p.slotValue1);
        colours.push_back(IsColour(colour) ? colour : -1);
        p.armyRandom = DrawsArmy(p.army);
        p.armyResolved = p.armyRandom ? -1 : p.army;
    }
    // A fixed colour held by two slots stays with the first; the later ones draw theirs.
    for (std::size_t i = colours.size(); i-- > 0;)
        if (colours[i] >= 0 && std::find(colours.begin(), colours.begin() + static_cast<std::ptrdiff_t>(i),
                                         colours[i]) != colours.begin() + static_cast<std::ptrdiff_t>(i))
            colours[i] = -1;
    for (std::size_t i = 0; i < players.size(); ++i) players[i].colourRandom = colours[i] < 0;
    if (seed) {
        LogicRandom random(*seed);
        const std::size_t poolSize = vanilla ? OriginalArmyCount : AllArmies.size();
        for (std::size_t i = 0; i < players.size(); ++i) {
            TZH_player& p = players[i];
            if (p.armyRandom) {
                for (uint32_t k = 0; k < *seed % 7; ++k) random.between(0, 1);
                p.armyResolved = AllArmies[random.between(0, 1000) % poolSize];
            }
            for (int draw = 0; colours[i] < 0 && draw < MaxColourDraws; ++draw) {
                const int colour = static_cast<int>(random.between(0, ColourCount - 1));
                if (std::find(colours.begin(), colours.end(), colour) == colours.end()) colours[i] = colour;
            }
        }
    }
    for (std::size_t i = 0; i < players.size(); ++i) players[i].colourResolved = static_cast<int8_t>(colours[i]);
}
