#include "tests/support/big_builder.h"

#include <fstream>
#include <stdexcept>

namespace big_builder {

namespace {

void PutBigEndian(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void PutLittleEndian(std::string& out, uint32_t value) {
    for (int shift = 0; shift <= 24; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

uint32_t SizeOf(const Item& item) {
    return item.data.empty() ? item.size : static_cast<uint32_t>(item.data.size());
}

// Header and table, with every item's offset.
std::string Front(const std::vector<Item>& items, std::vector<uint32_t>& offsets, uint32_t& total) {
    std::size_t tableSize = 0;
    for (const Item& item : items)
        tableSize += 8 + item.name.size() + 1;
    const auto firstData = static_cast<uint32_t>(16 + tableSize);
    uint64_t at = firstData;
    offsets.clear();
    for (const Item& item : items) {
        offsets.push_back(static_cast<uint32_t>(at));
        at += SizeOf(item);
    }
    if (at > UINT32_MAX) throw std::length_error("an archive of the game holds at most 4 GiB");
    total = static_cast<uint32_t>(at);
    std::string front = Header(static_cast<uint32_t>(items.size()), firstData, total);
    for (std::size_t i = 0; i < items.size(); ++i)
        front += TableEntry(offsets[i], SizeOf(items[i]), items[i].name);
    return front;
}

} // namespace

std::string Header(uint32_t count, uint32_t firstData, uint32_t archiveSize) {
    std::string out = "BIGF";
    PutLittleEndian(out, archiveSize);
    PutBigEndian(out, count);
    PutBigEndian(out, firstData);
    return out;
}

std::string TableEntry(uint32_t offset, uint32_t size, std::string_view name) {
    std::string out;
    PutBigEndian(out, offset);
    PutBigEndian(out, size);
    out += name;
    out.push_back('\0');
    return out;
}

std::string Archive(const std::vector<Item>& items) {
    std::vector<uint32_t> offsets;
    uint32_t total = 0;
    std::string out = Front(items, offsets, total);
    for (const Item& item : items)
        out += item.data.empty() ? std::string(item.size, '\0') : item.data;
    return out;
}

void WriteArchive(const std::filesystem::path& path, const std::vector<Item>& items) {
    std::vector<uint32_t> offsets;
    uint32_t total = 0;
    const std::string front = Front(items, offsets, total);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(front.data(), static_cast<std::streamsize>(front.size()));
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].data.empty()) continue;
            out.seekp(offsets[i]);
            out.write(items[i].data.data(), static_cast<std::streamsize>(items[i].data.size()));
        }
        if (!out) throw std::runtime_error("cannot write " + path.string());
    }
    std::filesystem::resize_file(path, total);
}

} // namespace big_builder
