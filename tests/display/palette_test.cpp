// The choice of palette style, the five styles, and the logical palette on
// the host window's device context.
#include <gtest/gtest.h>

#include <algorithm>

#include "display/display.h"
#include "frame/engine_state.h"
#include "frame/shared_block.h"
#include "platform/window_system.h"
#include "support/pictures.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

void FillTestRamp() {
    for (uint32_t k = 0; k < 256; ++k) rampColours[k] = Rgb(k, (2 * k + 1) % 256, 255 - k);
    rampColours[256] = 0x111111u;
    rampColours[257] = 0x222222u;
    rampColours[258] = 0x333333u;
}

void FillPalette(uint32_t colour) {
    std::fill(paletteColours, paletteColours + 259, colour);
}

TEST(ChoosePaletteStyle, ConditionsInOrder) {
    const struct {
        int32_t mode, bySource, variant, logScale, mapVariant, maxIndex, frame, style;
    } cases[] = {
        {6, 1, 2, 0, 0, 0, 0, 1}, // Newton root bands by source
        {6, 1, 0, 1, 0, 0, 0, 0}, // a log scale keeps the ramp
        {6, 1, 0, 0, 0, 0, 0, 3},
        {5, 1, 0, 0, 0, 0, 0, 2}, // the escape-time palette whatever the colouring
        {5, 1, 2, 1, 0, 0, 0, 2},
        {5, 1, 0, 0, 1, 255, 0, 3}, // orbit statistics
        {5, 1, 0, 0, 1, 254, 0, 4},
        {0, 0, 0, 0, 0, 0, 0, 0}, // still function systems
        {1, 0, 0, 0, 0, 255, 0, 0},
        {0, 0, 0, 0, 0, 0, 3, 4}, // animated function systems
        {1, 0, 0, 0, 0, 0, 3, 4},
        {2, 0, 0, 0, 0, 255, 0, 4},
    };
    for (const auto &c : cases) {
        drawMode = c.mode;
        colourBySource = c.bySource;
        colouringVariant = c.variant;
        logColourScale = c.logScale;
        mapVariant = c.mapVariant;
        maxColourIndex = c.maxIndex;
        animationFrame = c.frame;
        EXPECT_EQ(ChoosePaletteStyle(), c.style)
            << "mode " << c.mode << ", by source " << c.bySource << ", variant " << c.variant;
    }
}

// A ramp whose entries all differ, with channel sums that round down when
// halved, and anchors that must travel with a full copy; a palette that
// shows which entries were written.
class PaletteStyles : public ::testing::Test {
  protected:
    void SetUp() override {
        FillTestRamp();
        FillPalette(0xABCDEFu);
        twoPi = 6.283185307179586;
    }
};

TEST_F(PaletteStyles, RootBandsForDegreeThreeWithBothAxesSet) {
    symmetryDegree = 3;
    startAxis[0] = 0.5;
    constantAxis[1] = 0.25;
    BuildPalette(1);
    EXPECT_EQ(coloursPerRoot, 63); // four roots
    EXPECT_DOUBLE_EQ(rootsPerRadian, 4 / twoPi);
    EXPECT_EQ(paletteColours[0], 0xABCDEFu); // style 1 does not copy the ramp
    for (int32_t s : {1, 64, 127, 190}) {
        EXPECT_EQ(paletteColours[s], rampColours[s]) << s;
        EXPECT_EQ(paletteColours[s + 2], rampColours[s + 1]) << s;
        EXPECT_EQ(paletteColours[s + 62], rampColours[s + 31]) << s; // last of the band
    }
    // Entry 65 is the mean of ramp entries 64 and 65: (64, 129, 191) and
    // (65, 131, 190), truncated.
    EXPECT_EQ(paletteColours[65], Rgb(64, 130, 190));
    for (int k = 253; k <= 258; ++k) EXPECT_EQ(paletteColours[k], 0xABCDEFu) << k;
}

TEST_F(PaletteStyles, RootBandsWhenOnlyTheConstantVaries) {
    symmetryDegree = 3;
    constantAxis[0] = 1.0;
    BuildPalette(1);
    EXPECT_EQ(coloursPerRoot, 85); // three roots: bands 1, 86, 171 fill to 255
    EXPECT_EQ(paletteColours[86], rampColours[86]);
    EXPECT_EQ(paletteColours[171], rampColours[171]);
    EXPECT_EQ(paletteColours[255], rampColours[171 + 42]);
    EXPECT_EQ(paletteColours[256], 0xABCDEFu);
}

TEST_F(PaletteStyles, EscapeTimePaletteEntriesAndTail) {
    rampColours[2] = Rgb(30, 60, 20);     // the blend target C2
    rampColours[255] = Rgb(200, 100, 50); // blended toward C2 at j = 224
    BuildPalette(2);
    EXPECT_EQ(paletteColours[224], Rgb(71, 111, 21));

    const uint32_t tail[] = {Rgb(0, 0, 127),   Rgb(0, 48, 174),  Rgb(0, 96, 203),
                             Rgb(0, 144, 221), Rgb(0, 192, 233), Rgb(72, 0, 184)};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(paletteColours[225 + k], tail[k]) << k;
    EXPECT_EQ(paletteColours[255], Rgb(192, 229, 255));
}

TEST_F(PaletteStyles, DensityPaletteSpreadsBySquareRootInStillPictures) {
    drawMode = 3;
    colourBySource = 0;
    maxColourIndex = 100;
    BuildPalette(4);
    // m = 100 becomes 159 after the two root steps (h = 177, m1 = 160).
    EXPECT_EQ(paletteColours[100], rampColours[160]);
    EXPECT_EQ(paletteColours[1], rampColours[1]);
    EXPECT_EQ(paletteColours[50], rampColours[80]);
    EXPECT_EQ(paletteColours[101], rampColours[101]);
    EXPECT_EQ(paletteColours[258], rampColours[258]);
}

TEST_F(PaletteStyles, DensityPaletteSpreadsLinearlyOtherwise) {
    // Colour by source: the n indices in use span the whole ramp.
    drawMode = 0;
    colourBySource = 1;
    maxColourIndex = 50;
    BuildPalette(4);
    EXPECT_EQ(paletteColours[50], rampColours[255]);
    EXPECT_EQ(paletteColours[25], rampColours[127]);

    // A running animation spreads at least over 8 indices.
    colourBySource = 0;
    animationFrame = 12;
    maxColourIndex = 3;
    BuildPalette(4);
    EXPECT_EQ(paletteColours[3], rampColours[95]);
    EXPECT_EQ(paletteColours[1], rampColours[31]);
    EXPECT_EQ(paletteColours[4], rampColours[4]);

    // A still picture of modes 0 and 1 shows the ramp as it is.
    animationFrame = 0;
    maxColourIndex = 10;
    BuildPalette(4);
    EXPECT_TRUE(std::equal(rampColours, rampColours + 259, paletteColours));

    // Nothing in use: nothing spread.
    drawMode = 2;
    maxColourIndex = 0;
    BuildPalette(4);
    EXPECT_TRUE(std::equal(rampColours, rampColours + 259, paletteColours));
}

TEST_F(PaletteStyles, StyleThreeFadesTheTopFromTheRamp) {
    drawMode = 6;
    colourBySource = 1;
    maxColourIndex = 250;
    BuildPalette(3);
    EXPECT_EQ(paletteColours[239], rampColours[255 * 239 / 250]);
    // The fade starts from the ramp's own entries, not the spread ones.
    uint32_t c2 = rampColours[2]; // (2, 5, 253)
    EXPECT_EQ(c2, Rgb(2, 5, 253));
    // k = 240: (C2 + 16 x (240, 225, 15)) / 17; k = 255: (16 C2 + (255, 255, 0)) / 17.
    EXPECT_EQ(paletteColours[240],
              Rgb((2 + 16 * 240) / 17, (5 + 16 * 225) / 17, (253 + 16 * 15) / 17));
    EXPECT_EQ(paletteColours[255], Rgb((32 + 255) / 17, (80 + 255) / 17, (16 * 253) / 17));
}

TEST_F(PaletteStyles, UnknownStyleKeepsTheColours) {
    BuildPalette(7);
    EXPECT_EQ(paletteColours[1], 0xABCDEFu);
}

using LogicalPalette = PaletteStyles;

TEST_F(LogicalPalette, CreatedOnceForAnUnchangedKey) {
    TestHost host;
    rampStyle = 2;
    colourScheme = 5;
    ASSERT_EQ(platform::LiveObjectCount(), 0);
    BuildPalette(0);

    platform::DeviceContextState dc{};
    ASSERT_TRUE(platform::InspectDeviceContext(windowDc, &dc));
    EXPECT_EQ(dc.window, host.window());
    EXPECT_EQ(dc.palette, paletteHandle);
    EXPECT_EQ(dc.textColour, 0xFFFFFFu); // for the pixel-orbit display's text
    EXPECT_EQ(dc.realizeCount, 1);

    platform::PaletteEntry entries[256];
    int count = 0;
    ASSERT_TRUE(platform::InspectPalette(paletteHandle, entries, &count));
    EXPECT_EQ(entries[7].red, 7);
    EXPECT_EQ(entries[7].green, 15);
    EXPECT_EQ(entries[7].blue, 248);
    // The device context and the palette; the memory block is gone.
    EXPECT_EQ(platform::LiveObjectCount(), 2);

    // Styles 0 and 4 share a key: the colour table changes, the palette stays.
    uint32_t firstDc = windowDc, firstPalette = paletteHandle;
    drawMode = 2;
    maxColourIndex = 10;
    BuildPalette(0);
    BuildPalette(4);
    EXPECT_NE(paletteColours[10], rampColours[10]);
    EXPECT_EQ(windowDc, firstDc);
    EXPECT_EQ(paletteHandle, firstPalette);
    ASSERT_TRUE(platform::InspectDeviceContext(windowDc, &dc));
    EXPECT_EQ(dc.realizeCount, 1);
}

TEST_F(LogicalPalette, NewKeyReplacesPaletteAndDeviceContext) {
    TestHost host;
    BuildPalette(0);
    uint32_t firstDc = windowDc, firstPalette = paletteHandle;

    colourScheme = 1;
    BuildPalette(0);
    EXPECT_NE(paletteHandle, firstPalette);
    EXPECT_NE(windowDc, firstDc);
    platform::DeviceContextState dc{};
    EXPECT_FALSE(platform::InspectDeviceContext(firstDc, &dc));
    platform::PaletteEntry entries[256];
    int count = 0;
    EXPECT_FALSE(platform::InspectPalette(firstPalette, entries, &count));
    ASSERT_TRUE(platform::InspectDeviceContext(windowDc, &dc));
    EXPECT_EQ(dc.palette, paletteHandle);
    EXPECT_EQ(dc.realizeCount, 1);
    EXPECT_EQ(dc.backgroundMode, platform::kTransparent);
    EXPECT_EQ(platform::LiveObjectCount(), 2);
}

TEST_F(LogicalPalette, StepToTheNextStyle) {
    TestHost host;
    symmetryDegree = 2;
    BuildPalette(-1); // nothing realised yet: style 0
    EXPECT_TRUE(std::equal(rampColours, rampColours + 259, paletteColours));
    EXPECT_EQ(coloursPerRoot, 0);
    BuildPalette(-1); // style 1
    EXPECT_EQ(coloursPerRoot, 85);
    BuildPalette(-1); // style 2
    EXPECT_EQ(paletteColours[225], Rgb(0, 0, 127));
    BuildPalette(-1); // style 3
    BuildPalette(-1); // and round to style 0
    EXPECT_TRUE(std::equal(rampColours, rampColours + 259, paletteColours));
}

TEST_F(LogicalPalette, NoWindowLeavesNothingBehind) {
    hostWindow = 0;
    BuildPalette(0);
    EXPECT_EQ(paletteColours[9], rampColours[9]); // the colour table is still built
    EXPECT_EQ(windowDc, 0u);
    EXPECT_EQ(paletteHandle, 0u);
    EXPECT_EQ(platform::LiveObjectCount(), 0);
}

TEST_F(LogicalPalette, LostWindowDropsTheOldPalette) {
    uint32_t window = 0;
    {
        TestHost host;
        window = host.window();
        BuildPalette(0);
        ASSERT_NE(paletteHandle, 0u);
    }
    hostWindow = window; // destroyed: no device context can be had
    BuildPalette(3);
    EXPECT_EQ(paletteHandle, 0u);
    EXPECT_EQ(windowDc, 0u);
    EXPECT_EQ(platform::LiveObjectCount(), 0);

    // The key was not taken, so a usable window gets its palette at once.
    TestHost host;
    BuildPalette(3);
    EXPECT_NE(paletteHandle, 0u);
    platform::DeviceContextState dc{};
    ASSERT_TRUE(platform::InspectDeviceContext(windowDc, &dc));
    EXPECT_EQ(dc.realizeCount, 1);
}

} // namespace
} // namespace quintorbelle::testing
