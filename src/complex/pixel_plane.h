// What the pixel workers of modes 5 and 6 share: the mapping of a pixel to
// its constant c and its start point z0, and one step of z^(n+1) + c.
//
// The coefficients come from the restart of the drawing control; this file
// only applies them. Each value formed from the pixel counts as one
// iteration of work, as an iteration of the orbit does.
#pragma once

#include <cstdint>

#include "frame/engine_state.h"
#include "frame/shared_block.h"
#include "generators/generators.h"

namespace quintorbelle {

// Maps pixel (x, y) through step * (x - i y) + offset, the row index
// entering with a minus sign because rows grow downwards; a fixed value is
// the centre for every pixel and costs nothing.
inline void MapPixel(int32_t x, int32_t y, int32_t fixed, const double *centre, const double *step,
                     const double *offset, double *out) {
    if (fixed != 0) {
        out[0] = centre[0];
        out[1] = centre[1];
        return;
    }
    out[0] = step[0] * x + step[1] * y + offset[0];
    out[1] = step[1] * x - step[0] * y + offset[1];
    ++totalIterations;
}

inline void PixelConstant(int32_t x, int32_t y, double *c) {
    MapPixel(x, y, constantFixed, constantCentre, constantStep, constantOffset, c);
}

inline void PixelStart(int32_t x, int32_t y, double *z) {
    MapPixel(x, y, startFixed, startCentre, startStep, startOffset, z);
}

// The orbit's starting point: the saved point after `resumeCount`
// iterations when there is one, else z0 of the pixel. Returns the number of
// iterations the point stands for.
inline uint32_t ResumeOrStart(int32_t x, int32_t y, uint32_t resumeCount, const double *saved,
                              double *z) {
    if (resumeCount != 0 && saved != nullptr) {
        z[0] = saved[0];
        z[1] = saved[1];
        return resumeCount;
    }
    PixelStart(x, y, z);
    return 0;
}

// z <- z^(n+1) + c; the square is written out because it is by far the
// most common power.
inline void StepPowerMap(double *z, const double *c, int32_t n) {
    if (n < 2) {
        const double re = z[0];
        const double im = z[1];
        z[0] = (re + im) * (re - im) + c[0];
        z[1] = 2 * re * im + c[1];
        return;
    }
    ComplexPower(z, z[0], z[1], n + 1);
    z[0] += c[0];
    z[1] += c[1];
}

} // namespace quintorbelle
