/*
 * Quintorbelle platform layer: the host's side.
 *
 * The engine talks to its host through a small stand-in for a window system:
 * windows with a pixel surface and a title, a queue of posted messages, and a
 * millisecond tick count. A host creates its window here, puts the handle in
 * the engine's hostWindow, and pumps the messages the engine posts. Messages
 * the engine sends reach the window procedure at once.
 */
#ifndef QUINTORBELLE_PLATFORM_H
#define QUINTORBELLE_PLATFORM_H

#include <stdint.h>

#include "quintorbelle/quintorbelle.h"

#ifdef __cplusplus
extern "C" {
#endif

enum { QB_WM_PAINT = 15, QB_WM_COMMAND = 273, QB_WM_LBUTTONDBLCLK = 515, QB_WM_USER = 1024 };

typedef intptr_t (*QuintorbelleWindowProc)(uint32_t window, uint32_t message, uintptr_t wParam,
                                           intptr_t lParam);

typedef struct QuintorbelleMessage {
    uint32_t window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
} QuintorbelleMessage;

/* A window whose client area is a width x height surface of 0x00RRGGBB
 * pixels, starting black. Returns a non-zero handle, or 0 for a bad size. */
QUINTORBELLE_API uint32_t QuintorbelleCreateWindow(QuintorbelleWindowProc proc, int32_t width,
                                                   int32_t height);
QUINTORBELLE_API void QuintorbelleDestroyWindow(uint32_t window);

/* Takes the oldest posted message off the queue: 1, or 0 when it is empty. */
QUINTORBELLE_API int32_t QuintorbellePeekMessage(QuintorbelleMessage *out);
/* Calls the window's procedure with the message. */
QUINTORBELLE_API intptr_t QuintorbelleDispatchMessage(const QuintorbelleMessage *message);

/* Copies the title, NUL-terminated and cut to fit, and returns its length. */
QUINTORBELLE_API int32_t QuintorbelleGetWindowText(uint32_t window, char *buffer, int32_t size);

/* The window's surface, rows top-down, width entries per row; NULL for an
 * unknown window. */
QUINTORBELLE_API const uint32_t *QuintorbelleGetSurface(uint32_t window, int32_t *width,
                                                        int32_t *height);

/* Paints an 8-bit indexed image through a colour table onto the window's
 * surface: pixels [left, right) x [top, bottom), clipped to the surface,
 * with `pitch` bytes per row of `indices`. This is how a host shows the
 * engine's picture when it handles WM_PAINT. */
QUINTORBELLE_API void QuintorbellePaintIndexed(uint32_t window, int32_t left, int32_t top,
                                               int32_t right, int32_t bottom,
                                               const uint8_t *indices, int32_t pitch,
                                               const uint32_t *colours);

/* Replaces the millisecond tick count the engine reads; NULL restores the
 * system's monotonic clock. */
QUINTORBELLE_API void QuintorbelleSetTickSource(uint32_t (*ticks)(void));

#ifdef __cplusplus
}
#endif

#endif
