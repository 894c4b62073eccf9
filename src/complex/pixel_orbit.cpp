// Shows the orbit of one pixel of a mode-5 or mode-6 picture: the window is
// repainted from the picture, then the orbit points are set one by one on
// the window's device context, white, with a detected cycle in yellow.
//
// Reuses the pixel workers with the plain escape test and the full history,
// and restores every setting it changes, so that a picture in progress goes
// on undisturbed. Nothing is kept: the next repaint of the window wipes the
// orbit.
#include <algorithm>
#include <cstdint>

#include "complex/complex.h"
#include "frame/engine_state.h"
#include "frame/numeric.h"
#include "frame/shared_block.h"
#include "platform/window_system.h"

namespace quintorbelle {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kYellow = 0x00FFFF; // a colour reference: blue, green, red
constexpr uint32_t kBatch = kHistorySlots;
constexpr uint32_t kHighestLimit = 65535;
constexpr double kHistoryOffset = 32;

// The horizontal scale serves both axes, as in the picture itself.
void DrawPlanePoint(double re, double im, uint32_t colour) {
    const int32_t x = TruncateToInt32(re * pixelsPerUnitX + viewOriginX);
    const int32_t y = TruncateToInt32(viewOriginY - im * pixelsPerUnitX);
    platform::SetPixelV(windowDc, x, y, colour);
}

void DrawSlot(int32_t k, uint32_t colour) {
    DrawPlanePoint(orbitHistory[k][0] - kHistoryOffset, orbitHistory[k][1] - kHistoryOffset,
                   colour);
}

// Batches of 128 iterations refill the history exactly once; each batch
// shows the points of the batch before.
void ShowEscapeOrbit(int32_t x, int32_t y) {
    double point[2] = {0, 0};
    uint32_t count = 0;
    int32_t result;
    do {
        if (iterationCount != 0) {
            for (int32_t k = 0; k < static_cast<int32_t>(kHistorySlots); ++k) DrawSlot(k, kWhite);
        }
        iterationCount += kBatch;
        result = EscapeTimePixel(x, y, iterationCount - kBatch, point, &count);
    } while (result == 0 && iterationCount < kHighestLimit);

    const int32_t q = result / 12;
    if (q > 0) {
        // Slot k holds z at iteration L - k; the point of iteration q - 1
        // escaped, so the slots from L - q + 1 upward are this batch's orbit.
        const int64_t lowest = static_cast<int64_t>(iterationCount) - q + 1;
        if (lowest <= static_cast<int64_t>(kHistorySlots)) {
            for (int64_t k = kHistorySlots - 1; k >= std::max<int64_t>(lowest, 0); --k) {
                DrawSlot(static_cast<int32_t>(k), kWhite);
            }
        }
        return;
    }
    // The last p points make one full turn of a cycle of period p.
    const int32_t period = -q;
    for (int32_t k = kHistorySlots - 1; k >= 0; --k) DrawSlot(k, k < period ? kYellow : kWhite);
}

// Every Newton iterate is drawn as soon as it is computed.
void ShowNewtonOrbit(int32_t x, int32_t y) {
    double point[2] = {0, 0};
    uint32_t count = 0;
    int32_t result;
    do {
        const uint32_t done = iterationCount;
        iterationCount = done + 1;
        if (done != 0) DrawPlanePoint(point[0], point[1], kWhite);
        result = NewtonPixel(x, y, iterationCount - 1, point, &count);
    } while (result == 0 && iterationCount < kHighestLimit);
}

} // namespace

void ShowPixelOrbit(int32_t x, int32_t y) {
    const uint32_t savedLimit = iterationCount;
    const uint32_t savedHistoryLength = historyLength;
    const uint32_t savedTotal = totalIterations;
    const int32_t savedColourBySource = colourBySource;
    historyLength = kHistorySlots;
    colourBySource = 0;
    iterationCount = 0;

    // Paint the picture over any orbit shown before.
    platform::InvalidateRect(hostWindow, nullptr, false);
    platform::UpdateWindow(hostWindow);

    if (drawMode == 5) {
        ShowEscapeOrbit(x, y);
    } else {
        ShowNewtonOrbit(x, y);
    }

    iterationCount = savedLimit;
    historyLength = savedHistoryLength;
    totalIterations = savedTotal;
    colourBySource = savedColourBySource;
}

} // namespace quintorbelle
