#include "host/host_core.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <complex>
#include <cstring>

#include "host/on_off_settings.h"
#include "quintorbelle/platform.h"

namespace quintorbelle::host {
namespace {

HostCore *activeCore = nullptr;

constexpr int32_t kModeCommands[9] = {kSelectMode0, kSelectMode1, kSelectMode2,
                                      kSelectMode3, kSelectMode4, kSelectMode5,
                                      kSelectMode6, kSelectMode7, kSelectMode8};

// A walker picture ends when a walker leaves its square; one that ends
// before this much work is too slight to keep. Walkers take a time that
// grows with the square's area to leave it, so the bound is 2000 units for
// the square of an 800 x 600 picture and scales with the area.
int32_t WorthwhileWalkerWork(int32_t width, int32_t height) {
    const int64_t side = std::min(width, height);
    return static_cast<int32_t>(std::max<int64_t>(1, 2000 * side * side / (600 * 600)));
}

// The work of the trial draw that shows whether a new attractor of modes 2
// and 3 spreads over the picture: about 125000 iterations.
constexpr uint32_t kSpreadTrialWork = 100;

// While exploring: a picture that stops before this much work counts as a
// failed try, and after so many failed tries in a row, or when a picture
// spends more than the bound, the host moves on by itself. The engine's own
// patience for a picture is at most 25000 units.
constexpr int32_t kSlightWork = 1000;
constexpr int32_t kExploreFailedTries = 40;
constexpr int32_t kExploreWorkBound = 60000;

// The density base doubles up to this; beyond it the thresholds pass the
// range of the 16-bit counts within a few colour indices.
constexpr int32_t kMaxDensityBase = 1024;

// The custom ramp a new host starts with: deep blue, gold and crimson,
// blended, fading in from black.
constexpr uint32_t kCustomAnchors[3] = {0x1E3C8C, 0xF0C040, 0xB42850};
constexpr uint8_t kCustomOptions[QB_RAMP_OPTION_COUNT] = {1, 0, 2, 2, 2};

} // namespace

uint32_t EngineTicksForSeed(uint32_t seed) {
    // The engine seeds its generator with the tick count as both counter and
    // multiplier; a small count would give inverses of small numbers, simple
    // fractions, for many draws. A seed is therefore spread over all 32 bits
    // first (a bijective mix, so distinct seeds stay distinct).
    uint32_t x = seed + 0x9E3779B9u;
    x = (x ^ (x >> 16)) * 0x85EBCA6Bu;
    x = (x ^ (x >> 13)) * 0xC2B2AE35u;
    return x ^ (x >> 16);
}

uint32_t SettingsWord(const EngineLink &engine) {
    uint32_t word = kModeWordBits[std::clamp(engine.drawMode, 0, 8)];
    for (const OnOffSetting &setting : kOnOffSettings) {
        if (EngineFlag(setting) != 0) word |= setting.wordBit;
    }
    return word;
}

int32_t ModeCommand(int32_t mode) {
    return kModeCommands[std::clamp(mode, 0, 8)];
}

int32_t ModeOfCommand(int32_t command) {
    for (int32_t mode = 0; mode < 9; ++mode) {
        if (kModeCommands[mode] == command) return mode;
    }
    return -1;
}

int32_t MaxDegreeForMode(int32_t mode) {
    switch (mode) {
    case 0:
    case 1: return 300; // the function table holds 300 maps
    case 7: return 12;  // walkers turn in at most twelve headings
    case 8: return 255; // cell states
    default: return 50;
    }
}

int32_t ColouringVariantsForMode(int32_t mode) {
    switch (mode) {
    case 5:
    case 6: return 9;   // escape and convergence colourings
    case 7: return 1;   // walkers have their own colours
    case 8: return 8;   // multiples of the state count
    default: return 15; // the colour delay line holds 15 steps
    }
}

HostCore::HostCore(const HostOptions &options)
    : engine_(Engine()), seed_(options.seed), clock_(EngineTicksForSeed(options.seed)),
      millisecondsPerTick_(options.millisecondsPerTick),
      refuseDullPictures_(options.refuseDullPictures) {
    activeCore = this;
    QuintorbelleSetTickSource(&HostCore::ReadClock);
    window_ = QuintorbelleCreateWindow(&HostCore::WindowProcedure, options.width, options.height);
    engine_.hostWindow = window_;
    engine_.imageWidth = options.width;
    engine_.imageHeight = options.height;
    engine_.displayWidth = options.width;
    engine_.titleQuiet = 0;
    engine_.autoExplore = 0;
    for (int i = 0; i < 3; ++i)
        engine_.rampBitmapInfo.colours[QB_RAMP_ANCHOR_0 + i] = kCustomAnchors[i];
    std::memcpy(engine_.rampBitmapInfo.customOptions, kCustomOptions, sizeof kCustomOptions);
    engine_.StartEngine(nullptr);
    engine_.BuildColourRamp();
}

HostCore::~HostCore() {
    if (engine_.orbitStore != nullptr) {
        engine_.RuntimeFree(engine_.orbitStore);
        engine_.orbitStore = nullptr;
    }
    engine_.hostWindow = 0;
    QuintorbelleDestroyWindow(window_);
    QuintorbelleSetTickSource(nullptr);
    if (activeCore == this) activeCore = nullptr;
}

uint32_t HostCore::ReadClock() {
    return activeCore != nullptr ? activeCore->clock_ : 0;
}

std::string HostCore::Title() const {
    char buffer[512];
    QuintorbelleGetWindowText(window_, buffer, sizeof buffer);
    return buffer;
}

intptr_t HostCore::WindowProcedure(uint32_t window, uint32_t message, uintptr_t wParam,
                                   intptr_t lParam) {
    HostCore *core = activeCore;
    if (core == nullptr || window != core->window_) return 0;
    switch (message) {
    case QB_WM_PAINT: core->PaintAll(); break;
    case QB_WM_COMMAND: core->HandleCommand(static_cast<int32_t>(wParam)); break;
    case QB_WM_USER + 1:
        // A deferred request: 0 asks for a random re-configuration.
        if (wParam == 0) {
            core->NotifyBeforeChange();
            core->zooms_.clear();
            if (core->engine_.drawMode <= 1) {
                core->engine_.RandomiseFunctionSystem(0);
            } else {
                core->engine_.RandomiseModeParameters(0);
            }
            core->TitleNewPicture();
        } else {
            core->HandleCommand(static_cast<int32_t>(wParam));
        }
        break;
    case QB_WM_LBUTTONDBLCLK: {
        auto packed = static_cast<uint32_t>(lParam);
        core->ZoomAt(static_cast<int32_t>(packed & 0xFFFF), static_cast<int32_t>(packed >> 16), 2);
        break;
    }
    default: break;
    }
    return 0;
}

void HostCore::Command(int32_t id) {
    HandleCommand(id);
    PumpMessages();
}

void HostCore::TitleNewPicture() {
    // The generators of modes 0, 1 and 8 describe their parameters in the
    // title themselves; for the others the host names the picture, so that
    // no message of an earlier picture stays there.
    EngineLink &e = engine_;
    const int32_t n = e.symmetryDegree;
    const char *mirrored = e.mirrorSymmetry != 0 ? ", mirrored" : "";
    std::string text;
    switch (e.drawMode) {
    case 2: text = "Quadratic map"; break;
    case 3: text = fmt::format("Icon of degree {}{}", n, mirrored); break;
    case 4:
        text = fmt::format("Quilt of degree {}, {} lattice{}", n,
                           e.hexLattice != 0 ? "hexagonal" : "square", mirrored);
        break;
    case 5:
        text = fmt::format("{}, z^{} + c", e.mapVariant != 0 ? "Orbit statistics" : "Escape time",
                           n + 1);
        break;
    case 6: text = fmt::format("Newton, z^{}{} + c", n + 1, e.mapVariant != 0 ? " - z" : ""); break;
    case 7: text = fmt::format("{} walkers{}", n, mirrored); break;
    default: return;
    }
    e.SetTitleText(text.c_str(), 3);
}

void HostCore::NotifyBeforeChange() {
    if (beforePictureChange) beforePictureChange();
}

void HostCore::StartPicture(int32_t request) {
    NotifyBeforeChange();
    zooms_.clear();
    failedTries_ = 0;
    if (engine_.drawMode <= 1) {
        engine_.GenerateFunctionSystem(request);
    } else {
        engine_.GenerateModeParameters(request);
        const bool choosing = request == QB_REQUEST_NEW && engine_.drawMode == 5 &&
                              refuseDullPictures_ && !exploring_ && engine_.syncDepth == 0;
        for (int32_t tries = 1; choosing && tries < kMaxFailedTries && !SliceShowsStructure();
             ++tries) {
            engine_.GenerateModeParameters(QB_REQUEST_NEW);
        }
    }
    TitleNewPicture();
    if (onPictureStarted) onPictureStarted();
}

bool HostCore::SliceShowsStructure() const {
    // About half of the random slices start their orbits far out, or hold
    // the constant where the sets are dust, and escape almost everywhere
    // within a step or two: the picture is one flat colour. A coarse look
    // over 32 x 24 pixels, in the host's own arithmetic before the engine
    // draws anything (so nothing the engine keeps changes), asks that one
    // orbit in a hundred stays within radius 2 for 16 steps. A pixel (x, y)
    // is the plane point w = ((x - x0) - i (y - y0)) / scale about the
    // view's origin; start and constant are centre + axis w.
    const EngineLink &e = engine_;
    using Complex = std::complex<double>;
    const Complex startAxis(e.startAxis[0], e.startAxis[1]);
    const Complex startCentre(e.startCentre[0], e.startCentre[1]);
    const Complex constantAxis(e.constantAxis[0], e.constantAxis[1]);
    const Complex constantCentre(e.constantCentre[0], e.constantCentre[1]);
    const int32_t power = e.symmetryDegree + 1;
    int32_t bounded = 0;
    for (int32_t row = 0; row < 24; ++row) {
        for (int32_t column = 0; column < 32; ++column) {
            const double x = (column + 0.5) * e.imageWidth / 32;
            const double y = (row + 0.5) * e.imageHeight / 24;
            const Complex w = Complex(x - e.viewOriginX, e.viewOriginY - y) / e.pixelsPerUnitX;
            Complex z = startCentre + startAxis * w;
            const Complex c = constantCentre + constantAxis * w;
            int32_t step = 0;
            while (step < 16 && std::norm(z) <= 4) {
                Complex zPower = z;
                for (int32_t k = 1; k < power; ++k) zPower *= z;
                z = zPower + c;
                ++step;
            }
            if (step == 16) ++bounded;
        }
    }
    return bounded * 100 >= 32 * 24;
}

void HostCore::SelectMode(int32_t mode) {
    engine_.drawMode = mode;
    engine_.symmetryDegree = std::min(engine_.symmetryDegree, MaxDegreeForMode(mode));
    engine_.colouringVariant =
        std::min(engine_.colouringVariant, ColouringVariantsForMode(mode) - 1);
    RestartUnlessSyncing(QB_REQUEST_NEW);
}

bool HostCore::FitOrbit() {
    EngineLink &e = engine_;
    if (e.FitViewToAttractor() == 0) return false;
    // A strange attractor is what a user asks modes 2 and 3 for: an orbit
    // the survey found regular (its shadow never separated) is refused, and
    // so is one that does not spread over the picture.
    if ((e.drawMode != 2 && e.drawMode != 3) || !refuseDullPictures_ || exploring_) return true;
    if (e.divergenceIteration == 0) return false;
    return animating_ || SpreadsOverThePicture();
}

bool HostCore::SpreadsOverThePicture() {
    // A chaotic orbit may still settle on a line (the mirror lines of the
    // icons are invariant) or on a few points or short arcs. A line lights
    // about as many pixels as its longer side; an attractor worth drawing
    // lights at least three times as many in a trial draw. The picture then
    // starts again from its parameters, exactly as a loaded file does.
    EngineLink &e = engine_;
    const bool drawn = e.PlotAttractor(kSpreadTrialWork) != 0;
    const int32_t *lit = e.drawnRect; // left, top, right, bottom
    const int32_t extent = std::max(lit[2] - lit[0], lit[3] - lit[1]);
    const bool spreads = drawn && e.changedPixelCount >= 3 * extent;
    e.GenerateModeParameters(QB_REQUEST_KEEP);
    return spreads && e.FitViewToAttractor() != 0;
}

bool HostCore::EndedTooDull() const {
    const EngineLink &e = engine_;
    if (e.drawMode == 7) return e.workCounter < WorthwhileWalkerWork(e.imageWidth, e.imageHeight);
    // An automaton whose rule dies out, settles into one state or blinks
    // between states paints rows of one colour each, with a line or two in
    // them: flat or striped, whatever the colours.
    int32_t flatRows = 0;
    for (int32_t y = 0; y < e.imageHeight; ++y) {
        std::array<int32_t, 256> counts{};
        for (int32_t x = 0; x < e.imageWidth; ++x) ++counts[e.indexImage[y][x]];
        const int32_t most = *std::max_element(counts.begin(), counts.end());
        if (most * 100 >= 97 * e.imageWidth) ++flatRows;
    }
    return flatRows * 10 >= 9 * e.imageHeight;
}

bool HostCore::FitView() {
    while (engine_.drawMode <= 3 && engine_.viewFitted == 0) {
        if (FitOrbit()) break;
        if (failedTries_ >= kMaxFailedTries) return false;
        int32_t tries = failedTries_ + 1;
        StartPicture(QB_REQUEST_NEW);
        failedTries_ = tries;
    }
    PumpMessages();
    return true;
}

void HostCore::ZoomAt(int32_t x, int32_t y, double factor) {
    NotifyBeforeChange();
    zooms_.push_back({factor, x, y});
    engine_.ZoomAtPixel(engine_.pixelsPerUnitX * factor, x, y);
}

void HostCore::StartAnimation() {
    NotifyBeforeChange();
    engine_.animationFrame = 0;
    animating_ = true;
    engine_.NextAnimationFrame(0);
}

void HostCore::StopAnimation() {
    animating_ = false;
    engine_.animationFrame = 0;
}

void HostCore::RestartUnlessSyncing(int32_t request) {
    // While the engine replays settings as commands, only the settings change.
    if (engine_.syncDepth == 0) StartPicture(request);
}

void HostCore::Recolour(bool rebuildRamp) {
    if (rebuildRamp) {
        engine_.BuildColourRamp();
        PaintAll();
    } else {
        engine_.Recolour(0);
    }
}

void HostCore::ResetSettings(bool coloursToo) {
    EngineLink &e = engine_;
    for (const OnOffSetting &setting : kOnOffSettings) EngineFlag(setting) = 0;
    e.symmetryDegree = 1;
    e.baseMapCount = 1;
    e.variation = 0;
    e.colouringVariant = 0;
    e.animationFlags = 0;
    if (coloursToo) {
        e.rampStyle = 0;
        e.colourScheme = 0;
        e.BuildColourRamp();
        e.Recolour(1);
    }
}

void HostCore::HandleCommand(int32_t id) {
    EngineLink &e = engine_;
    const bool syncing = e.syncDepth != 0;
    if (int32_t mode = ModeOfCommand(id); mode >= 0) {
        SelectMode(mode);
        return;
    }
    auto toggle = [&](int32_t &flag) {
        flag = flag != 0 ? 0 : 1;
        RestartUnlessSyncing(QB_REQUEST_KEEP);
    };
    switch (id) {
    case kNextRampStyle:
        e.rampStyle = (e.rampStyle + 1) % 5;
        if (!syncing) Recolour(true);
        break;
    case kNextColourScheme:
        e.colourScheme = (e.colourScheme + 1) % 24;
        if (!syncing) Recolour(true);
        break;
    case kNextPaletteStyle:
        if (!syncing) {
            e.BuildPalette(-1);
            PaintAll();
        }
        break;
    case kSuggestedMoreSymmetry:
        if (e.symmetryDegree < std::min(e.maxSymmetryDegree, MaxDegreeForMode(e.drawMode))) {
            ++e.symmetryDegree;
        }
        RestartUnlessSyncing(QB_REQUEST_KEEP);
        break;
    case kNewPicture:
    case kNewParameters: RestartUnlessSyncing(QB_REQUEST_NEW); break;
    case kToggleLogScale:
        e.logColourScale = e.logColourScale != 0 ? 0 : 1;
        if (!syncing) Recolour(false);
        break;
    case kToggleColourBySource: toggle(e.colourBySource); break;
    case kLessSymmetry:
        e.symmetryDegree = std::max(e.symmetryDegree - 1, 1);
        RestartUnlessSyncing(QB_REQUEST_KEEP);
        break;
    case kMoreSymmetry:
        e.symmetryDegree = std::min(e.symmetryDegree + 1, MaxDegreeForMode(e.drawMode));
        RestartUnlessSyncing(QB_REQUEST_KEEP);
        break;
    case kToggleMirror: toggle(e.mirrorSymmetry); break;
    case kToggleAnimation:
        if (animating_) {
            StopAnimation();
            animationEnded_ = true;
        } else if (!syncing) {
            StartAnimation();
        }
        break;
    case kToggleMapVariant: toggle(e.mapVariant); break;
    case kToggleModeOption: toggle(e.modeOption); break;
    case kToggleShiftCopies: toggle(e.shiftCopies); break;
    case kToggleHalfAngleCopies: toggle(e.halfAngleCopies); break;
    case kToggleShrinkCopies: toggle(e.shrinkCopies); break;
    case kToggleRandomCopyScale: toggle(e.randomCopyScale); break;
    case kToggleRandomCopySkip: toggle(e.randomCopySkip); break;
    case kToggleExtraHalfMap: toggle(e.extraHalfMap); break;
    case kToggleExtraFlipMap: toggle(e.extraFlipMap); break;
    case kToggleWeightedChoice: toggle(e.weightedChoice); break;
    case kMoreBaseMaps:
        e.baseMapCount = std::min<int32_t>(e.baseMapCount + 1, QB_MAP_CAPACITY);
        RestartUnlessSyncing(QB_REQUEST_KEEP);
        break;
    case kFewerBaseMaps:
        e.baseMapCount = std::max(e.baseMapCount - 1, 1);
        RestartUnlessSyncing(QB_REQUEST_KEEP);
        break;
    case kNextColouringVariant: {
        int32_t count = ColouringVariantsForMode(e.drawMode);
        e.colouringVariant = e.colouringVariant < 0 ? 0 : (e.colouringVariant + 1) % count;
        RestartUnlessSyncing(QB_REQUEST_KEEP);
        break;
    }
    case kNextVariation:
        e.variation = (e.variation + 1) % 7;
        RestartUnlessSyncing(QB_REQUEST_KEEP);
        break;
    case kToggleStepwiseLevels: toggle(e.stepwiseLevels); break;
    case kZoomOut:
        if (!syncing) ZoomAt(e.imageWidth / 2, e.imageHeight / 2, 0.5);
        break;
    case kFittedView: RestartUnlessSyncing(QB_REQUEST_KEEP); break;
    case kHalveDensityBase:
    case kDoubleDensityBase: {
        int32_t base = std::max<int32_t>(e.densityThresholds[0], 1);
        base =
            id == kHalveDensityBase ? std::max(base / 2, 1) : std::min(base * 2, kMaxDensityBase);
        if (!syncing) e.Recolour(base);
        break;
    }
    case kResetSettings:
    case kResetSettingsAndColours:
        ResetSettings(id == kResetSettingsAndColours);
        RestartUnlessSyncing(QB_REQUEST_NEW);
        break;
    default: break;
    }
}

HostCore::DrawResult HostCore::DrawOnce(uint32_t budget) {
    EngineLink &e = engine_;
    switch (e.drawMode) {
    case 0:
    case 1:
    case 2:
    case 3:
        if (e.viewFitted == 0) return {FitOrbit(), 0};
        return {e.PlotAttractor(budget) != 0, 0};
    case 4: e.PlotQuilt(budget); return {true, 0};
    case 5:
        if (e.mapVariant != 0) return {true, e.StepOrbitStatistics()};
        return {true, e.RefineComplexPicture(1)};
    case 6: return {true, e.RefineComplexPicture(1)};
    case 7: return {e.StepWalkers(budget) != 0, 0};
    case 8: return {e.GrowAutomatonRows(budget) != 0, 0};
    default: return {false, 0};
    }
}

void HostCore::SetExploring(bool exploring) {
    exploring_ = exploring;
    engine_.autoExplore = exploring ? 1 : 0;
}

TickStatus HostCore::Tick(uint32_t budget) {
    EngineLink &e = engine_;
    clock_ += millisecondsPerTick_;
    if (animating_) {
        e.NextAnimationFrame(1);
        PumpMessages();
    }
    DrawResult result = DrawOnce(budget);
    e.workCounter += static_cast<int32_t>(budget);
    e.frameCounter += 1;
    PaintRect(e.drawnRect);
    PumpMessages();
    if (exploring_) return ExploreTick(result);

    if (!result.goOn) {
        // An animation goes on to its next frame, whose parameters may serve
        // again. Otherwise modes 7 and 8 end naturally when a walker leaves
        // its square or the rows repeat, unless a new picture ended too dull
        // to keep; an orbit that escapes or converges needs new parameters.
        if (animating_) return TickStatus::kDrawing;
        const bool naturalEnd = e.drawMode == 7 || e.drawMode == 8;
        if (naturalEnd && !(refuseDullPictures_ && EndedTooDull())) return TickStatus::kFinished;
        int32_t tries = failedTries_ + 1;
        if (tries > kMaxFailedTries) return TickStatus::kGaveUp;
        StartPicture(QB_REQUEST_NEW);
        failedTries_ = tries;
        return TickStatus::kDrawing;
    }
    if (!animating_ && e.drawStatus == 2) return TickStatus::kFinished;
    return TickStatus::kDrawing;
}

TickStatus HostCore::ExploreTick(const DrawResult &result) {
    EngineLink &e = engine_;
    const bool stopped = !result.goOn || (e.drawStatus == 2 && !animating_) || animationEnded_;
    animationEnded_ = false;
    if (!stopped) {
        // Only the sign of the renderer's result matters to the explorer.
        e.ExploreWhileDrawing(e.drawMode == 5 || e.drawMode == 6 ? result.progress : 0);
        PumpMessages();
    } else {
        failedTries_ = e.workCounter < kSlightWork ? failedTries_ + 1 : 0;
        int32_t tries = failedTries_;
        e.ExploreAfterDrawing(result.goOn ? 1 : 0);
        PumpMessages();
        failedTries_ = tries;
    }
    // The explorer must not stall: a picture that has run past every
    // patience, or a run of pictures that fail at once, is replaced by a
    // new picture of a mode drawn at random.
    if (e.workCounter > kExploreWorkBound || failedTries_ > kExploreFailedTries) {
        StopAnimation();
        SelectMode(static_cast<int32_t>(e.Random() % 9));
        StartPicture(QB_REQUEST_NEW);
    }
    return TickStatus::kDrawing;
}

void HostCore::PumpMessages() {
    // Each message may post others; a bound keeps a runaway exchange finite.
    QuintorbelleMessage message;
    for (int handled = 0; handled < 100000 && QuintorbellePeekMessage(&message) != 0; ++handled) {
        QuintorbelleDispatchMessage(&message);
    }
}

void HostCore::PaintRect(const int32_t *rect) {
    if (rect[2] <= rect[0] || rect[3] <= rect[1]) return;
    QuintorbellePaintIndexed(window_, rect[0], rect[1], rect[2], rect[3], &engine_.indexImage[0][0],
                             QB_IMAGE_STRIDE, engine_.displayBitmapInfo.colours);
}

void HostCore::PaintAll() {
    const int32_t whole[4] = {0, 0, engine_.imageWidth, engine_.imageHeight};
    PaintRect(whole);
}

} // namespace quintorbelle::host
