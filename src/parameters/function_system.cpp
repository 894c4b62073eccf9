// The function-system generator of modes 0 and 1: draws contracting affine
// base maps at random, completes the table by rotated and mirrored copies
// and two optional fixed maps, keeps the weight sum, and describes the last
// base map in the window title; its animation frame turns, shears and
// shrinks the base maps a little. Also the exact angles that other
// generators use.
//
// Depends on the random generator, the 2x2 product and the start-up
// constants of the frame, and on SetUpDrawing to restart. Does not iterate
// the maps: the orbit step and the plotter are in subsystem 6.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "parameters/parameters.h"

namespace quintorbelle {

// Sine of the angle k/n of a full turn, exact where it is known: 0, ±1/2, ±1.
double SinFraction(int32_t k, int32_t n) {
    const int64_t k64 = k;
    const int64_t n64 = n;
    if (k64 == 0 || 2 * k64 == n64) return 0;
    if (n64 == 4 * k64) return 1;
    if (3 * n64 == 4 * k64) return -1;
    if (n64 == 12 * k64 || 5 * n64 == 12 * k64) return 0.5;
    if (11 * n64 == 12 * k64 || 7 * n64 == 12 * k64) return -0.5;
    // The fraction of a turn is formed in extended precision before the
    // angle is rounded to double.
    long double turn = static_cast<long double>(k) / static_cast<long double>(n);
    return std::sin(static_cast<double>(turn * static_cast<long double>(twoPi)));
}

// The sine a quarter turn further on; n must not be 0.
double CosFraction(int32_t k, int32_t n) {
    const int64_t fourN = 4 * static_cast<int64_t>(n);
    const int64_t shifted = (static_cast<int64_t>(n) + 4 * static_cast<int64_t>(k)) % fourN;
    return SinFraction(static_cast<int32_t>(shifted), static_cast<int32_t>(fourN));
}

namespace {

// Scalings of one draw r of the random generator (0 to p - 1).
double UnitDraw(uint32_t r) {
    return r * 2.328306549837829e-10; // 0 to 1
}
double SignedDraw(uint32_t r) {
    return r * 4.65661310075986e-10 - 1; // -1 to 1
}
double CopyScaleDraw(uint32_t r) {
    return 0.8 + r * 9.313226201519721e-11; // 0.8 to 1.2
}
uint32_t WeightDraw(uint32_t r) {
    return r % 100 + 1; // 1 to 100
}

constexpr double kShrink[4] = {0.998, 0, 0, 0.998};
// The shear of an animation frame; its step changes sign whenever a map has
// been sheared until it no longer contracts.
double shear[4] = {1, 0.002, 0, 1};
// randomCounter as it was when the copies were last built from scratch.
uint32_t savedRandomCounter = 0;
char description[256];

// The contraction test: the sum of the squared entries minus the squared
// determinant stays below 1 for a map that contracts.
double ContractionMeasure(const double *m) {
    const double sumOfSquares = m[0] * m[0] + m[1] * m[1] + m[2] * m[2] + m[3] * m[3];
    const double determinant = m[0] * m[3] - m[1] * m[2];
    return sumOfSquares - determinant * determinant;
}

void AnimateBaseMaps() {
    const double cosDegree = degreeRotation[0];
    const double sinDegree = degreeRotation[2];
    for (int32_t i = 0; i < baseMapCount; ++i) {
        MapRecord &map = functionTable[i];
        double m[4] = {map.m0, map.m1, map.m2, map.m3};
        if ((animationFlags & 4) != 0) Multiply2x2(m, m, kShrink);
        if (drawMode != 1) {
            if ((animationFlags & 2) != 0) {
                Multiply2x2(m, m, shear);
                if (ContractionMeasure(m) >= 1) shear[1] = -shear[1];
            }
            if ((animationFlags & 1) != 0) Multiply2x2(m, m, degreeRotation);
        }
        map.m0 = m[0];
        map.m1 = m[1];
        map.m2 = m[2];
        map.m3 = m[3];
        if ((animationFlags & 8) != 0) {
            const double e = map.e;
            const double f = map.f;
            map.e = e * cosDegree - f * sinDegree;
            map.f = e * sinDegree + f * cosDegree;
        }
    }
}

// Draws base maps into the free slots from mapCount up to baseMapCount - 1,
// redrawing each candidate until it contracts and suits the symmetry.
void DrawBaseMaps(int32_t request) {
    for (int32_t i = mapCount; i < baseMapCount;) {
        double m0, m1, m2, m3;
        double e = 0;
        double f = 0;
        if (drawMode == 1) {
            // A homothety: uniform scaling about a point, perhaps by a half turn.
            const uint32_t r1 = Random();
            const uint32_t r2 = Random();
            const double s = 0.6 * SignedDraw(Random());
            m0 = m3 = s;
            m1 = m2 = 0;
            e = UnitDraw(r1) * (1 + s);
            f = UnitDraw(r2) * (1 + s);
        } else {
            // The first column never exceeds length 1.
            m0 = SignedDraw(Random());
            m2 = SignedDraw(Random()) * std::sqrt(1 - m0 * m0);
            const double v3 = SignedDraw(Random());
            m1 = v3;
            m3 = v3 * SignedDraw(Random());
        }
        const double q = m0 * m0 + m1 * m1 + m2 * m2 + m3 * m3;
        const double d = m0 * m3 - m1 * m2;
        if (!(q - d * d < 1)) continue;

        // A zero first column or determinant leaves some of these infinite or
        // not a number; they are kept as they come, for the tests below and
        // the description.
        const double columnLength = std::sqrt(m0 * m0 + m2 * m2);
        const double shearValue = (m0 * m1 + m2 * m3) / d;
        const double z = std::sqrt(q * q / 4 - d * d);
        const double largestSingular = std::sqrt(q / 2 + z);
        const double smallestSingular = std::sqrt(q / 2 - z);
        const double skew = d / columnLength;

        // A lone base map may keep at most half the area.
        if (baseMapCount == 1 && std::fabs(d) > 0.5) continue;
        const double angle = std::asin(m2 / columnLength) * 360 / twoPi;
        // How many rotated copies fit before they overlap too much.
        const double degreeLimit = 4 / smallestSingular;
        maxSymmetryDegree = degreeLimit < 300 ? static_cast<int32_t>(degreeLimit) : 300;

        if (request == QB_REQUEST_NEW_ADAPTED) {
            if (largestSingular < 0.1 && baseMapCount == 1 && symmetryDegree < 6) {
                symmetryDegree += 6;
            }
            if (largestSingular >= 0.1 && std::fabs(d) > 0.4 && shrinkCopies == 0 &&
                symmetryDegree <= maxSymmetryDegree) {
                PostCommand(kCommandMoreSymmetrySuggested, kSourceSettings);
            }
        }
        if (shrinkCopies == 0 && symmetryDegree > maxSymmetryDegree && baseMapCount == 1) {
            // The degree does not suit the map: redraw it, or when adapting
            // the symmetry, sometimes keep it, with one more base map.
            const uint32_t selector = request == QB_REQUEST_NEW_ADAPTED ? (Random() & 5u) : 0u;
            if (selector < 4) continue;
            if (selector == 4) baseMapCount += 1;
        }

        MapRecord &map = functionTable[i];
        map.m0 = m0;
        map.m1 = m1;
        map.m2 = m2;
        map.m3 = m3;
        if (drawMode != 1) {
            e = SignedDraw(Random());
            f = SignedDraw(Random());
        }
        map.e = e;
        map.f = f;
        map.weight = WeightDraw(Random());
        if (i == baseMapCount - 1) {
            std::snprintf(description, sizeof description,
                          "%g %g %g:%g %g %g:Rot %0g Mag %g %g %g Shear %g K %g", m0, m1, e, m2, m3,
                          f, angle, columnLength, skew, d, shearValue, largestSingular);
            SetTitleText(description, kTitleAtOnce | kTitleEvenIfSame);
        }
        ++i;
        mapCount = i;
    }
}

// Rotated copies of every base map; returns the number of maps.
int32_t AddRotatedCopies(int32_t request) {
    int32_t count = baseMapCount;
    const int32_t n = symmetryDegree;
    if (n <= 1) return count;

    double ct = CosFraction(1, n);
    double st = SinFraction(1, n);
    double cl = ct;
    double sl = st;
    if (halfAngleCopies != 0) {
        cl = CosFraction(1, 2 * n);
        sl = SinFraction(1, 2 * n);
    }
    if (shrinkCopies != 0) {
        // Each further copy is smaller by the factor again.
        const double factor = n < 5 ? 0.8 : 0.9;
        ct *= factor;
        st *= factor;
        cl *= factor;
        sl *= factor;
    }
    // Replaying the draws of the last full build keeps the copy weights and
    // skip decisions steady through an animation.
    if (request == QB_REQUEST_ANIMATE && (randomCopySkip != 0 || weightedChoice != 0)) {
        randomCounter = savedRandomCounter;
    } else {
        savedRandomCounter = randomCounter;
    }

    for (int32_t b = 0; b < baseMapCount; ++b) {
        MapRecord previous = functionTable[b];
        for (int32_t k = 1; k < n && count < kMapCapacity; ++k) {
            MapRecord &copy = functionTable[count];
            copy.m0 = cl * previous.m0 - sl * previous.m2;
            copy.m1 = cl * previous.m1 - sl * previous.m3;
            copy.m2 = sl * previous.m0 + cl * previous.m2;
            copy.m3 = sl * previous.m1 + cl * previous.m3;
            if (shiftCopies != 0) {
                copy.e = previous.e + 0.5;
                copy.f = previous.f + 0.25;
            } else {
                copy.e = ct * previous.e - st * previous.f;
                copy.f = st * previous.e + ct * previous.f;
            }
            copy.weight = WeightDraw(Random());
            // The k-th copy is the k-th power of the step, before any
            // random scaling.
            previous = copy;
            if (randomCopyScale != 0) {
                const double g = CopyScaleDraw(Random());
                copy.m0 *= g;
                copy.m1 *= g;
                copy.m2 *= g;
                copy.m3 *= g;
                copy.e *= g;
                copy.f *= g;
            }
            // A skipped copy is overwritten by the next; the last copy of a
            // lone map always stays, so that at least two maps exist.
            if (randomCopySkip == 0 || (k == n - 1 && count == 1) || (Random() & 1u) != 0) {
                ++count;
            }
        }
    }
    return count;
}

// Appends a map with weight 100 if the table has room for it; a table
// filled by the rotated copies drops it.
void AppendFixedMap(int32_t &count, double m0, double m3, double e, double f) {
    if (count >= kMapCapacity) return;
    functionTable[count] = {m0, 0, 0, m3, e, f, 100, 0};
    ++count;
}

} // namespace

void GenerateFunctionSystem(int32_t request) {
    if (syncDepth != 0) return;
    if (request != QB_REQUEST_KEEP) {
        mapCount = 0;
        paramOrigin = 2;
    }
    if (drawMode == 1) {
        if ((animationFlags & 8) == 0) animationFlags = 15;
    } else if ((animationFlags & (1 | 8)) == 0) {
        animationFlags = 15;
    }
    // The table holds 300 maps, so no more base maps than that.
    baseMapCount = std::clamp(baseMapCount, 1, kMapCapacity);

    if (request == QB_REQUEST_ANIMATE) {
        AnimateBaseMaps();
    } else {
        // A lone map redrawn until it suits a degree above 300 would never
        // pass unless the draw may add a second map; such a degree is
        // clamped first, as no map can suit more than 300 copies anyway.
        if (mapCount < baseMapCount && baseMapCount == 1 && shrinkCopies == 0 &&
            request != QB_REQUEST_NEW_ADAPTED && symmetryDegree > kMapCapacity) {
            symmetryDegree = kMapCapacity;
        }
        DrawBaseMaps(request);
    }

    int32_t count = AddRotatedCopies(request);

    // Mirrored copies: the reflection y -> -y after each map, skipped as a
    // whole when the table could not hold them.
    if (mirrorSymmetry != 0 && 2 * count < kMapCapacity) {
        for (int32_t j = 0; j < count; ++j) {
            MapRecord mirrored = functionTable[j];
            mirrored.m2 = -mirrored.m2;
            mirrored.m3 = -mirrored.m3;
            mirrored.f = -mirrored.f;
            functionTable[count + j] = mirrored;
        }
        count *= 2;
    }

    // The extra maps are placed relative to the fixed point of map 0; when
    // map 0 has the eigenvalue 1 that point is not finite, and is kept so.
    const MapRecord &first = functionTable[0];
    const double k = (first.m0 - 1) * (first.m3 - 1) - first.m1 * first.m2;
    const double fixedX = (first.f * first.m1 - first.e * (first.m3 - 1)) / k;
    const double fixedY = (first.e * first.m2 - first.f * (first.m0 - 1)) / k;
    if (extraHalfMap != 0) AppendFixedMap(count, 0.5, 0.5, 1.75 * fixedX, 1.75 * fixedY);
    if (extraFlipMap != 0) AppendFixedMap(count, -0.7, 0.7, -1.7 * fixedX, 0.3 * fixedY);

    uint32_t weightSum = 0;
    for (int32_t j = 0; j < count; ++j) weightSum += functionTable[j].weight;
    totalWeight = weightSum;
    mapCount = count;
    if (request != QB_REQUEST_ANIMATE) SetUpDrawing();
}

} // namespace quintorbelle
