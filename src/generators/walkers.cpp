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
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "generators/plot_support.h"

namespace quintorbelle {

namespace {

// The state a call of StepWalkers changes, held in locals for the loop: a
// byte store into indexImage may alias any global and would force every
// one of them to be reloaded after each mark.
struct WalkerRun {
    Walker group[kMaxWalkers];
    int32_t rect[4];
    int32_t current;
    uint32_t iterations;
    uint32_t settle;
    int32_t changed;
    int32_t maxIndex;

    void Load(int32_t count) {
        for (int32_t i = 0; i < count; ++i) group[i] = walkers[i];
        for (int32_t i = 0; i < 4; ++i) rect[i] = drawnRect[i];
        current = currentWalker;
        iterations = iterationCount;
        settle = settleIteration;
        changed = changedPixelCount;
        maxIndex = maxColourIndex;
    }

    void Store(int32_t count) const {
        for (int32_t i = 0; i < count; ++i) walkers[i] = group[i];
        for (int32_t i = 0; i < 4; ++i) drawnRect[i] = rect[i];
        currentWalker = current;
        iterationCount = iterations;
        settleIteration = settle;
        changedPixelCount = changed;
        maxColourIndex = maxIndex;
    }
};

// The moves of one call. Wrapping and colouring by source are template
// arguments so that the loop carries no tests of settings.
template <bool Wrap, bool BySource>
int32_t MoveWalkers(uint32_t budget) {
    const double left = walkerSquare[kLeft];
    const double top = walkerSquare[kTop];
    const double right = walkerSquare[kRight];
    const double bottom = walkerSquare[kBottom];
    const double wrapX = walkerSquare[kLeft] - walkerSquare[kRight];
    const double wrapY = walkerSquare[kTop] - walkerSquare[kBottom];
    const int32_t count = walkerCount;
    const int32_t groupSize = symmetryDegree;
    const int32_t headings = walkerTurnTable[groupSize];
    const uint32_t turnRange = static_cast<uint32_t>(headings - 1);
    const uint32_t pictureWidth = static_cast<uint32_t>(imageWidth);
    const uint32_t pictureHeight = static_cast<uint32_t>(imageHeight);

    WalkerRun run;
    run.Load(count);
    WorkMeter meter;
    int32_t w = run.current;

    do {
        Walker &walker = run.group[w];
        // Walkers stay within a step of their square, so their positions
        // convert to i32 directly.
        const auto column = static_cast<int32_t>(walker.x);
        const auto row = static_cast<int32_t>(walker.y);
        walker.x += directionTable[walker.heading][0];
        walker.y += directionTable[walker.heading][1];

        // The right and bottom edges are outside, the left and top inside.
        if constexpr (Wrap) {
            if (walker.x >= right) walker.x += wrapX;
            if (walker.x < left) walker.x -= wrapX;
            if (walker.y >= bottom) walker.y += wrapY;
            if (walker.y < top) walker.y -= wrapY;
        } else if (walker.x >= right || walker.x < left || walker.y >= bottom || walker.y < top) {
            // The walker stays outside and moves first next time.
            run.current = w;
            run.Store(count);
            meter.Flush();
            return 0;
        }

        const int32_t next = w + 1 >= count ? 0 : w + 1;
        meter.CountIteration();

        // A walker that left the square without wrapping and was then let
        // wrap can come back from a cell outside the picture; such a cell is
        // not marked.
        if (static_cast<uint32_t>(column) < pictureWidth &&
            static_cast<uint32_t>(row) < pictureHeight) {
            uint8_t &cell = indexImage[row][column];
            const int32_t old = cell;
            if (old == 0) {
                ++run.changed;
                run.settle = run.iterations + run.iterations / 4;
            }
            int32_t value;
            if constexpr (BySource) {
                // Each walker paints in its own colour and erases it again.
                value = old == next + 1 ? 0 : next + 1;
            } else {
                value = (old + 1) & 0xFF; // the count of visits, modulo 256
            }
            if (value == 0) --run.changed;
            if (run.maxIndex < value) run.maxIndex = value;
            cell = static_cast<uint8_t>(value);
            if (GrowRect(run.rect, column, row)) meter.ChargeArea(RectArea(run.rect));
        }

        if (next == 0) {
            // The round is complete: the group turns by an amount read from
            // the colour under walker 0; the mirrored group turns back.
            const uint8_t under = indexImage[static_cast<int32_t>(run.group[0].y)]
                                            [static_cast<int32_t>(run.group[0].x)];
            const int32_t turn = static_cast<int32_t>(walkerRandomTable[under] % turnRange + 1);
            for (int32_t i = 0; i < count; ++i) {
                int32_t &heading = run.group[i].heading;
                heading = i < groupSize ? (heading + turn) % headings
                                        : (heading - turn + headings) % headings;
            }
        }
        w = next;
        ++run.iterations;
    } while (meter.units < budget);

    run.current = w;
    run.Store(count);
    meter.Flush();
    return 1;
}

} // namespace

int32_t StepWalkers(uint32_t budget) {
    if (frameCounter != 0) EmptyRect(drawnRect);
    if (budget == 0) return 1;
    if (modeOption != 0) {
        return colourBySource != 0 ? MoveWalkers<true, true>(budget)
                                   : MoveWalkers<true, false>(budget);
    }
    return colourBySource != 0 ? MoveWalkers<false, true>(budget)
                               : MoveWalkers<false, false>(budget);
}

} // namespace quintorbelle
