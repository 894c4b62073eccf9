// The viewer's window: the engine's picture shown through an 8-bit indexed
// surface with the engine's palette, the pixel orbits the engine draws on
// the platform surface, and the help overlay.
//
// It reads the engine's images and colours through the engine link and
// follows what changed: the rows of drawnRect, the whole picture after a
// restart, the palette when the colours change. It never calls the engine.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/engine_link.h"
#include "viewer/key_map.h"

namespace quintorbelle::viewer {

class PictureView {
  public:
    // Opens a window of the picture's size; throws std::runtime_error when
    // no window can be opened.
    PictureView(int32_t width, int32_t height);
    ~PictureView();
    PictureView(const PictureView &) = delete;
    PictureView &operator=(const PictureView &) = delete;

    uint32_t windowId() const { return SDL_GetWindowID(window_); }

    // Takes over what one tick of the drawing loop changed: the rectangle
    // the engine drew into, or the whole picture when the accumulation
    // restarted.
    void Follow(const host::EngineLink &engine);
    // The whole picture is to be taken over again, e.g. after a command.
    void TakeWholePicture() { wholePicture_ = true; }
    // Shows the platform surface (a picture with a pixel orbit drawn over
    // it) until the picture next changes or HideSurface.
    void ShowSurface(const host::EngineLink &engine, const uint32_t *pixels, int32_t width,
                     int32_t height);
    void HideSurface();

    void ToggleHelp() {
        help_ = !help_;
        presentAll_ = true;
    }
    bool HelpShown() const { return help_; }
    // The window lost its contents (uncovered, restored).
    void Uncovered() { presentAll_ = true; }
    void SetTitle(const std::string &title);

    // Brings the window up to date with the engine; cheap when nothing
    // changed.
    void Present(const host::EngineLink &engine);

  private:
    // Copies what changed into the indexed surface and returns the region
    // to show again: all of it when the colours changed, empty when nothing
    // did.
    SDL_Rect TakeChanges(const host::EngineLink &engine);
    void Release();
    void CopyRows(const host::EngineLink &engine, int32_t left, int32_t top, int32_t right,
                  int32_t bottom);
    void DrawHelp();

    SDL_Window *window_ = nullptr;
    SDL_Surface *indexed_ = nullptr; // the picture, 8 bits per pixel
    SDL_Surface *canvas_ = nullptr;  // what the window shows, 0x00RRGGBB
    int32_t width_;
    int32_t height_;
    uint32_t colours_[256] = {};
    std::string title_;
    std::vector<HelpLine> helpLines_;

    // Waiting to be shown: a rectangle of the picture, or all of it.
    int32_t pending_[4];
    bool wholePicture_ = true;
    bool presentAll_ = true;
    bool surfaceShown_ = false;
    bool help_ = false;
};

} // namespace quintorbelle::viewer
