// Density thresholds and the recolouring of a density picture from its
// counts, including the quilt's wallpaper copy.
#include <gtest/gtest.h>

#include "display/display.h"
#include "frame/shared_block.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

bool TakePaintRequest() {
    QuintorbelleMessage message;
    while (QuintorbellePeekMessage(&message) != 0) {
        if (message.message == QB_WM_PAINT) return true;
    }
    return false;
}

TEST(DensityThresholds, LogScaleAddsMoreAndTheResultNamesTheFirstChange) {
    EXPECT_EQ(BuildDensityThresholds(1), 1);
    EXPECT_EQ(BuildDensityThresholds(1), 256); // nothing changed
    logColourScale = 1;
    EXPECT_EQ(BuildDensityThresholds(1), 22);
    // A = 1.5: the step becomes 2 once T reaches 22.
    EXPECT_EQ(densityThresholds[21], 22);
    EXPECT_EQ(densityThresholds[22], 24);
    EXPECT_EQ(densityThresholds[100], 359);
    EXPECT_EQ(densityThresholds[254], 13294);
    EXPECT_EQ(densityThresholds[255], 32767);

    EXPECT_EQ(BuildDensityThresholds(2), 0); // a new base
    logColourScale = 0;
    BuildDensityThresholds(2);
    EXPECT_EQ(densityThresholds[1], 4); // at least T[0] more than the last
    EXPECT_EQ(densityThresholds[254], 11567);
}

class RecolourTest : public ::testing::Test {
  protected:
    TestHost host{200, 120};

    void SetUp() override {
        drawMode = 2;
        viewFitted = 1;
        BuildDensityThresholds(1);
        TakePaintRequest();
    }

    static void SetPixel(int32_t x, int32_t y, uint16_t count, uint8_t index) {
        countImage[y][x] = count;
        indexImage[y][x] = index;
    }
};

TEST_F(RecolourTest, NewBaseRederivesEveryPixel) {
    const uint16_t counts[] = {0, 1, 5, 32768 + 5, 40000, 32767}; // a marker bit is no count
    for (int32_t x = 0; x < 6; ++x) SetPixel(x, 0, counts[x], x == 0 ? 9 : 5);
    maxColourIndex = 255;
    EXPECT_EQ(Recolour(2), 0);
    // Base 2: thresholds 2, 4, 6, ...; 40000 is 7232 marked.
    const uint8_t indices[] = {0, 0, 2, 2, 233, 255};
    for (int32_t x = 0; x < 6; ++x) EXPECT_EQ(indexImage[0][x], indices[x]) << x;
    EXPECT_TRUE(TakePaintRequest());

    // Without the top pixel the highest index in use falls back.
    SetPixel(5, 0, 0, 255);
    SetPixel(4, 0, 0, 233);
    EXPECT_EQ(Recolour(1), 0);
    EXPECT_EQ(indexImage[0][2], 5);
    EXPECT_EQ(maxColourIndex, 5);
}

TEST_F(RecolourTest, OnlyIndicesFromTheFirstChangedOneMove) {
    SetPixel(0, 0, 30000, 21); // below the first change: kept as it is
    SetPixel(1, 0, 0, 22);     // searched from 22 up, so it stays 22
    SetPixel(2, 0, 30, 40);
    maxColourIndex = 100;
    logColourScale = 1;
    EXPECT_EQ(Recolour(0), 0); // the same base, new thresholds from 22
    EXPECT_EQ(indexImage[0][0], 21);
    EXPECT_EQ(indexImage[0][1], 22);
    EXPECT_EQ(indexImage[0][2], 26);
    EXPECT_EQ(maxColourIndex, 26);
}

TEST_F(RecolourTest, UnchangedThresholdsRederiveOnlyTheStrip) {
    // Strip: columns 120..159 of a 200-wide picture, rows 50..305.
    SetPixel(120, 50, 5, 9);
    SetPixel(159, 305, 30, 1);
    SetPixel(160, 50, 5, 9); // beside the strip
    SetPixel(119, 60, 5, 9);
    SetPixel(130, 49, 5, 9);
    SetPixel(140, 70, 5, 0); // index 0 in the strip stays 0
    maxColourIndex = 9;
    EXPECT_EQ(Recolour(0), 0);
    EXPECT_EQ(indexImage[50][120], 5);
    EXPECT_EQ(indexImage[305][159], 30);
    EXPECT_EQ(indexImage[50][160], 9);
    EXPECT_EQ(indexImage[60][119], 9);
    EXPECT_EQ(indexImage[49][130], 9);
    EXPECT_EQ(indexImage[70][140], 0);
    EXPECT_EQ(maxColourIndex, 30);
}

TEST_F(RecolourTest, OtherPicturesAreOnlyRedrawn) {
    auto expectOnlyRedrawn = [](const char *what) {
        SetPixel(0, 0, 100, 3);
        EXPECT_EQ(Recolour(0), -1) << what;
        EXPECT_EQ(indexImage[0][0], 3) << what;
        EXPECT_TRUE(TakePaintRequest()) << what;
    };
    colourBySource = 1;
    expectOnlyRedrawn("colour by source");
    colourBySource = 0;
    drawMode = 5;
    expectOnlyRedrawn("escape-time picture");
    EXPECT_EQ(paletteHandle, 0u); // no palette work on the early exit

    EXPECT_EQ(Recolour(3), -1);
    EXPECT_EQ(densityThresholds[0], 3); // rebuilt all the same
    mapVariant = 1;                     // the orbit-statistics picture counts densities
    EXPECT_EQ(Recolour(1), 0);
    EXPECT_EQ(indexImage[0][0], 80);
}

class WallpaperTest : public RecolourTest {
  protected:
    void SetUp() override {
        RecolourTest::SetUp();
        drawMode = 4;
        imageWidth = 40;
        displayWidth = 40;
        imageHeight = 30;
        latticeCellWidth = 10;
        latticeRowHeight = 8;
    }
};

TEST_F(WallpaperTest, SquareLatticeRepeatsTheBottomBand) {
    // Distinct counts over the source band: rows 22..29, columns 0..9.
    for (int32_t y = 22; y < 30; ++y) {
        for (int32_t x = 0; x < 10; ++x) countImage[y][x] = static_cast<uint16_t>(y * 10 + x);
    }
    EXPECT_EQ(Recolour(2), 0);
    for (int32_t y = 0; y < 30; ++y) {
        int32_t sourceRow = 22 + (y + 2) % 8;
        for (int32_t x = 0; x < 40; ++x) {
            ASSERT_EQ(countImage[y][x], sourceRow * 10 + x % 10) << x << ", " << y;
        }
    }
    EXPECT_EQ(countImage[0][40], 0); // beyond the span
    // Copied counts get their indices too: 257 at base 2 is index 86.
    EXPECT_EQ(indexImage[1][37], 86);
}

TEST_F(WallpaperTest, HexagonalLatticeShiftsEveryOtherBandByHalfACell) {
    hexLattice = 1;
    latticeCellWidth = 7; // odd: the leftward half step rounds down
    countImage[29][3] = 500;
    EXPECT_EQ(Recolour(2), 0);
    auto hasCount = [](int32_t x, int32_t y) { return countImage[y][x] == 500; };
    for (int32_t x : {3, 10, 17, 24, 31, 38}) EXPECT_TRUE(hasCount(x, 29)) << x;
    for (int32_t x : {6, 13, 20, 27, 34}) EXPECT_TRUE(hasCount(x, 21)) << x;
    for (int32_t x : {2, 9, 16, 23, 30, 37}) EXPECT_TRUE(hasCount(x, 13)) << x;
    for (int32_t x : {5, 12, 19, 26, 33}) EXPECT_TRUE(hasCount(x, 5)) << x;
    EXPECT_FALSE(hasCount(3, 13));
    EXPECT_FALSE(hasCount(3, 21));
}

TEST_F(WallpaperTest, ZoomedViewNarrowsTheSpanToOneCell) {
    latticeRowHeight = 16; // two rows would not fit the 30-row picture
    countImage[29][3] = 500;
    viewZoomed = 1;
    EXPECT_EQ(Recolour(2), 0);
    EXPECT_EQ(countImage[13][3], 500);
    EXPECT_EQ(countImage[29][13], 0);

    viewZoomed = 0;
    EXPECT_EQ(Recolour(2), 0);
    EXPECT_EQ(countImage[29][13], 500);
    EXPECT_EQ(countImage[13][33], 500);
}

} // namespace
} // namespace quintorbelle::testing
