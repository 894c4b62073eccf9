// The colour scheme, the custom ramp and the ramp headers; the built-in ramps
// are guarded by the reference pictures.
#include <gtest/gtest.h>

#include <algorithm>

#include "display/display.h"
#include "frame/shared_block.h"
#include "support/pictures.h"

namespace quintorbelle::testing {
namespace {

void BuildRamp(int32_t style, int32_t scheme = 0) {
    rampStyle = style;
    colourScheme = scheme;
    BuildColourRamp();
}

TEST(SchemeColour, ChannelOrderToneAndMirror) {
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

TEST(BuiltInRamps, UnknownStylesUseRampOneAndSchemeApplies) {
    BuildRamp(1);
    uint32_t rampOne[256];
    std::copy(rampColours, rampColours + 256, rampOne);
    BuildRamp(7);
    EXPECT_TRUE(std::equal(rampOne, rampOne + 256, rampColours));

    BuildRamp(1, 1); // channel order (c, b, a)
    EXPECT_EQ(rampColours[1], Rgb(128, 64, 255));
    EXPECT_EQ(rampColours[255], Rgb(81, 0, 255));
}

TEST(RampHeader, ColourCountsAndThresholdsBuiltOnlyWhenMissing) {
    EXPECT_EQ(BuildColourRamp(), 1); // T[1] was 0 before the first build
    EXPECT_EQ(densityThresholds[1], 2);
    EXPECT_EQ(BuildColourRamp(), 256);
    densityThresholds[0] = 0;
    EXPECT_EQ(BuildColourRamp(), 256); // same base, same thresholds

    BuildRamp(4);
    EXPECT_EQ(rampBitmapInfo.header.coloursUsed, 255u);
    EXPECT_EQ(displayBitmapInfo.header.coloursUsed, 256u); // copied before this build
    BuildRamp(0);
    EXPECT_EQ(rampBitmapInfo.header.coloursUsed, 256u);
    EXPECT_EQ(displayBitmapInfo.header.coloursUsed, 255u);
}

// Custom ramp. Entry e of the generator is ramp entry e + 1.
struct CustomRamp {
    const uint32_t *anchors;
    uint8_t modes[3];
    bool fadeIn = false, fadeOut = false;

    void Build() const {
        std::copy(anchors, anchors + 3, rampColours + QB_RAMP_ANCHOR_0);
        uint8_t *options = rampBitmapInfo.customOptions;
        options[QB_RAMP_FADE_IN] = fadeIn ? 1 : 0;
        options[QB_RAMP_FADE_OUT] = fadeOut ? 1 : 0;
        std::copy(modes, modes + 3, options + QB_RAMP_MODE_0);
        BuildRamp(4);
    }
};

constexpr uint32_t kRed = Rgb(255, 0, 0);
constexpr uint32_t kDim[3] = {Rgb(200, 0, 0), Rgb(0, 200, 0), Rgb(100, 100, 100)};
constexpr uint32_t kPrimaries[3] = {kRed, Rgb(0, 255, 0), Rgb(0, 0, 255)};
constexpr uint32_t kLevels[3] = {Rgb(250, 200, 100), Rgb(200, 100, 50), 0};

TEST(CustomRamp, HandWorkedEntriesOfEveryBlendAndFade) {
    const struct {
        const char *what;
        CustomRamp ramp;
        int entry;
        uint32_t colour;
    } cases[] = {
        // The anchors are reached exactly where their rising segments start; at
        // t = 30 of segment 0, half the third anchor is taken off the target.
        {"blend", {kDim, {2, 2, 2}}, 86, kDim[1]},
        {"blend", {kDim, {2, 2, 2}}, 11, Rgb(170, 17, 0)},
        // The third anchor's mode byte decides the lift, whatever segment 0's is.
        {"lifted blend", {kDim, {2, 2, 3}}, 11, Rgb(176, 23, 0)},
        {"plain blend", {kDim, {3, 3, 2}}, 11, Rgb(170, 17, 0)},
        // Blending segments rise and fall: t = 30 in segment 0, 105 falling in
        // segment 1, 3 in segment 5.
        {"rise and fall", {kPrimaries, {3, 3, 3}}, 11, Rgb(225, 30, 0)},
        {"rise and fall", {kPrimaries, {3, 3, 3}}, 51, Rgb(105, 150, 0)},
        // Additive modes add the third, t = 60, or take min(47, 50) of it away
        // with negatives becoming 0.
        {"additive", {kDim, {1, 1, 1}}, 11, Rgb(200, 47, 0)},
        {"subtractive", {kDim, {0, 0, 0}}, 11, Rgb(153, 0, 0)},
        // Levelling: (297, 223, 111) is lowered by 42; (438, 294, 147) is
        // lowered by 147, then (291, 147, 0) is scaled by its largest channel.
        {"levelled", {kLevels, {1, 1, 1}}, 11, Rgb(255, 181, 69)},
        {"levelled", {kLevels, {1, 1, 1}}, 41, Rgb(255, 128, 0)},
        // A fade-in darkens e = 15 by one step of 31/32 and e = 14 by two,
        // leaves e = 16 at t = 0 and stretches the first rise: at e = 20,
        // t = 4 x 1530 / 159 adding, 4 x 765 / 159 blending.
        {"fade in", {kPrimaries, {1, 1, 1}, true}, 16, Rgb(247, 0, 0)},
        {"fade in", {kPrimaries, {1, 1, 1}, true}, 15, Rgb(239, 0, 0)},
        {"fade in", {kPrimaries, {1, 1, 1}, true}, 21, Rgb(255, 38, 0)},
        {"fade in, blending", {kPrimaries, {3, 3, 3}, true}, 21, Rgb(236, 19, 0)},
        {"no fade", {kPrimaries, {1, 1, 1}}, 21, Rgb(255, 120, 0)},
        // A fade-out leaves e = 234 alone and lifts e = 235 a sixteenth of
        // the way toward white.
        {"fade out", {kPrimaries, {3, 3, 3}, false, true}, 235, Rgb(192, 0, 63)},
    };
    for (const auto &c : cases) {
        c.ramp.Build();
        EXPECT_EQ(rampColours[c.entry], c.colour) << c.what << ", entry " << c.entry;
    }
}

} // namespace
} // namespace quintorbelle::testing
