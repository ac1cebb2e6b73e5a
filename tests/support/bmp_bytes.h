// BMP files written byte by byte, for pictures no image library writes.
#pragma once

#include <cstdint>
#include <string>

namespace testsupport {

// Writes `value` little-endian into bytes[at .. at + size).
void PutLittleEndian(std::string& bytes, std::size_t at, std::uint32_t value, int size);

// A run-length compressed 8-bit BMP of width x height (0xRRGGBB colour) whose pixel data is
// only the end of the picture: a tiny file that decodes to width x height pixels of that one
// colour, however many.
std::string CompressedBmp(int width, int height, std::uint32_t colour);

} // namespace testsupport
