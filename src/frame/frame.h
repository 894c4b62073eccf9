// Engine frame and host link: start-up, random numbers, small maths, drawing
// control, messages to the host and the automaton set-up.
#pragma once

#include <cstdint>

namespace quintorbelle {

// Start-up and random numbers (random.cpp, start_up.cpp).
inline constexpr uint32_t kRandomModulus = 4294967087u; // 2^32 - 209, a prime
void StartEngine(void *unused);
uint32_t ModMultiply(uint32_t a, uint32_t b);
uint32_t ModPower(uint32_t base, uint32_t exponent);
uint32_t ModInverse(uint32_t x);
uint32_t Random();
void Multiply2x2(double *out, const double *a, const double *b);

// Drawing control (drawing_control.cpp, mode_set_up.cpp).
void SetUpDrawing();
void RestartDrawing();
void NextAnimationFrame(int32_t continuing);
void ZoomAtPixel(double scale, int32_t x, int32_t y);
void SetUpFunctionSystemView();
void SetUpOrbitStart();
void SetUpQuiltLattice();
void SetUpComplexView();
void SetUpWalkers();

// Automaton set-up (automaton_set_up.cpp).
void SetUpAutomaton(int32_t refreshOnly, int32_t firstRow);

// Messages to the host (host_messages.cpp).
inline constexpr int32_t kTitleAtOnce = 1;     // bypass the 2000 ms throttle
inline constexpr int32_t kTitleEvenIfSame = 2; // show even the text shown last
void SetTitleText(const char *text, int32_t titleFlags);
void ApplySettingsFlags(uint32_t settingsWord);
void SwitchModeFamily(int32_t functionSystem);

// Who asked for a command, in the lParam of WM_COMMAND.
enum CommandSource : int32_t {
    kSourcePlain = 0,      // end of an animation, most exploration commands
    kSourceRandomise = 1,  // random re-configuration
    kSourceSettings = 2,   // settings replay, mode family switch, function-system generator
    kSourceNextPicture = 3 // exploration's change of picture after a finished one
};

// Host menu command ids the engine sends.
enum HostCommand : int32_t {
    kCommandMoreSymmetrySuggested = 40003,
    kCommandNewPicture = 40004,
    kCommandLogScale = 40005,
    kCommandColourBySource = 40006,
    kCommandMode0 = 40007,
    kCommandMode1 = 40008,
    kCommandMode3 = 40009,
    kCommandMode2 = 40010,
    kCommandMode4 = 40011,
    kCommandMode5 = 40012,
    kCommandMode6 = 40013,
    kCommandMode7 = 40014,
    kCommandMode8 = 40015,
    kCommandLessSymmetry = 40016,
    kCommandMoreSymmetry = 40017,
    kCommandMirror = 40018,
    kCommandNewParameters = 40019,
    kCommandAnimation = 40020,
    kCommandMapVariant = 40021,
    kCommandModeOption = 40022,
    kCommandShiftCopies = 40023,
    kCommandHalfAngleCopies = 40024,
    kCommandShrinkCopies = 40025,
    kCommandRandomCopyScale = 40026,
    kCommandRandomCopySkip = 40027,
    kCommandExtraHalfMap = 40030,
    kCommandExtraFlipMap = 40031,
    kCommandWeightedChoice = 40032
};

// Window messages, as the host's window procedure receives them.
inline constexpr uint32_t kMessagePaint = 15;
inline constexpr uint32_t kMessageCommand = 273;
inline constexpr uint32_t kMessageDoubleClick = 515;
inline constexpr uint32_t kMessageDeferred = 1024 + 1;

void SendCommand(int32_t id, int32_t source);
void PostCommand(int32_t id, int32_t source);
void PostDeferredRequest(int32_t id);
void SendDoubleClick(int32_t x, int32_t y);
void PostDoubleClick(int32_t x, int32_t y);
void RepaintWholeWindow(); // invalidate the host window without erasing

} // namespace quintorbelle
