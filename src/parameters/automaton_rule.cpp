// Automaton rules of mode 8: a random rule (neighbourhood, name, seed, the
// three pairwise coprime numbers and the class) and its change by one
// animation frame.
//
// Depends on Random and the automaton's rule variables. The caller, the
// mode-parameter generator, sets the picture up afterwards; the weight tables
// the cell rule reads are derived by the automaton's set-up, not here.
#include <cstdio>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "parameters/parameters.h"

namespace quintorbelle {
namespace {

constexpr uint32_t kNumberRange = 32767;   // the rule's numbers start in 1..32767
constexpr uint32_t kEveryOddCell = 0x5555; // with the centre at bit 7: R odd
constexpr uint32_t kEveryEvenCell = 0xAAAA;
constexpr uint32_t kCentreBit = 1u << 7;
constexpr uint32_t kFifteenBits = 0x7FFF;
constexpr const char *kClassSuffix[6] = {"NC", "CC", "CS", "CI", "PPS", "PS"};

bool SharesFactor(uint32_t u, uint32_t v) {
    return GreatestCommonDivisor(u, v) > 1;
}

// The cells within distance R of the centre, bits 7 - R to 7 + R.
uint32_t FullMask(int32_t radius) {
    return ((1u << (2 * radius + 1)) - 1) << (7 - radius);
}

uint32_t DrawNeighbourhood(int32_t radius, uint32_t full) {
    const uint32_t choice = radius < 3 ? Random() % 4 : Random() % 3;
    if (choice == 1) return full & (radius % 2 != 0 ? kEveryOddCell : kEveryEvenCell);
    if (choice != 2) return full;
    // A random subset, thinned further for the wide neighbourhoods, redrawn
    // until it holds more than the cell itself.
    uint32_t mask;
    do {
        mask = Random() & full & kFifteenBits;
        if (radius > 3) mask &= Random() & kFifteenBits;
        if (radius > 5) mask &= Random() & kFifteenBits;
    } while ((mask & ~kCentreBit) == 0);
    return mask;
}

int32_t RadiusOfMask(uint32_t mask) {
    for (int32_t d = 7; d >= 1; --d) {
        if ((mask & (1u << (7 - d))) != 0 || (mask & (1u << (7 + d))) != 0) return d;
    }
    return 0;
}

} // namespace

uint32_t GreatestCommonDivisor(uint32_t u, uint32_t v) {
    if (u == v) return u;
    for (;;) {
        if (v == 0) return u;
        if (v >= u) {
            if (u == 0) return v;
            v %= u;
        } else {
            u %= v;
        }
        if (u == v) return u;
    }
}

void GenerateAutomatonRule() {
    const int32_t k = symmetryDegree;
    // The widest radius whose neighbourhoods the k states can still number
    // in 32 bits; state counts above 255 are not used in this mode and get 1.
    int32_t widest = 7;
    while (widest > 1 && stateCapacity[widest] < k) --widest;

    const uint32_t radiusDraw = Random();
    const int32_t radius = static_cast<int32_t>(radiusDraw % static_cast<uint32_t>(widest + 2) %
                                                static_cast<uint32_t>(widest)) +
                           1;
    const uint32_t full = FullMask(radius);
    const uint32_t mask = DrawNeighbourhood(radius, full);

    neighbourhoodRadius = RadiusOfMask(mask);
    int length = std::snprintf(ruleName, sizeof ruleName, "R%d", neighbourhoodRadius);
    if (mask == full) {
        length += std::snprintf(ruleName + length, sizeof ruleName - length, "E");
    } else if (mask == (full & kEveryOddCell)) {
        length += std::snprintf(ruleName + length, sizeof ruleName - length, "A");
    } else {
        length += std::snprintf(ruleName + length, sizeof ruleName - length, "K%x",
                                mask >> (7 - neighbourhoodRadius));
    }
    neighbourhoodMask = mask;
    ruleSeed = Random();

    ruleMultiplier = Random() % kNumberRange + 1;
    ruleMask = Random() % kNumberRange + 1;
    while (SharesFactor(ruleMultiplier, ruleMask)) ++ruleMask;
    ruleModulus = Random() % kNumberRange + 1;
    while (SharesFactor(ruleMultiplier, ruleModulus) || SharesFactor(ruleMask, ruleModulus)) {
        ++ruleModulus;
    }

    // The positional classes need few states or a neighbourhood that is not
    // both wide and full, or their weights would overflow.
    const uint32_t e = neighbourhoodRadius > 3 && ruleName[2] == 'E' ? 0 : 1;
    const uint32_t classes = 4 + e + (k < 4 ? 1 : 0);
    ruleClass = static_cast<int32_t>(Random() % classes);
    if (ruleClass == 2 && neighbourhoodRadius + k >= 12) ruleClass = 1;
    std::snprintf(ruleName + length, sizeof ruleName - length, "%s", kClassSuffix[ruleClass]);
}

void StepAutomatonRule() {
    if ((animationFlags & 7) == 0) animationFlags = 7;
    if ((animationFlags & 1) != 0) ++ruleMultiplier;
    if ((animationFlags & 2) != 0) {
        do {
            ++ruleMask;
        } while (SharesFactor(ruleMultiplier, ruleMask));
    }
    if ((animationFlags & 4) != 0) {
        do {
            ++ruleModulus;
        } while (SharesFactor(ruleMultiplier, ruleModulus) || SharesFactor(ruleMask, ruleModulus));
    }
}

} // namespace quintorbelle
