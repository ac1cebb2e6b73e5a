// Builds .big archives the way the game's are laid out, for the tests, the benchmark and the
// fuzzer's seeds. Nothing of the game's own goes into them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace big_builder {

// "BIGF", the archive's size (little-endian), the entry count and the first entry's offset.
std::string Header(uint32_t count, uint32_t firstData, uint32_t archiveSize = 0);
// One table entry: offset and size (big-endian) and the name with its NUL.
std::string TableEntry(uint32_t offset, uint32_t size, std::string_view name);

struct Item {
    std::string name;
    std::string data;
    uint32_t size = 0; // used instead of data.size() when data is empty (sparse files)
};

// A whole archive: header, table, then the items' bytes in order.
std::string Archive(const std::vector<Item>& items);

// Writes the same archive to a file; items without data become holes, so a large archive
// costs little disk.
void WriteArchive(const std::filesystem::path& path, const std::vector<Item>& items);

} // namespace big_builder
