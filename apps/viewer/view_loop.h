// The viewer's main loop: SDL's events become menu commands, zooms, pixel
// orbits and the viewer's own actions; between events the host core draws,
// with the work of each frame bounded by time so that the window answers at
// once.
//
// It drives the engine only through the host core and shows what the core
// drew through the picture view; saving is left to the front end.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>

#include "host/host_core.h"
#include "viewer/key_map.h"
#include "viewer/picture_view.h"

namespace quintorbelle::viewer {

class ViewLoop {
  public:
    // `save` keeps the picture on show; the front end chooses where.
    ViewLoop(host::HostCore &core, PictureView &view, std::function<void()> save);

    // Runs until the window is closed or the user quits.
    void Run();

  private:
    void Handle(const SDL_Event &event);
    void Perform(const KeyBinding &binding);
    void Zoom(int32_t x, int32_t y, double factor);
    void ShowOrbit(int32_t x, int32_t y);
    void HideOrbit();
    // The picture changed by the user's hand: show it whole and draw on.
    void Changed();
    void Draw();
    void Tick(uint32_t budget);
    // Milliseconds to sleep before looking for events again.
    uint32_t PauseTime() const;

    host::HostCore &core_;
    PictureView &view_;
    std::function<void()> save_;
    bool running_ = true;
    bool drawing_ = true;
    bool orbitShown_ = false;
    uint64_t lastAnimationFrame_ = 0;
};

} // namespace quintorbelle::viewer
