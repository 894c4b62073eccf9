// The progressive renderer: the schedule of block sizes, scan orders and
// levels, the neighbour each scan order compares with, the skip lottery,
// the exhaustive pass, completion and the colour indices it writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "complex/complex.h"
#include "complex/complex_fixtures.h"
#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "parameters/parameters.h"
#include "support/pictures.h"
#include "support/random_draws.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

// The classic slice of a 64 x 48 picture.
class RefineTest : public EngineTest<64, 48> {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        SetUpClassicSlice();
    }
    void TearDown() override {
        std::free(orbitStore);
        orbitStore = nullptr;
    }
};

TEST(PowerCostTest, CountsSquaringsAndProducts) {
    drawMode = 5;
    EXPECT_EQ(PowerCost(7), 4);
    EXPECT_EQ(PowerCost(8), 3);
    drawMode = 6; // z^(e-1), the product with z and the division
    EXPECT_EQ(PowerCost(4), 4);
}

TEST_F(RefineTest, OnePassPerCallThroughBlockSizesAndLevels) {
    RefineComplexPicture(1);
    EXPECT_EQ(blockSize, 16);
    EXPECT_EQ(scanOrder, 0);
    EXPECT_EQ(iterationCount, 128u); // 128 / cost 1 of z^2
    for (int call = 2; call <= 9; ++call) RefineComplexPicture(1);
    EXPECT_EQ(blockSize, 8); // from the ninth
    EXPECT_EQ(scanOrder, 0);
    for (int call = 10; call <= 33; ++call) RefineComplexPicture(1);
    EXPECT_EQ(blockSize, 1);
    EXPECT_EQ(scanOrder, 0);
    for (int call = 34; call <= 40; ++call) RefineComplexPicture(1);
    EXPECT_EQ(iterationCount, 128u);
    EXPECT_EQ(settleIteration, 0u);
    ASSERT_FALSE(pendingRect[kRight] < pendingRect[kLeft]); // the set's boundary is undecided

    const uint32_t lengthened = std::min(historyLength + 1, 128u);
    const int32_t pending[4] = {pendingRect[0], pendingRect[1], pendingRect[2], pendingRect[3]};
    RefineComplexPicture(1); // the 41st raises the level
    EXPECT_EQ(scanOrder, 0);
    EXPECT_EQ(settleIteration, 128u);
    EXPECT_EQ(iterationCount, 128u + lengthened);
    EXPECT_EQ(scanRect[kLeft], pending[kLeft]);
    EXPECT_EQ(scanRect[kBottom], pending[kBottom]);
    EXPECT_EQ(drawStatus, 0);
}

TEST_F(RefineTest, EscapedEverywhereCompletesAtTheNextLevel) {
    FixOrbit(0, 0, 3, 0);
    for (int call = 1; call <= 40; ++call) RefineComplexPicture(1);
    EXPECT_LT(pendingRect[kRight], pendingRect[kLeft]);
    EXPECT_EQ(indexImage[47][63], 2); // z1 = 3 escaped at count 2
    EXPECT_EQ(RefineComplexPicture(1), 0);
    EXPECT_EQ(drawStatus, 2);
    EXPECT_EQ(scanOrder, 7);
    EXPECT_EQ(iterationCount, 131u); // raised all the same, by the history of 3
    RefineComplexPicture(1);
    EXPECT_EQ(scanOrder, 7);
    EXPECT_EQ(iterationCount, 135u);
}

TEST_F(RefineTest, AnimationFrameRunsToBlockSizeOneAndAsksToStop) {
    FixOrbit(0, 0, 3, 0);
    animationFrame = 5;
    autoExplore = 1;
    RefineComplexPicture(1);
    EXPECT_EQ(blockSize, 1);
    EXPECT_EQ(scanOrder, 7);
    EXPECT_EQ(iterationCount, 32u);
    ASSERT_EQ(host.Commands(), std::vector<int32_t>{kCommandAnimation});
    EXPECT_EQ(host.received().back().lParam, 0);

    autoExplore = 0;
    host.ClearReceived();
    RefineComplexPicture(1);
    EXPECT_TRUE(host.Commands().empty());
}

TEST_F(RefineTest, StepwiseLevelsStartAtOneIterationPerLevel) {
    stepwiseLevels = 1;
    RefineComplexPicture(1);
    EXPECT_EQ(blockSize, 1);
    EXPECT_EQ(scanOrder, 7);
    EXPECT_EQ(iterationCount, 1u);
    RefineComplexPicture(1);
    EXPECT_EQ(scanOrder, 7);
    EXPECT_EQ(iterationCount, 2u); // raised by min(historyLength, 1)
}

TEST_F(RefineTest, PictureEdgesRoundUpAndBlocksSpillPastThem) {
    TestHost wide(100, 80);
    SetUpClassicSlice();
    RefineComplexPicture(1);
    EXPECT_EQ(scanRect[kRight], 112);
    const uint8_t corner = indexImage[0][96];
    EXPECT_NE(corner, 0);
    EXPECT_EQ(indexImage[0][111], corner);
    EXPECT_EQ(indexImage[15][111], corner);
    EXPECT_EQ(indexImage[0][112], 0);
    EXPECT_EQ(drawnRect[kRight], 112);
}

// The neighbour that each scan order compares with. Every pixel of an 8 x 8
// picture shows the colour that computing it gives, so a corner is computed
// only where its reference shows a probe colour, or where the corner before
// it kept a probe colour of its own.
class ScanOrderTest : public RefineTest {
  protected:
    static constexpr uint8_t kComputed = 2; // z1 = 3 escapes at count 2
    static constexpr uint8_t kProbe = 9;

    void SetUp() override {
        RefineTest::SetUp();
        NewPicture();
    }

    static void NewPicture() {
        SetUpClassicSlice();
        FixOrbit(0, 0, 3, 0);
        SetUpEscapeRadius(1);
        for (auto &row : indexImage) std::fill(std::begin(row), std::end(row), kComputed);
        for (auto &row : countImage) std::fill(std::begin(row), std::end(row), 0);
        iterationCount = 100;
        blockSize = 1;
        historyLength = 2;
    }

    // Runs one pass of `order` over (2, 2)-(5, 5) and returns the corners
    // it computed.
    static Pixels Pass(int32_t order) {
        const int32_t rect[4] = {2, 2, 5, 5};
        std::copy(rect, rect + 4, order == 0 ? pendingRect : scanRect);
        scanOrder = order == 0 ? 7 : order - 1;
        NextFastDrawEndsIn(1); // the skip counter: no lottery win within the pass
        RefineComplexPicture(1);
        return PixelsWhere([](uint8_t, uint16_t count) { return count == 9; });
    }

    TestHost host_{8, 8};
};

TEST_F(ScanOrderTest, EachOrderComparesWithItsOwnNeighbour) {
    // A kept probe is decided, so never computed itself.
    const struct {
        const char *neighbour;
        Pixels keptProbes, probes, computed;
    } orders[] = {
        {"left", {{3, 2}}, {{1, 3}}, {{2, 2}, {4, 2}, {2, 3}}},
        {"lower left", {}, {{2, 5}, {1, 4}}, {{2, 4}, {3, 4}, {2, 3}}},
        {"below", {{2, 3}}, {{3, 5}}, {{2, 4}, {2, 2}, {3, 4}}},
        {"lower right", {}, {{4, 5}, {5, 4}}, {{4, 4}, {3, 4}, {4, 3}}},
        {"right", {{3, 2}}, {{5, 3}}, {{4, 2}, {2, 2}, {4, 3}}},
        {"upper right", {}, {{4, 1}, {5, 2}}, {{4, 2}, {3, 2}, {4, 3}}},
        // A new column looks at the top of the next one.
        {"above", {{2, 3}}, {{4, 2}}, {{2, 2}, {2, 4}, {3, 2}, {4, 2}}},
        {"upper left", {}, {{2, 1}, {1, 2}}, {{2, 2}, {3, 2}, {2, 3}}},
    };
    for (int32_t order = 0; order < 8; ++order) {
        NewPicture();
        for (auto [x, y] : orders[order].keptProbes) countImage[y][x] = 5;
        for (const Pixels &probes : {orders[order].keptProbes, orders[order].probes}) {
            for (auto [x, y] : probes) indexImage[y][x] = kProbe;
        }
        EXPECT_EQ(Pass(order), orders[order].computed)
            << "order " << order << " compares with the " << orders[order].neighbour;
    }
}

TEST_F(ScanOrderTest, LotteryComputesOneMatchIn256) {
    scanRect[kLeft] = scanRect[kTop] = 2;
    scanRect[kRight] = scanRect[kBottom] = 5;
    scanOrder = 6;           // the next pass is order 7, whose references all match
    NextFastDrawEndsIn(255); // the skip counter: the second match draws 0
    RefineComplexPicture(1);
    EXPECT_EQ(countImage[2][2], 9);
    EXPECT_EQ(countImage[2][3], 0);
    EXPECT_EQ(countImage[2][4], 9);
    EXPECT_EQ(countImage[3][2], 0);
}

TEST_F(ScanOrderTest, NothingIsSkippedAtTheHighestLimit) {
    iterationCount = 65535;
    EXPECT_EQ(Pass(1).size(), 9u);
}

TEST_F(RefineTest, ExhaustivePassComputesEveryCornerAndKeepsTheSchedule) {
    FixOrbit(0, 0, 0.2501, 0); // just past the cusp: undecided at 128
    NextFastDrawEndsIn(1);
    RefineComplexPicture(1);
    RefineComplexPicture(1); // the corners that match their neighbours are skipped
    RefineComplexPicture(0);
    EXPECT_EQ(scanOrder, 1);
    EXPECT_EQ(blockSize, 16);
    EXPECT_EQ(iterationCount, 128u);
    for (int y = 0; y < 48; y += 16) {
        for (int x = 0; x < 64; x += 16) EXPECT_EQ(countImage[y][x], 128) << x << ", " << y;
    }
}

TEST_F(RefineTest, CyclesTakeTheTopIndicesByPeriod) {
    TestHost square(32, 32);
    SetUpClassicSlice();
    FixOrbit(0, 0, 0, 0);
    EXPECT_EQ(RefineComplexPicture(0), -4); // four corners, all periodic
    EXPECT_EQ(indexImage[0][0], 225);
    EXPECT_EQ(countImage[0][0], 1);

    const struct {
        double c;
        uint8_t index;
    } centres[] = {{-1.9880499845232589, 255}, {-1.4002530812147829, 225}}; // periods 31, 32
    for (const auto &centre : centres) {
        SetUpClassicSlice();
        FixOrbit(0, 0, centre.c, 0);
        RefineComplexPicture(0);
        ASSERT_EQ(indexImage[0][0], 0);
        historyLength = 128;
        iterationCount = 2048;
        RefineComplexPicture(0);
        EXPECT_EQ(indexImage[0][0], centre.index);
        EXPECT_EQ(countImage[0][0], 1);
    }
}

TEST_F(RefineTest, NewtonResultStartsBelowZero) {
    TestHost wide(100, 32);
    SetUpClassicSlice(6);
    FixOrbit(0, 0, 1, 0); // zero derivative: every pixel fails
    EXPECT_EQ(RefineComplexPicture(1), -12);
    EXPECT_EQ(countImage[0][0], 65535);
    EXPECT_EQ(indexImage[0][0], 0);
}

TEST_F(RefineTest, WithoutOrbitStoreLevelsDoubleTheLimit) {
    // A picture under way whose store could not be allocated.
    pendingRect[kLeft] = pendingRect[kTop] = 0;
    pendingRect[kRight] = pendingRect[kBottom] = 1;
    blockSize = 1;
    scanOrder = 7;
    iterationCount = 300;
    RefineComplexPicture(1);
    EXPECT_EQ(iterationCount, 556u); // by min(300, 256)
    EXPECT_EQ(orbitStore, nullptr);
}

} // namespace
} // namespace quintorbelle::testing
