#include "support/test_host.h"

#include "frame/shared_block.h"

namespace quintorbelle::testing {
namespace {

uint32_t testTicks = 0;
uint32_t ReadTestTicks() {
    return testTicks;
}
TestHost *activeHost = nullptr;

} // namespace

TestHost::TestHost(int32_t width, int32_t height, uint32_t ticks) {
    SetTicks(ticks);
    QuintorbelleSetTickSource(&ReadTestTicks);
    window_ = QuintorbelleCreateWindow(&TestHost::Procedure, width, height);
    activeHost = this;
    hostWindow = window_;
    imageWidth = width;
    imageHeight = height;
    displayWidth = width;
    titleQuiet = 0;
}

TestHost::~TestHost() {
    QuintorbelleDestroyWindow(window_);
    QuintorbelleSetTickSource(nullptr);
    if (activeHost == this) activeHost = nullptr;
}

std::string TestHost::Title() const {
    char buffer[512];
    QuintorbelleGetWindowText(window_, buffer, sizeof buffer);
    return buffer;
}

std::vector<int32_t> TestHost::Commands() const {
    std::vector<int32_t> ids;
    for (const ReceivedMessage &message : received_) {
        if (message.message == QB_WM_COMMAND) ids.push_back(static_cast<int32_t>(message.wParam));
    }
    return ids;
}

std::vector<QuintorbelleMessage> TestHost::TakePosted() {
    std::vector<QuintorbelleMessage> posted;
    QuintorbelleMessage message;
    while (QuintorbellePeekMessage(&message) != 0) {
        if (message.message != QB_WM_PAINT) posted.push_back(message);
    }
    return posted;
}

void TestHost::SetTicks(uint32_t ticks) {
    testTicks = ticks;
}
void TestHost::AdvanceTicks(uint32_t milliseconds) {
    testTicks += milliseconds;
}

intptr_t TestHost::Procedure(uint32_t, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (activeHost == nullptr) return 0;
    ReceivedMessage received{message, wParam, lParam};
    activeHost->received_.push_back(received);
    if (activeHost->onMessage) activeHost->onMessage(received);
    return 0;
}

} // namespace quintorbelle::testing
