// The window title's throttle, the replay of a settings word as menu
// commands, and the switch between the mode families.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "frame/frame.h"
#include "frame/shared_block.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

TEST(TitleText, ShowsBehindThePrefixAndThrottlesForTwoSeconds) {
    TestHost host(64, 64, 10000);
    static const char first[] = "first";
    static const char second[] = "second";
    auto show = [&](uint32_t wait, const char *text) {
        TestHost::AdvanceTicks(wait);
        SetTitleText(text, 0);
        return host.Title();
    };
    EXPECT_EQ(show(0, first), "Quintorbelle: first");
    EXPECT_EQ(show(5000, second), "Quintorbelle: second");
    EXPECT_EQ(show(1000, first), "Quintorbelle: second");
    EXPECT_EQ(show(1000, first), "Quintorbelle: second"); // exactly 2000 ms after the last
    EXPECT_EQ(show(1, first), "Quintorbelle: first");
}

TEST(TitleText, RepeatsAreRecognisedByAddressNotContent) {
    TestHost host(64, 64, 10000);
    char buffer[16] = "one";
    SetTitleText(buffer, kTitleAtOnce);
    std::snprintf(buffer, sizeof buffer, "two");
    SetTitleText(buffer, kTitleAtOnce);
    EXPECT_EQ(host.Title(), "Quintorbelle: one");
    SetTitleText(buffer, kTitleAtOnce | kTitleEvenIfSame);
    EXPECT_EQ(host.Title(), "Quintorbelle: two");
    // Shown with both flags, the text is not remembered: it shows again.
    std::snprintf(buffer, sizeof buffer, "three");
    SetTitleText(buffer, kTitleAtOnce);
    EXPECT_EQ(host.Title(), "Quintorbelle: three");
}

TEST(TitleText, QuietWhileAnimatingOrWhenTheHostAsksAndCutToTheBuffer) {
    TestHost host(64, 64, 10000);
    animationFrame = 5;
    SetTitleText("animating", 3);
    animationFrame = 0;
    titleQuiet = 1;
    SetTitleText("quiet", 3);
    EXPECT_EQ(host.Title(), "");
    titleQuiet = 0;
    std::string text(400, 'x');
    SetTitleText(text.c_str(), 3);
    EXPECT_EQ(host.Title(), "Quintorbelle: " + std::string(241, 'x'));
}

TEST(SettingsReplay, ModeBitsTakePrecedenceInOrder) {
    TestHost host;
    // Words the host never writes: bit 13 wins over bit 12, bit 15 over bit 12.
    const std::pair<uint32_t, int32_t> modes[] = {{0x3000, kCommandMode2}, {0x9000, kCommandMode4}};
    for (auto [word, command] : modes) {
        host.ClearReceived();
        ApplySettingsFlags(word);
        // Unchanged settings send the mode command alone.
        EXPECT_EQ(host.Commands(), std::vector<int32_t>{command}) << std::hex << word;
        EXPECT_EQ(host.received().front().lParam, kSourceSettings);
    }
}

TEST(SettingsReplay, TogglesDifferingFlagsInTableOrderWhileSyncing) {
    TestHost host;
    std::vector<int32_t> depths;
    int32_t variantSeen = 99;
    // The host's handlers toggle the flag they are asked to toggle.
    host.onMessage = [&](const ReceivedMessage &message) {
        depths.push_back(syncDepth);
        if (message.wParam == kCommandMirror) mirrorSymmetry ^= 1;
        if (message.wParam == kCommandLogScale) logColourScale ^= 1;
        if (message.wParam == kCommandColourBySource) variantSeen = colouringVariant;
    };
    weightedChoice = 1;   // bit 8 clear: toggled off
    colouringVariant = 5; // reset before colour by source is toggled on
    ApplySettingsFlags(0x2 | 0x400 | 0x800 | 0x20000 | 0xFFFC0000u);
    EXPECT_EQ(host.Commands(),
              (std::vector<int32_t>{kCommandMirror, kCommandWeightedChoice, kCommandLogScale,
                                    kCommandModeOption, kCommandMode0, kCommandColourBySource}));
    EXPECT_EQ(variantSeen, 0);
    for (int32_t depth : depths) EXPECT_EQ(depth, 1);
    EXPECT_EQ(syncDepth, 0);
    colourBySource = 1; // toggled off, with the variant -1
    ApplySettingsFlags(0);
    EXPECT_EQ(variantSeen, -1);
}

TEST(ModeFamily, SwitchesOnlyAcrossFamilies) {
    TestHost host;
    drawMode = 1;
    SwitchModeFamily(1);
    drawMode = 3;
    SwitchModeFamily(0);
    EXPECT_TRUE(host.Commands().empty());

    drawMode = 4;
    SwitchModeFamily(1);
    drawMode = 2;
    SwitchModeFamily(0);
    EXPECT_EQ(host.Commands(), (std::vector<int32_t>{kCommandMode0, kCommandMode3}));

    host.ClearReceived();
    syncDepth = 1;
    SwitchModeFamily(1);
    EXPECT_TRUE(host.Commands().empty());
}

TEST(HostMessages, DoubleClickPacksThePixelAndWaits) {
    TestHost host;
    PostDoubleClick(300, 200);
    EXPECT_TRUE(host.received().empty());
    auto posted = host.TakePosted();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].message, QB_WM_LBUTTONDBLCLK);
    EXPECT_EQ(posted[0].lParam, 200 * 65536 + 300);
}

} // namespace
} // namespace quintorbelle::testing
