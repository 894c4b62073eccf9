// The progressive renderer of the escape-time (mode 5) and Newton (mode 6)
// pictures: one pixel per block of 16, 8, 4, 2 and finally 1 pixels, eight
// scan orders per block size, then iteration limits raised level by level
// for the pixels still undecided.
//
// A corner is computed only where its colour differs from a neighbour's (a
// different neighbour in each scan order), plus one in 256 of the others, so
// the work follows the colour edges. Depends on the pixel workers, the
// escape radius of the complex slice generator, the fast random generator
// for the skip offsets and the host messages. It allocates orbitStore with
// malloc and never frees it; the host releases it with free.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "complex/complex.h"
#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/numeric.h"
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "generators/plot_support.h"
#include "parameters/parameters.h"

namespace quintorbelle {
namespace {

constexpr int32_t kNoReference = -1; // equals no colour index
constexpr uint32_t kHighestLimit = 65535;
constexpr uint16_t kFailedCount = 65535;
constexpr int32_t kEscapeColours = 224;
constexpr int32_t kCycleColours = 31;
constexpr uint8_t kFirstCycleIndex = 225;
constexpr int32_t kNewtonColours = 255;

int32_t RoundUp(int32_t value, int32_t multiple) {
    return (value + multiple - 1) / multiple * multiple;
}

bool IsEmpty(const int32_t rect[4]) {
    return rect[kRight] < rect[kLeft];
}

// About 128 complex multiplications per pixel for the first level.
uint32_t StartingLimit() {
    if (animationFrame != 0) {
        const uint32_t limit = stepwiseLevels != 0 ? 256 : 32;
        return drawMode == 6 ? limit / 2 : limit;
    }
    if (stepwiseLevels != 0) return 1;
    const int32_t q = 128 / std::max(PowerCost(symmetryDegree + 1), 1);
    return static_cast<uint32_t>(q > 8 ? q : 8);
}

void StartPicture() {
    maxColourIndex = 0;
    scanRect[kLeft] = 0;
    scanRect[kTop] = 0;
    scanRect[kRight] = RoundUp(imageWidth, 16);
    scanRect[kBottom] = RoundUp(imageHeight, 16);
    blockSize = 16;
    EmptyRect(pendingRect);
    historyLength = 2;
    if (orbitStore == nullptr) {
        const size_t pixels = static_cast<size_t>(imageWidth) * static_cast<size_t>(imageHeight);
        orbitStore = static_cast<double *>(std::malloc(pixels * 2 * sizeof(double)));
    }
    iterationCount = StartingLimit();
    scanOrder = 0;
    SetUpEscapeRadius(1);
}

void HalveBlock() {
    blockSize /= 2;
    scanRect[kRight] = RoundUp(imageWidth, blockSize);
    scanRect[kBottom] = RoundUp(imageHeight, blockSize);
}

// Starts the next level at block size 1 over the box of the pixels left
// undecided; false when the picture is complete and no pass is to run.
bool RaiseLevel() {
    std::copy(pendingRect, pendingRect + 4, scanRect);
    const bool complete = IsEmpty(scanRect);
    if (complete) {
        scanOrder = 7;
        drawStatus = 2;
    }
    // Longer histories find longer cycles; Newton orbits need few slots.
    if (historyLength < kHistorySlots && (drawMode == 5 || historyLength < 8)) ++historyLength;
    EmptyRect(pendingRect);
    settleIteration = iterationCount;
    if (iterationCount >= kHighestLimit) {
        scanOrder = 7;
        drawStatus = 2;
        return false;
    }
    // With saved orbits a level costs only the new iterations; without them
    // every level starts again from z0, so the limit doubles instead.
    const uint32_t raise = orbitStore != nullptr ? std::min(historyLength, iterationCount)
                                                 : std::min(iterationCount, 256u);
    iterationCount = std::min(iterationCount + raise, kHighestLimit);
    return !complete;
}

// One pass over scanRect at the current block size and scan order.
class Pass {
  public:
    Pass(bool skipping, uint8_t skipCounter)
        : size_(blockSize), skipping_(skipping && iterationCount != kHighestLimit),
          skipCounter_(skipCounter), newton_(drawMode == 6) {}

    int32_t Run();

  private:
    static int32_t IndexAt(int32_t x, int32_t y) { return indexImage[y][x]; }
    int32_t LineReference(int32_t order, int32_t x, int32_t y) const;
    int32_t InnerReference(int32_t order, int32_t x, int32_t y) const;
    void Visit(int32_t x, int32_t y);
    void Compute(int32_t x, int32_t y, uint16_t count);
    void FillBlock(int32_t x, int32_t y, uint8_t index);

    const int32_t size_;
    const bool skipping_;
    uint8_t skipCounter_;
    const bool newton_;
    int32_t reference_ = kNoReference;
    int32_t decided_ = 0;
};

// The reference at the first corner of a new line (or column): the
// neighbour just outside scanRect in the direction of the scan.
int32_t Pass::LineReference(int32_t order, int32_t x, int32_t y) const {
    const int32_t s = size_;
    const int32_t left = scanRect[kLeft];
    const int32_t right = scanRect[kRight];
    switch (order) {
    case 0: return left > 0 ? IndexAt(left - s, y) : kNoReference;
    case 1: return left > 0 ? IndexAt(left - s, y + s) : kNoReference;
    case 2: return scanRect[kBottom] < imageHeight ? IndexAt(x, scanRect[kBottom]) : kNoReference;
    case 3: return right < imageWidth ? IndexAt(right, y + s) : kNoReference;
    case 4: return right < imageWidth ? IndexAt(right, y) : kNoReference;
    case 5: return right < imageWidth ? IndexAt(right, y - s) : kNoReference;
    case 6: return x + s < imageWidth ? IndexAt(x + s, scanRect[kTop]) : kNoReference;
    default: return left > 0 ? IndexAt(left - s, y - s) : kNoReference;
    }
}

// Inside a line the even orders compare with the corner just visited, the
// odd orders with a diagonal neighbour on the line already scanned.
int32_t Pass::InnerReference(int32_t order, int32_t x, int32_t y) const {
    const int32_t s = size_;
    switch (order) {
    case 1: return y + s < imageHeight ? IndexAt(x - s, y + s) : kNoReference;
    case 3: return y + s < imageHeight ? IndexAt(x + s, y + s) : kNoReference;
    case 5: return y > 0 ? IndexAt(x + s, y - s) : kNoReference;
    case 7: return y > 0 ? IndexAt(x - s, y - s) : kNoReference;
    default: return reference_;
    }
}

int32_t Pass::Run() {
    const int32_t order = scanOrder;
    const int32_t s = size_;
    const int32_t left = scanRect[kLeft];
    const int32_t top = scanRect[kTop];
    const int32_t right = scanRect[kRight];
    const int32_t bottom = scanRect[kBottom];
    const bool leftward = order >= 3 && order <= 5;
    const bool upward = order >= 1 && order <= 3;
    const int32_t dx = leftward ? -s : s;
    const int32_t dy = upward ? -s : s;
    auto insideX = [&](int32_t x) { return leftward ? x >= left : x < right; };
    auto insideY = [&](int32_t y) { return upward ? y >= top : y < bottom; };
    const int32_t firstX = leftward ? right - s : left;
    const int32_t firstY = upward ? bottom - s : top;

    bool first = true;
    auto step = [&](int32_t x, int32_t y, bool lineStart) {
        if (!first) {
            reference_ = lineStart ? LineReference(order, x, y) : InnerReference(order, x, y);
        }
        first = false;
        Visit(x, y);
    };
    if (order == 2 || order == 6) {
        for (int32_t x = left; x < right; x += s) {
            for (int32_t y = firstY; insideY(y); y += dy) step(x, y, y == firstY);
        }
    } else {
        for (int32_t y = firstY; insideY(y); y += dy) {
            for (int32_t x = firstX; insideX(x); x += dx) step(x, y, x == firstX);
        }
    }
    return decided_;
}

void Pass::Visit(int32_t x, int32_t y) {
    const uint8_t index = indexImage[y][x];
    const uint16_t count = countImage[y][x];
    if (skipping_ && index == reference_) {
        // One in 256 of the corners that match their reference is computed
        // anyway, at an offset that changes from pass to pass.
        const uint8_t drawn = skipCounter_++;
        if (drawn != 0) {
            reference_ = index;
            return;
        }
    }
    if (x >= imageWidth || y >= imageHeight ||
        !((index == 0 && count < iterationCount) || count == 0)) {
        reference_ = index;
        return;
    }
    Compute(x, y, count);
}

void Pass::Compute(int32_t x, int32_t y, uint16_t count) {
    double *saved = nullptr;
    if (orbitStore != nullptr) {
        saved = orbitStore + 2 * (static_cast<size_t>(imageWidth) * static_cast<size_t>(y) +
                                  static_cast<size_t>(x));
    }
    uint32_t decidedAt = 0;
    const int32_t r = newton_ ? NewtonPixel(x, y, count, saved, &decidedAt)
                              : EscapeTimePixel(x, y, count, saved, &decidedAt);
    // A decided pixel keeps its count with the lowest four bits replaced by
    // the sub-step 1..12, which the recolouring reads back.
    const auto countWithSubStep = [decidedAt](int32_t value) {
        return static_cast<uint16_t>((decidedAt & 0xFFF0u) + static_cast<uint32_t>(value % 12) + 1);
    };
    uint16_t newCount;
    int32_t newIndex;
    if (r > 0) {
        newCount = countWithSubStep(r);
        int32_t q = r / 12;
        lastChangeIteration = iterationCount;
        if (newton_) {
            if (logColourScale != 0 && colouringVariant == 0 && q > 13) {
                const double logQ = std::log(static_cast<double>(q));
                q = TruncateToInt32(2 * (logQ * logQ));
            }
            newIndex = (q - 1) % kNewtonColours + 1;
        } else {
            if (logColourScale != 0 && q > 13) {
                const double logQ = std::log(static_cast<double>(q));
                const int32_t compressed = TruncateToInt32(24 * (logQ * logQ));
                newCount = countWithSubStep(compressed);
                q = compressed / 12;
            }
            newIndex = (q - 1) % kEscapeColours + 1;
        }
        ++decided_;
    } else if (r < 0 && newton_) {
        newCount = kFailedCount;
        newIndex = 0;
    } else if (r < 0) {
        // A cycle of period p: r = -12 p, or the shape value of variants 4
        // and 8 below -12.
        newCount = static_cast<uint16_t>((0u - static_cast<uint32_t>(r)) % 12 + 1);
        newIndex = kFirstCycleIndex + (-1 - r / 12) % kCycleColours;
        --decided_;
    } else {
        newCount = static_cast<uint16_t>(iterationCount);
        newIndex = 0;
    }
    countImage[y][x] = newCount;
    const auto colour = static_cast<uint8_t>(newIndex);
    if (r > 0) maxColourIndex = std::max<int32_t>(maxColourIndex, colour);
    if (colour != indexImage[y][x]) FillBlock(x, y, colour);
    if (size_ == 1 && colour == 0 && newCount != kFailedCount) GrowRect(pendingRect, x, y);
    reference_ = colour;
}

// Fills the block with its corner's colour. Blocks at the right and bottom
// edges may reach past the picture into the rest of the 1280 x 1024 buffer.
void Pass::FillBlock(int32_t x, int32_t y, uint8_t index) {
    const int32_t s = size_;
    const int32_t xEnd = std::min(x + s, kImageStride);
    const int32_t yEnd = std::min(y + s, kImageRows);
    for (int32_t row = y; row < yEnd; ++row) {
        std::fill(&indexImage[row][x], &indexImage[row][0] + xEnd, index);
    }
    drawnRect[kLeft] = std::min(drawnRect[kLeft], x);
    drawnRect[kTop] = std::min(drawnRect[kTop], y);
    if (drawnRect[kRight] <= x) drawnRect[kRight] = x + s;
    if (drawnRect[kBottom] <= y) drawnRect[kBottom] = y + s;
}

} // namespace

int32_t PowerCost(int32_t exponent) {
    // Newton's step raises to the power n and then multiplies by z and
    // divides, two operations more.
    int32_t m = drawMode == 6 ? exponent - 1 : exponent;
    int32_t cost = drawMode == 6 ? 2 : 0;
    bool seenOne = (m & 1) != 0;
    for (m >>= 1; m > 0; m >>= 1) {
        ++cost; // a squaring
        if ((m & 1) == 0) continue;
        if (seenOne) ++cost; // a multiplication into the result
        seenOne = true;
    }
    return cost;
}

int32_t RefineComplexPicture(int32_t progressive) {
    int32_t decided = drawMode == 6 ? -(imageWidth / 8) : 0;
    EmptyRect(drawnRect);
    for (;;) {
        const auto skipCounter = static_cast<uint8_t>(FastRandom() & 0xFFu);
        bool runPass = true;
        if (iterationCount == 0) {
            StartPicture();
        } else if (progressive != 0) {
            if (++scanOrder == 8) {
                scanOrder = 0;
                if (blockSize > 1) {
                    HalveBlock();
                } else {
                    runPass = RaiseLevel();
                }
            }
        } else {
            scanRect[kLeft] = 0;
            scanRect[kTop] = 0;
            scanRect[kRight] = imageWidth;
            scanRect[kBottom] = imageHeight;
        }
        if (runPass) decided += Pass(progressive != 0, skipCounter).Run();

        // Animation frames and stepwise levels want a whole level per call.
        if (animationFrame == 0 && stepwiseLevels == 0) break;
        if (blockSize == 1 && scanOrder == 7) break;
        if (progressive == 0) break;
    }
    // Nothing undecided remains during an animation: exploration may end it.
    if (animationFrame != 0 && IsEmpty(pendingRect) && autoExplore != 0) {
        SendCommand(kCommandAnimation, kSourcePlain);
    }
    return decided;
}

} // namespace quintorbelle
