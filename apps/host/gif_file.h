// Animated GIF files: frames of 8-bit colour indices, each with its own
// palette where the palette changes, looping for ever, with a comment that
// carries the picture file the animation started from.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quintorbelle::host {

struct GifFrame {
    std::vector<uint8_t> indices;        // width x height, rows top-down
    std::array<uint32_t, 256> colours{}; // 0x00RRGGBB
};

struct GifAnimation {
    int32_t width = 0;
    int32_t height = 0;
    int32_t delayHundredths = 4; // between frames
    std::string comment;
    std::vector<GifFrame> frames;
    // Frames shown in this order (indices into frames), e.g. forward and back.
    std::vector<size_t> order;
};

// Writes the animation under a temporary name and renames it; an error text
// on failure.
std::optional<std::string> WriteGif(const std::string &path, const GifAnimation &animation);

} // namespace quintorbelle::host
