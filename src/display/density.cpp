// Density thresholds, which turn a pixel's hit count into a colour index, and
// the recolouring that re-derives every index from the counts after the host
// changes the first threshold.
//
// Depends on the shared block (images, thresholds, picture settings), the
// palette builder and the host-window repaint request. It does not draw: the
// counts stay as the generators left them, apart from the wallpaper copy of
// the quilt picture.
#include <algorithm>
#include <cmath>

#include "display/display.h"
#include "frame/frame.h"
#include "frame/numeric.h"
#include "frame/shared_block.h"

namespace quintorbelle {

int32_t densityBase = 1;

namespace {

// A count at or above this carries a marker bit, not a higher density.
constexpr uint16_t kCountMarker = 32768;

// The colour index of a count, searched among indices lowest..255.
int32_t IndexOfCount(uint16_t count, int32_t lowest) {
    int32_t v = count >= kCountMarker ? count - kCountMarker : count;
    int32_t lo = lowest, hi = 255;
    while (lo < hi) {
        int32_t mid = (lo + hi) / 2;
        if (densityThresholds[mid] > v) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    return lo;
}

void RederivePixel(int32_t x, int32_t y, int32_t lowest) {
    int32_t index = IndexOfCount(countImage[y][x], lowest);
    indexImage[y][x] = static_cast<uint8_t>(index);
    maxColourIndex = std::max(maxColourIndex, index);
}

bool IsDensityPicture() {
    if (drawMode >= 0 && drawMode <= 4) {
        return basinPhase == 0 && viewFitted != 0 && colourBySource == 0;
    }
    return drawMode == 5 && mapVariant != 0;
}

// The quilt repeats one lattice cell over the whole window: the counts of the
// bottom row band of the first cell are copied along a zigzag, cell by cell
// to the right edge, one row band up, and back to the left (shifted by half a
// cell on the hexagonal lattice), until the top is passed.
void CopyWallpaperCounts() {
    int32_t w = latticeCellWidth;
    int32_t a = latticeRowHeight;
    int32_t h = imageHeight;
    bool hex = hexLattice != 0;
    int32_t span = displayWidth;
    if (viewZoomed != 0 && (h < (hex ? 3 * a : 2 * a) || displayWidth < (hex ? 3 * w : 2 * w))) {
        span = std::min(displayWidth, hex ? 2 * w : w);
    }
    // Counts beyond the buffer's row cannot be stored.
    span = std::min(span, kImageStride);

    int32_t columns = std::min(span, w);
    for (int32_t y = h - 1; y >= std::max(h - a, 0); --y) {
        for (int32_t x = 0; x < columns; ++x) {
            uint16_t v = countImage[y][x];
            int32_t c = x, r = y, step = w;
            while (r >= 0) {
                if (c >= 0 && c < span) countImage[r][c] = v;
                c += step;
                if (step > 0 ? c >= span : c < 0) {
                    r -= a;
                    if (hex) c += step >> 1; // arithmetic halving, as the lattice rows interleave
                    step = -step;
                }
            }
        }
    }
}

} // namespace

int32_t BuildDensityThresholds(int32_t firstThreshold) {
    uint16_t *t = densityThresholds;
    t[0] = static_cast<uint16_t>(firstThreshold);
    int32_t first = firstThreshold == densityBase ? 256 : 0;
    densityBase = firstThreshold;

    double f = firstThreshold;
    double k = logColourScale != 0 ? 14.0 : 5.0;
    double add = (std::sqrt(f) * k + f) * 0.1;
    double growth = (1.0 - f) * 0.0005 + 1.023;
    for (int i = 1; i < 255; ++i) {
        // Thresholds grow geometrically, but at least by the first threshold.
        double geometric = t[i - 1] * growth + add;
        double linear = static_cast<double>(t[i - 1] + t[0]);
        auto value =
            static_cast<uint16_t>(TruncateToInt32(geometric > linear ? geometric : linear));
        if (i < first && value != t[i]) first = i;
        t[i] = value;
    }
    t[255] = 32767;
    return first;
}

int32_t Recolour(int32_t firstThreshold) {
    if (firstThreshold == 0) firstThreshold = densityBase;
    int32_t first = BuildDensityThresholds(firstThreshold);

    if (!IsDensityPicture()) {
        RepaintWholeWindow();
        return -1;
    }
    maxColourIndex = std::min(maxColourIndex, first - 1);
    if (drawMode == 4) CopyWallpaperCounts();

    // Pixels below the first changed index keep their colour: their
    // thresholds are the same as before.
    for (int32_t y = 0; y < imageHeight; ++y) {
        for (int32_t x = 0; x < imageWidth; ++x) {
            if (indexImage[y][x] >= first) RederivePixel(x, y, first);
        }
    }

    // The host may keep counts of its own in this strip (a key to the
    // colours, say); it is re-derived even when no threshold changed.
    if (first == 256 && imageWidth >= 81) {
        for (int32_t y = 50; y <= 305; ++y) {
            for (int32_t x = imageWidth - 80; x <= imageWidth - 41; ++x) {
                if (indexImage[y][x] != 0) RederivePixel(x, y, 0);
            }
        }
    }

    BuildPalette(ChoosePaletteStyle());
    RepaintWholeWindow();
    return 0;
}

} // namespace quintorbelle
