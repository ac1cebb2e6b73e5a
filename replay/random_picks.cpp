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

// A colour is drawn again while another slot holds it; one of eight is always free, so this
// bound is never reached by the real generator. It only keeps a hostile case finite.
constexpr int MaxColourDraws = 1000;

// The lobby writes -1 for a random pick. A file may hold values it never writes: any other
// negative army (but the observer's) and any colour outside 0-7 are drawn too.
bool IsColour(int colour) {
    return colour >= 0 && colour < PlayerColourCount;
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

namespace {

// The picks as the draws see them: the stored ones, -1 for one still to be drawn.
struct Picks {
    std::size_t count = 0;
    std::array<int8_t, LobbySlots> armies{};
    std::array<int, LobbySlots> colours{};

    bool colourHeld(std::size_t before, int colour) const {
        const auto end = colours.begin() + static_cast<std::ptrdiff_t>(before);
        return std::find(colours.begin(), end, colour) != end;
    }
};

Picks StoredPicks(const std::vector<TZH_player>& players) {
    Picks picks;
    // A record holds at most eight players (one per slot); any beyond stay unresolved.
    picks.count = std::min(players.size(), LobbySlots);
    for (std::size_t i = 0; i < picks.count; ++i) {
        const TZH_player& p = players[i];
        const int colour = static_cast<int8_t>(p.slotValue1);
        picks.colours[i] = IsColour(colour) ? colour : -1;
        picks.armies[i] = DrawsArmy(p.army) ? int8_t{-1} : p.army;
    }
    // A fixed colour held by two slots stays with the first; the later ones draw theirs.
    for (std::size_t i = picks.count; i-- > 0;)
        if (picks.colours[i] >= 0 && picks.colourHeld(i, picks.colours[i])) picks.colours[i] = -1;
    return picks;
}

// The game's draws, in its order.
void Draw(Picks& picks, LogicRandom& random, uint32_t seed, bool vanilla) {
    const std::size_t poolSize = vanilla ? OriginalArmyCount : AllArmies.size();
    for (std::size_t i = 0; i < picks.count; ++i) {
        if (picks.armies[i] == RandomArmy) {
            for (uint32_t k = 0; k < seed % 7; ++k)
                random.between(0, 1);
            picks.armies[i] = AllArmies[random.between(0, 1000) % poolSize];
        }
        for (int draw = 0; picks.colours[i] < 0 && draw < MaxColourDraws; ++draw) {
            const int colour = static_cast<int>(random.between(0, PlayerColourCount - 1));
            if (!picks.colourHeld(picks.count, colour)) picks.colours[i] = colour;
        }
    }
}

} // namespace

void ResolveRandomPicks(std::vector<TZH_player>& players, std::optional<uint32_t> seed,
                        bool vanilla) {
    Picks picks = StoredPicks(players);
    for (std::size_t i = 0; i < picks.count; ++i) {
        players[i].armyRandom = picks.armies[i] == RandomArmy;
        players[i].colourRandom = picks.colours[i] < 0;
    }
    if (seed) {
        LogicRandom random(*seed);
        Draw(picks, random, *seed, vanilla);
    }
    for (std::size_t i = 0; i < picks.count; ++i) {
        players[i].armyResolved = picks.armies[i];
        players[i].colourResolved = static_cast<int8_t>(picks.colours[i]);
    }
}

LogicRandom RandomAfterPicks(const std::vector<TZH_player>& players, uint32_t seed, bool vanilla) {
    Picks picks = StoredPicks(players);
    LogicRandom random(seed);
    Draw(picks, random, seed, vanilla);
    return random;
}
