// Helpers for the exploration tests: forcing the pick of a random command,
// the window corners the zoom search samples, and a host that carries out
// setting commands the way a host's menu would.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "support/pictures.h"
#include "support/random_draws.h"
#include "support/test_host.h"

namespace quintorbelle::testing {

// Seeks a state whose first draw picks `id` among `picks` ids from 40000.
inline Draws SeekPick(
    int32_t id, uint32_t picks, int count = 1,
    const std::function<bool(const Draws &)> &rest = [](const Draws &) { return true; }) {
    return SeekDraws(count, [&](const Draws &draws) {
        return 40000 + static_cast<int32_t>(draws[0] % picks) == id && rest(draws);
    });
}

// Toggles flip their flag; mode commands select the mode when `followModes`
// is set.
inline void CarryOutCommand(int32_t id, bool followModes = true) {
    static const int32_t modes[9] = {kCommandMode0, kCommandMode1, kCommandMode2,
                                     kCommandMode3, kCommandMode4, kCommandMode5,
                                     kCommandMode6, kCommandMode7, kCommandMode8};
    switch (id) {
    case kCommandLogScale: logColourScale ^= 1; break;
    case kCommandColourBySource: colourBySource ^= 1; break;
    case kCommandMapVariant: mapVariant ^= 1; break;
    case kCommandModeOption: modeOption ^= 1; break;
    case kCommandShiftCopies: shiftCopies ^= 1; break;
    default:
        for (int32_t mode = 0; mode < 9; ++mode) {
            if (followModes && modes[mode] == id) drawMode = mode;
        }
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
    const Draws draws = PeekDraws(64);
    std::vector<Corner> corners;
    for (size_t i = 0; i < draws.size(); i += 2) {
        corners.push_back({static_cast<int32_t>(draws[i] % static_cast<uint32_t>(xRange)),
                           static_cast<int32_t>(draws[i + 1] % static_cast<uint32_t>(yRange))});
    }
    return corners;
}

} // namespace quintorbelle::testing
