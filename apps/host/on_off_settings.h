// The engine's on/off settings, once for the whole host: each flag's variable
// in the engine's block, the menu command that toggles it, its bit in the
// settings word the engine replays, and its names in picture files, on the
// command line and in a gallery's captions. Every place that lists the
// flags goes through this table, so a flag cannot be saved but not loaded,
// or offered but not described.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "host/host_core.h"
#include "quintorbelle/quintorbelle.h"

namespace quintorbelle::host {

struct OnOffSetting {
    int32_t ordinal;       // the flag's variable
    int32_t toggleCommand; // the menu command that toggles it
    uint32_t wordBit;      // 0: the settings word does not carry it
    const char *fileName;  // its field in a picture file's settings
    const char *option;    // its command-line option (the off switch is "--no-" and the rest)
    const char *help;      // what the option does
    const char *caption;   // its words in a gallery; nullptr: the gallery writes it itself
};

enum OnOff : size_t {
    kMirror,
    kBySource,
    kMapVariant,
    kModeOption,
    kLogScale,
    kStepwise,
    kShiftCopies, // from here on: how the function systems make their copies and extra maps
    kHalfAngleCopies,
    kShrinkCopies,
    kRandomCopyScale,
    kRandomCopySkip,
    kWeightedChoice,
    kExtraHalfMap,
    kExtraFlipMap,
    kOnOffCount
};

using OnOffFlags = std::array<bool, kOnOffCount>;

inline constexpr std::array<OnOffSetting, kOnOffCount> kOnOffSettings = {{
    {QB_mirrorSymmetry, kToggleMirror, 0x2, "mirror", "--mirror", "Add mirror images", "mirror"},
    {QB_colourBySource, kToggleColourBySource, 0x800, "colourBySource", "--by-source",
     "Colour by source instead of by density", nullptr},
    {QB_mapVariant, kToggleMapVariant, 0x4000, "mapVariant", "--variant",
     "The alternative form of the mode's map", "variant"},
    {QB_modeOption, kToggleModeOption, 0x20000, "modeOption", "--option",
     "The mode's option: wrapping walkers (mode 7); allows the basin pass (modes 2, 3)", "option"},
    {QB_logColourScale, kToggleLogScale, 0x400, "logScale", "--log-scale",
     "Compressed colour scale", "log scale"},
    {QB_stepwiseLevels, kToggleStepwiseLevels, 0, "stepwiseLevels", "--stepwise",
     "Whole levels per step (modes 5, 6)", "stepwise"},
    {QB_shiftCopies, kToggleShiftCopies, 0x1, "shiftCopies", "--shift-copies",
     "Shift copies instead of turning them", "shifted copies"},
    {QB_halfAngleCopies, kToggleHalfAngleCopies, 0x80, "halfAngleCopies", "--half-angle",
     "Turn linear parts by half the angle", "half-angle copies"},
    {QB_shrinkCopies, kToggleShrinkCopies, 0x10, "shrinkCopies", "--shrink-copies",
     "Each copy smaller than the last", "shrinking copies"},
    {QB_randomCopyScale, kToggleRandomCopyScale, 0x20, "randomCopyScale", "--random-scale",
     "Scale copies at random", "randomly scaled copies"},
    {QB_randomCopySkip, kToggleRandomCopySkip, 0x8, "randomCopySkip", "--random-skip",
     "Skip copies at random", "skipped copies"},
    {QB_weightedChoice, kToggleWeightedChoice, 0x100, "weightedChoice", "--weighted",
     "Choose maps by weight", "weighted"},
    {QB_extraHalfMap, kToggleExtraHalfMap, 0x200, "extraHalfMap", "--extra-half",
     "Add the half map", "half map"},
    {QB_extraFlipMap, kToggleExtraFlipMap, 0x4, "extraFlipMap", "--extra-flip", "Add the flip map",
     "flip map"},
}};

// The bits that name each drawing mode in the settings word, beside the
// flags' bits.
inline constexpr uint32_t kModeWordBits[9] = {0x0,     0x40,    0x2000,  0x1000, 0x8000,
                                              0x10000, 0x10040, 0x12000, 0x12040};

// The flag's variable in the engine's block.
inline int32_t &EngineFlag(const OnOffSetting &setting) {
    return *static_cast<int32_t *>(QuintorbelleExport(setting.ordinal));
}

} // namespace quintorbelle::host
