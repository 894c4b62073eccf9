// Complex-plane pictures of modes 5 and 6: the per-pixel iterations, the
// progressive renderer, the orbit-statistics picture and one pixel's orbit.
#pragma once

#include <cstdint>

namespace quintorbelle {

// Escape-time and Newton pixels (pixel_iteration.cpp).
int32_t EscapeTimePixel(int32_t x, int32_t y, uint32_t resumeCount, double *resumePoint,
                        uint32_t *outCount);
int32_t NewtonPixel(int32_t x, int32_t y, uint32_t resumeCount, double *resumePoint,
                    uint32_t *outCount);

// Progressive refinement (progressive_render.cpp).
int32_t PowerCost(int32_t exponent);
int32_t RefineComplexPicture(int32_t progressive);

// Orbit statistics (orbit_statistics.cpp).
int32_t ClassifyOrbitStep(int32_t x, int32_t y, uint32_t resumeCount);
int32_t StepOrbitStatistics();

// One pixel's orbit on the window (pixel_orbit.cpp).
void ShowPixelOrbit(int32_t x, int32_t y);

} // namespace quintorbelle
