// View fitting: the transient, the end of the survey, the shadow orbit's
// separation, the symmetric box of the icons and the fitted view.
#include <gtest/gtest.h>

#include <array>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

std::array<double, 4> Box() {
    return {surveyBox.xMin, surveyBox.yMin, surveyBox.xMax, surveyBox.yMax};
}

class FitTest : public ::testing::Test {
  protected:
    TestHost host{640, 480};
    void SetUp() override { iterationsPerWorkUnit = 1; }

    // Mode 2 with x' = c0 + c1 x: the orbit doubles for c0 = 0, c1 = 2.
    static void SetUpLinear(double c0, double c1) {
        drawMode = 2;
        quadCoef0 = c0;
        quadCoef1 = c1;
        SetUpDrawing();
    }

    // Mode 3, degree 2, mirror: z' = z / 2, so the box never grows once
    // set. The survey is taken as already past its transient.
    static void SetUpFitOfHalvingIcon() {
        drawMode = 3;
        symmetryDegree = 2;
        mirrorSymmetry = 1;
        lambda = 0.5;
        SetUpDrawing();
        surveyBox = {-1, -0.5, 2, 0.5};
        iterationCount = 1001;
    }
};

TEST_F(FitTest, SymmetricIconBoxIsCentredOnTheOriginAndAnimationsFitByDensity) {
    SetUpFitOfHalvingIcon();
    EXPECT_EQ(FitViewToAttractor(), 1);
    EXPECT_EQ(Box(), (std::array<double, 4>{-2, -2, 2, 2}));
    EXPECT_EQ(pixelsPerUnitX, 108); // 90 % of min(640 / 4, 480 / 4)
    EXPECT_EQ(viewOriginX, 320);
    EXPECT_EQ(viewOriginY, 240);

    // D = 50 000 / (480 x 640) is below 0.81: sqrt(160 / 120 * D) x 120,
    // D taken as a real ratio.
    areaPerWorkUnit = 1000;
    SetUpFitOfHalvingIcon();
    animationFrame = 5;
    FitViewToAttractor();
    EXPECT_NEAR(pixelsPerUnitX, 55.90169943749474, 1e-12);
}

TEST_F(FitTest, SurveyEndsAtItsLongestWithAGrowingBox) {
    // Mode 0 with x' = x + 1 from 0: a new extreme every step, so only the
    // bound of 512 iterations ends the survey, at iteration 513; the box
    // starts at iteration 50.
    drawMode = 0;
    functionTable[0] = {1, 0, 0, 1, 1, 0, 1, 0};
    mapCount = 1;
    SetUpDrawing();
    orbitPoint[0] = orbitPoint[1] = 0;
    EXPECT_EQ(FitViewToAttractor(), 1);
    EXPECT_EQ(Box(), (std::array<double, 4>{51, 0, 514, 0}));
}

TEST_F(FitTest, PlaneMapSurveyEndsWithItsFirstPointPastTheTransient) {
    // x' = x + 1: the single point surveyed is the one of iteration 1001.
    SetUpLinear(1, 1);
    EXPECT_EQ(FitViewToAttractor(), 1);
    EXPECT_NEAR(surveyBox.xMin, 1002.01, 1e-9);
    EXPECT_EQ(surveyBox.xMax, surveyBox.xMin);
    EXPECT_NEAR(surveyBox.yMin, 1001.01, 1e-9);
    // A box without size in either direction: one plane unit spans the
    // shorter side.
    EXPECT_DOUBLE_EQ(pixelsPerUnitX, 0.9 * 480);
    // The shadow moves in step with the orbit and never separates.
    EXPECT_EQ(divergenceIteration, 0u);
}

TEST_F(FitTest, ShadowSeparatesWhenItsLeadPassesOneHundredthToTheRight) {
    // Doubling: the lead of the shadow, dx + dy, is 3e-10 x 2^i after the
    // step of iteration i; it passes 0.01 at i = 25.
    SetUpLinear(0, 2);
    EXPECT_EQ(FitViewToAttractor(), 1);
    EXPECT_EQ(divergenceIteration, 25u);

    SetUpLinear(0, 2);
    shadowPoint[0] = 0.0099999999; // to the left: the signed lead is negative
    EXPECT_EQ(FitViewToAttractor(), 1);
    EXPECT_EQ(divergenceIteration, 0u);
}

TEST_F(FitTest, FailingOrbitEndsTheSurveyAndKeepsTheBox) {
    SetUpLinear(0, 0); // x' = 0: the orbit reaches (0, 0) and stays
    EXPECT_EQ(FitViewToAttractor(), 0);
    EXPECT_EQ(surveyBox.xMin, 1e300);
    EXPECT_EQ(viewFitted, 0);
}

} // namespace
} // namespace quintorbelle::testing
