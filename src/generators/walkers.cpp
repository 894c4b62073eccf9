// Walkers: a symmetric group of walkers that each mark the cell they leave
// and, after every round, turn together by an amount read from the colour
// under the first walker.
//
// Depends on the walker records, direction table and walker square that the
// mode's set-up fills, and on walkerRandomTable from parameter generation.
// Does not place the walkers nor clear the images; restarts keep the walkers
// where they are.
#include <cstdint>

#include "frame/engine_state.h"
#include "frame/numeric.h"
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "generators/plot_support.h"

namespace quintorbelle {

int32_t StepWalkers(uint32_t budget) {
    if (frameCounter != 0) EmptyRect(drawnRect);
    if (budget == 0) return 1;

    // Settings and counters live in locals for the loop: a byte store into
    // indexImage may alias any global, and would force them to be reloaded.
    const double left = walkerSquare[kLeft];
    const double top = walkerSquare[kTop];
    const double right = walkerSquare[kRight];
    const double bottom = walkerSquare[kBottom];
    const double wrapX = walkerSquare[kLeft] - walkerSquare[kRight];
    const double wrapY = walkerSquare[kTop] - walkerSquare[kBottom];
    const bool wrap = modeOption != 0;
    const bool bySource = colourBySource != 0;
    const int32_t count = walkerCount;
    const int32_t groupSize = symmetryDegree;
    const int32_t headings = walkerTurnTable[groupSize];
    const uint32_t turnRange = static_cast<uint32_t>(headings - 1);
    const uint32_t pictureWidth = static_cast<uint32_t>(imageWidth);
    const uint32_t pictureHeight = static_cast<uint32_t>(imageHeight);

    WorkMeter meter;
    int32_t w = currentWalker;
    uint32_t iterations = iterationCount;
    uint32_t settle = settleIteration;
    int32_t changed = changedPixelCount;
    int32_t maxIndex = maxColourIndex;

    do {
        Walker &walker = walkers[w];
        const int32_t column = TruncateToInt32(walker.x);
        const int32_t row = TruncateToInt32(walker.y);
        walker.x += directionTable[walker.heading][0];
        walker.y += directionTable[walker.heading][1];

        // The right and bottom edges are outside, the left and top inside.
        if (wrap) {
            if (walker.x >= right) walker.x += wrapX;
            if (walker.x < left) walker.x -= wrapX;
            if (walker.y >= bottom) walker.y += wrapY;
            if (walker.y < top) walker.y -= wrapY;
        } else if (walker.x >= right || walker.x < left || walker.y >= bottom || walker.y < top) {
            // The walker stays outside and moves first next time.
            currentWalker = w;
            iterationCount = iterations;
            settleIteration = settle;
            changedPixelCount = changed;
            maxColourIndex = maxIndex;
            meter.Flush();
            return 0;
        }

        const int32_t next = w + 1 == count ? 0 : w + 1;
        meter.CountIteration();

        // A walker that left the square without wrapping and was then let
        // wrap can come back from a cell outside the picture; such a cell is
        // not marked.
        if (static_cast<uint32_t>(column) < pictureWidth &&
            static_cast<uint32_t>(row) < pictureHeight) {
            uint8_t &cell = indexImage[row][column];
            const int32_t old = cell;
            if (old == 0) {
                ++changed;
                settle = iterations + iterations / 4;
            }
            int32_t value;
            if (bySource) {
                // Each walker paints in its own colour and erases it again.
                value = old == next + 1 ? 0 : next + 1;
            } else {
                value = (old + 1) & 0xFF; // the count of visits, modulo 256
            }
            if (value == 0) --changed;
            if (maxIndex < value) maxIndex = value;
            cell = static_cast<uint8_t>(value);
            if (GrowDrawnRect(column, row)) meter.ChargeArea(RectArea(drawnRect));
        }

        if (next == 0) {
            // The round is complete: the group turns by an amount read from
            // the colour under walker 0; the mirrored group turns back.
            const uint8_t under =
                indexImage[TruncateToInt32(walkers[0].y)][TruncateToInt32(walkers[0].x)];
            const int32_t turn = static_cast<int32_t>(walkerRandomTable[under] % turnRange + 1);
            for (int32_t i = 0; i < count; ++i) {
                int32_t &heading = walkers[i].heading;
                heading = i < groupSize ? (heading + turn) % headings
                                        : (heading - turn + headings) % headings;
            }
        }
        w = next;
        ++iterations;
    } while (meter.units < budget);

    currentWalker = w;
    iterationCount = iterations;
    settleIteration = settle;
    changedPixelCount = changed;
    maxColourIndex = maxIndex;
    meter.Flush();
    return 1;
}

} // namespace quintorbelle
