// 64-bit keys to 32-bit values in one open-addressed array: an entry must cost little, and the
// node-per-entry standard maps allocate for each. Its keys come from files, and a file could
// choose keys that crowd into one run of slots, making each look-up walk them all: each key is
// mixed with a seed drawn once per run before the top bits of the result choose its slot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class KeyIndex {
public:
    explicit KeyIndex(std::size_t keys = 0); // room for that many keys without growing
    void put(uint64_t key, uint32_t value);  // replaces the key's value if it has one
    std::optional<uint32_t> get(uint64_t key) const;
    // The key's value; when it has none, added becomes it.
    uint32_t getOrPut(uint64_t key, uint32_t added);

private:
    struct Slot {
        uint64_t key = 0;
        uint32_t value = 0;
        bool used = false;
    };

    // The key's slot, or the free one where it would go.
    std::size_t slotOf(uint64_t key) const;
    void growFor(std::size_t keys);

    uint64_t seed_;
    std::vector<Slot> slots_; // a power of two, at most half used
    unsigned shift_ = 0;      // 64 - log2 of the slots
    std::size_t used_ = 0;
};
