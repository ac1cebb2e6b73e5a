// How a replay's numbers read as text, for the tool's lines and the windows alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// 125 -> "2m 5s", 59 -> "59s": a length of game time.
std::string FormatDuration(int32_t seconds);
// Whole seconds of game time at a frame of the orders.
int32_t SecondsAtFrame(uint32_t frame);
// Thousands with a dollar sign, cut toward zero: 10000 is "$10K", 999 is "$0K".
std::string FormatMoney(int32_t money);
// The name of a playable army, 2 to 13 ("USA", "China Nuke"); nullopt for any other value.
std::optional<std::string_view> ArmyName(int army);
