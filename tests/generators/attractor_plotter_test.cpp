// The attractor plotter: saturation, the work units and drawnRect, the colour
// wheel, the start of the basin pass and its depths. The density loop and
// the colours by source are guarded by the reference pictures.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "support/pictures.h"
#include "support/random_draws.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

// Mode 2 with x' = 1 - x, y' = x: from (0.25, 0) the orbit alternates
// between A = (0.75, 0.25) and B = (0.25, 0.75). With 100 pixels per unit
// and the origin at pixel (0, 100), A is pixel (75, 75) and B (25, 25).
class PlotterTest : public ::testing::Test {
  protected:
    TestHost host{200, 150};
    void SetUp() override {
        drawMode = 2;
        quadCoef0 = 1;
        quadCoef1 = -1;
        quadCoef2 = quadCoef3 = quadCoef4 = quadCoef5 = 0;
        orbitPoint[0] = 0.25;
        orbitPoint[1] = 0;
        pixelsPerUnitX = 100;
        viewOriginX = 0;
        viewOriginY = 100;
        EmptyRect(drawnRect);
        for (int i = 0; i < 256; ++i) densityThresholds[i] = 32767;
        densityThresholds[0] = 1;
        iterationsPerWorkUnit = 10;
    }
};

TEST_F(PlotterTest, CountSaturatesAt32766AndFinishesThePicture) {
    countImage[75][75] = 32765;
    EXPECT_EQ(PlotAttractor(1), 1);
    EXPECT_EQ(countImage[75][75], 32766); // the first visit counts, the other four do not
    EXPECT_EQ(countImage[25][25], 5);
    EXPECT_EQ(indexImage[75][75], 1);
    EXPECT_EQ(changedPixelCount, 2);
    EXPECT_EQ(RectOf(drawnRect), (Rect{25, 25, 76, 76}));
    EXPECT_EQ(drawStatus, 2);
    // Unsaturated, a settled picture is still not finished by density.
    countImage[75][75] = 0;
    drawStatus = 0;
    PlotAttractor(1);
    EXPECT_EQ(drawStatus, 0);
}

TEST_F(PlotterTest, AreaUnitsReplaceTheAreaLastCharged) {
    areaPerWorkUnit = 1;
    // 1 unit for A, then 2601 - 1 + 2601 for B's growth: 2601; the other
    // 399 units take ten iterations each, counted from the first.
    EXPECT_EQ(PlotAttractor(3000), 1);
    EXPECT_EQ(iterationCount, 3990u);
}

TEST_F(PlotterTest, ZeroBudgetDoesNoStepUnlessAnAnimationNeedsColours) {
    for (int i = 0; i < 256; ++i) densityThresholds[i] = static_cast<uint16_t>(i + 1);
    EXPECT_EQ(PlotAttractor(0), 1);
    EXPECT_EQ(iterationCount, 0u);
    EXPECT_EQ(orbitPoint[0], 0.25);
    // An animation frame goes on until some pixel reaches index 8: A's
    // eighth visit is iteration 14.
    animationFrame = 1;
    EXPECT_EQ(PlotAttractor(0), 1);
    EXPECT_EQ(iterationCount, 15u);
    EXPECT_EQ(maxColourIndex, 8);
}

TEST_F(PlotterTest, PixelPositionsTruncateTowardZero) {
    viewOriginX = -75.4; // A at column -0.4 lands in column 0, B is outside
    PlotAttractor(1);
    EXPECT_EQ(countImage[75][0], 5);
    EXPECT_EQ(changedPixelCount, 1);
    EXPECT_EQ(iterationCount, 10u); // points outside count as iterations too

    std::memset(countImage, 0, sizeof countImage);
    viewOriginX = -76.2; // A at -1.2 is column -1, outside
    PlotAttractor(1);
    EXPECT_EQ(countImage[75][0], 0);
}

TEST_F(PlotterTest, FailedStepEndsTheCallAndKeepsItsIterations) {
    quadCoef1 = 0; // x' = 1: (0.25, 0) -> (1, 0.25) -> (1, 1), then fixed
    iterationsPerWorkUnit = 1000;
    viewFitted = 1;
    EXPECT_EQ(PlotAttractor(5), 0);
    EXPECT_EQ(iterationCount, 2u);
    EXPECT_EQ(totalIterations, 2u);
    EXPECT_EQ(host.Title(), "Quintorbelle: Can't draw - Orbit converges");
}

TEST(ColourFromPosition, TheFourDirectionsAndTheBands) {
    StartEngine(nullptr);
    displayWidth = 640;
    imageHeight = 480; // centre (320, 240); the bands step at 20 r^2 / 480^2
    EXPECT_EQ(ColourFromPosition(330, 240), 1);   // right
    EXPECT_EQ(ColourFromPosition(320, 240), 61);  // centre
    EXPECT_EQ(ColourFromPosition(310, 240), 126); // left
    EXPECT_EQ(ColourFromPosition(320, 250), 191); // below
    // The band rises 0..4 and falls back 3, 2, 1 with the squared distance.
    EXPECT_EQ(ColourFromPosition(320 + 220, 240), 5); // 20 r^2 / h^2 = 4.2
    EXPECT_EQ(ColourFromPosition(320 + 290, 240), 2); // 7.3: band 1
    EXPECT_EQ(ColourFromPosition(320 + 310, 240), 1); // 8.3: band 0 again
    // Far away any colour will do, but a colour it must be.
    EXPECT_GE(ColourFromPosition(INT32_MIN, INT32_MIN), 1);
    EXPECT_GE(ColourFromPosition(65536 + 320, 240), 1); // r^2 wraps to 0
}

class BasinTest : public ::testing::Test {
  protected:
    TestHost host{4, 3};
    void SetUp() override {
        drawMode = 2;
        quadCoef0 = 0.5; // x' = 0.5, y' = x
        quadCoef1 = quadCoef2 = quadCoef3 = quadCoef4 = quadCoef5 = 0;
        pixelsPerUnitX = 1;
        reciprocalScale = 1;
        viewOriginX = 0;
        viewOriginY = 2; // pixel (c, r) is the plane point (c, 2 - r)
        EmptyRect(drawnRect);
        basinPhase = 1;
        maxColourIndex = 200;
    }
};

TEST_F(BasinTest, StartsOnlyWhenEveryConditionHolds) {
    // The first two start it (busy enough by work or by colours); each of
    // the others spoils one condition.
    const std::vector<void (*)()> changes = {
        [] { maxColourIndex = 224; }, [] { workCounter = 14900, maxColourIndex = 225; },
        [] { modeOption = 0; },       [] { drawMode = 1; },
        [] { viewZoomed = 1; },       [] { divergenceIteration = 0; },
        [] { workCounter = 14900; },  [] { frameCounter = 0; },
        [] { paramOrigin = 0; },
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        SCOPED_TRACE(i);
        modeOption = frameCounter = paramOrigin = 1;
        drawMode = 2;
        viewZoomed = basinPhase = maxColourIndex = 0;
        divergenceIteration = 5;
        workCounter = 14901;
        changes[i]();
        PlotAttractor(0);
        EXPECT_EQ(basinPhase, i < 2 ? 1 : 0);
    }
}

TEST_F(BasinTest, ColoursByLandingPlace) {
    // One step takes pixel (c, r) to (0.5, c): column 0, row 2 - c.
    countImage[2][0] = 1; // column 0 lands on a counted pixel
    EXPECT_EQ(PlotAttractor(0), 1);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(indexImage[r][0], 201) << r; // maxColourIndex + depth 1
        EXPECT_EQ(indexImage[r][1], 0) << r;   // lands where no count is yet
        EXPECT_EQ(indexImage[r][2], 0) << r;
        EXPECT_EQ(indexImage[r][3], 255) << r; // lands above the picture
    }
    EXPECT_EQ(changedPixelCount, 6);
    EXPECT_EQ(totalIterations, 12u);
    EXPECT_EQ(RectOf(drawnRect), (Rect{0, 0, 4, 3}));
}

TEST_F(BasinTest, DepthGrowsUntilTheColourRangesMeet) {
    quadCoef0 = 1e308;
    quadCoef1 = 1e308; // every pixel but column 0 escapes at once
    for (int depth = 1; depth <= 27; ++depth) {
        std::memset(indexImage, 0, sizeof indexImage);
        workCounter = 0;
        PlotAttractor(0);
        EXPECT_EQ(indexImage[0][3], 256 - depth) << depth;
        EXPECT_EQ(workCounter, 0) << depth;
    }
    // 200 + 28 >= 256 - 28: nothing more is coloured, and the call is idle.
    std::memset(indexImage, 0, sizeof indexImage);
    workCounter = 0;
    const uint32_t iterationsBefore = totalIterations;
    EXPECT_EQ(PlotAttractor(0), 1);
    EXPECT_EQ(indexImage[0][3], 0);
    EXPECT_EQ(workCounter, 25);
    EXPECT_EQ(totalIterations, iterationsBefore);
}

} // namespace
} // namespace quintorbelle::testing
