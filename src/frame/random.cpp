// The engine's random numbers: an explicit inversive congruential generator
// modulo the prime p = 2^32 - 209, and the modular arithmetic it needs.
//
// Output k is the inverse of a (c + k) + 1 modulo p, where a is the
// multiplier and c the counter after seeding. The whole state is the pair
// (randomCounter, randomMultiplier); saving and restoring it replays the same
// outputs. Seeding is done by StartEngine (start_up.cpp).
#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"

namespace quintorbelle {

// Because 2^32 = 209 (mod p), the high word of a 64-bit product folds into
// the low word times 209; no 64-bit division is needed.
uint32_t ModMultiply(uint32_t a, uint32_t b) {
    uint64_t value = static_cast<uint64_t>(a) * b;
    while ((value >> 32) != 0) value = (value & 0xFFFFFFFFu) + (value >> 32) * 209u;
    auto result = static_cast<uint32_t>(value);
    if (result >= kRandomModulus) result -= kRandomModulus;
    return result;
}

// Square and multiply from the lowest bit of the exponent.
uint32_t ModPower(uint32_t base, uint32_t exponent) {
    if (exponent < 2) return exponent == 1 ? base : 1;
    uint32_t square = base;
    bool haveAccumulator = (exponent & 1u) != 0;
    uint32_t accumulator = base;
    for (exponent >>= 1; exponent != 0; exponent >>= 1) {
        square = ModMultiply(square, square);
        if ((exponent & 1u) == 0) continue;
        accumulator = haveAccumulator ? ModMultiply(accumulator, square) : square;
        haveAccumulator = true;
    }
    return haveAccumulator ? accumulator : 1;
}

// By Euler's criterion: x^((p-3)/2) times the quadratic character of x is the
// inverse, and the character is x^((p-1)/2), one more multiplication away.
uint32_t ModInverse(uint32_t x) {
    if (x < 2) return x;
    if (x == kRandomModulus - 1) return kRandomModulus - 1;
    uint32_t y = ModPower(x, (kRandomModulus - 3) / 2);
    uint32_t character = ModMultiply(y, x);
    return character == 1 ? y : ModMultiply(y, character);
}

uint32_t Random() {
    uint32_t value = ModMultiply(randomMultiplier, randomCounter) + 1u;
    uint32_t result = ModInverse(value);
    // A counter seeded above p - 1 from the tick count runs on and wraps
    // through 0 by 32-bit overflow.
    randomCounter = randomCounter == kRandomModulus - 1 ? 0 : randomCounter + 1;
    return result;
}

void Multiply2x2(double *out, const double *a, const double *b) {
    const double product[4] = {
        a[0] * b[0] + a[1] * b[2],
        a[0] * b[1] + a[1] * b[3],
        a[3] * b[2] + a[2] * b[0],
        a[3] * b[3] + a[2] * b[1],
    };
    for (int i = 0; i < 4; ++i) out[i] = product[i];
}

} // namespace quintorbelle
