// Quilts: the two maps of the torus (square cell and hexagonal cell) and the
// wallpaper plotter that places each orbit point in its lattice cell and
// copies its colour into every cell of the drawn region.
//
// Depends on the shared block (coefficients, view, lattice, images), the
// start-up constants, the work meter and delay line of plot_support.h, and
// the colour wheel ColourFromPosition. The lattice, the view and the warm-up
// are set by the mode's set-up; restarts are not done here.
#include <cmath>
#include <cstdint>

#include "frame/engine_state.h"
#include "frame/numeric.h"
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "generators/plot_support.h"

namespace quintorbelle {
namespace {

constexpr uint16_t kSaturatedCount = 32766;
constexpr uint32_t kMaxUnitsForMinimumIndex = 100;

// Everything a step reads, copied out of the shared block once per call so
// that the compiler need not reload it after every pixel write (a byte store
// into indexImage may alias any global).
struct QuiltMap {
    double m;
    double lambda, alpha, beta, gamma, omega;
    bool variant;  // mapVariant
    bool mirror;   // mirrorSymmetry: no omega term
    bool bySource; // colourBySource: keep the sheared coordinate
    double twoPi, pi, sqrt3, halfSqrt3, invHalfSqrt3;
};

QuiltMap CurrentQuiltMap() {
    return {quiltConstant,
            lambda,
            alpha,
            beta,
            gamma,
            omega[0],
            mapVariant != 0,
            mirrorSymmetry != 0,
            colourBySource != 0,
            twoPi,
            pi,
            sqrt3,
            halfSqrt3,
            invHalfSqrt3};
}

// The part after removing the integer part toward zero.
inline double FractionalPart(double v) {
    return v - std::trunc(v);
}

// Into [0, 1): a negative fraction is taken from the cell's far side.
inline double ReduceIntoCell(double v) {
    double f = FractionalPart(v);
    return f < 0 ? f + 1 : f;
}

inline void SquareStep(const QuiltMap &q, double &x, double &y) {
    const double sx = std::sin(q.twoPi * x);
    const double cx = std::cos(q.twoPi * x);
    const double sy = std::sin(q.twoPi * y);
    const double cy = std::cos(q.twoPi * y);
    // Multiple angles from the one sine and cosine of each angle.
    const double sin2X = 2 * sx * cx;
    const double sin2Y = 2 * sy * cy;
    const double sin3X = 3 * sx * cx * cx - sx * sx * sx;
    const double sin3Y = 3 * sy * cy * cy - sy * sy * sy;
    const double cos2X = 1 - 2 * sx * sx;
    const double cos2Y = 1 - 2 * sy * sy;
    double nx =
        q.m * x + q.lambda * sx + q.alpha * sx * cy + q.beta * sin2X + q.gamma * sin3X * cos2Y;
    double ny =
        q.m * y + q.lambda * sy + q.alpha * sy * cx + q.beta * sin2Y + q.gamma * sin3Y * cos2X;
    if (q.variant) {
        nx += 0.5;
        ny += 0.5;
    }
    if (!q.mirror) {
        nx = nx - q.omega * sy;
        ny = ny + q.omega * sx;
    }
    x = ReduceIntoCell(nx);
    y = ReduceIntoCell(ny);
}

// One step on the hexagonal cell spanned by (1, 0) and (1/2, 1). `sheared`
// receives the fractional part of the sheared x, which colouring by source
// uses.
inline void HexStep(const QuiltMap &q, double &x, double &y, double &sheared) {
    const double sa = std::sin(q.twoPi * x);
    const double ca = std::cos(q.twoPi * x);
    const double sb = std::sin(q.pi * y);
    const double cb = std::cos(q.pi * y);
    const double cos2A = 2 * ca * ca - 1;
    const double sin2A = 2 * sa * ca;
    const double cos2B = 2 * cb * cb - 1;
    const double cos4B = 2 * cos2B * cos2B - 1;
    const double sin4B = 4 * sb * cb * cos2B;
    const double cos5B = cos4B * cb - sin4B * sb;
    const double sin5B = cb * sin4B + cos4B * sb;

    const double lambdaX = sa * cb;
    const double lambdaY = 2.0 / 3.0 * sb * (2 * cb + ca);
    const double alphaX = sa * (ca + cb * (cos2B - 0.5));
    const double alphaY = sb * ca * (2 * cos2B + 1);
    const double betaX = 4 * sa * cb * (cos2A + 0.5) + sa * cos5B + sin2A * cos4B;
    const double betaY = 2 * (ca * sin5B + cos2A * sin4B);
    const double gammaX = q.sqrt3 * (sin2A * cos4B - sa * cos5B);
    const double gammaY =
        q.invHalfSqrt3 * (4 * ca * sb * (cos2A - 0.5) - cos2A * sin4B + ca * sin5B);

    double linearX = q.m * x;
    double linearY = q.m * y;
    if (q.variant) {
        linearX = q.m * (x - 1.5 * y);
        linearY = q.m * (2 * x + y);
    }
    double nx = linearX + q.lambda * lambdaX + q.alpha * alphaX + q.beta * betaX + q.gamma * gammaX;
    double ny = linearY + q.lambda * lambdaY + q.alpha * alphaY + q.beta * betaY + q.gamma * gammaY;
    if (!q.mirror) {
        nx = nx - q.omega * q.halfSqrt3 * lambdaY;
        ny = ny + q.omega * q.invHalfSqrt3 * lambdaX;
    }

    // Reduce modulo the lattice: shear x along y, reduce both, shear back.
    const double u = nx - ny / 2;
    const double reducedY = ReduceIntoCell(ny);
    const double fractionU = FractionalPart(u);
    if (q.bySource) sheared = fractionU;
    double reducedX = fractionU + reducedY / 2;
    reducedX = reducedX < 0 ? reducedX + 1 : FractionalPart(reducedX);
    x = reducedX;
    y = reducedY;
}

// Floor and ceiling to i32 without leaving the i32 range: far positions
// become INT32_MIN, which every region test rejects.
inline int32_t FloorToInt32(double v) {
    return TruncateToInt32(std::floor(v));
}

inline int32_t CeilToInt32(double v) {
    return TruncateToInt32(std::ceil(v));
}

// The part of the picture a call draws into; left is always 0.
struct QuiltRegion {
    int32_t top, right, bottom;
};

// Follows the orbit for the rest of the budget and places its points. The
// lattice and the colouring are template arguments so that the loop carries
// no tests of settings.
template <bool Hex, bool BySource>
void FollowQuiltOrbit(const QuiltMap q, const QuiltRegion region, uint32_t budget,
                      uint32_t startUnits) {
    const int32_t cellWidth = latticeCellWidth;
    const int32_t rowHeight = latticeRowHeight;
    const int32_t width = displayWidth;
    const int32_t height = imageHeight;
    const double originX = viewOriginX;
    const double originY = viewOriginY;
    const double scaleX = pixelsPerUnitX;
    const double scaleY = pixelsPerUnitY;
    const int32_t minimumIndex = animationFrame != 0 && !BySource ? 8 : 0;
    WorkMeter meter;
    meter.units = startUnits;

    double x = orbitPoint[0];
    double y = orbitPoint[1];
    double sheared = shadowPoint[0];
    uint32_t iterations = iterationCount;
    uint32_t settle = settleIteration;
    uint32_t lastChange = lastChangeIteration;
    int32_t changed = changedPixelCount;
    int32_t maxIndex = maxColourIndex;
    int32_t status = drawStatus;

    while (meter.units < budget ||
           (maxIndex < minimumIndex && meter.units < kMaxUnitsForMinimumIndex)) {
        meter.CountIteration();
        if constexpr (Hex) {
            HexStep(q, x, y, sheared);
        } else {
            SquareStep(q, x, y);
        }

        int32_t row = CeilToInt32(originY - scaleY * y);
        int32_t column = FloorToInt32(scaleX * x + originX);
        // The origin lies just below the picture; a point in the row under
        // it belongs to the row of cells above.
        if (row >= region.bottom) {
            row -= rowHeight;
            if constexpr (Hex) column -= cellWidth >> 1;
        }
        while (column < 0) column += cellWidth;

        // After a zoom the origin may sit a fraction of a pixel lower than
        // the snapped band, so the first place can be the row just below the
        // picture; its copies above still count. Only the arrays' own end is
        // out of reach.
        if (column < region.right && row >= region.top && row < kImageRows) {
            uint8_t *const pixel = &indexImage[row][column];
            const int32_t index = *pixel;
            int32_t c;
            if constexpr (BySource) {
                // The point's place in its cell, stretched to the display.
                int32_t sourceColumn;
                if constexpr (Hex) {
                    sourceColumn = (TruncateToInt32(width * sheared) + width) % width;
                } else {
                    sourceColumn = TruncateToInt32(width * x);
                }
                c = PushDelayLine(ColourFromPosition(sourceColumn, TruncateToInt32(height * y)));
            } else {
                c = index;
                uint16_t &count = countImage[row][column];
                if (count >= kSaturatedCount) {
                    status = 2;
                } else {
                    ++count;
                    if (densityThresholds[index] <= count) {
                        c = index + 1;
                        if (maxIndex < c) maxIndex = c;
                    }
                }
            }

            if (c != index) {
                const bool isNew = index == 0;
                if (isNew) {
                    settle = iterations + iterations / 4;
                    lastChange = iterations;
                }
                // Snake over the region: right along this row, up one row,
                // back left, and so on; each row of cells above is shifted by
                // half a cell on the hexagonal lattice.
                const uint8_t colour = static_cast<uint8_t>(c);
                int32_t step = cellWidth;
                int32_t copyRow = row;
                int32_t copyColumn = column;
                do {
                    if (copyColumn >= 0 && copyColumn < region.right) {
                        indexImage[copyRow][copyColumn] = colour;
                        if (isNew) ++changed;
                    }
                    copyColumn += step;
                    if (step > 0 ? copyColumn >= region.right : copyColumn < 0) {
                        copyRow -= rowHeight;
                        if constexpr (Hex) copyColumn += step >> 1;
                        step = -step;
                    }
                } while (copyRow >= region.top);
            }
        }
        ++iterations;
    }

    orbitPoint[0] = x;
    orbitPoint[1] = y;
    shadowPoint[0] = sheared;
    iterationCount = iterations;
    settleIteration = settle;
    lastChangeIteration = lastChange;
    changedPixelCount = changed;
    maxColourIndex = maxIndex;
    if (settle < iterations && BySource && workCounter > 4096) status = 2;
    drawStatus = status;
    meter.Flush();
}

} // namespace

void StepSquareQuilt() {
    const QuiltMap q = CurrentQuiltMap();
    SquareStep(q, orbitPoint[0], orbitPoint[1]);
}

void StepHexQuilt() {
    const QuiltMap q = CurrentQuiltMap();
    double x = orbitPoint[0];
    double y = orbitPoint[1];
    double sheared = shadowPoint[0];
    HexStep(q, x, y, sheared);
    orbitPoint[0] = x;
    orbitPoint[1] = y;
    shadowPoint[0] = sheared;
}

void PlotQuilt(uint32_t budget) {
    const QuiltMap q = CurrentQuiltMap();
    const bool hex = hexLattice != 0;
    const int32_t cellWidth = latticeCellWidth;
    const int32_t rowHeight = latticeRowHeight;
    const int32_t width = displayWidth;
    const int32_t height = imageHeight;

    // The drawn region: the whole display, or when a zoom made the lattice
    // too coarse to repeat, only the bottom band of one cell.
    QuiltRegion region = {0, width, height};
    if (viewZoomed != 0) {
        const int32_t rows = hex ? 3 : 2;
        if (height < rows * rowHeight || width < rows * cellWidth) {
            region.top = height - (hex ? 2 : 1) * rowHeight;
            if (region.top < 0) region.top = 0;
            const int32_t bandWidth = (hex ? 2 : 1) * cellWidth;
            if (bandWidth < region.right) region.right = bandWidth;
        }
    }
    drawnRect[kLeft] = 0;
    drawnRect[kTop] = region.top;
    drawnRect[kRight] = region.right;
    drawnRect[kBottom] = region.bottom;

    // The region's area is charged once, but never more than two thirds of
    // the budget, so that every call also iterates.
    const uint32_t areaUnits = static_cast<uint32_t>(region.bottom) *
                               static_cast<uint32_t>(region.right) /
                               static_cast<uint32_t>(areaPerWorkUnit);
    const uint32_t budgetShare = 2 * budget / 3;
    const uint32_t startUnits = areaUnits < budgetShare ? areaUnits : budgetShare;

    if (hex) {
        if (q.bySource) {
            FollowQuiltOrbit<true, true>(q, region, budget, startUnits);
        } else {
            FollowQuiltOrbit<true, false>(q, region, budget, startUnits);
        }
    } else if (q.bySource) {
        FollowQuiltOrbit<false, true>(q, region, budget, startUnits);
    } else {
        FollowQuiltOrbit<false, false>(q, region, budget, startUnits);
    }
}

} // namespace quintorbelle
