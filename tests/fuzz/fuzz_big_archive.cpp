// Fuzz target over the archive table reader: any bytes in, and every entry it keeps must lie
// inside the archive. Built as a libFuzzer program (TARVEX_FUZZ) and as a plain corpus
// player for ctest.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "game/big_archive.h"

namespace {

// A broken rule is a finding, like a crash: report it and stop so that the input is kept.
void Require(bool condition, const char* rule) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_big_archive: broken rule: %s\n", rule);
    std::abort();
}

void CheckWhole(const big::Index& index, uint64_t size) {
    Require(index.readCount <= index.declaredCount, "no more entries read than the header claims");
    Require(index.entries.size() + index.outsideCount <= index.readCount,
            "kept and left-out entries were read");
    Require(index.problem.empty() == (index.readCount == index.declaredCount) ||
                index.declaredCount == 0,
            "a problem exactly when the table was not read to its end");
    for (const big::Entry& entry : index.entries) {
        Require(uint64_t{entry.offset} + entry.size <= size,
                "a kept entry lies inside the archive");
        Require(entry.name.size() <= big::MaxNameLength, "a name fits the game's buffer");
        Require(entry.name.find('\0') == std::string::npos, "a name holds no NUL");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const big::Index whole = big::ParseIndex(bytes, size);
    Require(!whole.needsMoreBytes, "all of an archive's bytes are enough");
    CheckWhole(whole, size);

    // The same archive read from a part of its start: what it keeps begins the whole's list.
    const big::Index part = big::ParseIndex(bytes.substr(0, size / 2), size);
    Require(part.entries.size() <= whole.entries.size(),
            "a part of the table keeps no more entries");
    for (std::size_t i = 0; i < part.entries.size(); ++i)
        Require(part.entries[i].name == whole.entries[i].name &&
                    part.entries[i].offset == whole.entries[i].offset,
                "a part of the table keeps the same first entries");

    const big::Index filtered =
        big::ParseIndex(bytes, size, [](std::string_view name) { return name.size() % 2 == 0; });
    Require(filtered.readCount == whole.readCount,
            "a filter changes what is kept, not what is read");
    return 0;
}
