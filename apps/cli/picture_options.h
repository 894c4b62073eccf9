// The options that describe a picture, shared by every command that draws:
// mode, seed, size, the settings of the engine's menus, a slice for the
// complex pictures and zooms; or a picture file with settings changed by
// the options given beside it.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/host_core.h"
#include "host/on_off_settings.h"
#include "host/picture_file.h"

namespace quintorbelle::cli {

struct PictureOptions {
    CLI::App *command = nullptr;
    std::string input; // a picture file (JSON, or a PNG this program wrote)

    int32_t mode = 0;
    uint32_t seed = 1;
    std::string size = "800x600";
    std::optional<int32_t> degree;
    std::optional<int32_t> colouring;
    int32_t ramp = 0;
    int32_t scheme = 0;
    int32_t variation = 0;
    int32_t baseMaps = 1;
    host::OnOffFlags flags{}; // indexed by host::OnOff

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
    std::vector<host::AppliedZoom> parsedZooms;
    struct Slice {
        double startAxis[2];
        double startCentre[2];
        double constantAxis[2];
        double constantCentre[2];
    };
    std::optional<Slice> slice;
    std::optional<host::PictureDescription> file;

    bool Given(const char *name) const { return command != nullptr && command->count(name) > 0; }
};

// Adds the options; `withInput` adds the picture file as a positional
// argument.
void AddPictureOptions(CLI::App &command, PictureOptions &options, bool withInput);

// Checks every value against what the engine accepts, and reads the picture
// file when one is given; throws UsageError naming the option or field and
// the reason.
void Validate(PictureOptions &options);

// A host core showing the picture the options describe, started and with its
// zooms applied; nothing when no parameters make a picture.
std::unique_ptr<host::HostCore> StartPicture(const PictureOptions &options);

} // namespace quintorbelle::cli
