// Helpers for the exploration tests: forcing the engine's random draws, and a
// host that carries out setting commands the way a host's menu would.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "support/test_host.h"

namespace quintorbelle::testing {

// The next `count` draws, leaving the generator as it was.
inline std::vector<uint32_t> PeekDraws(int count) {
    const uint32_t counter = randomCounter;
    std::vector<uint32_t> draws;
    for (int i = 0; i < count; ++i) draws.push_back(Random());
    randomCounter = counter;
    return draws;
}

// Puts the generator in the first state, counting up from a fixed one, from
// which the next `count` draws satisfy `wanted`; returns those draws.
inline std::vector<uint32_t>
SeekDraws(int count, const std::function<bool(const std::vector<uint32_t> &)> &wanted) {
    randomMultiplier = 2654435761u;
    for (uint32_t counter = 1;; ++counter) {
        randomCounter = counter;
        std::vector<uint32_t> draws = PeekDraws(count);
        if (wanted(draws)) return draws;
    }
}

// Seeks a state whose first draw picks `id` among `picks` ids from 40000.
inline std::vector<uint32_t> SeekPick(
    int32_t id, uint32_t picks, int count = 1,
    const std::function<bool(const std::vector<uint32_t> &)> &rest =
        [](const std::vector<uint32_t> &) { return true; }) {
    return SeekDraws(count, [&](const std::vector<uint32_t> &draws) {
        return 40000 + static_cast<int32_t>(draws[0] % picks) == id && rest(draws);
    });
}

// Colours 5 and 6 alternate along each row of the picture, every pixel with
// count `count`; the column `background`, if given, is background (index 0).
inline void PaintStripes(uint16_t count, int32_t background = -1) {
    for (int32_t y = 0; y < imageHeight; ++y) {
        for (int32_t x = 0; x < imageWidth; ++x) {
            indexImage[y][x] = x == background ? 0 : static_cast<uint8_t>(5 + (x & 1));
            countImage[y][x] = count;
        }
    }
}

// The mode selected by a mode command, or -1.
inline int32_t ModeOfCommand(int32_t id) {
    static const int32_t commands[9] = {40007, 40008, 40010, 40009, 40011,
                                        40012, 40013, 40014, 40015};
    for (int32_t mode = 0; mode < 9; ++mode) {
        if (commands[mode] == id) return mode;
    }
    return -1;
}

// Carries out a menu command on the shared block as a host would: toggles
// flip their flag, mode commands select the mode when `followModes` is set.
inline void CarryOutCommand(int32_t id, bool followModes = true) {
    switch (id) {
    case kCommandLogScale: logColourScale ^= 1; break;
    case kCommandColourBySource: colourBySource ^= 1; break;
    case kCommandMapVariant: mapVariant ^= 1; break;
    case kCommandModeOption: modeOption ^= 1; break;
    case kCommandShiftCopies: shiftCopies ^= 1; break;
    default:
        if (followModes && ModeOfCommand(id) >= 0) drawMode = ModeOfCommand(id);
        break;
    }
}

// WM_COMMAND ids received with the given source tag, in order.
inline std::vector<int32_t> CommandsFrom(const TestHost &host, int32_t source) {
    std::vector<int32_t> ids;
    for (const ReceivedMessage &message : host.received()) {
        if (message.message == kMessageCommand && message.lParam == source) {
            ids.push_back(static_cast<int32_t>(message.wParam));
        }
    }
    return ids;
}

inline intptr_t PackedPixel(int32_t x, int32_t y) {
    return static_cast<intptr_t>(y) * 65536 + x;
}

// The window corners that 32 samples of the zoom search will take.
struct Corner {
    int32_t x, y;
};
inline std::vector<Corner> SampleCorners(int32_t xRange, int32_t yRange) {
    std::vector<uint32_t> draws = PeekDraws(64);
    std::vector<Corner> corners;
    for (size_t i = 0; i < draws.size(); i += 2) {
        corners.push_back({static_cast<int32_t>(draws[i] % static_cast<uint32_t>(xRange)),
                           static_cast<int32_t>(draws[i + 1] % static_cast<uint32_t>(yRange))});
    }
    return corners;
}

} // namespace quintorbelle::testing
