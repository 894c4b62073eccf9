// The colour scheme, the four built-in ramps, the custom ramp and the ramp
// headers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "display/display.h"
#include "frame/shared_block.h"

namespace quintorbelle {
namespace {

constexpr uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return (red << 16) | (green << 8) | blue;
}

void BuildRamp(int32_t style, int32_t scheme = 0) {
    rampStyle = style;
    colourScheme = scheme;
    BuildColourRamp();
}

TEST(SchemeColour, ChannelOrderToneAndMirror) {
    colourScheme = 0;
    EXPECT_EQ(SchemeColour(255, 64, 128), Rgb(255, 64, 128));
    colourScheme = 1;
    EXPECT_EQ(SchemeColour(255, 64, 128), Rgb(128, 64, 255));
    colourScheme = 6; // mirrored inside [64, 255]
    EXPECT_EQ(SchemeColour(255, 64, 128), Rgb(64, 255, 191));

    // Every channel order, on distinct channels.
    const uint32_t orders[6] = {Rgb(10, 20, 30), Rgb(30, 20, 10), Rgb(20, 10, 30),
                                Rgb(30, 10, 20), Rgb(20, 30, 10), Rgb(10, 30, 20)};
    for (int32_t s = 0; s < 6; ++s) {
        colourScheme = s;
        EXPECT_EQ(SchemeColour(10, 20, 30), orders[s]) << s;
    }

    colourScheme = 12; // pastel: halfway toward the largest channel
    EXPECT_EQ(SchemeColour(255, 64, 128), Rgb(255, 159, 191));
    colourScheme = 19; // pastel, then mirrored inside [159, 255], then order 1
    EXPECT_EQ(SchemeColour(255, 64, 128), Rgb(223, 255, 159));
}

TEST(BuiltInRamps, FirstEntriesAndLastUnderSchemeZero) {
    struct Expected {
        int32_t style;
        uint32_t first[3];
        uint32_t last;
    };
    const Expected ramps[] = {
        {0, {Rgb(102, 0, 0), Rgb(111, 0, 0), Rgb(120, 0, 0)}, Rgb(255, 251, 251)},
        {1, {Rgb(255, 64, 128), Rgb(253, 60, 120), Rgb(251, 56, 112)}, Rgb(255, 0, 81)},
        {2, {Rgb(175, 142, 160), Rgb(180, 144, 158), Rgb(185, 147, 156)}, Rgb(115, 0, 220)},
        {3, {Rgb(255, 0, 255), Rgb(238, 5, 223), Rgb(222, 10, 195)}, Rgb(246, 245, 112)},
    };
    for (const Expected &ramp : ramps) {
        // A stale ramp must not survive anywhere: a generator that stops
        // early would leave these marks behind.
        for (int e = 1; e <= 255; ++e) rampColours[e] = 0xFF000000u;
        BuildRamp(ramp.style);
        EXPECT_EQ(rampColours[0], 0u);
        for (int e = 0; e < 3; ++e) EXPECT_EQ(rampColours[e + 1], ramp.first[e]) << ramp.style;
        EXPECT_EQ(rampColours[255], ramp.last) << ramp.style;
        for (int e = 1; e <= 255; ++e) {
            EXPECT_EQ(rampColours[e] >> 24, 0u) << "ramp " << ramp.style << " entry " << e;
        }
    }
}

TEST(BuiltInRamps, RampZeroChangesPhaseOnItsMarks) {
    BuildRamp(0);
    EXPECT_EQ(rampColours[18], Rgb(255, 0, 0));     // red has reached 255
    EXPECT_EQ(rampColours[19], Rgb(255, 3, 0));     // green starts at 3
    EXPECT_EQ(rampColours[61], Rgb(255, 255, 0));   // green has reached 255
    EXPECT_EQ(rampColours[62], Rgb(252, 255, 5));   // blue starts at 5, red steps back
    EXPECT_EQ(rampColours[87], Rgb(102, 255, 255)); // blue has reached 255
    EXPECT_EQ(rampColours[88], Rgb(102, 252, 255));
    EXPECT_EQ(rampColours[89], Rgb(100, 245, 255));
}

TEST(BuiltInRamps, UnknownStylesUseRampOneAndSchemeApplies) {
    BuildRamp(1);
    uint32_t rampOne[256];
    std::copy(rampColours, rampColours + 256, rampOne);
    BuildRamp(7);
    EXPECT_TRUE(std::equal(rampOne, rampOne + 256, rampColours));
    BuildRamp(-1);
    EXPECT_TRUE(std::equal(rampOne, rampOne + 256, rampColours));

    BuildRamp(1, 1); // channel order (c, b, a)
    EXPECT_EQ(rampColours[1], Rgb(128, 64, 255));
    EXPECT_EQ(rampColours[255], Rgb(81, 0, 255));
}

TEST(RampHeader, DisplayHeaderCopiesThePreviousColourCount) {
    BuildRamp(4);
    const QuintorbelleBitmapHeader &ramp = rampBitmapInfo.header;
    EXPECT_EQ(ramp.headerSize, 40);
    EXPECT_EQ(ramp.width, 1280);
    EXPECT_EQ(ramp.height, -1024);
    EXPECT_EQ(ramp.planes, 1);
    EXPECT_EQ(ramp.bitCount, 8);
    EXPECT_EQ(ramp.compression, 0u);
    EXPECT_EQ(ramp.coloursUsed, 255u);
    EXPECT_EQ(displayBitmapInfo.header.coloursUsed, 0u); // copied before this build

    BuildRamp(0);
    EXPECT_EQ(rampBitmapInfo.header.coloursUsed, 256u);
    EXPECT_EQ(displayBitmapInfo.header.coloursUsed, 255u);
    EXPECT_EQ(displayBitmapInfo.header.height, -1024);
}

TEST(RampHeader, ThresholdsAreBuiltOnlyWhenMissing) {
    EXPECT_EQ(BuildColourRamp(), 1); // T[1] was 0 before the first build
    EXPECT_EQ(densityThresholds[0], 1);
    EXPECT_EQ(densityThresholds[1], 2);
    EXPECT_EQ(BuildColourRamp(), 256);
    densityThresholds[0] = 0;
    EXPECT_EQ(BuildColourRamp(), 256); // same base, same thresholds
}

// Custom ramp. Entry e of the generator is ramp entry e + 1.
void SetCustom(uint32_t a0, uint32_t a1, uint32_t a2, uint8_t mode0, uint8_t mode1, uint8_t mode2,
               bool fadeIn = false, bool fadeOut = false) {
    rampColours[QB_RAMP_ANCHOR_0] = a0;
    rampColours[QB_RAMP_ANCHOR_1] = a1;
    rampColours[QB_RAMP_ANCHOR_2] = a2;
    uint8_t *options = rampBitmapInfo.customOptions;
    options[QB_RAMP_FADE_IN] = fadeIn ? 1 : 0;
    options[QB_RAMP_FADE_OUT] = fadeOut ? 1 : 0;
    options[QB_RAMP_MODE_0] = mode0;
    options[QB_RAMP_MODE_0 + 1] = mode1;
    options[QB_RAMP_MODE_0 + 2] = mode2;
    BuildRamp(4);
}

constexpr uint32_t kRed = Rgb(255, 0, 0), kGreen = Rgb(0, 255, 0), kBlue = Rgb(0, 0, 255);

TEST(CustomRamp, BlendingCyclesThroughTheAnchors) {
    const uint32_t a0 = Rgb(200, 0, 0), a1 = Rgb(0, 200, 0), a2 = Rgb(100, 100, 100);
    SetCustom(a0, a1, a2, 2, 2, 2);
    // Each anchor is reached exactly where its rising segment starts.
    EXPECT_EQ(rampColours[1], a0);
    EXPECT_EQ(rampColours[86], a1);
    EXPECT_EQ(rampColours[171], a2);
    // t = 30 in segment 0, with half the third anchor taken off the target.
    EXPECT_EQ(rampColours[11], Rgb(170, 17, 0));
    for (int e = 2; e <= 255; ++e) {
        for (int shift : {0, 8, 16}) {
            int step = static_cast<int>((rampColours[e] >> shift) & 0xFF) -
                       static_cast<int>((rampColours[e - 1] >> shift) & 0xFF);
            EXPECT_LE(std::abs(step), 8) << "entry " << e;
        }
    }
    EXPECT_EQ(rampColours[256], a0); // the anchors stay in place
}

TEST(CustomRamp, ThirdAnchorsModeByteDecidesTheLift) {
    const uint32_t a0 = Rgb(200, 0, 0), a1 = Rgb(0, 200, 0), a2 = Rgb(100, 100, 100);
    SetCustom(a0, a1, a2, 3, 3, 3);
    EXPECT_EQ(rampColours[11], Rgb(176, 23, 0));
    // Segment 0 blends by mode byte 0, but the third anchor is 2.
    SetCustom(a0, a1, a2, 2, 2, 3);
    EXPECT_EQ(rampColours[11], Rgb(176, 23, 0));
    SetCustom(a0, a1, a2, 3, 3, 2);
    EXPECT_EQ(rampColours[11], Rgb(170, 17, 0));
}

TEST(CustomRamp, BlendingSegmentsRiseAndFall) {
    SetCustom(kRed, kGreen, kBlue, 3, 3, 3);
    EXPECT_EQ(rampColours[1], kRed);
    EXPECT_EQ(rampColours[11], Rgb(225, 30, 0));  // segment 0, t = 30
    EXPECT_EQ(rampColours[51], Rgb(105, 150, 0)); // segment 1 falls: t = 105
    EXPECT_EQ(rampColours[255], Rgb(252, 0, 3));  // segment 5, t = 3
}

TEST(CustomRamp, AdditiveModesAddAndTakeAwayTheThird) {
    const uint32_t a0 = Rgb(200, 0, 0), a1 = Rgb(0, 200, 0), a2 = Rgb(100, 100, 100);
    SetCustom(a0, a1, a2, 1, 1, 1);
    EXPECT_EQ(rampColours[11], Rgb(200, 47, 0)); // t = 60
    SetCustom(a0, a1, a2, 0, 0, 0);
    EXPECT_EQ(rampColours[11], Rgb(153, 0, 0)); // less min(47, 50); negatives become 0
}

TEST(CustomRamp, LevellingLowersThenScales) {
    const uint32_t a0 = Rgb(250, 200, 100), a1 = Rgb(200, 100, 50);
    SetCustom(a0, a1, 0, 1, 1, 1);
    // (297, 223, 111) is lowered by 42.
    EXPECT_EQ(rampColours[11], Rgb(255, 181, 69));
    // (438, 294, 147) is lowered by 147, and (291, 147, 0) scaled by its
    // largest channel.
    EXPECT_EQ(rampColours[41], Rgb(255, 128, 0));
}

TEST(CustomRamp, FadeInDarkensTheStartAndStretchesTheFirstRise) {
    SetCustom(kRed, kGreen, kBlue, 1, 1, 1, true, false);
    EXPECT_EQ(rampColours[16], Rgb(247, 0, 0));  // e = 15: one step of 31/32
    EXPECT_EQ(rampColours[15], Rgb(239, 0, 0));  // e = 14: two steps
    EXPECT_EQ(rampColours[17], kRed);            // e = 16: no fade, t = 0
    EXPECT_EQ(rampColours[21], Rgb(255, 38, 0)); // e = 20: t = 4 x 1530 / 159
    SetCustom(kRed, kGreen, kBlue, 3, 3, 3, true, false);
    EXPECT_EQ(rampColours[21], Rgb(236, 19, 0)); // blending: t = 4 x 765 / 159
    SetCustom(kRed, kGreen, kBlue, 1, 1, 1);
    EXPECT_EQ(rampColours[21], Rgb(255, 120, 0));
}

TEST(CustomRamp, FadeOutLiftsTheEndTowardWhite) {
    SetCustom(kRed, kGreen, kBlue, 3, 3, 3, false, true);
    EXPECT_EQ(rampColours[235], Rgb(192, 0, 63));  // e = 234 is untouched
    EXPECT_EQ(rampColours[236], Rgb(198, 15, 72)); // e = 235: one sixteenth of the way
    uint32_t last = rampColours[255];
    EXPECT_GT(last & 0xFF, 150u); // twenty steps from (252, 0, 3)
    EXPECT_GT((last >> 8) & 0xFF, 150u);
}

} // namespace
} // namespace quintorbelle
