// A headless host for engine tests: a window made through the platform layer
// whose procedure records every message it receives, a controllable clock,
// and a picture size written into the shared block; and the fixture of a
// started engine drawing into such a window.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "frame/frame.h"
#include "quintorbelle/platform.h"

namespace quintorbelle::testing {

struct ReceivedMessage {
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};

class TestHost {
  public:
    // Creates the window and sets hostWindow, imageWidth, imageHeight,
    // displayWidth and titleQuiet 0. Sets the test clock to `ticks`.
    explicit TestHost(int32_t width = 320, int32_t height = 240, uint32_t ticks = 1000);
    ~TestHost();
    TestHost(const TestHost &) = delete;
    TestHost &operator=(const TestHost &) = delete;

    uint32_t window() const { return window_; }
    std::string Title() const;

    // Messages the window procedure received (sent ones at once, posted ones
    // when dispatched), in order.
    const std::vector<ReceivedMessage> &received() const { return received_; }
    void ClearReceived() { received_.clear(); }
    // WM_COMMAND ids received, in order.
    std::vector<int32_t> Commands() const;

    // Takes every posted message off the queue without dispatching it.
    std::vector<QuintorbelleMessage> TakePosted();

    // Called for each received message after it is recorded.
    std::function<void(const ReceivedMessage &)> onMessage;

    static void SetTicks(uint32_t ticks);
    static void AdvanceTicks(uint32_t milliseconds);

  private:
    static intptr_t Procedure(uint32_t window, uint32_t message, uintptr_t wParam, intptr_t lParam);

    uint32_t window_ = 0;
    std::vector<ReceivedMessage> received_;
};

// The engine started (its constants set, its generator seeded from the test
// clock's 1000 ms) with a host window of Width x Height.
template <int32_t Width = 320, int32_t Height = 240>
class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override { StartEngine(nullptr); }
    TestHost host{Width, Height};
};

} // namespace quintorbelle::testing
