// Reading one value of the game's registry key, where the game itself looks for it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

struct GameRegistryValue {
    platform::RegistryValue value;
    std::string place; // "HKEY_LOCAL_MACHINE\<key> (32-bit view)", for tarvex-info --where
};

// The value from the first of the game's keys that holds it: the machine's in its 32-bit view,
// then in its 64-bit view, then the user's in the same order. nullopt when none holds it.
std::optional<GameRegistryValue> ReadGameRegistryValue(std::string_view name);
