// Bodies of orders made to keep a reader of them busy: selections and hotkey groups of the
// largest size an order holds, then millions of bare orders that use them, and queue entries
// whose keys collide under a multiplicative hash that keeps bits 32 and up of its product.
// The fuzz targets' corpus player and the benchmarks use them; they are made at run time.
#pragma once

#include <cstddef>
#include <string>

namespace replay_builder {

enum class HostileShape {
    GroupAddStorm, // a group of 65,025 objects, then bare adds of it to the selection (1026)
    RecallStorm,   // the same group, then bare recalls of it (1016)
    DeselectStorm, // the same group recalled, then bare deselections (1004)
    CollidingKeys, // selections and queue orders of colliding (producer, production id) keys,
                   // then one cancel
};

// A body of about `bytes` bytes (never less) of that shape, every order the first player's
// (index 2), ending with a queue order and its cancel that read his selection.
std::string HostileBody(HostileShape shape, std::size_t bytes);

// "group-add-storm", "recall-storm", "deselect-storm", "colliding-keys".
const char* HostileShapeName(HostileShape shape);

} // namespace replay_builder
