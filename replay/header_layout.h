// Where the parts of a replay's header lie, found by walking its layout from the first byte:
// the replay name (16-bit text from byte 28), the start time, the version and build texts,
// three numbers, the settings text, the recording slot's text and four numbers. The orders
// follow. Nothing is looked for beyond HeaderReadLimit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "replay/zerohour_intf.h"

// The match's local start time (the SYSTEMTIME after the replay name); nullopt when the bytes
// don't reach it or it isn't a date and time.
std::optional<TZH_date> MatchDate(std::string_view fileBytes);

// The checksums the header holds of the game's program (exe) and of its data files (INI): they
// tell which data set numbered the objects in the orders. nullopt when the bytes don't reach them.
struct HeaderChecksums {
    uint32_t exe = 0;
    uint32_t ini = 0;
};
std::optional<HeaderChecksums> ReadChecksums(std::string_view fileBytes);

// The offset of the first order: just past the header. nullopt when the header's layout
// doesn't hold (a text that never ends, a recording slot that isn't a number, cut short).
std::optional<std::size_t> OrdersOffset(std::string_view fileBytes);
