// The displayed colour table and the logical palette: the choice of palette
// style for the current picture, the five ways of turning the colour ramp
// into the 256 shown colours, and the creation and realisation of a matching
// logical palette on the host window's device context.
//
// Depends on the shared block (ramp, settings, host window) and the platform
// layer's device context, palette and movable-memory calls. It does not build
// the ramp itself, and it touches neither image.
#include <algorithm>
#include <cstring>

#include "display/display.h"
#include "frame/engine_state.h"
#include "frame/shared_block.h"
#include "platform/window_system.h"

namespace quintorbelle {
namespace {

constexpr int kColourBlockEntries = 259; // 256 colours and the three that travel with them
constexpr size_t kPaletteBlockBytes = 1032;
static_assert(sizeof(platform::LogPalette) <= kPaletteBlockBytes);

// Identifies the palette last realised: style rem 4, scheme and ramp style.
int32_t lastPaletteKey = -1;

int32_t Red(uint32_t colour) {
    return static_cast<int32_t>((colour >> 16) & 0xFFu);
}
int32_t Green(uint32_t colour) {
    return static_cast<int32_t>((colour >> 8) & 0xFFu);
}
int32_t Blue(uint32_t colour) {
    return static_cast<int32_t>(colour & 0xFFu);
}
uint32_t Rgb(int32_t red, int32_t green, int32_t blue) {
    return (static_cast<uint32_t>(red & 0xFF) << 16) | (static_cast<uint32_t>(green & 0xFF) << 8) |
           static_cast<uint32_t>(blue & 0xFF);
}

// Channel-wise (to x w1 + from x w2) / divisor, truncated.
uint32_t Blend(uint32_t to, int32_t w1, uint32_t from, int32_t w2, int32_t divisor) {
    return Rgb((Red(to) * w1 + Red(from) * w2) / divisor,
               (Green(to) * w1 + Green(from) * w2) / divisor,
               (Blue(to) * w1 + Blue(from) * w2) / divisor);
}

void CopyRamp() {
    std::memcpy(paletteColours, rampColours, kColourBlockEntries * sizeof(uint32_t));
}

// Style 1: one band of colours per root of the Newton picture. Each band
// shows the first half of its ramp segment at double resolution, every
// second entry the mean of its two neighbours in the ramp.
void BuildRootBands() {
    bool startFree = startAxis[0] == 0.0 && startAxis[1] == 0.0;
    bool constantFree = constantAxis[0] != 0.0 || constantAxis[1] != 0.0;
    int32_t roots = startFree && constantFree ? symmetryDegree : symmetryDegree + 1;
    roots = std::max(roots, 1); // a degree below 1 is treated as one root
    int32_t band = 255 / roots;
    coloursPerRoot = band;
    rootsPerRadian = roots / twoPi;
    for (int32_t s = 1; s + band <= 256; s += band) {
        for (int32_t i = 0; i < band; i += 2) {
            uint32_t low = rampColours[s + i / 2];
            paletteColours[s + i] = low;
            if (i + 1 < band) {
                paletteColours[s + i + 1] = Blend(low, 1, rampColours[s + i / 2 + 1], 1, 2);
            }
        }
    }
}

// Style 2, the escape-time palette: entries 1..224 are ramp colours whose red
// and green are evened out against blue and kept bright; entries 225..255 are
// a fixed sequence of blues that turn toward white.
void BuildEscapePalette() {
    uint32_t c2 = rampColours[2];
    for (int32_t j = 1; j <= 224; ++j) {
        uint32_t source = rampColours[255 * j / 224];
        if (j > 208) source = Blend(c2, j - 208, source, 225 - j, 17);
        int32_t r = Red(source), g = Green(source), b = Blue(source);
        int32_t lo = std::min(g, r);
        int32_t hi = std::max(g, r);
        if (hi < b) {
            int32_t d = (b - hi) / 2;
            r += d;
            g += d;
            hi += d;
            // hi is 0 only when red and green are 0, and they stay so.
            if (hi != 0) {
                r = b * r / hi;
                g = b * g / hi;
            }
            hi = b;
            lo = std::min(r, g);
        }
        int32_t m = std::max(hi / 2, lo);
        if (m <= 80) m = 80;
        if (m < b) {
            int32_t top = std::min(hi - m + b, 255);
            int32_t e = (top - hi) / 3;
            r += e;
            g += e;
            hi += e;
            int32_t m2 = std::max(std::min(g, r), hi / 2);
            if (m2 <= 80) m2 = 80;
            b = (b + m2) / 2;
        }
        if (hi != 0 && hi < 160) {
            r = (160 * r / hi + r) / 2;
            g = (160 * g / hi + g) / 2;
        }
        paletteColours[j] = Rgb(r, g, b);
    }

    int32_t b = 127, g = 0, r = 0;
    for (int32_t j = 225; j <= 255; ++j) {
        paletteColours[j] = Rgb(r, g, b);
        if (b < 255) b = std::min(std::max((5 * b + 760) / 8, b + 4), 255);
        g += std::max((r - g) / 3, 48);
        if (g >= b) {
            g = r / 5;
            r = r == 0 ? 72 : r + 30;
            b = r / 2 + 148;
        }
    }
}

// Styles 3 and 4, the density palettes: the colour indices in use are spread
// over the whole ramp, so that a picture that reached only a few indices
// still shows the full range of colours.
void BuildDensityPalette(bool fadeTop) {
    CopyRamp();
    bool animating = animationFrame != 0;
    if (colourBySource == 0 && drawMode <= 1 && !animating) return;

    int32_t n = std::min(maxColourIndex, 255);
    int32_t m = std::max(n, colourBySource == 0 && animating ? 8 : 2);
    bool densityPicture = drawMode < 5 || (drawMode == 5 && mapVariant != 0);
    if (densityPicture && colourBySource == 0 && !animating) {
        // Two integer Newton steps toward sqrt(255 m): a still density
        // picture with n indices in use shows only about the first
        // sqrt(255 n) ramp entries, so a sparse picture keeps early colours.
        int32_t p = 255 * m;
        int32_t h = (m + 255) / 2;
        int32_t m1 = (p / h + h) / 2;
        m = (p / m1 + m1) / 2;
    }
    for (int32_t i = n; i >= 1; --i) paletteColours[i] = rampColours[255 * i / m];

    if (fadeTop) {
        uint32_t c2 = rampColours[2];
        for (int32_t k = 240; k <= 255; ++k) {
            int32_t j = k - 240;
            paletteColours[k] = Blend(c2, j + 1, rampColours[k], 16 - j, 17);
        }
    }
}

void RealiseLogicalPalette(int32_t key) {
    uint32_t block = platform::GlobalAlloc(platform::kGlobalMovable | platform::kGlobalZeroInit,
                                           kPaletteBlockBytes);
    auto *logical = static_cast<platform::LogPalette *>(platform::GlobalLock(block));
    if (logical == nullptr) {
        platform::GlobalFree(block);
        return;
    }
    logical->version = 0x300;
    logical->entryCount = 256;
    for (int i = 0; i < 256; ++i) {
        uint32_t colour = paletteColours[i];
        logical->entries[i] = {static_cast<uint8_t>(Red(colour)),
                               static_cast<uint8_t>(Green(colour)),
                               static_cast<uint8_t>(Blue(colour)), 0};
    }

    // The device context is given back with the palette it holds, and taken
    // anew for the next one.
    if (paletteHandle != 0) {
        platform::ReleaseDC(hostWindow, windowDc);
        windowDc = 0;
        platform::DeleteObject(paletteHandle);
        paletteHandle = 0;
    }
    if (windowDc == 0) {
        uint32_t dc = platform::GetDC(hostWindow);
        if (dc != 0) {
            windowDc = dc;
            // The pixel-orbit display writes its text over the picture.
            platform::SetTextColor(dc, 0xFFFFFFu);
            platform::SetBkColor(dc, 0);
            platform::SetBkMode(dc, platform::kTransparent);
        }
    }
    if (windowDc == 0) {
        platform::GlobalUnlock(block);
        platform::GlobalFree(block);
        return;
    }

    paletteHandle = platform::CreatePalette(logical);
    platform::GlobalUnlock(block);
    platform::GlobalFree(block);
    platform::SelectPalette(windowDc, paletteHandle, false);
    platform::RealizePalette(windowDc);
    lastPaletteKey = key;
}

} // namespace

int32_t ChoosePaletteStyle() {
    if (drawMode == 6) {
        if (colourBySource != 0 && colouringVariant != 0) return 1;
        return logColourScale != 0 ? 0 : 3;
    }
    if (drawMode == 5 && mapVariant == 0) return 2;
    if (colourBySource == 0) return (drawMode == 0 || drawMode == 1) && animationFrame == 0 ? 0 : 4;
    return maxColourIndex == 255 ? 3 : 4;
}

void BuildPalette(int32_t paletteStyle) {
    if (paletteStyle == -1) paletteStyle = (lastPaletteKey + 1) % 4;
    switch (paletteStyle) {
    case 0: CopyRamp(); break;
    case 1: BuildRootBands(); break;
    case 2: BuildEscapePalette(); break;
    case 3: BuildDensityPalette(true); break;
    case 4: BuildDensityPalette(false); break;
    default: break; // an unknown style keeps the colours but still names a palette
    }

    // Styles 0 and 4 share a key, and so one logical palette. The key is
    // formed with wrap-around so that no setting can overflow it.
    uint32_t key =
        static_cast<uint32_t>(paletteStyle % 4) +
        4u * (static_cast<uint32_t>(colourScheme) + 24u * static_cast<uint32_t>(rampStyle));
    if (static_cast<int32_t>(key) == lastPaletteKey) return;
    RealiseLogicalPalette(static_cast<int32_t>(key));
}

} // namespace quintorbelle
