// Random armies and colours as the game gave them. Every game client resolves a slot's random
// picks from the match seed, in the same order, so a reader can draw them again.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "zerohour_intf.h"

// The game's logic random generator: six 32-bit words, seeded from the match seed.
class LogicRandom {
public:
    explicit LogicRandom(uint32_t seed);
    // One step; its value is the first word afterwards.
    uint32_t next();
    // A value from lo to hi inclusive (hi itself when the range wraps to 0 values).
    uint32_t between(uint32_t lo, uint32_t hi);

private:
    std::array<uint32_t, 6> words_;
};

// The settings' seed text (SD) as a signed 32-bit decimal, taken as its bit pattern; nullopt
// when it isn't one.
std::optional<uint32_t> MatchSeed(std::string_view text);

// Fills every player's armyResolved, armyRandom, colourResolved and colourRandom, drawing the
// random ones in the game's order. Without a seed, random picks stay at -1 (still marked random).
// vanilla: only the three original armies can be drawn.
void ResolveRandomPicks(std::vector<TZH_player>& players, std::optional<uint32_t> seed, bool vanilla);
