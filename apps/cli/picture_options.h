// The options that describe a picture, shared by every command that draws:
// mode, seed, size and the settings of the engine's menus.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

    // The slice of modes 5 and 6, when the user gives it ("re,im" each).
    bool classicSlice = false;
    std::optional<std::string> startAxis;
    std::optional<std::string> startCentre;
    std::optional<std::string> constantAxis;
    std::optional<std::string> constantCentre;
    // Zooms "FACTOR@X,Y" applied in order before drawing.
    std::vector<std::string> zooms;

    // Filled by Validate.
    int32_t width = 0;
    int32_t height = 0;
    struct Zoom {
        double factor;
        int32_t x;
        int32_t y;
    };
    std::vector<Zoom> parsedZooms;
    struct Slice {
        double startAxis[2];
        double startCentre[2];
        double constantAxis[2];
        double constantCentre[2];
    };
    std::optional<Slice> slice;
};

void AddPictureOptions(CLI::App &command, PictureOptions &options);

// Checks every value against what the engine accepts; throws UsageError
// naming the option and the reason.
void Validate(PictureOptions &options);

// Writes the settings into the engine's block (the mode last).
void Apply(const PictureOptions &options, host::HostCore &core);

// Starts the picture the options describe: new parameters from the seed, or
// the given slice; then fits the view where the mode fits one and applies
// the zooms. False when no parameters make a picture.
bool StartPicture(const PictureOptions &options, host::HostCore &core);

inline host::HostOptions CoreOptions(const PictureOptions &options) {
    return host::HostOptions{options.width, options.height, options.seed, 40};
}

} // namespace quintorbelle::cli
