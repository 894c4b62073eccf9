// The per-mode set-ups that SetUpDrawing runs: the orbit start and variation
// constants of the function systems, the orbit start of the plane maps, the
// quilt lattice, the complex-plane view and the walkers.
//
// The set-ups of modes 0 to 3 leave the restart to the view fitting; those of
// modes 4 to 7 end with RestartDrawing. The automaton's set-up is in
// automaton_set_up.cpp.
#include <algorithm>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/numeric.h"
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "parameters/parameters.h"

namespace quintorbelle {
namespace {

constexpr int kQuiltWarmUpSteps = 500;

// The linear coefficient of the quilt map for each degree, before halving.
double QuiltConstantForDegree(int32_t n) {
    if (n == 1 || n == 2) return 0.5;
    if (n == 3 || n == 4) return 1.0;
    if (n == 5 || n == 6) return 0.0;
    double value = (n - 7) % 16 / 4 * 2 + 2;
    return ((n + 1) & 2) != 0 ? -value : value;
}

} // namespace

void SetUpFunctionSystemView() {
    explorePatience = 15000;
    double sum = 0.01;
    // Counting down leaves the fixed point of map 0, the orbit's start, in
    // orbitPoint.
    for (int k = mapCount - 1; k >= 0; --k) {
        const MapRecord &map = functionTable[k];
        double determinant = (map.m0 - 1) * (map.m3 - 1) - map.m1 * map.m2;
        orbitPoint[0] = ((1 - map.m3) * map.e + map.m1 * map.f) / determinant;
        orbitPoint[1] = ((1 - map.m0) * map.f + map.m2 * map.e) / determinant;
        sum += orbitPoint[1] * orbitPoint[1] + orbitPoint[0] * orbitPoint[0];
    }
    // The variations soften and scale by the spread of the fixed points.
    const double s = sum / (2 * mapCount);
    variationSoftening = s;
    switch (variation) {
    case 1:
        variationSoftening = 2.5 * s;
        variationScale = 2 * s;
        break;
    case 2:
    case 3:
    case 4:
        variationSoftening = 3 * s;
        variationScale = 3 * s;
        break;
    case 5:
        variationSoftening = 0.4 * s;
        variationScale = variationSoftening * 0.5;
        break;
    case 6:
        variationSoftening = 0.5 * s;
        variationScale = 0.8 * variationSoftening;
        break;
    default: break;
    }
}

void SetUpOrbitStart() {
    orbitPoint[0] = 0.01;
    orbitPoint[1] = 0.003;
    // The shadow orbit starts 1e-10 to the right, to tell chaos from order.
    shadowPoint[0] = 0.0100000001;
    shadowPoint[1] = 0.003;
    explorePatience = drawMode == 2 ? 15000 : 25000;
}

void SetUpQuiltLattice() {
    viewFitted = 1;
    hexLattice = symmetryDegree % 2 == 0 ? 1 : 0;
    if (hexLattice != 0) {
        double fromHeight = imageHeight * invSqrt3 * 0.25;
        double fromWidth = displayWidth / 8;
        latticeCellWidth = 2 * TruncateToInt32(std::min(fromHeight, fromWidth) + 0.5);
        if (latticeCellWidth < 2) latticeCellWidth = 1;
        pixelsPerUnitX = latticeCellWidth;
        latticeRowHeight = TruncateToInt32((pixelsPerUnitX * sqrt3 + 0.5) * 0.5);
        if (latticeRowHeight < 2) latticeRowHeight = 1;
        pixelsPerUnitY = latticeRowHeight;
    } else {
        latticeCellWidth = std::min(imageHeight, displayWidth) / 3;
        if (latticeCellWidth < 2) latticeCellWidth = 1;
        latticeRowHeight = latticeCellWidth;
        pixelsPerUnitX = latticeCellWidth;
        pixelsPerUnitY = latticeCellWidth;
    }
    viewOriginX = 0;
    fitOrigin[0] = 0;
    fitScale = pixelsPerUnitX;
    viewOriginY = imageHeight - 1;
    fitOrigin[1] = imageHeight - 1;

    quiltConstant = QuiltConstantForDegree(symmetryDegree) * 0.5;
    if (hexLattice != 0 && mapVariant != 0) quiltConstant *= 0.5;

    for (int step = 0; step < kQuiltWarmUpSteps; ++step) {
        if (hexLattice != 0) {
            StepHexQuilt();
        } else {
            StepSquareQuilt();
        }
    }
    RestartDrawing();
}

void SetUpComplexView() {
    explorePatience = 20000;
    int32_t size = std::min(imageHeight / 3, imageWidth / 4);
    pixelsPerUnitX = size * 0.9375;
    pixelsPerUnitY = pixelsPerUnitX;
    reciprocalScale = 1 / pixelsPerUnitX;
    changedPixelCount = imageHeight * imageWidth;
    exploreZoomOdds = 7;
    viewOriginX = imageWidth / 2;
    viewOriginY = imageHeight / 2;
    RestartDrawing();
}

void SetUpWalkers() {
    walkerCentre[0] = imageWidth / 2;
    walkerCentre[1] = imageHeight / 2;
    int32_t side = std::min(imageWidth, imageHeight);
    walkerSquare[kLeft] = imageWidth / 2 - side / 2;
    walkerSquare[kTop] = imageHeight / 2 - side / 2;
    walkerSquare[kRight] = walkerSquare[kLeft] + side;
    walkerSquare[kBottom] = walkerSquare[kTop] + side;

    const int32_t n = std::min(symmetryDegree, kMaxHeadings);
    const int32_t headings = walkerTurnTable[n];
    walkers[0] = {walkerCentre[0], walkerCentre[1], 0};
    for (int32_t i = 1; i < n; ++i) walkers[i] = {walkers[0].x, walkers[0].y, i * headings / n};
    walkerCount = n;
    // The mirrored group starts where the first does and turns the other way.
    if (mirrorSymmetry != 0) {
        for (int32_t i = 0; i < n; ++i) walkers[n + i] = walkers[i];
        walkerCount = 2 * n;
    }
    symmetryDegree = n;
    currentWalker = 0;
    for (int32_t i = 0; i < headings; ++i) {
        directionTable[i][0] = SinFraction(i, headings);
        directionTable[i][1] = CosFraction(i, headings);
    }
    RestartDrawing();
}

} // namespace quintorbelle
