#include "bmp_bytes.h"

namespace testsupport {

void PutLittleEndian(std::string& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xFF);
}

std::string CompressedBmp(int width, int height, std::uint32_t colour) {
    constexpr std::size_t FileHeader = 14, InfoHeader = 40, Palette = 4;
    std::string bytes(FileHeader + InfoHeader + Palette, '\0');
    bytes += std::string("\x00\x01", 2); // end of picture
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLittleEndian(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);
    PutLittleEndian(bytes, 10, FileHeader + InfoHeader + Palette, 4);
    PutLittleEndian(bytes, 14, InfoHeader, 4);
    PutLittleEndian(bytes, 18, static_cast<std::uint32_t>(width), 4);
    PutLittleEndian(bytes, 22, static_cast<std::uint32_t>(height), 4);
    PutLittleEndian(bytes, 26, 1, 2); // planes
    PutLittleEndian(bytes, 28, 8, 2); // bits per pixel
    PutLittleEndian(bytes, 30, 1, 4); // run-length compressed, 8 bits
    PutLittleEndian(bytes, 34, 2, 4); // size of the pixel data
    PutLittleEndian(bytes, 46, 1, 4); // colours in the palette
    PutLittleEndian(bytes, 54, colour & 0xFFFFFF, 4);
    return bytes;
}

} // namespace testsupport
