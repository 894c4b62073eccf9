// The attractor plotter of modes 0 to 3: follows the orbit for a budget of
// work and accumulates every position into the count and index images, by
// density or by source; once the picture has settled it colours the pixels
// the orbit never reached by where their own orbits land (the basin pass).
// Also the colour wheel about the display's centre that colouring by source
// and the quilts use.
//
// Depends on the inline orbit steps of orbit_steps.h, the view fitted
// beforehand, the density thresholds and the work meter of plot_support.h.
// Does not fit the view, clear the images or build the palette: set-up,
// fitting and restart do.

// GCC packs the map's last operations and the pixel position of the point
// into two-lane vectors here, beside the scalar chain of the orbit, which
// costs more shuffling than it saves: a sixth more instructions per step.
// The plotter is kept to scalar code; the results are the same either way.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("no-tree-slp-vectorize")
#endif

#include "frame/engine_state.h"
#include "frame/numeric.h"
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "generators/orbit_steps.h"
#include "generators/plot_support.h"

namespace quintorbelle {
namespace {

constexpr uint16_t kSaturatedCount = 32766;
constexpr int32_t kBasinIdleWork = 25;

// Map steps of the current basin pass; one more each pass.
int32_t basinDepth = 1;

bool InsideImage(int32_t column, int32_t row) {
    // Compared unsigned, so negative positions are outside too.
    return static_cast<uint32_t>(column) < static_cast<uint32_t>(imageWidth) &&
           static_cast<uint32_t>(row) < static_cast<uint32_t>(imageHeight);
}

// One whole pass over the unreached pixels. Points that fall onto the
// attractor count their colours upward from the orbit's highest colour,
// points that escape count downward from 255, one step per pass; the pass
// stops for good when the two would meet.
int32_t RunBasinPass() {
    if (maxColourIndex + basinDepth >= 256 - basinDepth) {
        workCounter += kBasinIdleWork;
        return 1;
    }
    const double scale = pixelsPerUnitX;
    const double originX = viewOriginX;
    const double originY = viewOriginY;
    const double unitsPerPixel = reciprocalScale;
    const auto landedColour = static_cast<uint8_t>((maxColourIndex + basinDepth) & 255);
    const auto escapedColour = static_cast<uint8_t>((256 - basinDepth) & 255);
    uint32_t iterations = 0;
    for (int32_t row = 0; row < imageHeight; ++row) {
        for (int32_t column = 0; column < imageWidth; ++column) {
            uint8_t &index = indexImage[row][column];
            if (index != 0) continue;
            orbitPoint[0] = (column - originX) * unitsPerPixel;
            orbitPoint[1] = (originY - row) * unitsPerPixel;
            int32_t stepped = 0;
            for (int32_t step = 0; step < basinDepth; ++step) {
                stepped = StepPlaneMap(orbitPoint);
                ++iterations;
            }
            const int32_t landingColumn = TruncateToInt32(scale * orbitPoint[0] + originX);
            const int32_t landingRow = TruncateToInt32(originY - scale * orbitPoint[1]);
            if (stepped != 0 && InsideImage(landingColumn, landingRow)) {
                // Landing where the orbit has not been decides nothing yet.
                if (countImage[landingRow][landingColumn] != 0) {
                    index = landedColour;
                    ++changedPixelCount;
                }
            } else {
                index = escapedColour;
                ++changedPixelCount;
            }
            GrowDrawnRect(column, row);
        }
    }
    ++basinDepth;
    if (iterations != 0) {
        totalIterations += iterations;
    } else {
        workCounter += kBasinIdleWork;
    }
    return 1;
}

// The steps of a function system for the length of one call: the fast
// generator's state and the constants stay in registers and go back to the
// shared block at the end. The plain affine maps, the usual case, have a
// loop without the choice of variation.
template <bool kAffineOnly>
struct FunctionSystemOrbit {
    static constexpr bool kBySourceIsMapIndex = true;
    uint32_t random = fastRandomState;
    const MapChoice choice = MapChoice::FromSharedBlock();
    const int32_t chosenVariation = kAffineOnly ? 0 : variation;
    const double k = variationScale;
    const double softening = variationSoftening;

    // The index of the chosen map; a function system never fails.
    [[gnu::always_inline]] int32_t Step(double &x, double &y) {
        random = NextFastRandom(random);
        const int32_t index = choice.Choose(random);
        ApplyFunctionMap(functionTable[index], chosenVariation, k, softening, x, y);
        return index;
    }
    int32_t Failure() const { return kPlaneStepMoved; }
    void Store() const { fastRandomState = random; }
};

// The steps of a plane map for the length of one call.
template <class Map>
struct PlaneOrbit {
    static constexpr bool kBySourceIsMapIndex = false;
    const Map map = Map::FromSharedBlock();
    int32_t failure = kPlaneStepMoved;

    // 0, or -1 when the step failed and the point stays.
    [[gnu::always_inline]] int32_t Step(double &x, double &y) {
        failure = map.Step(x, y);
        return failure == kPlaneStepMoved ? 0 : -1;
    }
    int32_t Failure() const { return failure; }
    void Store() const {}
};

// The orbit phase of one call; returns how the last step ended. Each kind of
// orbit and colouring gets a loop of its own, compiled apart, so that the
// density loop carries nothing of colouring by source and each loop has the
// registers to itself. The point is held in locals: the images are written
// through byte-sized values, which may alias anything whose address has
// left the function, and the shared orbit point would be reloaded after
// every colour change.
template <class Orbit, bool kBySource>
[[gnu::noinline]] int32_t FollowOrbit(uint32_t budget, int32_t minimumIndex) {
    Orbit orbit;
    double x = orbitPoint[0];
    double y = orbitPoint[1];
    // The maps do not move the view, so it is read once; the fitted view
    // keeps colours by position steady while zoomed.
    const double scale = pixelsPerUnitX;
    const double originX = viewOriginX;
    const double originY = viewOriginY;
    const bool zoomed = viewZoomed != 0;
    const double fittedScale = fitScale;
    const double fittedOriginX = fitOrigin[0];
    const double fittedOriginY = fitOrigin[1];
    const auto width = static_cast<uint32_t>(imageWidth);
    const auto height = static_cast<uint32_t>(imageHeight);

    WorkMeter meter;
    uint32_t iterations = iterationCount;
    while (budget > meter.units || (maxColourIndex < minimumIndex && meter.units < 100)) {
        const int32_t mapIndex = orbit.Step(x, y);
        if (mapIndex < 0) break;
        meter.CountIteration();
        const int32_t column = TruncateToInt32(scale * x + originX);
        const int32_t row = TruncateToInt32(originY - scale * y);

        uint8_t colour = 0;
        if constexpr (kBySource) {
            uint8_t fresh;
            if (Orbit::kBySourceIsMapIndex) {
                fresh = static_cast<uint8_t>((mapIndex + 1) & 255);
            } else if (zoomed) {
                fresh = ColourFromPosition(TruncateToInt32(fittedScale * x + fittedOriginX),
                                           TruncateToInt32(fittedOriginY - fittedScale * y));
            } else {
                fresh = ColourFromPosition(column, row);
            }
            colour = PushDelayLine(fresh);
        }

        if (static_cast<uint32_t>(column) < width && static_cast<uint32_t>(row) < height) {
            uint8_t &index = indexImage[row][column];
            bool coloured = false;
            if constexpr (!kBySource) {
                uint16_t &count = countImage[row][column];
                if (count >= kSaturatedCount) {
                    drawStatus = 2;
                } else if (densityThresholds[index] <= ++count) {
                    if (index == 0) {
                        ++changedPixelCount;
                        settleIteration = iterations + iterations / 4;
                    }
                    ++index;
                    if (index > maxColourIndex) maxColourIndex = index;
                    coloured = true;
                }
            } else if (index != colour) {
                if (index == 0) {
                    ++changedPixelCount;
                    settleIteration = iterations + iterations / 2;
                }
                index = colour;
                coloured = true;
            }
            if (coloured && GrowDrawnRect(column, row)) meter.ChargeArea(RectArea(drawnRect));
        }
        ++iterations;
    }
    orbitPoint[0] = x;
    orbitPoint[1] = y;
    orbit.Store();
    iterationCount = iterations;
    meter.Flush();
    return orbit.Failure();
}

template <class Orbit>
int32_t FollowOrbitColoured(uint32_t budget, int32_t minimumIndex) {
    return colourBySource != 0 ? FollowOrbit<Orbit, true>(budget, minimumIndex)
                               : FollowOrbit<Orbit, false>(budget, minimumIndex);
}

} // namespace

int32_t PlotAttractor(uint32_t budget) {
    // During an animation a density picture must show a few colours before
    // a frame may end, however small its budget.
    const int32_t minimumIndex = animationFrame != 0 && colourBySource == 0 ? 8 : 0;
    if (frameCounter != 0) EmptyRect(drawnRect);
    if (basinPhase != 0) return RunBasinPass();

    int32_t failure;
    if (drawMode == 0 || drawMode == 1) {
        failure = variation == 0
                      ? FollowOrbitColoured<FunctionSystemOrbit<true>>(budget, minimumIndex)
                      : FollowOrbitColoured<FunctionSystemOrbit<false>>(budget, minimumIndex);
    } else if (drawMode == 2) {
        failure = FollowOrbitColoured<PlaneOrbit<QuadraticMap>>(budget, minimumIndex);
    } else {
        failure = FollowOrbitColoured<PlaneOrbit<IconMap>>(budget, minimumIndex);
    }
    if (failure != kPlaneStepMoved) return ShowPlaneMapFailure(failure);

    // A density picture is finished once some count has saturated and it
    // has gone a quarter of its iterations without a newly coloured pixel.
    drawStatus =
        settleIteration < iterationCount && (colourBySource != 0 || drawStatus != 0) ? 2 : 0;
    if (maxColourIndex > 128) explorePatience = 15000;
    if (modeOption != 0 && drawMode >= 2 && viewZoomed == 0 && divergenceIteration != 0 &&
        (workCounter > 14900 || maxColourIndex > 224) && frameCounter != 0 && paramOrigin != 0) {
        workCounter = 5000;
        drawStatus = 0;
        basinDepth = 1;
        basinPhase = 1;
        changedPixelCount = imageWidth * imageHeight;
    }
    return 1;
}

uint8_t ColourFromPosition(int32_t column, int32_t row) {
    // Unsigned arithmetic throughout: far positions wrap instead of
    // overflowing, and then give some colour, as any colour will do there.
    const uint32_t dx = static_cast<uint32_t>(column) - static_cast<uint32_t>(displayWidth / 2);
    const uint32_t dy = static_cast<uint32_t>(imageHeight / 2) - static_cast<uint32_t>(row);
    const uint32_t dxSquared = dx * dx;
    const uint32_t distanceSquared = dxSquared + dy * dy;

    // v = 4096 cos(theta) |cos(theta)| of the direction of (dx, dy).
    int64_t v = 0;
    if (distanceSquared != 0) {
        v = static_cast<int64_t>(4096u * static_cast<uint64_t>(dxSquared) / distanceSquared);
        if (static_cast<int32_t>(dx) < 0) v = -v;
    }
    // The first table entry not above v; the table falls from 4095 to -4096.
    int32_t lo = 0;
    int32_t hi = 127;
    while (hi > lo) {
        const int32_t mid = (lo + hi) / 2;
        if (squaredCosineTable[mid] > v) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    int32_t hue = lo;
    if (static_cast<int32_t>(dy) < 0) hue = lo == 0 ? 0 : 255 - lo;

    // The band rises and falls as a triangle wave over rings of the squared
    // distance.
    const uint32_t heightSquared =
        static_cast<uint32_t>(imageHeight) * static_cast<uint32_t>(imageHeight);
    uint32_t band = 0;
    if (heightSquared != 0) {
        band = static_cast<uint32_t>(20u * static_cast<uint64_t>(distanceSquared) / heightSquared) &
               7u;
        if (band > 4) band = 8 - band;
    }
    return static_cast<uint8_t>(5 * (hue / 5) + static_cast<int32_t>(band) + 1);
}

} // namespace quintorbelle
