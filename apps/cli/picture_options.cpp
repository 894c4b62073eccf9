#include "cli/picture_options.h"

#include <fmt/format.h>

#include <cmath>
#include <cstdio>

#include "cli/commands.h"

namespace quintorbelle::cli {
namespace {

constexpr int32_t kMinimumSide = 32;
constexpr int32_t kMaxBaseMaps = 20;

// What a new picture of each mode starts with when the options do not say:
// symmetry for the function systems, icons and quilts to show, three roots
// for Newton, a few walkers, three cell states; the classic escape-time set
// has none.
constexpr int32_t kDefaultDegree[9] = {6, 5, 1, 5, 4, 1, 3, 4, 3};
constexpr int32_t kDefaultBaseMaps[2] = {1, 2};

void CheckRange(const char *option, int64_t value, int64_t low, int64_t high) {
    if (value < low || value > high) {
        throw UsageError(fmt::format("{} {} is out of range ({} to {})", option, value, low, high));
    }
}

// Parses "re,im" into two finite numbers.
void ParseComplex(const char *option, const std::string &text, double *out) {
    char rest = 0;
    if (std::sscanf(text.c_str(), "%lf,%lf%c", &out[0], &out[1], &rest) != 2 ||
        !std::isfinite(out[0]) || !std::isfinite(out[1])) {
        throw UsageError(
            fmt::format("{} {} is not a complex number of the form RE,IM", option, text));
    }
}

void ParseZooms(PictureOptions &o) {
    for (const std::string &text : o.zooms) {
        host::AppliedZoom zoom{};
        char rest = 0;
        if (std::sscanf(text.c_str(), "%lf@%d,%d%c", &zoom.factor, &zoom.x, &zoom.y, &rest) != 3) {
            throw UsageError(fmt::format("--zoom {} is not of the form FACTOR@X,Y", text));
        }
        if (!std::isfinite(zoom.factor) || zoom.factor <= 0) {
            throw UsageError(fmt::format("--zoom {}: the factor must be a positive number", text));
        }
        if (zoom.x < 0 || zoom.y < 0 || zoom.x >= o.width || zoom.y >= o.height) {
            throw UsageError(fmt::format("--zoom {}: the pixel lies outside the {}x{} picture",
                                         text, o.width, o.height));
        }
        o.parsedZooms.push_back(zoom);
    }
}

void ParseSlice(PictureOptions &o) {
    bool given =
        o.classicSlice || o.startAxis || o.startCentre || o.constantAxis || o.constantCentre;
    if (!given) return;
    if (o.mode != 5 && o.mode != 6) {
        throw UsageError("a slice (--classic, --start-axis, ...) is for modes 5 and 6 only");
    }
    PictureOptions::Slice slice{};
    if (o.classicSlice) slice.constantAxis[0] = 1;
    if (o.startAxis) ParseComplex("--start-axis", *o.startAxis, slice.startAxis);
    if (o.startCentre) ParseComplex("--start-centre", *o.startCentre, slice.startCentre);
    if (o.constantAxis) ParseComplex("--constant-axis", *o.constantAxis, slice.constantAxis);
    if (o.constantCentre) {
        ParseComplex("--constant-centre", *o.constantCentre, slice.constantCentre);
    }
    o.slice = slice;
}

bool ToggleGiven(const PictureOptions &o, const host::OnOffSetting &setting) {
    return o.Given(setting.option) ||
           o.Given((std::string("--no-") + (setting.option + 2)).c_str());
}

void ValidateSettings(const PictureOptions &o, int32_t mode) {
    if (o.degree)
        CheckRange("--degree", *o.degree, mode == 8 ? 2 : 1, host::MaxDegreeForMode(mode));
    if (o.colouring) {
        CheckRange("--colouring", *o.colouring, 0, host::ColouringVariantsForMode(mode) - 1);
    }
    CheckRange("--ramp", o.ramp, 0, 4);
    CheckRange("--scheme", o.scheme, 0, 23);
    CheckRange("--variation", o.variation, 0, 6);
    CheckRange("--base-maps", o.baseMaps, 1, kMaxBaseMaps);
}

void ReadInput(PictureOptions &o) {
    for (const char *refused : {"--mode", "--seed", "--classic", "--start-axis", "--start-centre",
                                "--constant-axis", "--constant-centre"}) {
        if (o.Given(refused)) {
            throw UsageError(fmt::format("{} cannot be combined with a picture file, which gives "
                                         "the picture's parameters",
                                         refused));
        }
    }
    try {
        o.file = host::ReadPictureFile(o.input);
    } catch (const host::PictureFileError &error) {
        throw UsageError(error.what());
    }
    o.mode = o.file->mode;
    if (o.Given("--size")) {
        // The zooms of the file follow the picture to its new size.
        for (host::AppliedZoom &zoom : o.file->zooms) {
            zoom.x = static_cast<int32_t>(static_cast<int64_t>(zoom.x) * o.width / o.file->width);
            zoom.y = static_cast<int32_t>(static_cast<int64_t>(zoom.y) * o.height / o.file->height);
        }
        o.file->width = o.width;
        o.file->height = o.height;
    } else {
        o.width = o.file->width;
        o.height = o.file->height;
    }
}

// Starts a picture from the seed: the settings are written into the block,
// then the generator of the mode draws new parameters, or the given slice is
// kept.
std::unique_ptr<host::HostCore> StartNewPicture(const PictureOptions &o) {
    auto core = std::make_unique<host::HostCore>(host::HostOptions{o.width, o.height, o.seed, 40});
    host::EngineLink &e = core->engine();
    e.symmetryDegree = o.degree.value_or(kDefaultDegree[o.mode]);
    e.colouringVariant = o.colouring.value_or(0);
    e.variation = o.variation;
    e.baseMapCount = o.Given("--base-maps") || o.mode > 1 ? o.baseMaps : kDefaultBaseMaps[o.mode];
    for (size_t i = 0; i < host::kOnOffCount; ++i) {
        host::EngineFlag(host::kOnOffSettings[i]) = o.flags[i] ? 1 : 0;
    }
    e.rampStyle = o.ramp;
    e.colourScheme = o.scheme;
    e.BuildColourRamp();
    if (o.flags[host::kLogScale]) e.Recolour(0);
    e.drawMode = o.mode;
    if (o.slice) {
        for (int i = 0; i < 2; ++i) {
            e.startAxis[i] = o.slice->startAxis[i];
            e.startCentre[i] = o.slice->startCentre[i];
            e.constantAxis[i] = o.slice->constantAxis[i];
            e.constantCentre[i] = o.slice->constantCentre[i];
        }
        core->StartPicture(QB_REQUEST_KEEP);
    } else {
        core->StartPicture(QB_REQUEST_NEW);
    }
    return core;
}

// Loads the picture file, then changes what the options beside it ask for,
// as the menu would: settings that shape the parameters restart the picture
// with its parameters kept.
std::unique_ptr<host::HostCore> StartFilePicture(const PictureOptions &o) {
    auto core = host::LoadPicture(*o.file);
    host::EngineLink &e = core->engine();
    for (size_t i = 0; i < host::kOnOffCount; ++i) {
        const host::OnOffSetting &setting = host::kOnOffSettings[i];
        if (ToggleGiven(o, setting) && (host::EngineFlag(setting) != 0) != o.flags[i]) {
            core->Command(setting.toggleCommand);
        }
    }
    bool restart = false;
    auto set = [&](const char *name, int32_t &variable, int32_t value) {
        if (o.Given(name) && variable != value) {
            variable = value;
            restart = true;
        }
    };
    if (o.degree) set("--degree", e.symmetryDegree, *o.degree);
    if (o.colouring) set("--colouring", e.colouringVariant, *o.colouring);
    set("--variation", e.variation, o.variation);
    set("--base-maps", e.baseMapCount, o.baseMaps);
    if (restart) core->StartPicture(QB_REQUEST_KEEP);
    // A restart returns to the fitted view; the file's zooms come back.
    if (core->zooms().size() != o.file->zooms.size()) {
        if (!core->FitView()) return nullptr;
        for (const host::AppliedZoom &zoom : o.file->zooms)
            core->ZoomAt(zoom.x, zoom.y, zoom.factor);
    }
    if (o.Given("--ramp") || o.Given("--scheme")) {
        e.rampStyle = o.Given("--ramp") ? o.ramp : e.rampStyle;
        e.colourScheme = o.Given("--scheme") ? o.scheme : e.colourScheme;
        e.BuildColourRamp();
    }
    return core;
}

} // namespace

void AddPictureOptions(CLI::App &command, PictureOptions &o, bool withInput) {
    o.command = &command;
    if (withInput) {
        command.add_option("file", o.input,
                           "A picture file to draw again (JSON, or a PNG this program wrote); "
                           "the options given beside it change its settings");
    }
    command
        .add_option("-m,--mode", o.mode,
                    "Drawing mode: 0 function system, 1 uniform function system, 2 quadratic "
                    "map, 3 icon, 4 quilt, 5 escape time, 6 Newton, 7 walkers, 8 automaton")
        ->capture_default_str();
    command.add_option("-s,--seed", o.seed, "Seed of the random numbers: same seed, same picture")
        ->capture_default_str();
    command.add_option("--size", o.size, "Picture size WxH, at most 1280x1024")
        ->capture_default_str();
    command.add_option("-d,--degree", o.degree,
                       "Symmetry degree; walkers in mode 7, cell states in mode 8");
    command.add_option("--colouring", o.colouring,
                       "Colouring variant (the colour delay in modes 0 to 4)");
    command.add_option("--ramp", o.ramp, "Colour ramp 0 to 4 (4 is the custom ramp)")
        ->capture_default_str();
    command.add_option("--scheme", o.scheme, "Colour scheme 0 to 23")->capture_default_str();
    command.add_option("--variation", o.variation, "Nonlinear variation 0 to 6 (modes 0, 1)")
        ->capture_default_str();
    command.add_option("--base-maps", o.baseMaps, "Random base maps (modes 0, 1)")
        ->capture_default_str();
    const char *copies = "Function system copies (modes 0, 1)";
    for (size_t i = 0; i < host::kOnOffCount; ++i) {
        const host::OnOffSetting &setting = host::kOnOffSettings[i];
        auto *flag =
            command.add_flag(fmt::format("{},!--no-{}", setting.option, setting.option + 2),
                             o.flags[i], setting.help);
        if (i >= host::kShiftCopies) flag->group(copies);
    }
    const char *slice = "Slice of modes 5 and 6 (default: drawn from the seed)";
    command
        .add_flag("--classic", o.classicSlice,
                  "Start at 0, the constant following the plane: the familiar set")
        ->group(slice);
    command.add_option("--start-axis", o.startAxis, "Start point per plane unit, RE,IM")
        ->group(slice);
    command.add_option("--start-centre", o.startCentre, "Start point at the centre, RE,IM")
        ->group(slice);
    command.add_option("--constant-axis", o.constantAxis, "Constant per plane unit, RE,IM")
        ->group(slice);
    command.add_option("--constant-centre", o.constantCentre, "Constant at the centre, RE,IM")
        ->group(slice);
    command.add_option("--zoom", o.zooms,
                       "Zoom in by FACTOR about pixel X,Y before drawing: FACTOR@X,Y; repeat "
                       "to go deeper");
}

void Validate(PictureOptions &o) {
    PictureSize size = ParseSize(o.size, kMinimumSide, kMinimumSide);
    o.width = size.width;
    o.height = size.height;
    if (!o.input.empty()) {
        ReadInput(o);
    } else {
        CheckRange("--mode", o.mode, 0, 8);
        ParseSlice(o);
    }
    ValidateSettings(o, o.mode);
    ParseZooms(o);
}

std::unique_ptr<host::HostCore> StartPicture(const PictureOptions &o) {
    auto core = o.file ? StartFilePicture(o) : StartNewPicture(o);
    if (core != nullptr && !o.parsedZooms.empty()) {
        // A zoom needs the fitted view it zooms into.
        if (!core->FitView()) return nullptr;
        for (const host::AppliedZoom &zoom : o.parsedZooms)
            core->ZoomAt(zoom.x, zoom.y, zoom.factor);
    }
    return core;
}

} // namespace quintorbelle::cli
