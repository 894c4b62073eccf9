// Display and colour: colour ramps, density thresholds, recolouring, palette
// styles and the logical palette.
#pragma once

#include <cstdint>

namespace quintorbelle {

// Palette and bitmap (palette.cpp).
int32_t ChoosePaletteStyle();
void BuildPalette(int32_t paletteStyle);

// Colour ramps (colour_ramps.cpp).
uint32_t SchemeColour(int32_t a, int32_t b, int32_t c);
int32_t BuildColourRamp();

// Density thresholds and recolouring (density.cpp). densityBase is the first
// threshold of the last build (initially 1); the ramp builder reuses it.
extern int32_t densityBase;
int32_t BuildDensityThresholds(int32_t firstThreshold);
int32_t Recolour(int32_t firstThreshold);

} // namespace quintorbelle
