// Reads back the indexed PNG files the program writes, for comparing
// pictures pixel by pixel.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quintorbelle::testing {

struct IndexedPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> indices;
    std::array<uint32_t, 256> colours{}; // 0x00RRGGBB; entries past the palette are 0
};

// Throws when the file is not an 8-bit indexed PNG.
IndexedPicture ReadIndexedPng(const std::string &path);

// Writes where two pictures differ: white where the indices differ, the
// first picture dimmed elsewhere.
void WriteDifference(const std::string &path, const IndexedPicture &a, const IndexedPicture &b);

} // namespace quintorbelle::testing
