// The window title's throttle, the replay of a settings word as menu
// commands, and the switch between the mode families.
#include <gtest/gtest.h>

#include <string>

#include "frame/frame.h"
#include "frame/shared_block.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

TEST(TitleText, ShowsBehindThePrefixAndThrottlesForTwoSeconds) {
    TestHost host(64, 64, 10000);
    static const char first[] = "first";
    static const char second[] = "second";
    SetTitleText(first, 0);
    EXPECT_EQ(host.Title(), "Quintorbelle: first");

    TestHost::AdvanceTicks(5000);
    SetTitleText(second, 0);
    EXPECT_EQ(host.Title(), "Quintorbelle: second");
    TestHost::AdvanceTicks(1000);
    SetTitleText(first, 0);
    EXPECT_EQ(host.Title(), "Quintorbelle: second");
    TestHost::AdvanceTicks(1000); // exactly 2000 ms since the last title
    SetTitleText(first, 0);
    EXPECT_EQ(host.Title(), "Quintorbelle: second");
    TestHost::AdvanceTicks(1);
    SetTitleText(first, 0);
    EXPECT_EQ(host.Title(), "Quintorbelle: first");
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
    EXPECT_EQ(host.Title(), "");
    animationFrame = 0;
    titleQuiet = 1;
    SetTitleText("quiet", 3);
    EXPECT_EQ(host.Title(), "");
    titleQuiet = 0;
    std::string text(400, 'x');
    SetTitleText(text.c_str(), 3);
    EXPECT_EQ(host.Title(), "Quintorbelle: " + std::string(241, 'x'));
}

TEST(SettingsReplay, ModeEncodingFromTheSettingsSource) {
    TestHost host;
    const std::pair<uint32_t, int32_t> modes[] = {
        {0x0, 40007},     {0x40, 40008},    {0x2000, 40010},  {0x1000, 40009},
        {0x8000, 40011},  {0x10000, 40012}, {0x10040, 40013}, {0x12000, 40014},
        {0x12040, 40015}, {0x3000, 40010},  {0x9000, 40011},
    };
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
    // The host's handlers toggle the flag they are asked to toggle.
    host.onMessage = [&](const ReceivedMessage &message) {
        depths.push_back(syncDepth);
        if (message.wParam == kCommandMirror) mirrorSymmetry ^= 1;
        if (message.wParam == kCommandLogScale) logColourScale ^= 1;
    };
    weightedChoice = 1; // bit 8 clear: toggled off
    ApplySettingsFlags(0x2 | 0x400 | 0x20000 | 0xFFFC0000u);
    EXPECT_EQ(host.Commands(),
              (std::vector<int32_t>{kCommandMirror, kCommandWeightedChoice, kCommandLogScale,
                                    kCommandModeOption, kCommandMode0}));
    for (int32_t depth : depths) EXPECT_EQ(depth, 1);
    EXPECT_EQ(syncDepth, 0);
}

TEST(SettingsReplay, ColourBySourceResetsTheVariantBeforeItsCommand) {
    TestHost host;
    int32_t variantSeen = 99;
    host.onMessage = [&](const ReceivedMessage &message) {
        if (message.wParam == kCommandColourBySource) variantSeen = colouringVariant;
    };
    colouringVariant = 5;
    ApplySettingsFlags(0x800);
    EXPECT_EQ(variantSeen, 0);
    EXPECT_EQ(host.Commands().back(), kCommandColourBySource);

    colourBySource = 1;
    colouringVariant = 5;
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

TEST(HostMessages, DoubleClickPacksThePixelAndDeferredRequestsWait) {
    TestHost host;
    PostDoubleClick(300, 200);
    PostDeferredRequest(kCommandNewParameters);
    EXPECT_TRUE(host.received().empty());
    auto posted = host.TakePosted();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].message, QB_WM_LBUTTONDBLCLK);
    EXPECT_EQ(posted[0].lParam, 200 * 65536 + 300);
    EXPECT_EQ(posted[1].message, QB_WM_USER + 1u);
    EXPECT_EQ(posted[1].wParam, uintptr_t{kCommandNewParameters});
}

TEST(HostMessages, NothingReachesAnUnsetWindow) {
    TestHost host;
    hostWindow = 0;
    SendCommand(kCommandMirror, kSourcePlain);
    PostCommand(kCommandMirror, kSourcePlain);
    SetTitleText("nowhere", 3);
    EXPECT_TRUE(host.received().empty());
    EXPECT_TRUE(host.TakePosted().empty());
}

} // namespace
} // namespace quintorbelle::testing
