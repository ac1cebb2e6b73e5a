#include "replay/random_picks.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::array<uint32_t, 6> SeedOffsets = {0xF22D0E56, 0x883126E9, 0xC624DD2F,
                                                 0x0702C49C, 0x9E353F7D, 0x6FDF3B64};

// The armies a random pick can give, in the game's order: the three factions, then the nine
// generals (never the locked boss army).
constexpr std::array<int8_t, 12> AllArmies = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
constexpr std::size_t OriginalArmyCount = 3;

constexpr std::size_t MaxPlayers = 8;
constexpr int8_t ColourCount = 8;
// A colour is drawn again while another slot holds it; one of eight is always free, so this
// bound is never reached by the real generator. It only keeps a hostile case finite.
constexpr int MaxColourDraws = 1000;

// The lobby writes -1 for a random pick. A file may hold values it never writes: any other
// negative army (but the observer's) and any colour outside 0-7 are drawn too.
bool IsColour(int colour) {
    return colour >= 0 && colour < ColourCount;
}
bool DrawsArmy(int8_t army) {
    return army < 0 && army != ObserverArmy;
}

} // namespace

LogicRandom::LogicRandom(uint32_t seed) {
    for (std::size_t k = 0; k < words_.size(); ++k)
        words_[k] = seed + SeedOffsets[k];
}

std::optional<uint32_t> MatchSeed(std::string_view text) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at != end) return std::nullopt;
    return static_cast<uint32_t>(value);
}

void ResolveRandomPicks(std::vector<TZH_player>& players, std::optional<uint32_t> seed,
                        bool vanilla) {
    // A record holds at most eight players (one per slot); any beyond stay unresolved.
    const std::size_t count = std::min(players.size(), MaxPlayers);
    // Colours as the draws see them: -1 for one still to be drawn.
    std::array<int, MaxPlayers> colours{};
    for (std::size_t i = 0; i < count; ++i) {
        TZH_player& p = players[i];
        const int colour = static_cast<int8_t>(p.slotValue1);
        colours[i] = IsColour(colour) ? colour : -1;
        p.armyRandom = DrawsArmy(p.army);
        p.armyResolved = p.armyRandom ? -1 : p.army;
    }
    const auto held = [&](std::size_t before, int colour) {
        return std::find(colours.begin(), colours.begin() + static_cast<std::ptrdiff_t>(before),
                         colour) != colours.begin() + static_cast<std::ptrdiff_t>(before);
    };
    // A fixed colour held by two slots stays with the first; the later ones draw theirs.
    for (std::size_t i = count; i-- > 0;)
        if (colours[i] >= 0 && held(i, colours[i])) colours[i] = -1;
    for (std::size_t i = 0; i < count; ++i)
        players[i].colourRandom = colours[i] < 0;
    if (seed) {
        LogicRandom random(*seed);
        const std::size_t poolSize = vanilla ? OriginalArmyCount : AllArmies.size();
        for (std::size_t i = 0; i < count; ++i) {
            TZH_player& p = players[i];
            if (p.armyRandom) {
                for (uint32_t k = 0; k < *seed % 7; ++k)
                    random.between(0, 1);
                p.armyResolved = AllArmies[random.between(0, 1000) % poolSize];
            }
            for (int draw = 0; colours[i] < 0 && draw < MaxColourDraws; ++draw) {
                const int colour = static_cast<int>(random.between(0, ColourCount - 1));
                if (!held(count, colour)) colours[i] = colour;
            }
        }
    }
    for (std::size_t i = 0; i < count; ++i)
        players[i].colourResolved = static_cast<int8_t>(colours[i]);
}
