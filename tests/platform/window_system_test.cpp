// The headless window system: handles, the message queue, painting, device
// contexts and palettes, memory blocks.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/window_system.h"
#include "quintorbelle/platform.h"

namespace quintorbelle::platform {
namespace {

std::vector<QuintorbelleMessage> delivered;

intptr_t Record(uint32_t window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    delivered.push_back({window, message, wParam, lParam});
    return 7;
}

TEST(WindowSystem, HandlesAreUniqueAndNeverReused) {
    std::set<uint32_t> seen;
    for (int i = 0; i < 4; ++i) {
        uint32_t window = QuintorbelleCreateWindow(&Record, 8, 8);
        uint32_t dc = GetDC(window);
        uint32_t block = GlobalAlloc(kGlobalMovable, 16);
        for (uint32_t handle : {window, dc, block}) {
            EXPECT_NE(handle, 0u);
            EXPECT_TRUE(seen.insert(handle).second);
        }
        ReleaseDC(window, dc);
        GlobalFree(block);
        QuintorbelleDestroyWindow(window);
    }
    EXPECT_EQ(QuintorbelleCreateWindow(&Record, 0, 8), 0u);
}

TEST(WindowSystem, SentMessagesArriveAtOncePostedOnesInOrder) {
    delivered.clear();
    uint32_t window = QuintorbelleCreateWindow(&Record, 8, 8);
    EXPECT_EQ(SendMessage(window, 273, 40001, 2), 7);
    ASSERT_EQ(delivered.size(), 1u);
    PostMessage(window, 1025, 1, 0);
    PostMessage(window, 1025, 2, 0);
    PostMessage(0, 1025, 3, 0);            // no window: goes nowhere
    PostMessage(window + 999, 1025, 4, 0); // unknown window: goes nowhere
    QuintorbelleMessage message;
    ASSERT_EQ(QuintorbellePeekMessage(&message), 1);
    EXPECT_EQ(message.wParam, 1u);
    QuintorbelleDispatchMessage(&message);
    ASSERT_EQ(QuintorbellePeekMessage(&message), 1);
    EXPECT_EQ(message.wParam, 2u);
    EXPECT_EQ(QuintorbellePeekMessage(&message), 0);
    EXPECT_EQ(delivered.size(), 2u);
    EXPECT_EQ(SendMessage(0, 273, 1, 0), 0);
    QuintorbelleDestroyWindow(window);
}

TEST(WindowSystem, InvalidAreaPaintsOnUpdateOrWhenTheQueueIsEmpty) {
    delivered.clear();
    uint32_t window = QuintorbelleCreateWindow(&Record, 8, 8);
    UpdateWindow(window);
    EXPECT_TRUE(delivered.empty());
    InvalidateRect(window, nullptr, false);
    UpdateWindow(window);
    ASSERT_EQ(delivered.size(), 1u);
    EXPECT_EQ(delivered[0].message, uint32_t{QB_WM_PAINT});
    UpdateWindow(window); // validated by the paint
    EXPECT_EQ(delivered.size(), 1u);

    InvalidateRect(window, nullptr, false);
    PostMessage(window, 1025, 0, 0);
    QuintorbelleMessage message;
    ASSERT_EQ(QuintorbellePeekMessage(&message), 1);
    EXPECT_EQ(message.message, 1025u); // posted messages come before the paint
    ASSERT_EQ(QuintorbellePeekMessage(&message), 1);
    EXPECT_EQ(message.message, uint32_t{QB_WM_PAINT});
    EXPECT_EQ(QuintorbellePeekMessage(&message), 0);
    QuintorbelleDestroyWindow(window);
}

TEST(WindowSystem, PixelsAndIndexedPaintingReachTheSurface) {
    uint32_t window = QuintorbelleCreateWindow(&Record, 4, 3);
    uint32_t dc = GetDC(window);
    SetPixelV(dc, 1, 2, 0x0000FFFF); // yellow as a colour reference
    SetPixelV(dc, 4, 0, 0xFFFFFF);   // outside: ignored
    SetPixelV(dc, -1, 0, 0xFFFFFF);
    int32_t width = 0;
    int32_t height = 0;
    const uint32_t *surface = QuintorbelleGetSurface(window, &width, &height);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(width, 4);
    EXPECT_EQ(height, 3);
    EXPECT_EQ(surface[2 * 4 + 1], 0xFFFF00u);
    EXPECT_EQ(surface[0 * 4 + 3], 0u);

    const uint8_t indices[2][5] = {{1, 2, 1, 2, 1}, {2, 2, 2, 2, 2}};
    const uint32_t colours[3] = {0, 0x112233, 0x445566};
    QuintorbellePaintIndexed(window, -1, 0, 9, 2, &indices[0][0], 5, colours);
    EXPECT_EQ(surface[0], 0x112233u);
    EXPECT_EQ(surface[3], 0x445566u);
    EXPECT_EQ(surface[4 + 2], 0x445566u);
    EXPECT_EQ(surface[2 * 4 + 1], 0xFFFF00u); // row 2 untouched
    QuintorbelleDestroyWindow(window);
}

TEST(WindowSystem, DeviceContextKeepsPaletteAndColours) {
    uint32_t window = QuintorbelleCreateWindow(&Record, 4, 4);
    int before = LiveObjectCount();
    uint32_t dc = GetDC(window);
    LogPalette logPalette{0x300, 2, {}};
    logPalette.entries[1] = {10, 20, 30, 0};
    uint32_t palette = CreatePalette(&logPalette);
    SelectPalette(dc, palette, false);
    EXPECT_EQ(RealizePalette(dc), 2u);
    SetTextColor(dc, 0xFFFFFF);
    SetBkMode(dc, kTransparent);
    DeviceContextState state{};
    ASSERT_TRUE(InspectDeviceContext(dc, &state));
    EXPECT_EQ(state.palette, palette);
    EXPECT_EQ(state.textColour, 0xFFFFFFu);
    EXPECT_EQ(state.backgroundMode, kTransparent);
    EXPECT_EQ(state.realizeCount, 1);
    PaletteEntry entries[256];
    int count = 0;
    ASSERT_TRUE(InspectPalette(palette, entries, &count));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(entries[1].green, 20);
    EXPECT_TRUE(DeleteObject(palette));
    EXPECT_FALSE(DeleteObject(palette));
    ReleaseDC(window, dc);
    EXPECT_EQ(LiveObjectCount(), before);
    QuintorbelleDestroyWindow(window);
}

} // namespace
} // namespace quintorbelle::platform
