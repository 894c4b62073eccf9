// The options that describe a picture, shared by every command that draws:
// mode, seed, size and the settings of the engine's menus.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <optional>
#include <string>

#include "host/host_core.h"

namespace quintorbelle::cli {

struct PictureOptions {
    int32_t mode = 0;
    uint32_t seed = 1;
    std::string size = "800x600";
    std::optional<int32_t> degree;
    bool mirror = false;
    bool bySource = false;
    std::optional<int32_t> colouring;
    bool mapVariant = false;
    bool modeOption = false;
    bool logScale = false;
    int32_t ramp = 0;
    int32_t scheme = 0;
    int32_t variation = 0;
    int32_t baseMaps = 1;
    bool stepwise = false;
    bool shiftCopies = false;
    bool halfAngleCopies = false;
    bool shrinkCopies = false;
    bool randomCopyScale = false;
    bool randomCopySkip = false;
    bool weightedChoice = false;
    bool extraHalfMap = false;
    bool extraFlipMap = false;

    // Filled by Validate.
    int32_t width = 0;
    int32_t height = 0;
};

void AddPictureOptions(CLI::App &command, PictureOptions &options);

// Checks every value against what the engine accepts; throws UsageError
// naming the option and the reason.
void Validate(PictureOptions &options);

// Writes the settings into the engine's block (the mode last).
void Apply(const PictureOptions &options, host::HostCore &core);

inline host::HostOptions CoreOptions(const PictureOptions &options) {
    return host::HostOptions{options.width, options.height, options.seed, 40};
}

} // namespace quintorbelle::cli
