// The viewer on a virtual display, driven by real key presses and clicks:
// screenshots of its window must show what the render and orbit commands
// draw for the same settings, so the viewer follows the host core tick by
// tick, colour by colour and zoom by zoom.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "virtual_display.h"

namespace quintorbelle::testing {
namespace {

const std::string kProgram = QUINTORBELLE_PROGRAM;

const char *const kNoWindow = "no viewer window appeared; are xdotool and x11-apps installed?";

// Polls for up to five seconds.
template <typename Condition>
bool Eventually(Condition condition) {
    for (int tries = 0; tries < 50; ++tries) {
        if (condition()) return true;
        usleep(100000);
    }
    return condition();
}

// The help overlay writes the keys in gold in the top-left corner.
bool HelpShown(const Image &screenshot) {
    for (int32_t y = 0; y < std::min(screenshot.height, 40); ++y) {
        for (int32_t x = 0; x < std::min(screenshot.width, 40); ++x) {
            if (screenshot.pixels[static_cast<size_t>(y) * screenshot.width + x] == 0xFFD040) {
                return true;
            }
        }
    }
    return false;
}

class ViewerOnDisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string reason;
        if (!display_.Start(reason)) GTEST_SKIP() << "no virtual display: " << reason;
        char pattern[] = "/tmp/quintorbelle-viewer-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        // A failed test leaves its screenshots for a person to look at.
        if (!folder_.empty() && !HasFailure()) std::filesystem::remove_all(folder_);
    }

    // What a command draws for `arguments` (the output option is added).
    Image Drawn(const std::string &command, const std::string &arguments) {
        const std::string path = folder_ + "/expected.png";
        int status = 0;
        Shell(kProgram + " " + command + " " + arguments + " -o " + path, &status);
        EXPECT_EQ(status, 0) << command << " " << arguments;
        return ReadPng(path);
    }

    VirtualDisplay display_;
    std::string folder_;
};

TEST_F(ViewerOnDisplay, ShowsThePictureThenRecoloursAndZoomsInAndOutAsAsked) {
    const std::string picture = "--mode 5 --classic --size 256x192";
    const Image plain = Drawn("render", picture);
    const Image recoloured = Drawn("render", picture + " --scheme 1");
    const Image zoomed = Drawn("render", picture + " --scheme 1 --zoom 2@160,72");
    std::string title = Shell(kProgram + " render -v " + picture + " -o " + folder_ + "/t.png");
    title.pop_back();

    ViewerWindow viewer(picture, folder_);
    ASSERT_TRUE(viewer.Opened()) << kNoWindow;
    std::string report;
    ASSERT_TRUE(viewer.WaitUntilShowing(plain, 1.0, report)) << report;
    EXPECT_EQ(viewer.Title(), title.empty() ? "Quintorbelle" : title);

    viewer.Key("c"); // the next colour scheme
    ASSERT_TRUE(viewer.WaitUntilShowing(recoloured, 1.0, report)) << report;
    ASSERT_LT(Agreement(plain, recoloured), 0.5);

    // The picture is drawn anew after the zoom; the progressive renderer's
    // random skips then differ from a fresh start's in a few pixels.
    viewer.Click(160, 72, 1, 2);
    ASSERT_TRUE(viewer.WaitUntilShowing(zoomed, 0.99, report)) << report;
    ASSERT_LT(Agreement(zoomed, recoloured), 0.5);
    // The wheel turned back zooms out about the same pixel: the first view.
    viewer.Click(160, 72, 5, 1);
    ASSERT_TRUE(viewer.WaitUntilShowing(recoloured, 0.99, report)) << report;

    viewer.Key("Escape");
    EXPECT_EQ(viewer.WaitForExit(3000), 0);
}

TEST_F(ViewerOnDisplay, RightClickShowsTheOrbitUntilTheNextKey) {
    const std::string picture = "--mode 6 --seed 3 --size 320x240";
    const Image newton = Drawn("render", picture);
    const Image orbit = Drawn("orbit", picture + " --at 100,150");
    ASSERT_LT(Agreement(newton, orbit), 1.0);

    ViewerWindow viewer(picture, folder_);
    ASSERT_TRUE(viewer.Opened()) << kNoWindow;
    std::string report;
    ASSERT_TRUE(viewer.WaitUntilShowing(newton, 1.0, report)) << report;
    viewer.Click(100, 150, 3, 1);
    ASSERT_TRUE(viewer.WaitUntilShowing(orbit, 1.0, report)) << report;
    viewer.Key("h"); // the help overlay replaces the orbit
    viewer.Key("h");
    ASSERT_TRUE(viewer.WaitUntilShowing(newton, 1.0, report)) << report;

    viewer.Key("q");
    EXPECT_EQ(viewer.WaitForExit(3000), 0);
}

TEST_F(ViewerOnDisplay, SavesNumberedPicturesAndAnswersKeysWhileTheAutopilotDrives) {
    const std::string picture = "--mode 6 --seed 3 --size 320x240";
    const Image newton = Drawn("render", picture);
    ViewerWindow viewer(picture, folder_);
    ASSERT_TRUE(viewer.Opened()) << kNoWindow;
    std::string report;
    ASSERT_TRUE(viewer.WaitUntilShowing(newton, 1.0, report)) << report;

    viewer.Key("s");
    viewer.Key("s");
    ASSERT_TRUE(Eventually([&] { return viewer.Output().find("0002.json") != std::string::npos; }));
    EXPECT_EQ(Agreement(ReadPng(folder_ + "/quintorbelle-0001.png"), newton), 1.0);
    EXPECT_TRUE(std::filesystem::exists(folder_ + "/quintorbelle-0001.json"));
    EXPECT_TRUE(std::filesystem::exists(folder_ + "/quintorbelle-0002.png"));
    EXPECT_TRUE(std::filesystem::exists(folder_ + "/quintorbelle-0002.json"));
    // The saved picture file draws the same picture again.
    EXPECT_EQ(Agreement(Drawn("render", folder_ + "/quintorbelle-0001.json"), newton), 1.0);

    // With the autopilot on, the engine never stops drawing; the viewer
    // still answers keys at once.
    viewer.Key("a");
    viewer.Key("h");
    EXPECT_TRUE(Eventually([&] { return HelpShown(viewer.Screenshot()); }));
    viewer.Key("q");
    EXPECT_EQ(viewer.WaitForExit(2000), 0);
    EXPECT_EQ(viewer.Output(), "saved quintorbelle-0001.png and quintorbelle-0001.json\n"
                               "saved quintorbelle-0002.png and quintorbelle-0002.json\n"
                               "autopilot on\n");
}

TEST(ViewerWithoutDisplay, SaysSoAndEnds) {
    int status = 0;
    const std::string error = Shell("DISPLAY= SDL_VIDEODRIVER=x11 timeout 10 " + kProgram +
                                        " view --mode 5 --size 64x64 2>&1 >/dev/null",
                                    &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(error.find("quintorbelle: cannot start the video system"), std::string::npos)
        << error;
}

} // namespace
} // namespace quintorbelle::testing
