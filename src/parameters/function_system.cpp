// Exact angles; the function-system generator comes with its own work.
#include <cmath>
#include <cstdint>

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

void GenerateFunctionSystem(int32_t) {}

} // namespace quintorbelle
