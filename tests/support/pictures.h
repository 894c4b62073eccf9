// Crafted pictures for engine tests: colours written as the surface and the
// ramp hold them, rectangles and points compared whole, every pixel of the count and index images
// painted by a rule, and the set of pixels that satisfy a test. Reads and writes the shared images
// only; draws nothing itself.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <utility>

#include "frame/shared_block.h"

namespace quintorbelle::testing {

constexpr uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return (red << 16) | (green << 8) | blue;
}

// A rectangle (left, top, right, bottom) of the shared block, to compare in
// one go.
using Rect = std::array<int32_t, 4>;
inline Rect RectOf(const int32_t *rect) {
    return {rect[0], rect[1], rect[2], rect[3]};
}

// A point of the plane (x and y, or real and imaginary part), to compare in
// one go.
using Point = std::array<double, 2>;
inline Point PointOf(const double *point) {
    return {point[0], point[1]};
}

// Calls `paint` with the index and count of every pixel of the picture.
inline void PaintPixels(
    const std::function<void(int32_t x, int32_t y, uint8_t &index, uint16_t &count)> &paint) {
    for (int32_t y = 0; y < imageHeight; ++y) {
        for (int32_t x = 0; x < imageWidth; ++x) paint(x, y, indexImage[y][x], countImage[y][x]);
    }
}

// Colours 5 and 6 alternate along each row of the picture, every pixel with
// count `count`; the column `background`, if given, is background (index 0).
inline void PaintStripes(uint16_t count, int32_t background = -1) {
    PaintPixels([&](int32_t x, int32_t, uint8_t &index, uint16_t &pixelCount) {
        index = x == background ? 0 : static_cast<uint8_t>(5 + (x & 1));
        pixelCount = count;
    });
}

using Pixels = std::set<std::pair<int32_t, int32_t>>; // (x, y)

// The pixels of the top-left width x height whose index and count satisfy
// `wanted`. Look past the picture's size to catch writes beyond its edges.
inline Pixels PixelsWhere(const std::function<bool(uint8_t index, uint16_t count)> &wanted,
                          int32_t width = imageWidth, int32_t height = imageHeight) {
    Pixels pixels;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            if (wanted(indexImage[y][x], countImage[y][x])) pixels.insert({x, y});
        }
    }
    return pixels;
}

} // namespace quintorbelle::testing
