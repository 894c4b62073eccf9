#include "viewer/view_loop.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "quintorbelle/platform.h"

namespace quintorbelle::viewer {
namespace {

// Drawing stops for events after this many milliseconds of ticks: the
// window keeps answering at about sixty frames a second.
constexpr uint64_t kFrameWorkMilliseconds = 12;
// Work units per tick: small, so that the time bound is kept closely.
constexpr uint32_t kTickBudget = 20;
// An animation shows one frame per step of the engine's clock, each drawn
// with this budget, as a timer-driven host would.
constexpr uint64_t kAnimationStepMilliseconds = 40;
constexpr uint32_t kAnimationBudget = 100;
// The pause between looks for events while there is nothing to draw.
constexpr uint64_t kIdleMilliseconds = 10;

} // namespace

ViewLoop::ViewLoop(host::HostCore &core, PictureView &view, std::function<void()> save)
    : core_(core), view_(view), save_(std::move(save)) {}

void ViewLoop::Run() {
    // Events are polled, with short sleeps when there is nothing to draw:
    // SDL's waiting for events wakes itself by messages to the window over a
    // second display connection, and one still on its way when the window
    // closes ends the program with an X error.
    while (running_) {
        SDL_Event event;
        while (running_ && SDL_PollEvent(&event) != 0) Handle(event);
        if (!running_) break;
        Draw();
        view_.SetTitle(core_.Title());
        view_.Present(core_.engine());
        if (const uint32_t pause = PauseTime(); pause > 0) SDL_Delay(pause);
    }
}

uint32_t ViewLoop::PauseTime() const {
    if (!drawing_ || orbitShown_) return kIdleMilliseconds;
    if (!core_.Animating()) return 0;
    const uint64_t since = SDL_GetTicks64() - lastAnimationFrame_;
    if (since >= kAnimationStepMilliseconds) return 0;
    return static_cast<uint32_t>(std::min(kAnimationStepMilliseconds - since, kIdleMilliseconds));
}

void ViewLoop::Handle(const SDL_Event &event) {
    switch (event.type) {
    case SDL_QUIT: running_ = false; break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
            event.window.event == SDL_WINDOWEVENT_RESTORED) {
            view_.Uncovered();
        }
        break;
    case SDL_KEYDOWN: {
        if (event.key.repeat != 0) break;
        const bool shift = (event.key.keysym.mod & KMOD_SHIFT) != 0;
        if (const KeyBinding *binding = FindBinding(event.key.keysym.sym, shift)) {
            HideOrbit();
            Perform(*binding);
        }
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
        HideOrbit();
        if (event.button.button == SDL_BUTTON_LEFT && event.button.clicks == 2) {
            Zoom(event.button.x, event.button.y, 2);
        } else if (event.button.button == SDL_BUTTON_RIGHT) {
            ShowOrbit(event.button.x, event.button.y);
        }
        break;
    case SDL_MOUSEWHEEL: {
        HideOrbit();
        int32_t y =
            event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        int x = 0;
        int pointerY = 0;
        SDL_GetMouseState(&x, &pointerY);
        if (y > 0) Zoom(x, pointerY, 2);
        if (y < 0) Zoom(x, pointerY, 0.5);
        break;
    }
    default: break;
    }
}

void ViewLoop::Perform(const KeyBinding &binding) {
    switch (binding.action) {
    case ViewerAction::kCommand:
        core_.Command(binding.command);
        Changed();
        break;
    case ViewerAction::kHelp: view_.ToggleHelp(); break;
    case ViewerAction::kQuit: running_ = false; break;
    case ViewerAction::kSave: save_(); break;
    case ViewerAction::kAutopilot:
        core_.SetExploring(!core_.Exploring());
        std::printf("autopilot %s\n", core_.Exploring() ? "on" : "off");
        std::fflush(stdout);
        drawing_ = true;
        break;
    case ViewerAction::kZoomIn: {
        const host::EngineLink &e = core_.engine();
        Zoom(e.imageWidth / 2, e.imageHeight / 2, 2);
        break;
    }
    }
}

void ViewLoop::Zoom(int32_t x, int32_t y, double factor) {
    const host::EngineLink &e = core_.engine();
    if (x < 0 || y < 0 || x >= e.imageWidth || y >= e.imageHeight) return;
    // A zoom needs the fitted view it zooms into.
    if (!core_.FitView()) return;
    core_.ZoomAt(x, y, factor);
    Changed();
}

void ViewLoop::ShowOrbit(int32_t x, int32_t y) {
    host::EngineLink &e = core_.engine();
    if (e.drawMode != 5 && e.drawMode != 6) return;
    // The engine repaints the platform surface from the picture and draws
    // the orbit over it; drawing waits while the orbit is on show.
    e.ShowPixelOrbit(x, y);
    int32_t width = 0;
    int32_t height = 0;
    if (const uint32_t *surface = QuintorbelleGetSurface(core_.window(), &width, &height)) {
        view_.ShowSurface(e, surface, width, height);
        orbitShown_ = true;
    }
}

void ViewLoop::HideOrbit() {
    if (!orbitShown_) return;
    orbitShown_ = false;
    view_.HideSurface();
}

void ViewLoop::Changed() {
    view_.TakeWholePicture();
    drawing_ = true;
}

void ViewLoop::Draw() {
    if (!drawing_ || orbitShown_) return;
    const uint64_t start = SDL_GetTicks64();
    if (core_.Animating()) {
        if (start - lastAnimationFrame_ < kAnimationStepMilliseconds) return;
        lastAnimationFrame_ = start;
        Tick(kAnimationBudget);
        return;
    }
    do {
        Tick(kTickBudget);
    } while (drawing_ && !core_.Animating() && SDL_GetTicks64() - start < kFrameWorkMilliseconds);
}

void ViewLoop::Tick(uint32_t budget) {
    const host::TickStatus status = core_.Tick(budget);
    view_.Follow(core_.engine());
    if (status == host::TickStatus::kGaveUp) {
        std::fprintf(stderr,
                     "quintorbelle: no parameters drawn in mode %d made a picture after %d "
                     "tries; press N to try again or choose another mode\n",
                     core_.engine().drawMode, host::HostCore::kMaxFailedTries);
    }
    if (status != host::TickStatus::kDrawing) drawing_ = false;
}

} // namespace quintorbelle::viewer
