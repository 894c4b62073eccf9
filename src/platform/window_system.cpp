// A headless window system: windows with a pixel surface and a title, a
// queue of posted messages, device contexts with a selected palette, logical
// palettes, movable memory blocks and a replaceable millisecond clock.
//
// It serves both the engine (window_system.h) and the host
// (quintorbelle/platform.h). It draws nothing on a screen: a windowed host
// presents the surfaces itself. Everything runs on the host's thread.
#include "platform/window_system.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <deque>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "quintorbelle/platform.h"

namespace quintorbelle::platform {
namespace {

struct Window {
    QuintorbelleWindowProc proc;
    int32_t width;
    int32_t height;
    std::vector<uint32_t> surface;
    std::string title;
    bool invalid = false;
};

struct DeviceContext {
    DeviceContextState state;
};

struct Palette {
    std::vector<PaletteEntry> entries;
};

struct MemoryBlock {
    std::vector<uint8_t> bytes;
    int lockCount = 0;
};

uint32_t lastHandle = 0;
std::unordered_map<uint32_t, Window> windows;
std::unordered_map<uint32_t, DeviceContext> deviceContexts;
std::unordered_map<uint32_t, Palette> palettes;
std::unordered_map<uint32_t, MemoryBlock> memoryBlocks;
std::deque<QuintorbelleMessage> postedMessages;
uint32_t (*tickSource)() = nullptr;

uint32_t NewHandle() {
    return ++lastHandle;
}

template <typename Table>
auto *Find(Table &table, uint32_t handle) {
    auto found = table.find(handle);
    return found == table.end() ? nullptr : &found->second;
}

uint32_t MonotonicTicks() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    auto milliseconds =
        static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(milliseconds);
}

// Window-system colour references are 0x00BBGGRR; surfaces hold 0x00RRGGBB.
uint32_t ReferenceToSurface(uint32_t colour) {
    return ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

} // namespace

intptr_t SendMessage(uint32_t window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    Window *target = Find(windows, window);
    if (target == nullptr || target->proc == nullptr) return 0;
    return target->proc(window, message, wParam, lParam);
}

void PostMessage(uint32_t window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (Find(windows, window) == nullptr) return;
    postedMessages.push_back({window, message, wParam, lParam});
}

void SetWindowText(uint32_t window, const char *text) {
    if (Window *target = Find(windows, window)) target->title = text == nullptr ? "" : text;
}

void InvalidateRect(uint32_t window, const int32_t *rect, bool) {
    Window *target = Find(windows, window);
    if (target == nullptr) return;
    if (rect != nullptr && (rect[2] <= rect[0] || rect[3] <= rect[1])) return;
    target->invalid = true;
}

void UpdateWindow(uint32_t window) {
    Window *target = Find(windows, window);
    if (target == nullptr || !target->invalid) return;
    target->invalid = false;
    SendMessage(window, QB_WM_PAINT, 0, 0);
}

uint32_t GetDC(uint32_t window) {
    if (Find(windows, window) == nullptr) return 0;
    uint32_t handle = NewHandle();
    deviceContexts[handle] = DeviceContext{{window, 0, 0, 0xFFFFFFu, kOpaque, 0}};
    return handle;
}

void ReleaseDC(uint32_t window, uint32_t dc) {
    DeviceContext *context = Find(deviceContexts, dc);
    if (context == nullptr || context->state.window != window) return;
    deviceContexts.erase(dc);
}

uint32_t CreatePalette(const LogPalette *palette) {
    if (palette == nullptr || palette->entryCount == 0 || palette->entryCount > 256) return 0;
    uint32_t handle = NewHandle();
    palettes[handle].entries.assign(palette->entries, palette->entries + palette->entryCount);
    return handle;
}

uint32_t SelectPalette(uint32_t dc, uint32_t palette, bool) {
    DeviceContext *context = Find(deviceContexts, dc);
    if (context == nullptr || Find(palettes, palette) == nullptr) return 0;
    uint32_t previous = context->state.palette;
    context->state.palette = palette;
    return previous;
}

uint32_t RealizePalette(uint32_t dc) {
    DeviceContext *context = Find(deviceContexts, dc);
    if (context == nullptr) return 0;
    Palette *palette = Find(palettes, context->state.palette);
    if (palette == nullptr) return 0;
    ++context->state.realizeCount;
    return static_cast<uint32_t>(palette->entries.size());
}

bool DeleteObject(uint32_t object) {
    if (palettes.erase(object) == 0) return false;
    for (auto &[handle, context] : deviceContexts) {
        if (context.state.palette == object) context.state.palette = 0;
    }
    return true;
}

uint32_t SetTextColor(uint32_t dc, uint32_t colour) {
    DeviceContext *context = Find(deviceContexts, dc);
    if (context == nullptr) return 0;
    return std::exchange(context->state.textColour, colour);
}

uint32_t SetBkColor(uint32_t dc, uint32_t colour) {
    DeviceContext *context = Find(deviceContexts, dc);
    if (context == nullptr) return 0;
    return std::exchange(context->state.backgroundColour, colour);
}

int SetBkMode(uint32_t dc, int mode) {
    DeviceContext *context = Find(deviceContexts, dc);
    if (context == nullptr) return 0;
    return std::exchange(context->state.backgroundMode, mode);
}

void SetPixelV(uint32_t dc, int32_t x, int32_t y, uint32_t colour) {
    DeviceContext *context = Find(deviceContexts, dc);
    if (context == nullptr) return;
    Window *target = Find(windows, context->state.window);
    if (target == nullptr || x < 0 || y < 0 || x >= target->width || y >= target->height) return;
    target->surface[static_cast<size_t>(y) * target->width + x] = ReferenceToSurface(colour);
}

uint32_t GetTickCount() {
    return tickSource != nullptr ? tickSource() : MonotonicTicks();
}

uint32_t GlobalAlloc(uint32_t, size_t bytes) {
    uint32_t handle = NewHandle();
    memoryBlocks[handle].bytes.assign(bytes, 0);
    return handle;
}

void *GlobalLock(uint32_t block) {
    MemoryBlock *memory = Find(memoryBlocks, block);
    if (memory == nullptr) return nullptr;
    ++memory->lockCount;
    return memory->bytes.data();
}

bool GlobalUnlock(uint32_t block) {
    MemoryBlock *memory = Find(memoryBlocks, block);
    if (memory == nullptr || memory->lockCount == 0) return false;
    return --memory->lockCount > 0;
}

uint32_t GlobalFree(uint32_t block) {
    return memoryBlocks.erase(block) == 1 ? 0 : block;
}

bool InspectDeviceContext(uint32_t dc, DeviceContextState *out) {
    DeviceContext *context = Find(deviceContexts, dc);
    if (context == nullptr) return false;
    *out = context->state;
    return true;
}

bool InspectPalette(uint32_t palette, PaletteEntry *entries, int *entryCount) {
    Palette *found = Find(palettes, palette);
    if (found == nullptr) return false;
    std::copy(found->entries.begin(), found->entries.end(), entries);
    *entryCount = static_cast<int>(found->entries.size());
    return true;
}

int LiveObjectCount() {
    return static_cast<int>(deviceContexts.size() + palettes.size() + memoryBlocks.size());
}

} // namespace quintorbelle::platform

using namespace quintorbelle::platform;

extern "C" {

uint32_t QuintorbelleCreateWindow(QuintorbelleWindowProc proc, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return 0;
    uint32_t handle = NewHandle();
    Window &window = windows[handle];
    window.proc = proc;
    window.width = width;
    window.height = height;
    window.surface.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    return handle;
}

void QuintorbelleDestroyWindow(uint32_t window) {
    if (windows.erase(window) == 0) return;
    std::erase_if(postedMessages, [window](const QuintorbelleMessage &message) {
        return message.window == window;
    });
    std::erase_if(deviceContexts,
                  [window](const auto &entry) { return entry.second.state.window == window; });
}

int32_t QuintorbellePeekMessage(QuintorbelleMessage *out) {
    if (!postedMessages.empty()) {
        *out = postedMessages.front();
        postedMessages.pop_front();
        return 1;
    }
    // As in a desktop window system, a paint request comes when nothing else
    // is waiting; taking it validates the window.
    for (auto &[handle, window] : windows) {
        if (!window.invalid) continue;
        window.invalid = false;
        *out = {handle, QB_WM_PAINT, 0, 0};
        return 1;
    }
    return 0;
}

intptr_t QuintorbelleDispatchMessage(const QuintorbelleMessage *message) {
    if (message == nullptr) return 0;
    return SendMessage(message->window, message->message, message->wParam, message->lParam);
}

int32_t QuintorbelleGetWindowText(uint32_t window, char *buffer, int32_t size) {
    if (buffer == nullptr || size <= 0) return 0;
    Window *target = Find(windows, window);
    const std::string empty;
    const std::string &title = target != nullptr ? target->title : empty;
    size_t length = std::min(title.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, title.data(), length);
    buffer[length] = '\0';
    return static_cast<int32_t>(length);
}

const uint32_t *QuintorbelleGetSurface(uint32_t window, int32_t *width, int32_t *height) {
    Window *target = Find(windows, window);
    if (target == nullptr) return nullptr;
    if (width != nullptr) *width = target->width;
    if (height != nullptr) *height = target->height;
    return target->surface.data();
}

void QuintorbellePaintIndexed(uint32_t window, int32_t left, int32_t top, int32_t right,
                              int32_t bottom, const uint8_t *indices, int32_t pitch,
                              const uint32_t *colours) {
    Window *target = Find(windows, window);
    if (target == nullptr || indices == nullptr || colours == nullptr) return;
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, target->width);
    bottom = std::min(bottom, target->height);
    for (int32_t y = top; y < bottom; ++y) {
        const uint8_t *row = indices + static_cast<ptrdiff_t>(y) * pitch;
        uint32_t *out = target->surface.data() + static_cast<size_t>(y) * target->width;
        for (int32_t x = left; x < right; ++x) out[x] = colours[row[x]] & 0xFFFFFFu;
    }
}

void QuintorbelleSetTickSource(uint32_t (*ticks)(void)) {
    tickSource = ticks;
}

} // extern "C"
