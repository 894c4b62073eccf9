// The choice of palette style, the five styles, and the logical palette on
// the host window's device context.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

#include "display/display.h"
#include "frame/engine_state.h"
#include "frame/shared_block.h"
#include "platform/window_system.h"
#include "support/pictures.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

TEST(ChoosePaletteStyle, ConditionsInOrder) {
    // Mode, colour by source, colouring variant, log scale, map variant,
    // highest index in use, animation frame; and the style.
    using Settings = std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t>;
    const std::pair<Settings, int32_t> cases[] = {
        {{6, 1, 2, 0, 0, 0, 0}, 1}, // Newton root bands by source
        {{6, 1, 0, 1, 0, 0, 0}, 0}, // a log scale keeps the ramp
        {{6, 1, 0, 0, 0, 0, 0}, 3},
        {{5, 1, 2, 1, 0, 0, 0}, 2},   // the escape-time palette whatever the colouring
        {{5, 1, 0, 0, 1, 255, 0}, 3}, // orbit statistics
        {{5, 1, 0, 0, 1, 254, 0}, 4},
        {{1, 0, 0, 0, 0, 255, 0}, 0}, // still function systems
        {{1, 0, 0, 0, 0, 0, 3}, 4},   // animated function systems
        {{2, 0, 0, 0, 0, 255, 0}, 4},
    };
    for (const auto &[settings, style] : cases) {
        std::tie(drawMode, colourBySource, colouringVariant, logColourScale, mapVariant,
                 maxColourIndex, animationFrame) = settings;
        EXPECT_EQ(ChoosePaletteStyle(), style)
            << "mode " << drawMode << ", variant " << colouringVariant;
    }
}

// A ramp whose entries all differ, with channel sums that round down when
// halved; a palette that shows which entries were written.
class PaletteStyles : public ::testing::Test {
  protected:
    void SetUp() override {
        for (uint32_t k = 0; k < 256; ++k) rampColours[k] = Rgb(k, (2 * k + 1) % 256, 255 - k);
        std::fill(paletteColours, paletteColours + 259, 0xABCDEFu);
        twoPi = 6.283185307179586;
    }
};

TEST_F(PaletteStyles, DensityPaletteSpreadsLinearlyUnlessStill) {
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

    // Nothing in use: nothing spread.
    animationFrame = 0;
    drawMode = 2;
    maxColourIndex = 0;
    BuildPalette(4);
    EXPECT_TRUE(std::equal(rampColours, rampColours + 259, paletteColours));
}

using LogicalPalette = PaletteStyles;

TEST_F(LogicalPalette, CreatedOnceForAKeyAndReplacedForANewOne) {
    TestHost host;
    rampStyle = 2;
    colourScheme = 5;
    BuildPalette(0);
    platform::DeviceContextState dc{};
    ASSERT_TRUE(platform::InspectDeviceContext(windowDc, &dc));
    EXPECT_EQ(dc.window, host.window());
    EXPECT_EQ(dc.palette, paletteHandle);
    platform::PaletteEntry entries[256];
    int count = 0;
    ASSERT_TRUE(platform::InspectPalette(paletteHandle, entries, &count));
    EXPECT_EQ(Rgb(entries[7].red, entries[7].green, entries[7].blue), rampColours[7]);
    EXPECT_EQ(platform::LiveObjectCount(), 2); // the memory block is gone

    // Styles 0 and 4 share a key: the colour table changes, the palette stays.
    const uint32_t firstDc = windowDc, firstPalette = paletteHandle;
    drawMode = 2;
    maxColourIndex = 10;
    BuildPalette(4);
    EXPECT_NE(paletteColours[10], rampColours[10]);
    EXPECT_EQ(paletteHandle, firstPalette);
    ASSERT_TRUE(platform::InspectDeviceContext(windowDc, &dc));
    EXPECT_EQ(dc.realizeCount, 1);

    colourScheme = 1; // a new key: palette and device context are replaced
    BuildPalette(0);
    EXPECT_FALSE(platform::InspectDeviceContext(firstDc, &dc));
    EXPECT_FALSE(platform::InspectPalette(firstPalette, entries, &count));
    ASSERT_TRUE(platform::InspectDeviceContext(windowDc, &dc));
    EXPECT_EQ(dc.palette, paletteHandle);
    EXPECT_EQ(dc.realizeCount, 1);
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

TEST_F(LogicalPalette, NoUsableWindowLeavesNothingBehind) {
    hostWindow = 0;
    BuildPalette(0);
    EXPECT_EQ(paletteColours[9], rampColours[9]); // the colour table is still built
    EXPECT_EQ(paletteHandle, 0u);
    EXPECT_EQ(platform::LiveObjectCount(), 0);

    TestHost host; // the key was not taken: the palette comes at once
    BuildPalette(0);
    EXPECT_NE(paletteHandle, 0u);
}

} // namespace
} // namespace quintorbelle::testing
