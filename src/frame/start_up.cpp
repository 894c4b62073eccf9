// Engine start-up: the constants computed once, and the seeding of the random
// generator from the millisecond tick count.
#include <cmath>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "platform/window_system.h"

namespace quintorbelle {

namespace {
// With multiplier 0 every output would be 1; a start at tick 0 takes this one.
constexpr uint32_t kFallbackMultiplier = 2654435769u;
} // namespace

void StartEngine(void *) {
    pi = 2 * std::asin(1.0);
    twoPi = 2 * pi;
    sqrt3 = std::sqrt(3.0);
    invSqrt3 = 1 / sqrt3;
    halfSqrt3 = std::sqrt(0.75);
    logTiny = std::log(1e-8);
    invHalfSqrt3 = 1 / halfSqrt3;

    const double oneDegree = twoPi * (1.0 / 360);
    degreeRotation[0] = std::cos(oneDegree);
    degreeRotation[1] = -std::sin(oneDegree);
    degreeRotation[2] = std::sin(oneDegree);
    degreeRotation[3] = std::cos(oneDegree);

    // 4096 c |c| falls monotonically from 4095 to -4096; the colour wheel
    // searches it for the squared cosine of an angle.
    for (int j = 0; j < 128; ++j) {
        double c = std::cos((2 * j + 1) * pi / 255);
        squaredCosineTable[j] = static_cast<int32_t>(4096 * c * std::fabs(c));
    }

    uint32_t ticks = platform::GetTickCount();
    randomCounter = ticks;
    randomMultiplier = ticks != 0 ? ticks : kFallbackMultiplier;
}

} // namespace quintorbelle
