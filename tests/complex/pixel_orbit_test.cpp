// One pixel's orbit drawn on the window: the points of an escaping orbit, a
// cycle in yellow, the repaint before drawing and the settings left as they
// were.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "complex/complex.h"
#include "complex/complex_fixtures.h"
#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "parameters/parameters.h"
#include "platform/window_system.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

constexpr uint32_t kSurfaceWhite = 0xFFFFFF;
constexpr uint32_t kSurfaceYellow = 0xFFFF00; // the surface is red, green, blue

class PixelOrbitTest : public EngineTest<320, 240> {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        drawMode = 5;
        symmetryDegree = 1;
        colourBySource = 0;
        colouringVariant = 0;
        SetUpEscapeRadius(1);
        windowDc = platform::GetDC(host.window());
        pixelsPerUnitX = 40;
        viewOriginX = 100;
        viewOriginY = 120;
    }

    const uint32_t *Surface() const {
        int32_t width = 0;
        int32_t height = 0;
        return QuintorbelleGetSurface(host.window(), &width, &height);
    }
    uint32_t SurfaceAt(int32_t x, int32_t y) const { return Surface()[y * 320 + x]; }
    long LitPixels() const {
        return std::count_if(Surface(), Surface() + 320 * 240, [](uint32_t c) { return c != 0; });
    }
};

TEST_F(PixelOrbitTest, EscapingOrbitShowsItsPointsAfterARepaintAndRestoresTheSettings) {
    FixOrbit(0, 0, 0.5, 0); // 0, 0.5, 0.75, 1.0625, 1.6289, 3.15: escapes at count 6
    iterationCount = 777;
    historyLength = 9;
    ShowPixelOrbit(0, 0);
    for (int32_t x : {120, 130, 142, 165, 226}) EXPECT_EQ(SurfaceAt(x, 120), kSurfaceWhite) << x;
    EXPECT_EQ(SurfaceAt(100, 120), 0u); // z0 is not drawn
    EXPECT_EQ(LitPixels(), 5);
    EXPECT_EQ(iterationCount, 777u);
    EXPECT_EQ(historyLength, 9u);
    ASSERT_FALSE(host.received().empty());
    EXPECT_EQ(host.received().front().message, kMessagePaint);
}

TEST_F(PixelOrbitTest, CycleOfPeriodThreeIsYellow) {
    FixOrbit(0, 0, -1.7548776662466929, 0); // the centre of the period-3 component
    pixelsPerUnitX = 80;
    viewOriginX = 160;
    ShowPixelOrbit(0, 0);
    // The cycle 0, c, c^2 + c at columns 160, 19 and 265.
    for (int32_t x : {160, 19, 265}) EXPECT_EQ(SurfaceAt(x, 120), kSurfaceYellow) << x;
    EXPECT_EQ(LitPixels(), 3);
}

TEST_F(PixelOrbitTest, NewtonOrbitShowsEveryIterate) {
    drawMode = 6;
    FixOrbit(2, 0, -1, 0); // 2, 1.25, 1.025, 1.0003, 1.00000005, 1
    ShowPixelOrbit(0, 0);
    EXPECT_EQ(SurfaceAt(150, 120), kSurfaceWhite); // 1.25
    EXPECT_EQ(SurfaceAt(141, 120), kSurfaceWhite); // 1.025
    EXPECT_EQ(SurfaceAt(140, 120), kSurfaceWhite); // the points near the root
    EXPECT_EQ(SurfaceAt(180, 120), 0u);            // z0 = 2 is not drawn
}

} // namespace
} // namespace quintorbelle::testing
