// Forcing the engine's random draws in tests: the next draws looked at
// without taking them, and generator states searched for whose next draws
// have what a test needs. Covers the inversive generator (Random) and the
// fast one of the orbit loops (FastRandom); does not change either.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "frame/frame.h"
#include "frame/shared_block.h"
#include "generators/generators.h"

namespace quintorbelle::testing {

using Draws = std::vector<uint32_t>;

// The next `count` draws of Random, leaving the generator as it was.
inline Draws PeekDraws(int count) {
    const uint32_t counter = randomCounter;
    Draws draws;
    for (int i = 0; i < count; ++i) draws.push_back(Random());
    randomCounter = counter;
    return draws;
}

// Puts the generator in the first state, counting up from a fixed one, from
// which the next `count` draws satisfy `wanted`; returns those draws.
inline Draws SeekDraws(int count, const std::function<bool(const Draws &)> &wanted) {
    randomMultiplier = 2654435761u;
    for (uint32_t counter = 1;; ++counter) {
        randomCounter = counter;
        Draws draws = PeekDraws(count);
        if (wanted(draws)) return draws;
    }
}

// Makes the next draw exactly r: with multiplier 1 the draw is the inverse
// of counter + 1.
inline void NextDrawIs(uint32_t r) {
    randomMultiplier = 1;
    randomCounter = ModInverse(r) - 1;
}

// The next `count` outputs of FastRandom, leaving its state as it was.
inline Draws PeekFastDraws(int count) {
    const uint32_t state = fastRandomState;
    Draws draws;
    for (int i = 0; i < count; ++i) draws.push_back(FastRandom());
    fastRandomState = state;
    return draws;
}

// Makes the next FastRandom output end in the given low byte.
inline void NextFastDrawEndsIn(uint8_t lowByte) {
    fastRandomState = 1;
    while ((PeekFastDraws(1)[0] & 0xFFu) != lowByte) ++fastRandomState;
}

} // namespace quintorbelle::testing
