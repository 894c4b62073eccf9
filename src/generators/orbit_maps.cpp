// Orbit maps of the attractor pictures, one step at a time: the randomly
// chosen affine map of the function systems (modes 0 and 1) with its
// nonlinear variations, and the deterministic plane maps of the other modes
// (the quadratic delay map of mode 2, the symmetric icon map elsewhere) with
// the tests that stop an orbit leaving the finite numbers or standing still.
//
// Depends on the shared block (coefficients, function table, orbit points),
// the variation constants and weight sum of engine_state.h, and the window
// title of the frame. Places no starting points and draws nothing: set-up,
// plotting and view fitting are elsewhere.
#include <cmath>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "generators/generators.h"

namespace quintorbelle {
namespace {

// Each failure text is one fixed address, so the title's repeat test by
// address suppresses the same failure shown again.
constexpr char kEscapesX[] = "Can't draw - Orbit escapes X";
constexpr char kEscapesY[] = "Can't draw - Orbit escapes Y";
constexpr char kConverges[] = "Can't draw - Orbit converges";

// A failure right after new parameters or during plotting must be seen at
// once; while a survey keeps failing the title is throttled.
int32_t Fail(const char *text) {
    SetTitleText(text, viewFitted != 0 || paramOrigin != 0 ? kTitleAtOnce : 0);
    return 0;
}

// Chooses the map for this step from one fast draw: uniformly, or in
// proportion to the weights when weightedChoice is set.
int32_t ChooseMap(uint32_t draw) {
    // A table not filled yet has no maps; map 0 then stands in rather than
    // dividing by zero.
    const uint32_t count = mapCount > 0 ? static_cast<uint32_t>(mapCount) : 1u;
    if (weightedChoice == 0 || totalWeight == 0) return static_cast<int32_t>(draw % count);
    int64_t remaining = draw % totalWeight;
    for (uint32_t i = 0; i + 1 < count; ++i) {
        remaining -= functionTable[i].weight;
        if (remaining < 0) return static_cast<int32_t>(i);
    }
    // Only a weight sum larger than the weights themselves gets here.
    return static_cast<int32_t>(count - 1);
}

} // namespace

// Multiplicative congruential generator modulo 2^31 - 1; from the initial
// state 1 its states stay in 1 .. 2^31 - 2.
uint32_t FastRandom() {
    fastRandomState =
        static_cast<uint32_t>(static_cast<uint64_t>(fastRandomState) * 1078318381u % 2147483647u);
    return fastRandomState;
}

int32_t StepFunctionSystem() {
    const int32_t index = ChooseMap(FastRandom());
    const MapRecord &map = functionTable[index];
    const double x = orbitPoint[0];
    const double y = orbitPoint[1];
    const double t = map.m0 * x + map.m1 * y + map.e;
    const double u = map.m2 * x + map.m3 * y + map.f;
    const double k = variationScale;
    const double softening = variationSoftening;
    double s;
    switch (variation) {
    case 0:
        orbitPoint[0] = t;
        orbitPoint[1] = u;
        break;
    case 1:
        s = k / (x * x + y * y + softening) + 0.2;
        orbitPoint[0] = s * t;
        orbitPoint[1] = s * u;
        break;
    case 2:
        s = k / (t * t + u * u + softening);
        orbitPoint[0] = s * t;
        orbitPoint[1] = s * u;
        break;
    case 3:
        // The first denominator softens with K itself, not with the softening.
        orbitPoint[0] = t * k / (t * t + y * y + k);
        orbitPoint[1] = u * k / (u * u + x * x + softening);
        break;
    case 4:
        orbitPoint[0] = t * k / (u * u + x * x + softening);
        orbitPoint[1] = u * k / (t * t + y * y + softening);
        break;
    case 5:
        s = 1 - k / (x * x + y * y + softening);
        orbitPoint[0] = s * t;
        orbitPoint[1] = s * u;
        break;
    case 6:
        s = 1 - k / (t * t + u * u + softening);
        orbitPoint[0] = s * t;
        orbitPoint[1] = s * u;
        break;
    default: break;
    }
    return index;
}

int32_t StepPlaneMap(double *point) {
    const double x = point[0];
    const double y = point[1];
    double nextX;
    double nextY;
    if (drawMode == 2) {
        // Delay form: the point holds two successive values of one quadratic
        // recurrence.
        nextX = quadCoef0 + x * (quadCoef1 + quadCoef2 * x + quadCoef3 * y) +
                y * (quadCoef4 + quadCoef5 * y);
        nextY = x;
    } else {
        double power[2];
        ComplexPower(power, x, y, symmetryDegree - 1);
        const double modulusSquared = x * x + y * y;
        double a = lambda + alpha * modulusSquared + beta * (x * power[0] - y * power[1]);
        double wRe;
        double wIm;
        if (mapVariant == 0) {
            if (mirrorSymmetry != 0) {
                wRe = a * x;
                wIm = a * y;
            } else {
                wRe = a * x - omega[0] * y;
                wIm = a * y + omega[0] * x;
            }
        } else {
            // The extra term needs the direction of z, which the origin lacks.
            if (modulusSquared != 0) {
                const double r = std::sqrt(modulusSquared);
                if (mirrorSymmetry != 0) {
                    a = a + omega[0] * r;
                } else {
                    double direction[2];
                    ComplexPower(direction, x / r, y / r, symmetryDegree);
                    a = a + omega[0] * r * direction[0];
                }
            }
            wRe = a * x;
            wIm = a * y;
        }
        nextX = wRe + gamma * power[0];
        nextY = wIm - gamma * power[1];
    }
    if (!std::isfinite(nextX)) return Fail(kEscapesX);
    if (!std::isfinite(nextY)) return Fail(kEscapesY);
    if (nextX == x && nextY == y) return Fail(kConverges);
    point[0] = nextX;
    point[1] = nextY;
    return 1;
}

// Binary exponentiation from the lowest bit of n upward.
void ComplexPower(double *result, double re, double im, int32_t n) {
    double squareRe = re;
    double squareIm = im;
    bool haveResult = (n & 1) != 0;
    double resultRe = re;
    double resultIm = im;
    for (auto remaining = static_cast<uint32_t>(n) >> 1; remaining != 0; remaining >>= 1) {
        double nextIm = 2 * squareRe * squareIm;
        squareRe = (squareRe + squareIm) * (squareRe - squareIm);
        squareIm = nextIm;
        if ((remaining & 1u) == 0) continue;
        if (haveResult) {
            double productRe = resultRe * squareRe - resultIm * squareIm;
            resultIm = resultRe * squareIm + resultIm * squareRe;
            resultRe = productRe;
        } else {
            resultRe = squareRe;
            resultIm = squareIm;
            haveResult = true;
        }
    }
    result[0] = haveResult ? resultRe : 1;
    result[1] = haveResult ? resultIm : 0;
}

} // namespace quintorbelle
