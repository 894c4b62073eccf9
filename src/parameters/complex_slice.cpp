// Complex slices of modes 5 and 6: which plane through the space of start
// points z0 and constants c the picture shows, and how an animation frame
// moves or turns it. Also the escape radius and the cusp orbit of the map
// z^(n+1) + c, which the slice and the complex-plane renderers share.
//
// Depends on Random and Multiply2x2 (frame), the exact fractional angles of
// the function-system generator and ComplexPower (orbit maps). It writes the
// four slice numbers only; GenerateModeParameters sets the drawing up after
// a new slice and scales the coefficients after a slice step.
#include <cmath>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "parameters/parameters.h"

namespace quintorbelle {
namespace {

constexpr double kF2 = 4.656613099675658e-10; // close to 2 / (2^32 - 209)

// Animation bits of a slice: a shift of one part of a centre, or a turn.
enum SliceBit : int32_t {
    kShiftStartRe = 1,
    kShiftStartIm = 2,
    kShiftConstantRe = 4,
    kShiftConstantIm = 8,
    kTurnStartAxis = 16,
    kTurnStartCentre = 32,
    kTurnConstantCentre = 64,
    kTurnAxesTogether = 128
};

// The animation bits that suit the current slice; only a new slice sets them.
int32_t sliceAnimationFlags = 255;

double SignedUnitDraw() {
    return Random() * kF2 - 1;
}

void SetPair(double *pair, double re, double im) {
    pair[0] = re;
    pair[1] = im;
}

void Turn(double *pair, double cs, double sn) {
    const double re = pair[0];
    const double im = pair[1];
    pair[0] = cs * re - sn * im;
    pair[1] = cs * im + sn * re;
}

// The tilted slices (kinds 0 and 4): start point and constant both follow
// the plane, along unit-length combined axes.
void GenerateTiltedSlice(int32_t kind, double radius) {
    const int32_t n = symmetryDegree;
    const bool mirrored = mirrorSymmetry != 0;
    if (kind == 0 || mirrored) {
        SetPair(startAxis, SignedUnitDraw(), 0);
        if (mirrored) sliceAnimationFlags &= ~kTurnStartAxis;
    } else {
        const double v = SignedUnitDraw();
        RandomCirclePoint(startAxis, v, 2 * n + 2);
    }
    constantAxis[0] = std::sqrt(1 - startAxis[0] * startAxis[0] - startAxis[1] * startAxis[1]);
    startCentre[1] = 0;
    if (kind == 0) {
        startCentre[0] = SignedUnitDraw() * radius;
    } else {
        sliceAnimationFlags &= ~(kShiftStartRe | kShiftStartIm | kTurnStartCentre);
    }
    if (mirrored) {
        // For odd n the power n + 1 is even, so the imaginary axis is a
        // mirror line of the start points too and the slice may lie along it.
        if ((n & 1) != 0 && (Random() & 1u) != 0) {
            startCentre[1] = startCentre[0];
            startAxis[1] = startAxis[0];
            startCentre[0] = 0;
            startAxis[0] = 0;
            sliceAnimationFlags &= ~(kShiftStartRe | kTurnStartCentre);
        } else {
            sliceAnimationFlags &= ~(kShiftStartIm | kTurnStartCentre);
        }
    }
    SetPair(constantCentre, 0, 0);
    constantAxis[1] = 0;

    // A real slice of the escape-time picture is moved along itself so that
    // its centre is the point nearest to z0 = 0 with c halfway between -R
    // and the cusp of the main component: the middle of the set along the
    // real axis.
    if (drawMode == 5 && startAxis[1] == 0) {
        const double a = startAxis[0];
        const double b = constantAxis[0];
        const double s = startCentre[0];
        const double h = (cuspParameter - radius) / 2;
        const double q = (s * a - h * b) / (a * a + b * b);
        SetPair(startCentre, s - q * a, 0);
        SetPair(constantCentre, -q * b, 0);
        sliceAnimationFlags &= ~(kShiftConstantRe | kShiftConstantIm | kTurnConstantCentre);
    }
}

} // namespace

void SetUpEscapeRadius(int32_t reset) {
    const int32_t n = symmetryDegree;
    if (reset == 0) {
        // One step of the orbit of 0 at the cusp parameter; for n = 1 the
        // orbit is real and only its square is kept.
        if (n == 1) {
            const double w = cuspOrbitModulus + cuspParameter;
            cuspOrbitModulus = w * w;
        } else {
            ComplexPower(cuspOrbitPoint, cuspOrbitPoint[0], cuspOrbitPoint[1], n + 1);
            cuspOrbitPoint[0] += cuspParameter;
            cuspOrbitModulus = cuspOrbitPoint[0] * cuspOrbitPoint[0];
        }
        return;
    }
    SetPair(cuspOrbitPoint, 0, 0);
    cuspOrbitModulus = 0;
    if (colourBySource != 0 && colouringVariant == 7 && mapVariant == 0) {
        // The corner colouring needs room outside the circle that encloses
        // the set.
        escapeRadius = n == 1 ? 4 : 2;
    } else {
        escapeRadius = n == 1 ? 2 : std::pow(2.0, 1.0 / n);
    }
    escapeRadiusSquared = escapeRadius * escapeRadius;
    const double x = -std::log(static_cast<double>(n + 1)) / n;
    cuspParameter = std::exp(x) - std::exp((n + 1) * x);
}

void RandomCirclePoint(double *destination, double v, int32_t m) {
    if (mirrorSymmetry == 0) {
        destination[1] = SignedUnitDraw() * v;
        destination[0] = std::sqrt(v * v - destination[1] * destination[1]);
        if ((Random() & 1u) != 0) destination[0] = -destination[0];
        return;
    }
    // With a mirror only the m directions of the picture's symmetry are
    // allowed, so that the mirror line survives.
    const auto j = static_cast<int32_t>(Random() % static_cast<uint32_t>(m));
    destination[0] = v * CosFraction(j, m);
    destination[1] = -v * SinFraction(j, m);
}

void GenerateComplexSlice() {
    SetUpEscapeRadius(1);
    paramOrigin = 2;
    sliceAnimationFlags = 255;
    startCentre[0] = 0;
    const double radius = escapeRadius;
    const int32_t n = symmetryDegree;
    const bool mirrored = mirrorSymmetry != 0;

    int32_t kind = static_cast<int32_t>(Random() % 7u);
    // Newton's method from a start point of 0 for every pixel has nothing
    // to show; the fixed random start of kind 1 takes its place.
    if (kind == 2 && drawMode == 6 && mapVariant == 0) kind = 1;

    switch (kind) {
    case 2: // every pixel starts at 0; the constant follows the plane
        SetPair(startAxis, 0, 0);
        SetPair(startCentre, 0, 0);
        SetPair(constantCentre, 0, 0);
        SetPair(constantAxis, 1, 0);
        sliceAnimationFlags = mirrored ? 129 : 163;
        break;
    case 1: { // a fixed random start point; the constant follows the plane
        SetPair(constantCentre, 0, 0);
        SetPair(startAxis, 0, 0);
        SetPair(constantAxis, 1, 0);
        const double v = SignedUnitDraw() * radius;
        RandomCirclePoint(startCentre, v, 2 * n + 2);
        sliceAnimationFlags = mirrored ? 1 : 35;
        break;
    }
    case 3:
    case 5:
    case 6: { // the start point follows the plane; a fixed random constant
        if (kind != 6) sliceAnimationFlags = mirrored ? 4 : 76;
        SetPair(startAxis, 1, 0);
        SetPair(startCentre, 0, 0);
        SetPair(constantAxis, 0, 0);
        const double v = SignedUnitDraw() * radius;
        RandomCirclePoint(constantCentre, v, 2 * n);
        break;
    }
    default: GenerateTiltedSlice(kind, radius); break;
    }
}

void StepComplexSlice() {
    const double t = reciprocalScale * pi;
    const double cs = std::cos(t);
    const double sn = std::sin(t);
    int32_t bits = animationFlags & sliceAnimationFlags;
    if (bits == 0) bits = sliceAnimationFlags;
    animationFlags = bits;

    const double step = reciprocalScale;
    if ((bits & kShiftStartRe) != 0) startCentre[0] += step;
    if ((bits & kShiftStartIm) != 0) startCentre[1] += step;
    if ((bits & kShiftConstantRe) != 0) constantCentre[0] += step;
    if ((bits & kShiftConstantIm) != 0) constantCentre[1] += step;
    if ((bits & kTurnStartAxis) != 0) Turn(startAxis, cs, sn);
    if ((bits & kTurnStartCentre) != 0) Turn(startCentre, cs, sn);
    if ((bits & kTurnConstantCentre) != 0) Turn(constantCentre, cs, sn);
    if ((bits & kTurnAxesTogether) != 0) {
        const double rotation[4] = {cs, -sn, sn, cs};
        double axes[4] = {startAxis[0], startAxis[1], constantAxis[0], constantAxis[1]};
        Multiply2x2(axes, rotation, axes);
        SetPair(startAxis, axes[0], axes[1]);
        SetPair(constantAxis, axes[2], axes[3]);
    }
}

} // namespace quintorbelle
