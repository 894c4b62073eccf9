// Messages to the host: menu commands, deferred requests and double-clicks,
// the throttled window title, the replay of a settings word as commands and
// the switch between the mode families.
//
// The engine never calls the host directly. Every change of a setting goes
// through the host's own menu handling, so the host's menus stay in step. A
// sent command re-enters the engine through the host's handler before the
// send returns; syncDepth marks the time the engine replays settings.
#include <cstring>

#include "frame/frame.h"
#include "frame/shared_block.h"
#include "platform/window_system.h"

namespace quintorbelle {
namespace {

constexpr char kTitlePrefix[] = "Quintorbelle: ";
constexpr size_t kTitlePrefixLength = sizeof kTitlePrefix - 1;
constexpr uint32_t kTitleThrottleMilliseconds = 2000;

char titleBuffer[256] = "Quintorbelle: ";
const char *lastTitleText = nullptr;
uint32_t lastTitleTime = 0;

intptr_t PackPixel(int32_t x, int32_t y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) |
                                 static_cast<uint32_t>(x & 0xFFFF));
}

struct SettingsBit {
    uint32_t bit;
    const int32_t *variable;
    int32_t command;
};

// The replay order matters: the host may react to each command in turn.
constexpr SettingsBit kSettingsBits[] = {
    {0x1, &shiftCopies, kCommandShiftCopies},
    {0x2, &mirrorSymmetry, kCommandMirror},
    {0x4, &extraFlipMap, kCommandExtraFlipMap},
    {0x8, &randomCopySkip, kCommandRandomCopySkip},
    {0x10, &shrinkCopies, kCommandShrinkCopies},
    {0x20, &randomCopyScale, kCommandRandomCopyScale},
    {0x80, &halfAngleCopies, kCommandHalfAngleCopies},
    {0x100, &weightedChoice, kCommandWeightedChoice},
    {0x200, &extraHalfMap, kCommandExtraHalfMap},
    {0x400, &logColourScale, kCommandLogScale},
    {0x4000, &mapVariant, kCommandMapVariant},
    {0x20000, &modeOption, kCommandModeOption},
};

// The drawing mode is encoded in five bits: mode 0 none, 1 bit 6, 2 bit 13,
// 3 bit 12, 4 bit 15, 5 bit 16, 6 bits 16 and 6, 7 bits 16 and 13, 8 bits
// 16, 13 and 6.
constexpr uint32_t kModeBit6 = 0x40;
constexpr uint32_t kModeBit12 = 0x1000;
constexpr uint32_t kModeBit13 = 0x2000;
constexpr uint32_t kModeBit15 = 0x8000;
constexpr uint32_t kModeBit16 = 0x10000;
constexpr uint32_t kColourBySourceBit = 0x800;

int32_t ModeCommandFor(uint32_t word) {
    bool bit6 = (word & kModeBit6) != 0;
    if ((word & kModeBit16) != 0) {
        if ((word & kModeBit13) != 0) return bit6 ? kCommandMode8 : kCommandMode7;
        return bit6 ? kCommandMode6 : kCommandMode5;
    }
    if ((word & kModeBit15) != 0) return kCommandMode4;
    if ((word & kModeBit13) != 0) return kCommandMode2;
    if ((word & kModeBit12) != 0) return kCommandMode3;
    return bit6 ? kCommandMode1 : kCommandMode0;
}

} // namespace

void SendCommand(int32_t id, int32_t source) {
    platform::SendMessage(hostWindow, kMessageCommand, static_cast<uintptr_t>(id), source);
}

void PostCommand(int32_t id, int32_t source) {
    platform::PostMessage(hostWindow, kMessageCommand, static_cast<uintptr_t>(id), source);
}

void PostDeferredRequest(int32_t id) {
    platform::PostMessage(hostWindow, kMessageDeferred, static_cast<uintptr_t>(id), 0);
}

void SendDoubleClick(int32_t x, int32_t y) {
    platform::SendMessage(hostWindow, kMessageDoubleClick, 0, PackPixel(x, y));
}

void PostDoubleClick(int32_t x, int32_t y) {
    platform::PostMessage(hostWindow, kMessageDoubleClick, 0, PackPixel(x, y));
}

void RepaintWholeWindow() {
    platform::InvalidateRect(hostWindow, nullptr, false);
}

void SetTitleText(const char *text, int32_t titleFlags) {
    // Repeats are recognised by address, not content: the callers pass their
    // own fixed buffers and texts.
    if ((titleFlags & kTitleEvenIfSame) == 0 && text == lastTitleText) return;
    uint32_t now = platform::GetTickCount();
    if ((titleFlags & kTitleAtOnce) == 0 && now - lastTitleTime <= kTitleThrottleMilliseconds) {
        return;
    }
    if (animationFrame != 0 || titleQuiet != 0) return;
    lastTitleText = (titleFlags & kTitleEvenIfSame) != 0 ? nullptr : text;
    lastTitleTime = now;
    // A text too long for the buffer is cut at its end.
    size_t room = sizeof titleBuffer - kTitlePrefixLength - 1;
    size_t length = strnlen(text, room);
    std::memcpy(titleBuffer + kTitlePrefixLength, text, length);
    titleBuffer[kTitlePrefixLength + length] = '\0';
    platform::SetWindowText(hostWindow, titleBuffer);
}

void ApplySettingsFlags(uint32_t settingsWord) {
    ++syncDepth;
    for (const SettingsBit &row : kSettingsBits) {
        int32_t wanted = (settingsWord & row.bit) != 0 ? 1 : 0;
        if (wanted != *row.variable) SendCommand(row.command, kSourceSettings);
    }
    SendCommand(ModeCommandFor(settingsWord), kSourceSettings);
    int32_t wantBySource = (settingsWord & kColourBySourceBit) != 0 ? 1 : 0;
    if (wantBySource != colourBySource) {
        colouringVariant = colourBySource != 0 ? -1 : 0;
        SendCommand(kCommandColourBySource, kSourceSettings);
    }
    --syncDepth;
}

void SwitchModeFamily(int32_t functionSystem) {
    if (syncDepth != 0) return;
    if (drawMode > 1 && functionSystem != 0) {
        SendCommand(kCommandMode0, kSourceSettings);
    } else if (drawMode <= 2 && functionSystem == 0) {
        SendCommand(kCommandMode3, kSourceSettings);
    }
}

} // namespace quintorbelle
