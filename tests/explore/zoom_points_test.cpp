// The search for a busy region on crafted pictures: what scores, the strict
// choice of the best window, and the scaling of its corner to zoomPoint.
#include <gtest/gtest.h>

#include <algorithm>

#include "explore/explore.h"
#include "explore_support.h"

namespace quintorbelle::testing {
namespace {

// Seeks draws whose window corners satisfy `wanted`, and returns the corners.
std::vector<Corner> SeekCorners(int32_t xRange, int32_t yRange,
                                const std::function<bool(const std::vector<Corner> &)> &wanted) {
    SeekDraws(64, [&](const Draws &) { return wanted(SampleCorners(xRange, yRange)); });
    return SampleCorners(xRange, yRange);
}

// The first corner that `inside` accepts.
Corner FirstCorner(const std::vector<Corner> &corners, const std::function<bool(Corner)> &inside) {
    return *std::find_if(corners.begin(), corners.end(), inside);
}

TEST(ZoomPoint, AUniformPictureHasNothingToZoomInto) {
    TestHost host(320, 240);
    SeekDraws(1, [](const Draws &) { return true; });
    PaintPixels([](int32_t, int32_t, uint8_t &index, uint16_t &count) {
        index = 7;
        count = 900;
    });
    zoomPoint[0] = zoomPoint[1] = -1;
    EXPECT_EQ(PickZoomPoint(), 0);
    drawMode = 6;
    EXPECT_EQ(PickZoomPointByCount(), 0);
    EXPECT_EQ(zoomPoint[0], -1);
    EXPECT_EQ(zoomPoint[1], -1);
}

TEST(ZoomPoint, TheBusiestWindowWinsAndTheFirstKeepsATie) {
    // Windows of 80 x 60 with corners in 240 x 180; only the top 60 rows
    // change colour, so the window nearest the top scores most.
    TestHost host(320, 240);
    PaintPixels([](int32_t x, int32_t y, uint8_t &index, uint16_t &) {
        index = y < 60 ? static_cast<uint8_t>(1 + (x & 1)) : 0;
    });
    std::vector<Corner> corners = SeekCorners(240, 180, [](const std::vector<Corner> &c) {
        return c[0].y >= 60 && std::any_of(c.begin(), c.end(), [](Corner k) { return k.y < 60; });
    });
    Corner top = *std::min_element(corners.begin(), corners.end(),
                                   [](Corner a, Corner b) { return a.y < b.y; });
    ASSERT_EQ(PickZoomPoint(), 1);
    EXPECT_EQ(zoomPoint[0], 4 * top.x / 3);
    EXPECT_EQ(zoomPoint[1], 4 * top.y / 3);

    // Every window alike: none beats the first.
    PaintStripes(0);
    corners = SampleCorners(240, 180);
    ASSERT_EQ(PickZoomPoint(), 1);
    EXPECT_EQ(zoomPoint[0], 4 * corners[0].x / 3);
    EXPECT_EQ(zoomPoint[1], 4 * corners[0].y / 3);
}

TEST(ZoomPointByCount, InModeSixAWindowOnTheBackgroundBeatsAnyWithout) {
    // Windows of 40 x 30, corners in 280 x 210; the background is column 150.
    TestHost host(320, 240);
    drawMode = 6;
    PaintStripes(65535, 150);
    auto onBackground = [](Corner c) { return c.x >= 112 && c.x <= 150; };
    std::vector<Corner> corners = SeekCorners(280, 210, [&](const std::vector<Corner> &c) {
        return !onBackground(c[0]) && std::any_of(c.begin(), c.end(), onBackground) &&
               std::none_of(c.begin(), c.end(), [](Corner k) { return k.x == 111; });
    });
    Corner expected = FirstCorner(corners, onBackground);
    ASSERT_EQ(PickZoomPointByCount(), 1);
    EXPECT_EQ(zoomPoint[0], 8 * expected.x / 7);
    EXPECT_EQ(zoomPoint[1], 8 * expected.y / 7);
}

TEST(ZoomPointByCount, TheModeSixScoreWrapsAsAnI32) {
    // Full-size windows of 160 x 128 with saturated counts score 1.33e9;
    // with the background bonus they pass 2^31 and wrap below zero, so a
    // window without background wins.
    TestHost host(1280, 1024);
    drawMode = 6;
    PaintStripes(65535, 600);
    auto onBackground = [](Corner c) { return c.x >= 440 && c.x <= 600; };
    std::vector<Corner> corners = SeekCorners(1120, 896, [&](const std::vector<Corner> &c) {
        return onBackground(c[0]) && !std::all_of(c.begin(), c.end(), onBackground);
    });
    Corner expected = FirstCorner(corners, [&](Corner c) { return !onBackground(c); });
    ASSERT_EQ(PickZoomPointByCount(), 1);
    EXPECT_EQ(zoomPoint[0], 8 * expected.x / 7);
    EXPECT_EQ(zoomPoint[1], 8 * expected.y / 7);
}

TEST(ZoomPointByCount, OrbitStatisticsSeekTheBorderOfFinishedPixels) {
    // Colours alternate everywhere, but only a pair across column 160, where
    // the counts pass from running to finished, is worth a zoom.
    TestHost host(320, 240);
    drawMode = 5;
    mapVariant = 1;
    PaintStripes(1000);
    SeekDraws(1, [](const Draws &) { return true; });
    EXPECT_EQ(PickZoomPointByCount(), 0);

    PaintPixels(
        [](int32_t x, int32_t, uint8_t &, uint16_t &count) { count = x < 160 ? 1000 : 40000; });
    auto acrossBorder = [](Corner c) { return c.x >= 121 && c.x <= 159; };
    std::vector<Corner> corners = SeekCorners(280, 210, [&](const std::vector<Corner> &c) {
        return !acrossBorder(c[0]) && std::any_of(c.begin(), c.end(), acrossBorder) &&
               std::none_of(c.begin(), c.end(), [](Corner k) { return k.x == 120; });
    });
    Corner expected = FirstCorner(corners, acrossBorder);
    ASSERT_EQ(PickZoomPointByCount(), 1);
    EXPECT_EQ(zoomPoint[0], 8 * expected.x / 7);
    EXPECT_EQ(zoomPoint[1], 8 * expected.y / 7);

    // The same border between equal colours is no border.
    PaintPixels([](int32_t, int32_t, uint8_t &index, uint16_t &) { index = 5; });
    EXPECT_EQ(PickZoomPointByCount(), 0);
}

TEST(ZoomPointByCount, OtherModesNeedBackgroundAndWeighCountsAboveTheLowFourBits) {
    TestHost host(320, 240);
    drawMode = 7;
    SeekCorners(280, 210, [](const std::vector<Corner> &c) {
        return std::any_of(c.begin(), c.end(), [](Corner k) { return k.x >= 112 && k.x <= 150; });
    });
    PaintStripes(16);
    EXPECT_EQ(PickZoomPointByCount(), 0) << "no background, no region";
    PaintStripes(15, 150);
    EXPECT_EQ(PickZoomPointByCount(), 0) << "counts below 16 weigh nothing";
    PaintStripes(16, 150);
    EXPECT_EQ(PickZoomPointByCount(), 1);
}

} // namespace
} // namespace quintorbelle::testing
