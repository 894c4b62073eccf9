#include "cli/picture_options.h"

#include <fmt/format.h>

#include <cmath>
#include <cstdio>

#include "cli/commands.h"

namespace quintorbelle::cli {
namespace {

constexpr int32_t kMinimumSide = 32;
constexpr int32_t kMaxBaseMaps = 20;

void CheckRange(const char *option, int64_t value, int64_t low, int64_t high) {
    if (value < low || value > high) {
        throw UsageError(fmt::format("{} {} is out of range ({} to {})", option, value, low, high));
    }
}

void ParseSize(PictureOptions &o) {
    int width = 0;
    int height = 0;
    char rest = 0;
    if (std::sscanf(o.size.c_str(), "%dx%d%c", &width, &height, &rest) != 2) {
        throw UsageError(fmt::format("--size {} is not of the form WxH, e.g. 800x600", o.size));
    }
    if (width > 1280 || height > 1024) {
        throw UsageError(fmt::format("--size {} is larger than 1280x1024", o.size));
    }
    if (width < kMinimumSide || height < kMinimumSide) {
        throw UsageError(
            fmt::format("--size {} is smaller than {}x{}", o.size, kMinimumSide, kMinimumSide));
    }
    o.width = width;
    o.height = height;
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
        PictureOptions::Zoom zoom{};
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

} // namespace

void AddPictureOptions(CLI::App &command, PictureOptions &o) {
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
    command.add_flag("--mirror", o.mirror, "Add mirror images");
    command.add_flag("--by-source", o.bySource, "Colour by source instead of by density");
    command.add_option("--colouring", o.colouring,
                       "Colouring variant (the colour delay in modes 0 to 4)");
    command.add_flag("--variant", o.mapVariant, "The alternative form of the mode's map");
    command.add_flag("--option", o.modeOption,
                     "The mode's option: basin pass (modes 2, 3), wrapping walkers (mode 7)");
    command.add_flag("--log-scale", o.logScale, "Compressed colour scale");
    command.add_option("--ramp", o.ramp, "Colour ramp 0 to 4 (4 is the custom ramp)")
        ->capture_default_str();
    command.add_option("--scheme", o.scheme, "Colour scheme 0 to 23")->capture_default_str();
    command.add_option("--variation", o.variation, "Nonlinear variation 0 to 6 (modes 0, 1)")
        ->capture_default_str();
    command.add_option("--base-maps", o.baseMaps, "Random base maps (modes 0, 1)")
        ->capture_default_str();
    command.add_flag("--stepwise", o.stepwise, "Whole levels per step (modes 5, 6)");
    const char *copies = "Function system copies (modes 0, 1)";
    command.add_flag("--shift-copies", o.shiftCopies, "Shift copies instead of turning them")
        ->group(copies);
    command.add_flag("--half-angle", o.halfAngleCopies, "Turn linear parts by half the angle")
        ->group(copies);
    command.add_flag("--shrink-copies", o.shrinkCopies, "Each copy smaller than the last")
        ->group(copies);
    command.add_flag("--random-scale", o.randomCopyScale, "Scale copies at random")->group(copies);
    command.add_flag("--random-skip", o.randomCopySkip, "Skip copies at random")->group(copies);
    command.add_flag("--weighted", o.weightedChoice, "Choose maps by weight")->group(copies);
    command.add_flag("--extra-half", o.extraHalfMap, "Add the half map")->group(copies);
    command.add_flag("--extra-flip", o.extraFlipMap, "Add the flip map")->group(copies);
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
    CheckRange("--mode", o.mode, 0, 8);
    ParseSize(o);
    if (o.degree) {
        CheckRange("--degree", *o.degree, o.mode == 8 ? 2 : 1, host::MaxDegreeForMode(o.mode));
    }
    if (o.colouring) {
        CheckRange("--colouring", *o.colouring, 0, host::ColouringVariantsForMode(o.mode) - 1);
    }
    CheckRange("--ramp", o.ramp, 0, 4);
    CheckRange("--scheme", o.scheme, 0, 23);
    CheckRange("--variation", o.variation, 0, 6);
    CheckRange("--base-maps", o.baseMaps, 1, kMaxBaseMaps);
    ParseSlice(o);
    ParseZooms(o);
}

void Apply(const PictureOptions &o, host::HostCore &core) {
    host::EngineLink &e = core.engine();
    e.symmetryDegree = o.degree.value_or(o.mode == 8 ? 2 : 1);
    e.mirrorSymmetry = o.mirror;
    e.colourBySource = o.bySource;
    e.colouringVariant = o.colouring.value_or(0);
    e.mapVariant = o.mapVariant;
    e.modeOption = o.modeOption;
    e.logColourScale = o.logScale;
    e.variation = o.variation;
    e.baseMapCount = o.baseMaps;
    e.stepwiseLevels = o.stepwise;
    e.shiftCopies = o.shiftCopies;
    e.halfAngleCopies = o.halfAngleCopies;
    e.shrinkCopies = o.shrinkCopies;
    e.randomCopyScale = o.randomCopyScale;
    e.randomCopySkip = o.randomCopySkip;
    e.weightedChoice = o.weightedChoice;
    e.extraHalfMap = o.extraHalfMap;
    e.extraFlipMap = o.extraFlipMap;
    e.rampStyle = o.ramp;
    e.colourScheme = o.scheme;
    e.BuildColourRamp();
    if (o.logScale) e.Recolour(0);
    e.drawMode = o.mode;
}

bool StartPicture(const PictureOptions &o, host::HostCore &core) {
    host::EngineLink &e = core.engine();
    if (o.slice) {
        for (int i = 0; i < 2; ++i) {
            e.startAxis[i] = o.slice->startAxis[i];
            e.startCentre[i] = o.slice->startCentre[i];
            e.constantAxis[i] = o.slice->constantAxis[i];
            e.constantCentre[i] = o.slice->constantCentre[i];
        }
        core.StartPicture(QB_REQUEST_KEEP);
    } else {
        core.StartPicture(QB_REQUEST_NEW);
    }
    if (o.parsedZooms.empty()) return true;
    // A zoom needs the fitted view it zooms into.
    if (!core.FitView()) return false;
    for (const PictureOptions::Zoom &zoom : o.parsedZooms) core.ZoomAt(zoom.x, zoom.y, zoom.factor);
    return true;
}

} // namespace quintorbelle::cli
