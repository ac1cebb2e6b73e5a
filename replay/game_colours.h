// The game's eight player colours, in the lobby's order (0 gold .. 7 pink): the tool's English
// name, the windows' French one, and the colour the maps show.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "replay/zerohour_intf.h"

struct GameColour {
    std::string_view english;
    std::string_view french;
    uint8_t red, green, blue;
};

inline constexpr std::array<GameColour, PlayerColourCount> GameColours{{
    {"Gold", "Or", 221, 226, 13},
    {"Red", "Rouge", 255, 0, 0},
    {"Blue", "Bleu", 34, 52, 254},
    {"Green", "Vert", 62, 209, 46},
    {"Orange", "Orange", 255, 160, 25},
    {"Sky blue", "Bleu ciel", 50, 215, 230},
    {"Purple", "Violet", 150, 0, 200},
    {"Pink", "Rose", 255, 150, 255},
}};

// A resolved colour's entry; null for -1 and any value outside the eight.
constexpr const GameColour* GameColourOf(int colour) {
    if (colour < 0 || colour >= PlayerColourCount) return nullptr;
    return &GameColours[static_cast<std::size_t>(colour)];
}
