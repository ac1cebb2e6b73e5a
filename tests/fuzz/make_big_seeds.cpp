// Writes a few small archives of our own making as seeds for the archive table fuzzer.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "tests/support/big_builder.h"

namespace bb = big_builder;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_big_seeds FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    };
    write("empty.big", bb::Header(0, 16));
    write("maps.big", bb::Archive({{"Maps\\Alpha Ridge\\Alpha Ridge.tga", std::string(44, 'T')},
                                   {"Maps\\Alpha Ridge\\Alpha Ridge.map", "CkMp"},
                                   {"Maps/MapCache.ini", "MapCache"}}));
    write("lying.big", bb::Header(9, 0) + bb::TableEntry(0xFFFFFFF0u, 0x40, "wraps") +
                           bb::TableEntry(16, 4000, "past the end") + bb::TableEntry(0, 1, "last"));
    write("long-name.big", bb::Header(1, 0) + bb::TableEntry(0, 1, std::string(259, 'n')));
    return 0;
}
