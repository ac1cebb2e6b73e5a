#include "orders/key_index.h"

#include <algorithm>
#include <bit>
#include <random>

namespace {

// Drawn once: the layout of an index changes nothing but its speed.
uint64_t RunSeed() {
    static const uint64_t seed = [] {
        std::random_device device;
        return uint64_t{device()} << 32 ^ device();
    }();
    return seed;
}

// A finaliser that spreads every bit of the key over all the bits of the result.
uint64_t Mix(uint64_t key) {
    key ^= key >> 33;
    key *= 0xFF51AFD7ED558CCDu;
    key ^= key >> 33;
    key *= 0xC4CEB9FE1A85EC53u;
    return key ^ key >> 33;
}

constexpr std::size_t SmallestSize = 16;

} // namespace

KeyIndex::KeyIndex(std::size_t keys) : seed_(RunSeed()) {
    growFor(keys);
}

std::size_t KeyIndex::slotOf(uint64_t key) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = static_cast<std::size_t>(Mix(key ^ seed_) >> shift_);
    while (slots_[at].used && slots_[at].key != key)
        at = (at + 1) & mask;
    return at;
}

// Room for keys without growing: at most half the slots used.
void KeyIndex::growFor(std::size_t keys) {
    const std::size_t size = std::bit_ceil(std::max(SmallestSize, 2 * keys));
    if (size <= slots_.size()) return;
    std::vector<Slot> old(size);
    old.swap(slots_);
    shift_ = 64 - static_cast<unsigned>(std::countr_zero(size));
    for (const Slot& slot : old)
        if (slot.used) slots_[slotOf(slot.key)] = slot;
}

void KeyIndex::put(uint64_t key, uint32_t value) {
    growFor(used_ + 1);
    Slot& slot = slots_[slotOf(key)];
    used_ += slot.used ? 0 : 1;
    slot = Slot{key, value, true};
}

std::optional<uint32_t> KeyIndex::get(uint64_t key) const {
    const Slot& slot = slots_[slotOf(key)];
    if (!slot.used) return std::nullopt;
    return slot.value;
}

uint32_t KeyIndex::getOrPut(uint64_t key, uint32_t added) {
    growFor(used_ + 1);
    Slot& slot = slots_[slotOf(key)];
    if (!slot.used) {
        slot = Slot{key, added, true};
        ++used_;
    }
    return slot.value;
}
