// The search for a busy region to zoom into: 32 random windows of the picture
// are scored and the best one's corner, scaled back to the whole picture,
// becomes zoomPoint.
//
// PickZoomPoint scores colour changes in the index image (attractors of
// modes 0 and 1); PickZoomPointByCount weighs the changes by the count image
// and seeks the background of the other modes. Both read the images only and
// send nothing; the callers ask the host for the zoom.
#include <cstdint>

#include "explore/explore.h"
#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"

namespace quintorbelle {
namespace {

constexpr int kSamples = 32;

// The background of modes 5 and 6 (index 0) is read as 256, so that it can
// never equal a colour index.
constexpr int32_t kBackground = 256;
// In mode 5 the indices from 225 up are the colours of the inner set, which
// count as background too.
constexpr int32_t kInnerSetIndex = 225;
// In mode 6 a window that reaches the background outranks every window that
// does not.
constexpr uint32_t kBackgroundBonus = 1000000000u;
// The orbit statistics lift the count of a finished pixel to 32768 or more;
// the border between finished and still running pixels is worth a zoom.
constexpr uint16_t kFinishedCount = 32768;

} // namespace

int32_t PickZoomPoint() {
    const int32_t width = imageWidth;
    const int32_t height = imageHeight;
    const int32_t xRange = 3 * width / 4;
    const int32_t yRange = 3 * height / 4;
    if (xRange <= 0 || yRange <= 0) return 0;
    const int32_t windowWidth = width / 4;
    const int32_t windowHeight = height / 4;
    int32_t best = 0;
    for (int sample = 0; sample < kSamples; ++sample) {
        const int32_t x = static_cast<int32_t>(Random() % static_cast<uint32_t>(xRange));
        const int32_t y = static_cast<int32_t>(Random() % static_cast<uint32_t>(yRange));
        // At most 320 x 256 pairs of 510 each: far inside i32.
        int32_t score = 0;
        for (int32_t row = y; row < y + windowHeight; ++row) {
            const uint8_t *pixels = indexImage[row];
            for (int32_t column = x; column + 1 < x + windowWidth; ++column) {
                const int32_t a = pixels[column];
                const int32_t b = pixels[column + 1];
                if (a != b) score += a + b;
            }
        }
        if (score > best) {
            best = score;
            zoomPoint[0] = 4 * x / 3;
            zoomPoint[1] = 4 * y / 3;
        }
    }
    return best > 0 ? 1 : 0;
}

int32_t PickZoomPointByCount() {
    const int32_t width = imageWidth;
    const int32_t height = imageHeight;
    const int32_t xRange = 7 * width / 8;
    const int32_t yRange = 7 * height / 8;
    if (xRange <= 0 || yRange <= 0) return 0;
    const int32_t windowWidth = width / 8;
    const int32_t windowHeight = height / 8;
    const int32_t mode = drawMode;
    const bool orbitStatistics = mode == 5 && mapVariant != 0;
    int32_t best = 0;
    for (int sample = 0; sample < kSamples; ++sample) {
        const int32_t x = static_cast<int32_t>(Random() % static_cast<uint32_t>(xRange));
        const int32_t y = static_cast<int32_t>(Random() % static_cast<uint32_t>(yRange));
        // The score is an i32 that wraps: in mode 6 the background bonus on
        // top of large counts can pass 2^31 and turn negative, which then
        // loses. It is summed as uint32_t so that the wrap is defined.
        uint32_t score = 0;
        bool found = false;
        for (int32_t row = y; row < y + windowHeight; ++row) {
            const uint8_t *indices = indexImage[row];
            const uint16_t *counts = countImage[row];
            for (int32_t column = x; column + 1 < x + windowWidth; ++column) {
                int32_t a = indices[column];
                int32_t b = indices[column + 1];
                const uint16_t ca = counts[column];
                const uint16_t cb = counts[column + 1];
                if (orbitStatistics) {
                    if (a != b && (ca < kFinishedCount) != (cb < kFinishedCount)) {
                        found = true;
                        score += static_cast<uint32_t>(a + b);
                    }
                    continue;
                }
                if (a == 0) a = kBackground;
                if (b == 0) b = kBackground;
                if (a == kBackground || (mode == 5 && a >= kInnerSetIndex)) {
                    found = true;
                    score -= 1u;
                }
                if (a == b) continue;
                if (mode == 5) {
                    if (a < kInnerSetIndex) {
                        score += ca;
                    } else if (b < kInnerSetIndex) {
                        score += cb;
                    }
                } else if (a < kBackground || b < kBackground) {
                    // The low four bits of a count are noise of the last
                    // passes; only the coarse count weighs.
                    score += static_cast<uint32_t>((a < kBackground ? ca : cb) & ~0xF);
                }
            }
        }
        if (mode == 6) {
            if (found) score += kBackgroundBonus;
            found = true;
        }
        const auto signedScore = static_cast<int32_t>(score);
        if (found && signedScore > best) {
            best = signedScore;
            zoomPoint[0] = 8 * x / 7;
            zoomPoint[1] = 8 * y / 7;
        }
    }
    return best > 0 ? 1 : 0;
}

} // namespace quintorbelle
