// The set-up of the one-dimensional automaton: the weight tables and colour
// count that the cell rule reads, the exact short description of the rule
// found by sampling it (shown in the title), the restart, and the first row
// seeded with the digits of the rule's seed.
//
// Depends on the rule drawn by the automaton rule generator and on the cell
// rule of the automaton rows. Grows no rows itself. Images narrower than 8
// cells are set up like any other: seed digits that do not fit the row are
// dropped, and the rows wrap their neighbourhoods as often as needed.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "generators/generators.h"

namespace quintorbelle {
namespace {

constexpr int32_t kLabelCount = 8;
constexpr int32_t kSlotCount = 33; // keys 0..32
constexpr int32_t kEmptySlot = -1;

// Which cells count (A alternate, E every) and what is taken of them (NC
// number of non-zero cells, CC sum of states, CI set of non-zero cells, PS
// the cells as a number). The keys of a configuration come in this order.
constexpr const char *kLabels[kLabelCount] = {"ANC", "ENC", "ACC", "ECC",
                                              "ACI", "ECI", "APS", "EPS"};
enum Label {
    kAlternateCount,
    kEveryCount,
    kAlternateSum,
    kEverySum,
    kAlternateSet,
    kEverySet,
    kAlternateNumber,
    kEveryNumber
};

// Title of the rule: two characters of the name, a label and up to 33 digits.
char automatonTitle[48];

// A weight that left the 32 bits keeps its low 32 bits, as the tables wrap.
uint32_t TruncateToUint32(double value) {
    if (value >= 4294967296.0) value = std::fmod(value, 4294967296.0);
    return static_cast<uint32_t>(value);
}

char DigitCharacter(uint32_t digit) {
    return static_cast<char>(digit < 10 ? '0' + digit : 'A' + (digit - 10));
}

void SetUpWeights(int32_t k) {
    uint32_t factor = 1;
    if (ruleClass == 3) factor = mirrorSymmetry != 0 ? 3 : 2;
    if (ruleClass == 5) factor = static_cast<uint32_t>(mirrorSymmetry != 0 ? 2 * k - 1 : k);
    double growth = ruleClass == 2 ? 15.0 : 1.0;

    uint32_t weight = 1;
    for (int32_t o = -7; o <= 7; ++o) {
        if ((neighbourhoodMask & (1u << (7 - o))) != 0) {
            positionWeights[o + 7] = static_cast<int32_t>(weight);
            weight = ruleClass == 4 ? weight + 1 : weight * factor;
        } else {
            positionWeights[o + 7] = 0;
            growth -= 1;
        }
    }
    // In class 2 the growth is now the number of neighbourhood cells.
    growth = std::max(growth, 1.0);

    const int32_t states = std::min(k, 256);
    stateWeights[0] = 0;
    for (int32_t s = 1; s < states; ++s) {
        stateWeights[s] = ruleClass == 0 || ruleClass == 3
                              ? 1
                              : TruncateToUint32(stateWeights[s - 1] * growth + 1.0);
    }
    // Colours beyond the k states weigh as the state they are congruent to.
    for (int32_t s = states; s < 256; ++s) stateWeights[s] = stateWeights[s - states];

    if (mirrorSymmetry != 0) {
        for (int32_t i = 0; i < 7; ++i) positionWeights[14 - i] = positionWeights[i];
    }
}

// Finds, by running the cell rule on sample configurations, which of the
// eight simple descriptions gives the rule's output exactly, and writes the
// first that does into the title.
void Classify(int32_t k, int32_t radius, int32_t configurations) {
    bool alive[kLabelCount];
    int32_t slots[kLabelCount][kSlotCount];
    std::fill(alive, alive + kLabelCount, true);
    std::fill(&slots[0][0], &slots[0][0] + kLabelCount * kSlotCount, kEmptySlot);

    const uint32_t base = static_cast<uint32_t>(k);
    int32_t step = 1;
    if (configurations > 32) {
        // Too many configurations to list by number: sample them from the
        // top, k of each power of k.
        alive[kEveryNumber] = false;
        step = configurations / k;
    }
    // Two states make the set of non-zero cells the same as their number.
    if (k == 2) alive[kAlternateSet] = alive[kEverySet] = false;

    // The alternate cells are every second one from the outermost, which in
    // both patterns are the even digits counted from offset +R.
    const uint32_t alternate = (radius % 2 != 0 ? 0x5555u : 0xAAAAu) >> (7 - radius);
    int32_t counter = 0;
    int32_t cfg = static_cast<int32_t>(static_cast<uint32_t>(configurations) - 1);
    while (cfg >= 0 && std::find(alive, alive + kLabelCount, true) != alive + kLabelCount) {
        std::memset(neighbourhoodWindow, 0, sizeof neighbourhoodWindow);
        uint32_t keys[kLabelCount] = {};
        keys[kEveryNumber] = static_cast<uint32_t>(cfg);

        uint32_t rest = static_cast<uint32_t>(cfg);
        uint32_t place = 0; // place among the alternate cells
        uint32_t power = 1; // k to that place
        for (int32_t j = 0; rest != 0 && j <= 2 * radius; ++j) {
            const uint32_t d = rest % base;
            rest /= base;
            neighbourhoodWindow[7 + radius - j] = static_cast<uint8_t>(d);
            const bool isAlternate = ((alternate >> j) & 1) != 0;
            if (d != 0) {
                keys[kEveryCount] += 1;
                keys[kEverySum] += d;
                keys[kEverySet] |= 1u << j;
                if (isAlternate) {
                    keys[kAlternateCount] += 1;
                    keys[kAlternateSum] += d;
                    keys[kAlternateSet] |= 1u << place;
                    keys[kAlternateNumber] += power;
                }
            }
            if (isAlternate) {
                ++place;
                power *= base;
            }
        }

        const int32_t out = static_cast<uint8_t>(DigitCharacter(AutomatonCellRule() % base));
        for (int32_t c = 0; c < kLabelCount; ++c) {
            if (!alive[c]) continue;
            const uint32_t v = keys[c];
            if (v >= kSlotCount) {
                alive[c] = false;
            } else if (slots[c][v] == kEmptySlot) {
                slots[c][v] = out;
            } else if (slots[c][v] != out) {
                alive[c] = false;
            }
        }

        if (step > 1) {
            if (cfg >= 256) {
                if (++counter == k) {
                    counter = 1;
                    step /= k;
                }
            } else {
                step = 1;
            }
        }
        cfg -= step;
    }

    std::snprintf(automatonTitle, sizeof automatonTitle, "%s", ruleName);
    const bool *first = std::find(alive, alive + kLabelCount, true);
    if (first == alive + kLabelCount) return;
    const int32_t c = static_cast<int32_t>(first - alive);
    size_t length = std::min<size_t>(std::strlen(ruleName), 2);
    std::memcpy(automatonTitle + length, kLabels[c], 3);
    length += 3;
    for (int32_t v = 0; v < kSlotCount && slots[c][v] != kEmptySlot; ++v) {
        automatonTitle[length++] = static_cast<char>(slots[c][v]);
    }
    automatonTitle[length] = '\0';
}

// Writes the base-k digits of the seed, least significant first, from
// `column` on in the direction `step`. Digits that would fall outside a
// narrow row are dropped.
void WriteSeedDigits(uint8_t *row, int32_t width, int32_t column, int32_t step, uint32_t k) {
    for (uint32_t rest = ruleSeed; rest != 0; rest /= k, column += step) {
        if (column >= 0 && column < width) row[column] = static_cast<uint8_t>(rest % k);
    }
}

} // namespace

void SetUpAutomaton(int32_t refreshOnly, int32_t firstRow) {
    explorePatience = 10000;
    int32_t k = std::max(symmetryDegree, 2);
    SetUpWeights(k);
    symmetryDegree = k;

    // A radius outside 0..7 cannot come from the generator; a rule loaded by
    // the host is held to the table.
    const int32_t radius = std::clamp(neighbourhoodRadius, 0, 7);
    k = std::min(stateCapacity[radius], k);
    symmetryDegree = k;
    // k^(2R+1) in 32 bits as a signed number: beyond 2^31 it is negative and
    // no configuration is sampled.
    uint32_t configurations = static_cast<uint32_t>(k);
    for (int32_t i = 0; i < radius; ++i) configurations *= static_cast<uint32_t>(k * k);

    automatonColourCount =
        colourBySource != 0 ? std::min((colouringVariant + 1) * k * 2, 256 / k * k) : k;

    Classify(k, radius, static_cast<int32_t>(configurations));
    if (refreshOnly != 0) return;

    SetTitleText(automatonTitle, kTitleAtOnce | kTitleEvenIfSame);
    RestartDrawing();

    // A first row below the picture (an animation seeds below the rows drawn
    // so far, which can be the whole picture) is held to the last row.
    const int32_t width = imageWidth;
    automatonRow = std::clamp(firstRow, 0, std::max(imageHeight - 1, 0));
    uint8_t *row = indexImage[automatonRow];
    if (width > 0) std::memset(row, 0, static_cast<size_t>(width));

    const uint32_t base = static_cast<uint32_t>(k);
    if (mirrorSymmetry != 0) {
        WriteSeedDigits(row, width, (width + 1) / 2 - 1, -1, base);
        WriteSeedDigits(row, width, width / 2, 1, base);
    } else {
        int32_t digits = 0;
        for (uint32_t rest = ruleSeed; rest != 0; rest /= base) ++digits;
        WriteSeedDigits(row, width, (width + digits) / 2, -1, base);
    }
}

} // namespace quintorbelle
