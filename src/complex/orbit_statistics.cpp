// The orbit-statistics picture of mode 5 with the map variant: each level
// advances every running pixel's orbit of z^(n+1) + c by one iteration and
// classifies it against the orbit of 0 at the cusp of the main component
// and against its own previous modulus; the number of levels in the counted
// class sets the colour through the density thresholds.
//
// Depends on the pixel mapping shared with the pixel workers, the escape
// radius and cusp orbit of the complex slice generator, and the density
// thresholds of the display. Keeps one saved point per pixel in orbitStore
// (allocated with malloc here, never freed here).
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "complex/complex.h"
#include "complex/pixel_plane.h"
#include "frame/engine_state.h"
#include "frame/shared_block.h"
#include "generators/plot_support.h"
#include "parameters/parameters.h"

namespace quintorbelle {
namespace {

constexpr uint32_t kHighestLevel = 65535;
constexpr uint16_t kFinishedCount = 32766; // counts from here on are not visited
constexpr uint16_t kEscapedMark = 32768;
constexpr uint16_t kThresholdMark = 32767;
constexpr int32_t kLevelsAtOnceInAnimation = 16;

enum OrbitClass : int32_t { kFinished = 0, kRunning = 1, kCounted = 2, kEscapedLate = 3 };

// One pass over scanRect at the current level; returns the pixels that
// finished in class 0.
int32_t ClassifyScanRect() {
    int32_t finished = 0;
    for (int32_t y = scanRect[kTop]; y < scanRect[kBottom]; ++y) {
        for (int32_t x = scanRect[kLeft]; x < scanRect[kRight]; ++x) {
            const uint16_t count = countImage[y][x];
            if (count >= kFinishedCount) continue;
            switch (ClassifyOrbitStep(x, y, iterationCount - 1)) {
            case kFinished:
                countImage[y][x] = static_cast<uint16_t>(count + kEscapedMark);
                ++finished;
                break;
            case kRunning: GrowRect(pendingRect, x, y); break;
            case kCounted: {
                const auto counted = static_cast<uint16_t>(count + 1);
                countImage[y][x] = counted;
                const uint8_t index = indexImage[y][x];
                if (densityThresholds[index] <= counted) {
                    const auto raised = static_cast<uint8_t>(index + 1);
                    indexImage[y][x] = raised;
                    maxColourIndex = std::max<int32_t>(maxColourIndex, raised);
                    lastChangeIteration = iterationCount;
                    GrowDrawnRect(x, y);
                }
                GrowRect(pendingRect, x, y);
                break;
            }
            default: {
                // Escaped under variant 8: a new top colour, kept finished.
                int32_t top = maxColourIndex;
                if (indexImage[y][x] == top && top < 255) ++top;
                maxColourIndex = top;
                indexImage[y][x] = static_cast<uint8_t>(top);
                countImage[y][x] = static_cast<uint16_t>(densityThresholds[top] + kThresholdMark);
                lastChangeIteration = iterationCount;
                GrowDrawnRect(x, y);
                break;
            }
            }
        }
    }
    return finished;
}

} // namespace

int32_t ClassifyOrbitStep(int32_t x, int32_t y, uint32_t resumeCount) {
    double *saved = nullptr;
    if (orbitStore != nullptr) {
        saved = orbitStore + 2 * (static_cast<size_t>(imageWidth) * static_cast<size_t>(y) +
                                  static_cast<size_t>(x));
    }
    double c[2];
    double z[2];
    PixelConstant(x, y, c);
    uint32_t i = ResumeOrStart(x, y, resumeCount, saved, z);
    const double before = colouringVariant != 0 ? z[0] * z[0] + z[1] * z[1] : 0;
    const int32_t degree = symmetryDegree;
    for (; i < iterationCount; ++i) {
        StepPowerMap(z, c, degree);
        ++totalIterations;
    }
    ++totalIterations;
    const double m = z[0] * z[0] + z[1] * z[1];
    if (m > escapeRadiusSquared) return colouringVariant == 8 ? kEscapedLate : kFinished;

    // Variants 4 to 8 also finish a pixel whose orbit stands still; at the
    // first level the saved point is left over from another picture.
    bool fixed = false;
    if (saved != nullptr) {
        if (colouringVariant >= 4 && iterationCount > 1)
            fixed = saved[0] == z[0] && saved[1] == z[1];
        saved[0] = z[0];
        saved[1] = z[1];
    }
    const double g = cuspOrbitModulus;
    const bool early = iterationCount <= 1;
    bool counted;
    switch (colouringVariant) {
    case 0: counted = !(m > g); break;
    case 1: counted = !(m > g || m > before); break;
    case 2: counted = !(m > before); break;
    case 3: counted = !(m > g && m > before); break;
    case 4:
        if (fixed) return kFinished;
        counted = m <= g && m > before;
        break;
    case 5:
        if (fixed) return kFinished;
        counted = m > g && m < before;
        break;
    case 6:
        if (early) return kRunning;
        if (fixed) return kFinished;
        counted = g < before && m <= g;
        break;
    case 7:
        if (early) return kRunning;
        if (fixed) return kFinished;
        counted = g > before && m > g;
        break;
    case 8:
        if (fixed) return kFinished;
        if (early) return kRunning;
        counted = m > before;
        break;
    default: counted = false; break;
    }
    return counted ? kCounted : kRunning;
}

int32_t StepOrbitStatistics() {
    EmptyRect(drawnRect);
    int32_t total = 0;
    bool levelRaised;
    do {
        levelRaised = true;
        if (iterationCount == 0) {
            scanRect[kLeft] = 0;
            scanRect[kTop] = 0;
            scanRect[kRight] = imageWidth;
            scanRect[kBottom] = imageHeight;
            maxColourIndex = 0;
            if (orbitStore == nullptr) {
                const size_t pixels =
                    static_cast<size_t>(imageWidth) * static_cast<size_t>(imageHeight);
                orbitStore = static_cast<double *>(std::malloc(pixels * 2 * sizeof(double)));
            }
            iterationCount = 1;
            SetUpEscapeRadius(1);
        } else {
            std::copy(pendingRect, pendingRect + 4, scanRect);
            settleIteration = iterationCount;
            if (iterationCount < kHighestLevel && pendingRect[kRight] > pendingRect[kLeft]) {
                ++iterationCount;
            } else {
                drawStatus = 2;
                levelRaised = false;
            }
        }
        SetUpEscapeRadius(0); // the reference orbit keeps in step with the pixels
        std::copy(drawnRect, drawnRect + 4, pendingRect);
        total += ClassifyScanRect();
        // During an animation the first call brings a new picture to 16
        // iterations at once. A level that found the picture complete did
        // not raise the count, so repeating would scan the same level for
        // ever: the repetition ends with the first level that is not raised.
    } while (animationFrame != 0 && levelRaised &&
             iterationCount <= static_cast<uint32_t>(kLevelsAtOnceInAnimation));
    return total;
}

} // namespace quintorbelle
