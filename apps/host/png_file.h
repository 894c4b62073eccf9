// PNG files: indexed pictures with the engine's palette, and true-colour
// sheets, each with optional text chunks. Files are written under a temporary
// name and renamed, so an interrupted run never leaves a truncated image.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quintorbelle::host {

struct PngText {
    std::string keyword;
    std::string text;
};

// An image of width x height pixels, rows `pitch` entries apart.
struct IndexedImage {
    int32_t width;
    int32_t height;
    const uint8_t *indices;
    int32_t pitch;
    const uint32_t *colours; // 256 entries, 0x00RRGGBB
};

struct RgbImage {
    int32_t width;
    int32_t height;
    const uint32_t *pixels; // 0x00RRGGBB
    int32_t pitch;
};

// Each returns an error text, or nothing on success.
std::optional<std::string> WritePng(const std::string &path, const IndexedImage &image,
                                    const std::vector<PngText> &texts = {});
std::optional<std::string> WritePng(const std::string &path, const RgbImage &image,
                                    const std::vector<PngText> &texts = {});

// Reads the text of the chunk named `keyword` from a PNG file: an error text
// when the file is no PNG or carries no such chunk.
std::optional<std::string> ReadPngText(const std::string &path, const std::string &keyword,
                                       std::string &text);

} // namespace quintorbelle::host
