// The per-pixel workers of modes 5 and 6: the escape-time iteration of
// z^(n+1) + c with its nine escape tests and its cycle detection, and
// Newton's method on z^(n+1) + c with its convergence and root colouring.
//
// Both resume an orbit stopped at an earlier iteration limit, from a saved
// point or by recomputing the iterations known to decide nothing. They read
// the escape radius (complex slice generator), the pixel mapping (drawing
// control) and the root bands (palette); they write only the orbit history,
// historyLength and totalIterations. Colour values are in twelfths of a
// colour step; turning them into indices is the renderer's job.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "complex/complex.h"
#include "complex/pixel_plane.h"
#include "frame/engine_state.h"
#include "frame/numeric.h"
#include "frame/shared_block.h"
#include "generators/generators.h"

namespace quintorbelle {
namespace {

// History slots hold the point plus this offset in both parts, so that
// points closer than the resolution of doubles near 32 compare equal and a
// slowly settling orbit is recognised as periodic.
constexpr double kHistoryOffset = 32;
constexpr int32_t kNonFinite = 2147483647;
constexpr int32_t kNewtonFailed = -12;
constexpr double kNewtonStepSquared = 1e-8;

// The escape tests: the plain circle, and the nine of colouring by source.
enum EscapeRule : int32_t {
    kRealBand,      // variant 0
    kRightOfRadius, // variant 1
    kImaginaryBand, // variant 2
    kSquareProduct, // variant 3
    kSquareAngle,   // variant 4
    kSquareSaddle,  // variant 5
    kCornerModulus, // variant 6
    kCircleCorners, // variant 7
    kSmoothCircle,  // variant 8
    kCircle,        // colouring by source off
    kNoEscape       // any other variant: the orbit runs to the limit
};

// Adds in 32 bits with wrap-around, as the pixel value is an i32 formed
// from a count and a truncated real that may be the integer indefinite.
int32_t WrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

double AtMost(double value, double limit) {
    return value < limit ? value : limit;
}

// The colour offset of the bands of variants 0 to 2: wrapped to one turn of
// the escape ramp, or clamped when the renderer compresses it by logarithm.
int32_t BandOffset(double u) {
    if (logColourScale != 0) return TruncateToInt32(AtMost(48 * u, 961740));
    return TruncateToInt32(std::fmod(48 * u, 2688));
}

int32_t CountValue(uint32_t count) {
    return 12 * static_cast<int32_t>(count);
}

template <int32_t Rule>
bool Escapes(double re, double im, uint32_t count, int32_t *value) {
    if constexpr (Rule == kCircle) {
        const double r2 = re * re + im * im;
        if (!(r2 > escapeRadiusSquared)) return false;
        // The sub-step shrinks the further the point has flown past R.
        *value =
            CountValue(count) + 14 - static_cast<int32_t>(AtMost(3 * r2 / escapeRadiusSquared, 14));
    } else if constexpr (Rule == kRealBand) {
        if (!(std::fabs(re) > escapeRadius)) return false;
        *value = WrapAdd(CountValue(count), BandOffset(std::fabs(im)));
    } else if constexpr (Rule == kRightOfRadius) {
        if (!(re > escapeRadius)) return false;
        *value = WrapAdd(CountValue(count), BandOffset(std::fabs(im)));
    } else if constexpr (Rule == kImaginaryBand) {
        if (!(std::fabs(im) > escapeRadius)) return false;
        *value = WrapAdd(CountValue(count), BandOffset(std::fabs(re)));
    } else if constexpr (Rule == kSquareProduct) {
        if (!(std::fabs(re) > escapeRadius || std::fabs(im) > escapeRadius)) return false;
        *value = WrapAdd(CountValue(count), TruncateToInt32(std::fabs(48 * re * im)));
    } else if constexpr (Rule == kSquareAngle) {
        if (!(std::fabs(re) > escapeRadius || std::fabs(im) > escapeRadius)) return false;
        *value = CountValue(count) + TruncateToInt32(2688 * std::fabs(std::atan2(im, re)) / pi);
    } else if constexpr (Rule == kSquareSaddle) {
        if (!(std::fabs(re) > escapeRadius || std::fabs(im) > escapeRadius)) return false;
        // The clamp keeps 12 (count + 178891435) below 2^31 for any count.
        const double saddle =
            AtMost(std::fabs(re * re - im * im) / AtMost(escapeRadiusSquared - 1, 1), 178891435);
        *value = TruncateToInt32(12 * (count + saddle));
    } else if constexpr (Rule == kCornerModulus) {
        if (!(std::fabs(re) > escapeRadius && std::fabs(im) > escapeRadius)) return false;
        // 2146697227 + 12 x 65535 is exactly 2^31 - 1.
        const double ceiling = logColourScale != 0 ? 961740 : 2146697227;
        const double modulus = std::sqrt(re * re + im * im);
        *value = WrapAdd(CountValue(count), TruncateToInt32(AtMost(12 * modulus, ceiling)));
    } else if constexpr (Rule == kCircleCorners) {
        if (!(re * re + im * im > escapeRadiusSquared)) return false;
        // Points leaving past the corners of the square of side 2R are
        // shifted by half the 224-step escape ramp.
        const bool corner = std::fabs(re) >= escapeRadius && std::fabs(im) >= escapeRadius;
        *value = CountValue(corner ? count + 112 : count);
    } else if constexpr (Rule == kSmoothCircle) {
        const double r2 = re * re + im * im;
        if (!(r2 > escapeRadiusSquared)) return false;
        *value =
            TruncateToInt32(12 * (12.0 * count + 16 - AtMost(4 * r2 / escapeRadiusSquared, 16)));
    } else {
        static_assert(Rule == kNoEscape);
        static_cast<void>(re);
        static_cast<void>(im);
        static_cast<void>(count);
        static_cast<void>(value);
        return false;
    }
    return true;
}

// One escape-time orbit between calls of its loop.
struct EscapeOrbit {
    double z[2];
    double c[2];
    uint32_t limit;
    int32_t degree;
    uint32_t work; // iterations not yet added to totalIterations
};

// Keeps z_m in slot L - m while that lies inside the history in use.
inline void RecordHistory(const double *z, uint32_t m, uint32_t limit) {
    const uint32_t slot = limit - m;
    if (slot >= historyLength) return;
    orbitHistory[slot][0] = z[0] + kHistoryOffset;
    orbitHistory[slot][1] = z[1] + kHistoryOffset;
}

// Runs the tested iterations from count `first` to the limit. Returns true
// with the value and count when the point escaped.
template <int32_t Rule, bool Quadratic>
bool RunEscapeLoop(EscapeOrbit &orbit, uint32_t first, int32_t *value, uint32_t *count) {
    double re = orbit.z[0];
    double im = orbit.z[1];
    const double cRe = orbit.c[0];
    const double cIm = orbit.c[1];
    const uint32_t limit = orbit.limit;
    for (uint32_t n = first; n <= limit; ++n) {
        ++orbit.work;
        if (Escapes<Rule>(re, im, n, value)) {
            *count = n;
            return true;
        }
        if constexpr (Quadratic) {
            const double nextIm = 2 * re * im + cIm;
            re = (re + im) * (re - im) + cRe;
            im = nextIm;
        } else {
            double power[2];
            ComplexPower(power, re, im, orbit.degree + 1);
            re = power[0] + cRe;
            im = power[1] + cIm;
        }
        const double point[2] = {re, im};
        RecordHistory(point, n, limit);
    }
    orbit.z[0] = re;
    orbit.z[1] = im;
    return false;
}

using EscapeLoop = bool (*)(EscapeOrbit &, uint32_t, int32_t *, uint32_t *);

template <int32_t Rule>
EscapeLoop LoopFor(bool quadratic) {
    return quadratic ? &RunEscapeLoop<Rule, true> : &RunEscapeLoop<Rule, false>;
}

EscapeLoop SelectEscapeLoop(bool quadratic) {
    if (colourBySource == 0) return LoopFor<kCircle>(quadratic);
    switch (colouringVariant) {
    case 0: return LoopFor<kRealBand>(quadratic);
    case 1: return LoopFor<kRightOfRadius>(quadratic);
    case 2: return LoopFor<kImaginaryBand>(quadratic);
    case 3: return LoopFor<kSquareProduct>(quadratic);
    case 4: return LoopFor<kSquareAngle>(quadratic);
    case 5: return LoopFor<kSquareSaddle>(quadratic);
    case 6: return LoopFor<kCornerModulus>(quadratic);
    case 7: return LoopFor<kCircleCorners>(quadratic);
    case 8: return LoopFor<kSmoothCircle>(quadratic);
    default: return LoopFor<kNoEscape>(quadratic);
    }
}

bool SameSlot(uint32_t k) {
    return orbitHistory[k][0] == orbitHistory[0][0] && orbitHistory[k][1] == orbitHistory[0][1];
}

bool SameSlotSingle(uint32_t k) {
    return static_cast<float>(orbitHistory[k][0]) == static_cast<float>(orbitHistory[0][0]) &&
           static_cast<float>(orbitHistory[k][1]) == static_cast<float>(orbitHistory[0][1]);
}

double SlotModulusSquared(uint32_t k) {
    return orbitHistory[k][0] * orbitHistory[k][0] + orbitHistory[k][1] * orbitHistory[k][1];
}

// The cycle value of variants 4 and 8: from the angle of the cycle's
// outermost point, or from its distance in units of the escape radius.
int32_t CycleShapeValue(uint32_t period) {
    for (uint32_t j = 0; j <= period; ++j) {
        orbitHistory[j][0] -= kHistoryOffset;
        orbitHistory[j][1] -= kHistoryOffset;
    }
    double largest = SlotModulusSquared(0);
    for (uint32_t j = 1; j <= period; ++j) {
        const double m = SlotModulusSquared(j);
        if (!(m > largest)) continue;
        largest = m;
        if (colouringVariant == 4) {
            orbitHistory[0][0] = orbitHistory[j][0];
            orbitHistory[0][1] = orbitHistory[j][1];
        }
    }
    if (colouringVariant == 8) {
        return -12 - TruncateToInt32(AtMost(360 * std::sqrt(largest) / escapeRadius, 360));
    }
    return -12 - TruncateToInt32(
                     std::fabs(360 * std::atan2(orbitHistory[0][1], orbitHistory[0][0]) / pi));
}

// The colour value of a converged Newton orbit: the speed of the last step
// and, unless variant 0, the band of the root that was reached.
int32_t ConvergenceValue(double stepSquared, uint32_t count, const double *z) {
    const auto n = static_cast<int32_t>(count);
    const double speed = std::log(stepSquared) / logTiny; // above 1, larger when faster
    int32_t value;
    if (colourBySource == 0 || (colouringVariant & 1) != 0) {
        const int32_t t = stepSquared == 0 ? 71 : TruncateToInt32(AtMost(70 * (speed - 1), 71));
        value = 72 * n + 71 - t;
    } else if (logColourScale != 0) {
        // The speed term grows with the power of two below the count, so
        // that it keeps its share of the value after the renderer's
        // logarithmic compression.
        int32_t highBit = 1;
        for (int32_t bit = 15; bit >= 2; --bit) {
            if (((n >> bit) & 1) != 0) {
                highBit = bit;
                break;
            }
        }
        value = WrapAdd(6 * n, TruncateToInt32((speed - 1) * (961740 >> (15 - highBit))));
    } else {
        const int32_t span = colouringVariant != 0 ? 24 * coloursPerRoot - 24 : 3060;
        value = WrapAdd(12 * n, TruncateToInt32((speed - 1) * span));
    }
    if (colouringVariant == 0) return value;

    // Fewer than two colours per root (128 roots or more) would leave the
    // fold below without a period; such pictures use bands of two.
    const int32_t bandWidth = std::max(coloursPerRoot, 2);
    if (logColourScale != 0) {
        if (value / 12 > 13) {
            const double logPosition = std::log(value / 12.0);
            value = TruncateToInt32(bandWidth * (logPosition * logPosition) * 48 / 255);
        } else {
            value = static_cast<int32_t>(2u * static_cast<uint32_t>(bandWidth) *
                                         static_cast<uint32_t>(value) / 255u);
        }
    }
    // A triangle wave over the band, so that neighbouring speeds never jump
    // from one end of the band to the other.
    int32_t r = value % (24 * bandWidth - 24);
    if (r >= 12 * bandWidth - 12) r = 24 * bandWidth - 25 - r;
    double angle = std::atan2(z[1], z[0]) + 1e-7;
    if (angle < 0) angle += twoPi;
    const int32_t root = TruncateToInt32(angle * rootsPerRadian);
    return r + 12 * (bandWidth * root + 1);
}

} // namespace

int32_t EscapeTimePixel(int32_t x, int32_t y, uint32_t resumeCount, double *resumePoint,
                        uint32_t *outCount) {
    EscapeOrbit orbit{};
    orbit.limit = iterationCount;
    orbit.degree = symmetryDegree;
    // The slots this call will have written, the only ones worth comparing.
    const uint32_t slotsWritten = std::min(orbit.limit - resumeCount + 1, historyLength);

    PixelConstant(x, y, orbit.c);
    uint32_t i = ResumeOrStart(x, y, resumeCount, resumePoint, orbit.z);
    RecordHistory(orbit.z, i, orbit.limit);
    // The caller knows these iterations decide nothing.
    for (; i < resumeCount; ++i) {
        StepPowerMap(orbit.z, orbit.c, orbit.degree);
        ++orbit.work;
        RecordHistory(orbit.z, i + 1, orbit.limit);
    }

    int32_t value = 0;
    uint32_t count = 0;
    const bool escaped =
        i < orbit.limit && SelectEscapeLoop(orbit.degree < 2)(orbit, i + 1, &value, &count);
    if (escaped) {
        totalIterations += orbit.work;
        *outCount = count;
        return value;
    }
    totalIterations += orbit.work + 1;
    if (!std::isfinite(orbit.z[0])) {
        *outCount = orbit.limit + 1;
        return kNonFinite;
    }

    uint32_t match = 1;
    while (match < slotsWritten && !SameSlot(match)) ++match;
    if (match >= slotsWritten) {
        if (resumePoint != nullptr) {
            resumePoint[0] = orbit.z[0];
            resumePoint[1] = orbit.z[1];
        }
        return 0;
    }
    // A match in the last slot in use hints at a longer cycle than the
    // history can hold; the next pixel gets one slot more.
    if (match == historyLength - 1 && historyLength < kHistorySlots) ++historyLength;
    uint32_t period = 1;
    while (period < match && !SameSlotSingle(period)) ++period;
    if (colouringVariant != 4 && colouringVariant != 8) return -12 * static_cast<int32_t>(period);
    return CycleShapeValue(period);
}

int32_t NewtonPixel(int32_t x, int32_t y, uint32_t resumeCount, double *resumePoint,
                    uint32_t *outCount) {
    const uint32_t limit = iterationCount;
    const int32_t degree = symmetryDegree;
    const bool shifted = mapVariant != 0; // p(z) = z^(n+1) - z + c
    double c[2];
    double z[2];
    PixelConstant(x, y, c);
    uint32_t i = ResumeOrStart(x, y, resumeCount, resumePoint, z);

    uint32_t work = 0;
    for (uint32_t count = i; count < limit;) {
        ++count;
        ++work;
        // w = z^n; the first power needs no multiplication at all.
        double w[2] = {z[0], z[1]};
        if (degree != 1) ComplexPower(w, z[0], z[1], degree);
        double d[2] = {(degree + 1) * w[0], (degree + 1) * w[1]};
        const double p[2] = {w[0] * z[0] - w[1] * z[1], w[0] * z[1] + w[1] * z[0]};
        double f[2];
        if (shifted) {
            f[0] = p[0] - z[0] + c[0];
            f[1] = p[1] - z[1] + c[1];
            d[0] = d[0] - 1;
        } else {
            f[0] = p[0] + c[0];
            f[1] = p[1] + c[1];
        }
        // f / d as f conj(d) / |d|^2; a zero derivative gives a non-finite
        // point, which the test below reports.
        const double dd = d[0] * d[0] + d[1] * d[1];
        const double step[2] = {(f[0] * d[0] + f[1] * d[1]) / dd, (f[1] * d[0] - f[0] * d[1]) / dd};
        z[0] -= step[0];
        z[1] -= step[1];
        if (count <= resumeCount) continue;
        if (!std::isfinite(z[0]) || !std::isfinite(z[1])) {
            totalIterations += work;
            *outCount = count;
            return kNewtonFailed;
        }
        const double stepSquared = step[0] * step[0] + step[1] * step[1];
        if (stepSquared < kNewtonStepSquared) {
            totalIterations += work;
            *outCount = count;
            return ConvergenceValue(stepSquared, count, z);
        }
    }
    totalIterations += work;
    if (resumePoint != nullptr) {
        resumePoint[0] = z[0];
        resumePoint[1] = z[1];
    }
    return 0;
}

} // namespace quintorbelle
