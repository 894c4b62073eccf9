// A small 5 x 7 pixel font for labelling sheets and galleries: digits,
// capital letters (lower case is drawn as capitals), space and : - . / x #.
#pragma once

#include <cstdint>
#include <string_view>

namespace quintorbelle::host {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;
inline constexpr int kGlyphAdvance = 6;

// Draws text with its top-left corner at (x, y) into a 0x00RRGGBB canvas,
// `scale` canvas pixels per font pixel, clipped to the canvas.
void DrawText(uint32_t *canvas, int32_t width, int32_t height, int32_t x, int32_t y,
              std::string_view text, uint32_t colour, int32_t scale = 1);

// Width in canvas pixels of text drawn at `scale`.
int32_t TextWidth(std::string_view text, int32_t scale = 1);

} // namespace quintorbelle::host
