// The host core: the window, the menu of command ids, the drawing loop and the
// messages the engine posts, shared by every front end (command line, viewer).
//
// It drives the engine through its public interface only. Everything it does
// is deterministic given the seed and the settings: the engine reads a virtual
// clock that starts at the seed and advances by a fixed step per tick.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/engine_link.h"

namespace quintorbelle::host {

// Menu command ids: the engine sends some of them, the front ends send all.
enum MenuCommand : int32_t {
    kNextRampStyle = 40000,
    kNextColourScheme = 40001,
    kNextPaletteStyle = 40002,
    kSuggestedMoreSymmetry = 40003,
    kNewPicture = 40004,
    kToggleLogScale = 40005,
    kToggleColourBySource = 40006,
    kSelectMode0 = 40007,
    kSelectMode1 = 40008,
    kSelectMode3 = 40009,
    kSelectMode2 = 40010,
    kSelectMode4 = 40011,
    kSelectMode5 = 40012,
    kSelectMode6 = 40013,
    kSelectMode7 = 40014,
    kSelectMode8 = 40015,
    kLessSymmetry = 40016,
    kMoreSymmetry = 40017,
    kToggleMirror = 40018,
    kNewParameters = 40019,
    kToggleAnimation = 40020,
    kToggleMapVariant = 40021,
    kToggleModeOption = 40022,
    kToggleShiftCopies = 40023,
    kToggleHalfAngleCopies = 40024,
    kToggleShrinkCopies = 40025,
    kToggleRandomCopyScale = 40026,
    kToggleRandomCopySkip = 40027,
    kMoreBaseMaps = 40028,
    kFewerBaseMaps = 40029,
    kToggleExtraHalfMap = 40030,
    kToggleExtraFlipMap = 40031,
    kToggleWeightedChoice = 40032,
    kNextColouringVariant = 40033,
    kNextVariation = 40034,
    kToggleStepwiseLevels = 40035,
    kZoomOut = 40036,
    kFittedView = 40037,
    kHalveDensityBase = 40038,
    kDoubleDensityBase = 40039,
    kResetSettings = 40040,
    kResetSettingsAndColours = 40041,
};
inline constexpr int32_t kFirstMenuCommand = kNextRampStyle;
inline constexpr int32_t kLastMenuCommand = kResetSettingsAndColours;

// The menu command that selects a drawing mode, and back.
int32_t ModeCommand(int32_t mode);
int32_t ModeOfCommand(int32_t command); // -1 when the command selects no mode

// The largest symmetry degree the host allows in each mode.
int32_t MaxDegreeForMode(int32_t mode);
// The number of colouring variants a mode distinguishes.
int32_t ColouringVariantsForMode(int32_t mode);

struct HostOptions {
    int32_t width = 800;
    int32_t height = 600;
    uint32_t seed = 1;                 // the engine starts at EngineTicksForSeed(seed)
    uint32_t millisecondsPerTick = 40; // the virtual clock's step
    // New parameters that would make a dull picture are drawn again: in
    // modes 2 and 3 an orbit that is regular or does not spread over the
    // picture, in mode 5 a slice that escapes almost everywhere at once, in
    // mode 7 walkers that leave their square too soon, in mode 8 a rule
    // that paints one flat colour. A picture loaded from a file is drawn as
    // it is.
    bool refuseDullPictures = true;
};

// A zoom as the host applied it: by `factor` about pixel (x, y).
struct AppliedZoom {
    double factor;
    int32_t x;
    int32_t y;
};

// The engine's tick count at start-up for a user's seed: the virtual clock
// starts there, and the engine seeds its random numbers from it.
uint32_t EngineTicksForSeed(uint32_t seed);

// The settings word that ApplySettingsFlags replays, for the block's current
// flags, mode and colouring.
uint32_t SettingsWord(const EngineLink &engine);

enum class TickStatus {
    kDrawing,  // the picture goes on
    kFinished, // drawStatus reached 2, or the picture ended naturally
    kGaveUp,   // no parameters could be drawn that make a picture
};

class HostCore {
  public:
    explicit HostCore(const HostOptions &options);
    ~HostCore();
    HostCore(const HostCore &) = delete;
    HostCore &operator=(const HostCore &) = delete;

    EngineLink &engine() const { return engine_; }
    uint32_t window() const { return window_; }
    std::string Title() const;
    uint32_t Now() const { return clock_; }
    uint32_t seed() const { return seed_; }
    // The zooms applied since the picture last started, in order.
    const std::vector<AppliedZoom> &zooms() const { return zooms_; }

    // Carries out a menu command as the user's choice.
    void Command(int32_t id);
    // The picture of the current mode, with request 0 (keep) or 1 (new).
    void StartPicture(int32_t request);
    // Selects a mode and draws new parameters for it.
    void SelectMode(int32_t mode);
    // Makes sure the view is fitted (modes 0 to 3 fit it to the attractor
    // first), drawing new parameters while an orbit fails. False when no
    // parameters make a picture.
    bool FitView();
    // Zooms in by `factor` about pixel (x, y).
    void ZoomAt(int32_t x, int32_t y, double factor);

    bool Animating() const { return animating_; }
    void StartAnimation();
    void StopAnimation();

    // One tick of the drawing loop with a budget of work units.
    TickStatus Tick(uint32_t budget);

    // Automatic exploration: the engine judges each picture and asks for the
    // next; the loop calls its two exploration entry points and never
    // finishes by itself.
    void SetExploring(bool exploring);
    bool Exploring() const { return exploring_; }
    // Dispatches every posted message (deferred requests, zooms, commands).
    void PumpMessages();
    // Paints the whole picture onto the window's surface.
    void PaintAll();

    // How many times in a row new parameters were needed for this picture.
    int32_t failedTries() const { return failedTries_; }
    // Random quadratic maps make a strange attractor that spreads over the
    // picture about once in four hundred tries, so a picture may take a few
    // thousand; most tries escape within a few steps.
    static constexpr int32_t kMaxFailedTries = 10000;

    // Called whenever a new picture starts (new parameters, mode, settings).
    std::function<void()> onPictureStarted;
    // Called just before the picture on show is replaced: by new parameters
    // or settings, a zoom, an animation or a random re-configuration. A front
    // end that keeps pictures saves the current one here.
    std::function<void()> beforePictureChange;

  private:
    static intptr_t WindowProcedure(uint32_t window, uint32_t message, uintptr_t wParam,
                                    intptr_t lParam);
    static uint32_t ReadClock();
    void HandleCommand(int32_t id);
    void RestartUnlessSyncing(int32_t request);
    void Recolour(bool rebuildRamp);
    void ResetSettings(bool coloursToo);
    struct DrawResult {
        bool goOn;        // false: the picture cannot go on
        int32_t progress; // the complex renderers' count of decided pixels
    };
    DrawResult DrawOnce(uint32_t budget);
    bool FitOrbit();
    bool SpreadsOverThePicture();
    bool SliceShowsStructure() const;
    bool EndedTooDull() const;
    TickStatus ExploreTick(const DrawResult &result);
    void PaintRect(const int32_t *rect);

    void NotifyBeforeChange();
    void TitleNewPicture();

    EngineLink &engine_;
    uint32_t seed_ = 0;
    std::vector<AppliedZoom> zooms_;
    uint32_t window_ = 0;
    uint32_t clock_ = 0;
    uint32_t millisecondsPerTick_ = 40;
    bool animating_ = false;
    bool animationEnded_ = false; // the engine ended an animation this tick
    bool exploring_ = false;
    bool refuseDullPictures_ = true;
    int32_t failedTries_ = 0;
};

} // namespace quintorbelle::host
