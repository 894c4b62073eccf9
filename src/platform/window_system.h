// The engine's side of the platform layer: the few window-system calls the
// engine makes towards the host window, its device context and the clock.
//
// Windows, device contexts, palettes and memory blocks are named by handles:
// unique non-zero 32-bit values, never reused while the library is loaded.
// A call with handle 0 or an unknown handle goes nowhere and changes nothing.
// The host's side of the same layer is include/quintorbelle/platform.h.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quintorbelle::platform {

// Messages.
intptr_t SendMessage(uint32_t window, uint32_t message, uintptr_t wParam, intptr_t lParam);
void PostMessage(uint32_t window, uint32_t message, uintptr_t wParam, intptr_t lParam);
void SetWindowText(uint32_t window, const char *text);
// Adds rect (left, top, right, bottom) or, when it is null, the whole client
// area to the window's invalid area. Erasing is not modelled.
void InvalidateRect(uint32_t window, const int32_t *rect, bool erase);
// Sends WM_PAINT at once when something is invalid, then validates.
void UpdateWindow(uint32_t window);

// Device contexts and palettes. Colours are references 0x00BBGGRR.
struct PaletteEntry {
    uint8_t red, green, blue, flags;
};
struct LogPalette {
    uint16_t version;
    uint16_t entryCount;
    PaletteEntry entries[256];
};
inline constexpr int kTransparent = 1;
inline constexpr int kOpaque = 2;

uint32_t GetDC(uint32_t window);
void ReleaseDC(uint32_t window, uint32_t dc);
uint32_t CreatePalette(const LogPalette *palette);
uint32_t SelectPalette(uint32_t dc, uint32_t palette, bool forceBackground);
uint32_t RealizePalette(uint32_t dc);
bool DeleteObject(uint32_t object);
uint32_t SetTextColor(uint32_t dc, uint32_t colour);
uint32_t SetBkColor(uint32_t dc, uint32_t colour);
int SetBkMode(uint32_t dc, int mode);
void SetPixelV(uint32_t dc, int32_t x, int32_t y, uint32_t colour);

// Clock and movable memory.
uint32_t GetTickCount();
inline constexpr uint32_t kGlobalMovable = 0x0002;
inline constexpr uint32_t kGlobalZeroInit = 0x0040;
uint32_t GlobalAlloc(uint32_t flags, size_t bytes);
void *GlobalLock(uint32_t block);
bool GlobalUnlock(uint32_t block);
uint32_t GlobalFree(uint32_t block);

// Inspection, for tests of what the engine did with the window system.
struct DeviceContextState {
    uint32_t window;
    uint32_t palette;
    uint32_t textColour;
    uint32_t backgroundColour;
    int backgroundMode;
    int realizeCount;
};
bool InspectDeviceContext(uint32_t dc, DeviceContextState *out);
bool InspectPalette(uint32_t palette, PaletteEntry *entries, int *entryCount);
// Palettes, device contexts and memory blocks currently alive.
int LiveObjectCount();

} // namespace quintorbelle::platform
