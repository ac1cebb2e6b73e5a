// Random armies and colours as the game gave them. Every game client resolves a slot's random
// picks from the match seed, in the same order, so a reader can draw them again.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "replay/zerohour_intf.h"

// The game's logic random generator: six 32-bit words, seeded from the match seed.
class LogicRandom {
public:
    explicit LogicRandom(uint32_t seed);

    // One step; its value is the first word afterwards. (Inline: a record with random picks
    // takes dozens of steps, while the start-up scan reads every replay of a folder.)
    uint32_t next() {
        std::array<uint32_t, 6>& w = words_;
        uint32_t sum = w[5] + w[4];
        uint32_t carry = sum < w[5] ? 1 : 0;
        w[4] = sum;
        for (std::size_t k = 4; k-- > 0;) {
            const uint32_t old = w[k];
            sum = sum + old + carry;
            w[k] = sum;
            // The game's own test, not a true carry: it differs when old + carry wraps exactly.
            carry = sum < old ? 1 : 0;
        }
        // Add one to the 192-bit number (word 5 lowest).
        for (std::size_t k = 6; k-- > 0 && ++w[k] == 0;) {
        }
        return w[0];
    }

    // A value from lo to hi inclusive (hi itself when the range wraps to 0 values).
    uint32_t between(uint32_t lo, uint32_t hi) {
        const uint32_t count = hi - lo + 1;
        if (count == 0) return hi;
        return next() % count + lo;
    }

private:
    std::array<uint32_t, 6> words_;
};

// The settings' seed text (SD) as a signed 32-bit decimal, taken as its bit pattern; nullopt
// when it isn't one.
std::optional<uint32_t> MatchSeed(std::string_view text);

// Fills every player's armyResolved, armyRandom, colourResolved and colourRandom, drawing the
// random ones in the game's order. Without a seed, random picks stay at -1 (still marked random).
// vanilla: only the three original armies can be drawn.
void ResolveRandomPicks(std::vector<TZH_player>& players, std::optional<uint32_t> seed,
                        bool vanilla);

// The generator as the game leaves it after the army and colour draws of these players: the
// draws that come next (the start spots) continue from there.
LogicRandom RandomAfterPicks(const std::vector<TZH_player>& players, uint32_t seed, bool vanilla);
