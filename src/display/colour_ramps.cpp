// The 256-colour ramp that colour indices run through: the colour scheme
// (channel order and tone), the four built-in ramps, the custom ramp made
// from three host-chosen anchors, and the ramp header of both bitmap blocks.
//
// Depends on the shared block (ramp block, ramp settings), the density
// thresholds (built here when none exist yet) and the palette builder, which
// turns the ramp into the displayed colour table. It does not touch the
// images or the logical palette itself.
#include <algorithm>

#include "display/display.h"
#include "frame/shared_block.h"

namespace quintorbelle {
namespace {

constexpr int kLastEntry = 255;

uint32_t PackColour(int32_t red, int32_t green, int32_t blue) {
    return (static_cast<uint32_t>(red & 0xFF) << 16) | (static_cast<uint32_t>(green & 0xFF) << 8) |
           static_cast<uint32_t>(blue & 0xFF);
}

int32_t Channel(uint32_t colour, int shift) {
    return static_cast<int32_t>((colour >> shift) & 0xFFu);
}

// The built-in ramps walk a triple (a, b, c) through phases; each entry is
// written before the triple moves on, so the start triple is entry 1. Every
// test below is on signed integers and exact equality matters: a phase ends
// only when its counter lands exactly on the mark.

void BuildRamp0() {
    int32_t a = 102, b = 0, c = 0;
    int phase = 0;
    for (int entry = 1; entry <= kLastEntry; ++entry) {
        rampColours[entry] = SchemeColour(a, b, c);
        switch (phase) {
        case 0:
            a += 9;
            if (a == 255) phase = 1;
            break;
        case 1:
            if (b != 0) {
                b += 6;
            } else {
                b = 3;
            }
            if (b == 255) phase = 2;
            break;
        case 2:
            if (a != 255) {
                c += 10;
                a -= 6;
            } else {
                c = 5;
                a = 252;
            }
            if (c == 255) phase = 3;
            break;
        case 3:
            if (b != 255) {
                b -= 7;
                a -= 2;
                if (b < a) a = b;
            } else {
                b = 252;
            }
            if (b == 0) phase = 4;
            break;
        case 4:
            if (c != 255) {
                c -= 5;
            } else {
                c = 248;
            }
            if (c == 128) phase = 5;
            break;
        case 5:
            if (a != 0) {
                c += 3;
                a += 6;
            } else {
                c += 1;
                a = 3;
            }
            if (a == 255) phase = 6;
            break;
        default:
            if (b != 0) {
                c -= 2;
                b += 4;
                if (c < b) c = b;
            } else {
                b = 3;
            }
            if (b == 255) return;
            break;
        }
    }
}

void BuildRamp1() {
    int32_t a = 255, b = 64, c = 128;
    int phase = 0;
    for (int entry = 1; entry <= kLastEntry; ++entry) {
        rampColours[entry] = SchemeColour(a, b, c);
        switch (phase) {
        case 0:
            if (c >= 8) {
                c -= 8;
                b -= 4;
                a -= 2;
            } else if (a < 255) {
                a += 4;
                b += 4;
            } else {
                b += 6;
            }
            if (b >= 250) {
                b = 255;
                phase = 1;
            }
            break;
        case 1:
            if (a == 255) {
                c += 8;
                if (c == 96) a = 254;
            } else {
                c = c < 8 ? 0 : c - 8;
                a -= 7;
                if (c == 0) {
                    if (a + b > 208) {
                        b -= 2;
                    } else if (b < 255) {
                        b += 2;
                    }
                } else if (b < 255) {
                    b += 2;
                }
            }
            if (a < 7) {
                a = 0;
                c = 0;
                phase = 2;
            }
            break;
        case 2:
            c += 8;
            if (c >= 61 && b < 255) b += 2;
            if (c == 256) {
                b = 255;
                c = 255;
                phase = 3;
            }
            break;
        case 3:
            b -= 6;
            if (b == 3) {
                b = 0;
                phase = 4;
            }
            break;
        case 4:
            if (a < 64) {
                c -= 6;
            } else if (c < 255) {
                c += 6;
            }
            a += 6;
            if (a == 252) {
                a = 255;
                phase = 5;
            }
            break;
        default:
            c -= 6;
            if (c == 3) return;
            break;
        }
    }
}

void BuildRamp2() {
    int32_t a = 175, b = 142, c = 160;
    int32_t q = 2;
    int phase = 0;
    for (int entry = 1; entry <= kLastEntry; ++entry) {
        rampColours[entry] = SchemeColour(a, b, c);
        switch (phase) {
        case 0:
            c -= 2;
            a += 5;
            b += q;
            if (q < 7) ++q;
            if (c == 128) {
                q = 1;
                phase = 1;
            }
            break;
        case 1:
            c -= 4;
            if (c >= 64) {
                b += 1;
            } else {
                a -= q;
                if (q < 6) ++q;
                b -= 1;
            }
            if (c == 0) {
                a += 1;
                phase = 2;
            }
            break;
        case 2:
            a -= 5;
            if (b >= 184) b -= 2;
            if (a == 0) phase = 3;
            break;
        case 3:
            if (a != 0) {
                b -= 2;
                a += 6;
                if (a == 255) phase = 4;
            } else {
                b -= 3;
                a = 3;
            }
            break;
        case 4:
            b -= 6;
            a -= 8;
            c += 1;
            if (b == 0) phase = 5;
            break;
        case 5:
            if (c >= 115) {
                a -= 4;
                b += 2;
                if (b > a) a = b;
                c += 4;
            } else {
                a += 12;
                if (a > 255) {
                    c += 4;
                    b -= 2;
                    a = 255;
                }
                b += 7;
                c += 9;
            }
            if (c == 255) phase = 6;
            break;
        case 6:
            b += 4;
            a += 4;
            if (b == 255) {
                q = 3;
                phase = 7;
            }
            break;
        default:
            // The last phase runs until entry 255 has been written.
            b = q >= b ? 0 : b - q;
            if (q >= 7) {
                a -= 4;
                c -= 1;
            } else {
                ++q;
            }
            break;
        }
    }
}

void BuildRamp3() {
    int32_t a = 255, b = 0, c = 255;
    int32_t q = 0;
    int phase = 0;
    for (int entry = 1; entry <= kLastEntry; ++entry) {
        rampColours[entry] = SchemeColour(a, b, c);
        switch (phase) {
        case 0:
            b += 5;
            c = 7 * c / 8;
            a = 14 * a / 15;
            if (b == 160) {
                c = 0;
                phase = 1;
            }
            break;
        case 1: {
            int32_t previousB = b;
            a = 14 * a / 15;
            b -= 5;
            c += 8;
            if (previousB == 5) {
                c = 255;
                phase = 2;
            }
            break;
        }
        case 2:
            a += 5;
            b += 4;
            c = 15 * c / 16;
            if (a == 160) {
                c = 0;
                phase = 3;
            }
            break;
        case 3:
            b += 4;
            c += 8;
            if (b >= 192) a -= 10;
            if (a == 0) {
                b = 255;
                c = 255;
                phase = 4;
            }
            break;
        case 4:
            a += 8;
            b = b < 9 ? 0 : b - 9;
            c -= 8;
            if (a == 256) {
                a = 255;
                b = 0;
                c = 0;
                phase = 5;
            }
            break;
        case 5:
            if (b >= 128) {
                b += 7;
                a -= 12;
            } else {
                b += 8;
                a -= 1;
            }
            if (b >= 255) {
                b = 255;
                a = 0;
                phase = 6;
            }
            break;
        case 6:
            a += 4;
            b -= 4;
            c += 8;
            if (a == 128) {
                c = 255;
                q = 7;
                phase = 7;
            }
            break;
        default:
            a += q;
            c -= std::max(q, 5);
            b += q;
            if (q > 4) --q;
            if (c == 0) return;
            break;
        }
    }
}

// The custom ramp splits u = 6e (e = 0..254) into six segments of 255: from
// anchor 0 to 1, 1 to 2 and 2 back to 0, each pair rising then falling. An
// additive mode byte adds the target to the base (and may take some of the
// third anchor away); a blending mode byte mixes base and target at half the
// pace, so each pair of segments crosses from one anchor to the next.
struct Segment {
    int base, target, third, modeByte;
    bool rising;
};
constexpr Segment kSegments[6] = {
    {0, 1, 2, 0, true},  {1, 0, 2, 0, false}, {1, 2, 0, 1, true},
    {2, 1, 0, 1, false}, {2, 0, 1, 2, true},  {0, 2, 1, 2, false},
};

constexpr int kFadeLength = 16;
constexpr int kFadeOutStart = 235;

void BuildCustomRamp() {
    const uint8_t *options = rampBitmapInfo.customOptions;
    bool fadeIn = options[QB_RAMP_FADE_IN] != 0;
    bool fadeOut = options[QB_RAMP_FADE_OUT] != 0;
    int32_t anchor[3][3];
    for (int j = 0; j < 3; ++j) {
        uint32_t colour = rampColours[QB_RAMP_ANCHOR_0 + j];
        anchor[j][0] = Channel(colour, 16);
        anchor[j][1] = Channel(colour, 8);
        anchor[j][2] = Channel(colour, 0);
    }

    for (int32_t e = 0; e < kLastEntry; ++e) {
        int32_t u = 6 * e;
        const Segment &segment = kSegments[u / 255];
        int32_t mode = options[QB_RAMP_MODE_0 + segment.modeByte];
        bool additive = mode < 2;
        bool keepThird = (options[QB_RAMP_MODE_0 + segment.third] & 1) != 0;
        int32_t p = additive ? u : 3 * e;

        int32_t t;
        if (!segment.rising) {
            t = 255 - p % 255;
        } else if (fadeIn && p < 255) {
            // Stretch the first rise over the entries after the fade-in.
            int32_t late = std::max(e - kFadeLength, 0);
            t = (additive ? late * 1530 / 159 : late * 765 / 159) % 255;
        } else {
            t = p % 255;
        }

        int32_t x[3];
        for (int k = 0; k < 3; ++k) {
            int32_t base = anchor[segment.base][k];
            int32_t target = anchor[segment.target][k];
            int32_t third = anchor[segment.third][k];
            int32_t value;
            if (additive) {
                value = base + target * t / 255;
                if (!keepThird) value -= std::min(2 * t * third / 255, third / 2);
            } else {
                int32_t lift = keepThird ? 0 : third / 2;
                value = (base * (255 - t) + (target - lift) * t) / 255;
            }
            if (value < 1) value = 0;
            if (fadeIn && e < kFadeLength) {
                for (int32_t n = e; n < kFadeLength; ++n) value = 31 * value / 32;
            }
            if (fadeOut && e >= kFadeOutStart) {
                for (int32_t n = kFadeOutStart - 1; n < e; ++n) value = (3 * value + 51) * 5 / 16;
            }
            x[k] = value;
        }

        // Bring the colour back into range: first lower all channels
        // together, as far as the darkest allows, then scale what is left.
        int32_t largest = std::max({x[0], x[1], x[2]});
        int32_t smallest = std::min({x[0], x[1], x[2]});
        int32_t lower = std::min(largest - 255, smallest);
        if (lower > 0) {
            for (int32_t &value : x) value -= lower;
            largest -= lower;
        }
        if (largest > 255) {
            for (int32_t &value : x) value = value * 255 / largest;
        }
        rampColours[e + 1] = SchemeColour(x[0], x[1], x[2]);
    }
}

void WriteRampHeader() {
    QuintorbelleBitmapHeader &header = rampBitmapInfo.header;
    header.headerSize = 40;
    header.width = kImageStride;
    header.height = -kImageRows; // rows run top-down, as indexImage
    header.planes = 1;
    header.bitCount = 8;
    rampColours[0] = 0;
    // The display header follows the ramp header as it stands now, so its
    // colours-used field is still the previous build's.
    displayBitmapInfo.header = header;
}

} // namespace

uint32_t SchemeColour(int32_t a, int32_t b, int32_t c) {
    int32_t s = colourScheme;
    if (s >= 12) {
        int32_t m = std::max({a, b, c});
        a = (a + m) / 2;
        b = (b + m) / 2;
        c = (c + m) / 2;
    }
    if ((s >= 6 && s < 12) || s >= 18) {
        // Mirror each channel inside the range the three span.
        int32_t m = std::max({a, b, c});
        int32_t n = std::min({a, b, c});
        a = std::min(m + n - a, 255);
        b = std::min(m + n - b, 255);
        c = std::min(m + n - c, 255);
    }
    switch (s % 6) {
    case 1: return PackColour(c, b, a);
    case 2: return PackColour(b, a, c);
    case 3: return PackColour(c, a, b);
    case 4: return PackColour(b, c, a);
    case 5: return PackColour(a, c, b);
    default: return PackColour(a, b, c);
    }
}

int32_t BuildColourRamp() {
    int32_t result = 256;
    if (densityThresholds[0] == 0) result = BuildDensityThresholds(densityBase);

    WriteRampHeader();
    switch (rampStyle) {
    case 0: BuildRamp0(); break;
    case 2: BuildRamp2(); break;
    case 3: BuildRamp3(); break;
    case 4: BuildCustomRamp(); break;
    default: BuildRamp1(); break;
    }
    // The custom ramp leaves its last entry out of the colours in use.
    rampBitmapInfo.header.coloursUsed = rampStyle == 4 ? 255 : 256;
    rampBitmapInfo.header.compression = 0;

    BuildPalette(ChoosePaletteStyle());
    return result;
}

} // namespace quintorbelle
