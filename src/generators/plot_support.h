// What every plotter shares: the work meter that turns iterations and newly
// covered area into work units, the growth of the changed rectangle, and the
// colour delay line of colouring by source.
#pragma once

#include <cstdint>

#include "frame/engine_state.h"
#include "frame/shared_block.h"

namespace quintorbelle {

// Work spent by one generator call, in units: one per iterationsPerWorkUnit
// iterations, corrected by the area of drawnRect whenever it grows, so that
// large new areas cost work too.
struct WorkMeter {
    uint32_t units = 0;
    uint32_t pendingIterations = 0; // iterations since the last unit
    uint32_t areaUnits = 0;         // drawnRect's area in units at its last growth

    void CountIteration() {
        if (++pendingIterations >= static_cast<uint32_t>(iterationsPerWorkUnit)) {
            totalIterations += pendingIterations;
            ++units;
            pendingIterations = 0;
        }
    }

    // The rectangle grew to `area` pixels: charge the difference in units.
    void ChargeArea(uint32_t area) {
        uint32_t now = area / static_cast<uint32_t>(areaPerWorkUnit);
        units = units - areaUnits + now;
        areaUnits = now;
    }

    // Adds the iterations not yet counted to totalIterations.
    void Flush() {
        totalIterations += pendingIterations;
        pendingIterations = 0;
    }
};

inline uint32_t RectArea(const int32_t rect[4]) {
    return static_cast<uint32_t>(rect[kRight] - rect[kLeft]) *
           static_cast<uint32_t>(rect[kBottom] - rect[kTop]);
}

// Grows `rect` to include pixel (x, y); true when a side moved. A plotter
// may grow a local copy of drawnRect inside its loop, where the global would
// have to be reloaded after every byte stored into indexImage.
inline bool GrowRect(int32_t rect[4], int32_t x, int32_t y) {
    bool grown = false;
    if (x < rect[kLeft]) rect[kLeft] = x, grown = true;
    if (y < rect[kTop]) rect[kTop] = y, grown = true;
    if (x + 1 > rect[kRight]) rect[kRight] = x + 1, grown = true;
    if (y + 1 > rect[kBottom]) rect[kBottom] = y + 1, grown = true;
    return grown;
}

// Grows drawnRect to include pixel (x, y); true when a side moved.
inline bool GrowDrawnRect(int32_t x, int32_t y) {
    return GrowRect(drawnRect, x, y);
}

// Pushes a new colour into the delay line and returns the colour to plot,
// the one computed colouringVariant steps earlier (0 to 14; the host keeps
// it in range).
inline uint8_t PushDelayLine(uint8_t colour) {
    for (int32_t i = 0; i < colouringVariant; ++i) colourDelayLine[i] = colourDelayLine[i + 1];
    colourDelayLine[colouringVariant] = colour;
    return colourDelayLine[0];
}

} // namespace quintorbelle
