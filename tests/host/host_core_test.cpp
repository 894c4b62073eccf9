// The host core's menu: what each command changes, when it starts a new
// picture, and how the engine's deferred requests and double-clicks arrive.
#include <gtest/gtest.h>

#include "host/host_core.h"
#include "quintorbelle/platform.h"

namespace quintorbelle::host {
namespace {

class HostCoreTest : public ::testing::Test {
  protected:
    HostCoreTest() : core(HostOptions{320, 240, 77, 40}), e(core.engine()) {
        core.onPictureStarted = [this] { ++picturesStarted; };
    }
    HostCore core;
    EngineLink &e;
    int picturesStarted = 0;
};

TEST_F(HostCoreTest, SetsUpTheBlockAndStartsTheEngine) {
    EXPECT_EQ(e.hostWindow, core.window());
    EXPECT_EQ(e.imageWidth, 320);
    EXPECT_EQ(e.displayWidth, 320);
    EXPECT_EQ(e.titleQuiet, 0);
    EXPECT_EQ(e.autoExplore, 0);
    EXPECT_EQ(e.randomCounter, EngineTicksForSeed(77)); // seeded from the virtual clock
    EXPECT_NE(e.displayBitmapInfo.colours[1], 0u);
}

TEST_F(HostCoreTest, ModeCommandsSelectTheModeWithNewParameters) {
    const std::pair<int32_t, int32_t> commands[] = {{40007, 0}, {40008, 1}, {40010, 2},
                                                    {40009, 3}, {40011, 4}, {40012, 5},
                                                    {40013, 6}, {40014, 7}, {40015, 8}};
    for (auto [command, mode] : commands) {
        core.Command(command);
        EXPECT_EQ(e.drawMode, mode) << command;
    }
    EXPECT_EQ(picturesStarted, 9);
}

TEST_F(HostCoreTest, DegreeStaysWithinWhatTheModeAllows) {
    core.Command(kSelectMode7);
    e.symmetryDegree = 12;
    core.Command(kMoreSymmetry);
    EXPECT_EQ(e.symmetryDegree, 12);
    e.symmetryDegree = 1;
    core.Command(kLessSymmetry);
    EXPECT_EQ(e.symmetryDegree, 1);
    e.symmetryDegree = 40;
    core.Command(kSelectMode7);
    EXPECT_EQ(e.symmetryDegree, 12);
}

TEST_F(HostCoreTest, WhileTheEngineReplaysSettingsOnlyTheSettingsChange) {
    core.Command(kSelectMode3);
    picturesStarted = 0;
    e.ApplySettingsFlags(0x2 | 0x4000 | 0x10000);
    EXPECT_EQ(e.mirrorSymmetry, 1);
    EXPECT_EQ(e.mapVariant, 1);
    EXPECT_EQ(e.drawMode, 5);
    EXPECT_EQ(picturesStarted, 0);
    core.Command(kToggleMirror);
    EXPECT_EQ(e.mirrorSymmetry, 0);
    EXPECT_EQ(picturesStarted, 1);
}

TEST_F(HostCoreTest, DeferredRequestsCarryACommandAndDoubleClicksZoom) {
    core.Command(kSelectMode5);
    QuintorbelleMessage message{core.window(), QB_WM_USER + 1, kToggleMirror, 0};
    QuintorbelleDispatchMessage(&message);
    EXPECT_EQ(e.mirrorSymmetry, 1);

    double scale = e.pixelsPerUnitX;
    message = {core.window(), QB_WM_LBUTTONDBLCLK, 0, 100 * 65536 + 200};
    QuintorbelleDispatchMessage(&message);
    EXPECT_EQ(e.pixelsPerUnitX, 2 * scale);
    EXPECT_EQ(e.viewZoomed, 1);
    core.Command(kZoomOut);
    EXPECT_EQ(e.pixelsPerUnitX, scale);
}

TEST_F(HostCoreTest, ColourCommandsRecolourWithoutANewPicture) {
    core.Command(kSelectMode2);
    picturesStarted = 0;
    uint32_t before = e.rampBitmapInfo.colours[1];
    core.Command(kNextRampStyle);
    EXPECT_EQ(e.rampStyle, 1);
    EXPECT_NE(e.rampBitmapInfo.colours[1], before);
    core.Command(kNextColourScheme);
    EXPECT_EQ(e.colourScheme, 1);
    core.Command(kToggleLogScale);
    EXPECT_EQ(e.logColourScale, 1);
    core.Command(kDoubleDensityBase);
    EXPECT_EQ(e.densityThresholds[0], 2);
    core.Command(kHalveDensityBase);
    core.Command(kHalveDensityBase);
    EXPECT_EQ(e.densityThresholds[0], 1);
    EXPECT_EQ(picturesStarted, 0);
}

TEST_F(HostCoreTest, ResetTurnsEverySettingOff) {
    e.mirrorSymmetry = 1;
    e.symmetryDegree = 9;
    e.variation = 4;
    e.rampStyle = 3;
    core.Command(kResetSettings);
    EXPECT_EQ(e.mirrorSymmetry, 0);
    EXPECT_EQ(e.symmetryDegree, 1);
    EXPECT_EQ(e.variation, 0);
    EXPECT_EQ(e.rampStyle, 3);
    core.Command(kResetSettingsAndColours);
    EXPECT_EQ(e.rampStyle, 0);
}

TEST_F(HostCoreTest, AnimationRunsUntilTheEngineEndsIt) {
    core.Command(kSelectMode2);
    core.Command(kToggleAnimation);
    ASSERT_TRUE(core.Animating());
    EXPECT_EQ(e.animationFrame, 1);
    for (int tick = 0; tick < 400 && core.Animating(); ++tick) core.Tick(1);
    EXPECT_FALSE(core.Animating());
    EXPECT_EQ(e.animationFrame, 0);
}

} // namespace
} // namespace quintorbelle::host
