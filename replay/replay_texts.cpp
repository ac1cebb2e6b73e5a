#include "replay/replay_texts.h"

#include "replay/zerohour_intf.h"

std::string FormatDuration(int32_t seconds) {
    std::string text;
    if (seconds / 60 > 0) text = std::to_string(seconds / 60) + "m ";
    return text + std::to_string(seconds % 60) + "s";
}

int32_t SecondsAtFrame(uint32_t frame) {
    return static_cast<int32_t>(frame / static_cast<uint32_t>(FramesPerSecond));
}

std::string FormatMoney(int32_t money) {
    return "$" + std::to_string(money / 1000) + "K";
}

std::optional<std::string_view> ArmyName(int army) {
    // The last name of ArmyNames is the observers', which is no army.
    const int index = army - FirstArmy;
    if (index < 0 || index >= static_cast<int>(ArmyNames.size()) - 1) return std::nullopt;
    return ArmyNames[static_cast<std::size_t>(index)];
}
