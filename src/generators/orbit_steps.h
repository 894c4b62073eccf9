// One step of each orbit map, inline, on a point the caller holds: the
// plotter's loop keeps the point, the coefficients and the fast generator's
// state in registers for a whole call instead of going through the shared
// block at every step. The steps are forced inline: a call would pass the
// point through memory and put a store and a load on the orbit's chain of
// dependent operations. The entry points StepFunctionSystem and StepPlaneMap
// (orbit_maps.cpp) are these same steps on the shared block.
//
// Depends on the shared block and engine_state.h for the coefficients.
// Shows no title: a failing plane step only returns its kind, and
// ShowPlaneMapFailure shows it.
#pragma once

#include <cmath>
#include <cstdint>

#include "frame/engine_state.h"
#include "frame/shared_block.h"
#include "generators/complex_power.h"

namespace quintorbelle {

// How a plane map step ended; the failures in the order they are tested.
enum PlaneStepResult : int32_t {
    kPlaneStepMoved = 0,
    kPlaneStepEscapesX = 1,
    kPlaneStepEscapesY = 2,
    kPlaneStepConverges = 3
};

// Shows the title text of a failed plane step; returns 0 (orbit_maps.cpp).
int32_t ShowPlaneMapFailure(int32_t failure);

// The next state of the multiplicative generator modulo 2^31 - 1, which is
// also the value drawn.
inline uint32_t NextFastRandom(uint32_t state) {
    return static_cast<uint32_t>(static_cast<uint64_t>(state) * 1078318381u % 2147483647u);
}

// The tests on a plane map's new point, before it is stored.
inline int32_t TestPlaneStep(double x, double y, double nextX, double nextY) {
    if (!std::isfinite(nextX)) return kPlaneStepEscapesX;
    if (!std::isfinite(nextY)) return kPlaneStepEscapesY;
    if (nextX == x && nextY == y) return kPlaneStepConverges;
    return kPlaneStepMoved;
}

// The quadratic map of mode 2 in delay form: the point holds two successive
// values of one quadratic recurrence.
struct QuadraticMap {
    double c0, c1, c2, c3, c4, c5;

    static QuadraticMap FromSharedBlock() {
        return {quadCoef0, quadCoef1, quadCoef2, quadCoef3, quadCoef4, quadCoef5};
    }

    // Moves (x, y) unless a test fails; returns how the step ended.
    [[gnu::always_inline]] int32_t Step(double &x, double &y) const {
        const double nextX = c0 + x * (c1 + c2 * x + c3 * y) + y * (c4 + c5 * y);
        const int32_t result = TestPlaneStep(x, y, nextX, x);
        if (result == kPlaneStepMoved) {
            y = x;
            x = nextX;
        }
        return result;
    }
};

// The symmetric icon map of degree n, in its plain form (a rotation term
// unless mirrored) or its variant form (a term in |z| instead).
struct IconMap {
    double lambda, alpha, beta, gamma, omega;
    int32_t degree;
    bool mirror, variant;

    static IconMap FromSharedBlock() {
        return {quintorbelle::lambda, quintorbelle::alpha,    quintorbelle::beta,
                quintorbelle::gamma,  quintorbelle::omega[0], symmetryDegree,
                mirrorSymmetry != 0,  mapVariant != 0};
    }

    [[gnu::always_inline]] int32_t Step(double &x, double &y) const {
        double power[2];
        ComplexPower(power, x, y, degree - 1);
        const double modulusSquared = x * x + y * y;
        double a = lambda + alpha * modulusSquared + beta * (x * power[0] - y * power[1]);
        double wRe;
        double wIm;
        if (!variant) {
            if (mirror) {
                wRe = a * x;
                wIm = a * y;
            } else {
                wRe = a * x - omega * y;
                wIm = a * y + omega * x;
            }
        } else {
            // The extra term needs the direction of z, which the origin lacks.
            if (modulusSquared != 0) {
                const double r = std::sqrt(modulusSquared);
                if (mirror) {
                    a = a + omega * r;
                } else {
                    double direction[2];
                    ComplexPower(direction, x / r, y / r, degree);
                    a = a + omega * r * direction[0];
                }
            }
            wRe = a * x;
            wIm = a * y;
        }
        const double nextX = wRe + gamma * power[0];
        const double nextY = wIm - gamma * power[1];
        const int32_t result = TestPlaneStep(x, y, nextX, nextY);
        if (result == kPlaneStepMoved) {
            x = nextX;
            y = nextY;
        }
        return result;
    }
};

// How a function system chooses its map from a fast draw: uniformly, or in
// proportion to the weights when weightedChoice is set.
struct MapChoice {
    uint32_t count;  // maps in use
    uint32_t weight; // their weight sum, 0 for the uniform choice

    static MapChoice FromSharedBlock() {
        // A table not filled yet has no maps; map 0 then stands in rather
        // than dividing by zero, as it does for a weight sum of 0.
        return {mapCount > 0 ? static_cast<uint32_t>(mapCount) : 1u,
                weightedChoice != 0 ? totalWeight : 0u};
    }

    [[gnu::always_inline]] int32_t Choose(uint32_t draw) const {
        if (weight == 0) [[likely]] {
            return static_cast<int32_t>(draw % count);
        }
        int64_t remaining = draw % weight;
        for (uint32_t i = 0; i + 1 < count; ++i) {
            remaining -= functionTable[i].weight;
            if (remaining < 0) return static_cast<int32_t>(i);
        }
        // Only a weight sum larger than the weights themselves gets here.
        return static_cast<int32_t>(count - 1);
    }
};

// The affine map followed by the nonlinear variation, on (x, y).
[[gnu::always_inline]] inline void ApplyFunctionMap(const MapRecord &map, int32_t chosenVariation,
                                                    double k, double softening, double &x,
                                                    double &y) {
    const double t = map.m0 * x + map.m1 * y + map.e;
    const double u = map.m2 * x + map.m3 * y + map.f;
    double s;
    switch (chosenVariation) {
    case 0:
        x = t;
        y = u;
        break;
    case 1:
        s = k / (x * x + y * y + softening) + 0.2;
        x = s * t;
        y = s * u;
        break;
    case 2:
        s = k / (t * t + u * u + softening);
        x = s * t;
        y = s * u;
        break;
    case 3: {
        // The first denominator softens with K itself, not with the softening.
        const double nextX = t * k / (t * t + y * y + k);
        y = u * k / (u * u + x * x + softening);
        x = nextX;
        break;
    }
    case 4: {
        const double nextX = t * k / (u * u + x * x + softening);
        y = u * k / (t * t + y * y + softening);
        x = nextX;
        break;
    }
    case 5:
        s = 1 - k / (x * x + y * y + softening);
        x = s * t;
        y = s * u;
        break;
    case 6:
        s = 1 - k / (t * t + u * u + softening);
        x = s * t;
        y = s * u;
        break;
    default: break;
    }
}

} // namespace quintorbelle
