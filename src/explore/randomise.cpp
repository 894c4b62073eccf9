// Random re-configuration: a random menu command of the host, adjusted to the
// current mode, then new parameters and a new symmetry degree, repeated until
// the picture is acceptable; perhaps a zoom into a busy region at the end.
//
// Every change of a setting is sent to the host as its own menu command, so
// that its menus stay in step; the host handles each one, and may call back
// into the engine, before the next step. The loops rely only on what the host
// leaves in mapCount, symmetryDegree, colourBySource and viewFitted. The
// parameters themselves are drawn by the generators of modes 0 and 1 and of
// modes 2 to 8.
#include <cstdint>

#include "explore/explore.h"
#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "parameters/parameters.h"

namespace quintorbelle {
namespace {

// New parameters with the symmetry adapted to them.
constexpr int32_t kAdaptedRequest = 2;

constexpr int kModes = 9;

// The host command that selects each mode.
constexpr int32_t kModeCommandTable[kModes] = {
    kCommandMode0, kCommandMode1, kCommandMode2, kCommandMode3, kCommandMode4,
    kCommandMode5, kCommandMode6, kCommandMode7, kCommandMode8,
};
// Used instead when a random pick would select the mode already shown.
constexpr int32_t kModeReplacementTable[kModes] = {
    kCommandMode4, kCommandMode4, kCommandMode0, kCommandMode0, kCommandMode0,
    kCommandMode4, kCommandMode4, kCommandMode4, kCommandMode4,
};
// Used instead of the map-variant toggle in modes that have no variant.
constexpr int32_t kVariantSubstituteTable[kModes] = {
    kCommandMapVariant, kCommandMode6,      kCommandMode6, kCommandMapVariant, kCommandMapVariant,
    kCommandMapVariant, kCommandMapVariant, kCommandMode6, kCommandMode7,
};
// Used instead of the mode-option toggle in modes that have no option.
constexpr int32_t kOptionSubstituteTable[kModes] = {
    kCommandMode5,      kCommandMode5,      kCommandModeOption, kCommandModeOption, kCommandMode5,
    kCommandModeOption, kCommandModeOption, kCommandModeOption, kCommandModeOption,
};

// Random picks are ids counted from here.
constexpr int32_t kFirstPick = 40000;

// Picks of the function-system re-configuration: 52 ids from 40000; those
// above 40043 fold back onto the mode commands 40007 to 40014.
constexpr uint32_t kFunctionSystemPicks = 52;
constexpr int32_t kLastUnfoldedPick = 40043;
constexpr int32_t kPickFold = 37;
// Picks that stand for more or less symmetry (40042, 40043) and for a fresh
// start with every setting off (40040, 40041).
constexpr int32_t kSymmetryPick = 40042;
constexpr int32_t kFreshStartPick = 40040;
// Two ids that only the random choice uses; the second needs more than one
// base map, so with a single one the first is sent instead.
constexpr int32_t kCommandBaseMapsPair = 40028;
constexpr int32_t kCommandBaseMapsPairSecond = 40029;
// After this id the function-system search always takes another pass.
constexpr int32_t kCommandRepeatPass = 40033;
// Ids up to this one leave the parameters and the mode alone (40005 only
// toggles the logarithmic colour scale); the searches go on after them.
constexpr int32_t kLastPlainCommand = 40005;
// Ids above this one, the fresh-start picks, ask for symmetry when there is
// none.
constexpr int32_t kLastSettingCommand = 40039;

// Picks of the mode-parameter re-configuration: 25 ids from 40000.
constexpr uint32_t kModeParameterPicks = 25;

// Settings words that turn every flag off and select mode 2 or mode 3.
constexpr uint32_t kSettingsMode2 = 0x2000;
constexpr uint32_t kSettingsMode3 = 0x1000;

constexpr int32_t kMaxRaisedDegreeFunctionSystem = 50;
constexpr int32_t kMaxRaisedDegreeModes = 30;
constexpr int32_t kMinLoweredDegree = 3;

// A mode out of range is clamped so that it can index the tables.
int ModeIndex() {
    if (drawMode < 0) return 0;
    return drawMode < kModes ? drawMode : kModes - 1;
}

// The command ids that the mode tables substitute, first match only.
int32_t SubstituteForFunctionSystem(int32_t id) {
    const int mode = ModeIndex();
    if (id == kCommandMapVariant) return kVariantSubstituteTable[mode];
    if (id == kCommandModeOption) return kOptionSubstituteTable[mode];
    if (id == kModeCommandTable[mode]) return kModeReplacementTable[mode];
    if (id == kCommandBaseMapsPairSecond && baseMapCount == 1) return kCommandBaseMapsPair;
    return id;
}

int32_t SubstituteForModeParameters(int32_t id) {
    const int mode = ModeIndex();
    if (id == kModeCommandTable[mode]) return kModeReplacementTable[mode];
    if (id == kCommandMapVariant) return kVariantSubstituteTable[mode];
    if (id == kCommandModeOption) return kOptionSubstituteTable[mode];
    return id;
}

bool AsksFunctionSystemSymmetry(int32_t id) {
    return id == kCommandLessSymmetry || id == kCommandHalfAngleCopies ||
           id == kCommandShrinkCopies || id == kCommandRandomCopyScale ||
           id == kCommandRandomCopySkip || id > kLastSettingCommand || baseMapCount == 1;
}

// Raises the degree by one, and again with odds 15 in 16 (7 in 8 for the
// other modes) each time, up to the limit.
void RaiseSymmetry(uint32_t stopMask, int32_t limit) {
    for (;;) {
        ++symmetryDegree;
        const uint32_t r = Random();
        if ((r & stopMask) == 0 || symmetryDegree >= limit) return;
    }
}

void SendZoomAtPoint() {
    SendDoubleClick(zoomPoint[0], zoomPoint[1]);
}

} // namespace

void RandomiseFunctionSystem(int32_t commandId) {
    int32_t id = commandId;
    bool choose = id == 0;
    for (;;) {
        if (choose) {
            workCounter = 0;
            if (colourBySource != 0) {
                id = kCommandColourBySource;
            } else {
                id = kFirstPick + static_cast<int32_t>(Random() % kFunctionSystemPicks);
            }
            if (id > kLastUnfoldedPick) id -= kPickFold;
            if (id == kSymmetryPick || id == kSymmetryPick + 1) {
                GenerateFunctionSystem(kAdaptedRequest);
                id = id % 2 == 0 ? kCommandLessSymmetry : kCommandMoreSymmetry;
            } else if (id == kFreshStartPick || id == kFreshStartPick + 1) {
                ApplySettingsFlags(0);
                symmetryDegree = 1;
                baseMapCount = 1;
                mapCount = 0;
            } else {
                id = SubstituteForFunctionSystem(id);
            }
        }
        choose = true;

        if (id == kCommandNewParameters) {
            GenerateFunctionSystem(kAdaptedRequest);
        } else {
            SendCommand(id, kSourceRandomise);
            // Colouring by source turned off: the maps are drawn anew.
            if (id == kCommandColourBySource && colourBySource == 0) {
                GenerateFunctionSystem(kAdaptedRequest);
            }
        }

        if (symmetryDegree == 1 && AsksFunctionSystemSymmetry(id)) {
            RaiseSymmetry(15, kMaxRaisedDegreeFunctionSystem);
            GenerateFunctionSystem(kAdaptedRequest);
        }

        if (symmetryDegree > maxSymmetryDegree && id == kCommandMoreSymmetry) {
            symmetryDegree -= 2;
            while ((Random() & 15) != 0 && symmetryDegree > kMinLoweredDegree) --symmetryDegree;
            GenerateFunctionSystem(kAdaptedRequest);
        }

        if (id <= kLastPlainCommand) {
            // A fitted picture may end the search with a zoom; otherwise the
            // plain command changed nothing worth keeping.
            if ((Random() & 1) != 0 && viewFitted != 0) break;
            continue;
        }
        if (id == kCommandRepeatPass) continue;
        if (drawMode > 1) return;
        // Too few maps make a dull picture.
        const int32_t fewestMaps = drawMode == 1 ? 3 : 2;
        if (mapCount >= fewestMaps) return;
    }
    if (PickZoomPoint() != 0) SendZoomAtPoint();
}

void RandomiseModeParameters(int32_t commandId) {
    int32_t id = commandId;
    bool choose = id == 0;
    for (;;) {
        if (choose) {
            workCounter = 0;
            if (colourBySource != 0 && drawMode <= 4) {
                id = kCommandColourBySource;
            } else {
                id = kFirstPick + static_cast<int32_t>(Random() % kModeParameterPicks);
            }
            id = SubstituteForModeParameters(id);
            // The complex-plane pictures spend the option pick on a zoom into
            // a busy region.
            if ((drawMode == 5 || drawMode == 6) && id == kCommandModeOption) {
                if (PickZoomPointByCount() != 0) SendZoomAtPoint();
                return;
            }
            if (id > kCommandShiftCopies) id = kCommandNewParameters;
            if (id == kCommandShiftCopies) {
                ApplySettingsFlags(drawMode <= 4 ? kSettingsMode2 : kSettingsMode3);
                symmetryDegree = 1;
            }
        }
        choose = true;

        // The quadratic delay map has no symmetry to lower: go to the quilts.
        if (drawMode == 2 && id == kCommandLessSymmetry) id = kCommandMode4;

        if (id == kCommandNewParameters) {
            GenerateModeParameters(kAdaptedRequest);
        } else {
            SendCommand(id, kSourceRandomise);
            if (id == kCommandColourBySource && colourBySource == 0) {
                GenerateModeParameters(kAdaptedRequest);
            }
        }

        if (symmetryDegree == 1 && (id == kCommandLessSymmetry || id > kCommandModeOption)) {
            RaiseSymmetry(7, kMaxRaisedDegreeModes);
            GenerateModeParameters(kAdaptedRequest);
        }

        if (id > kLastPlainCommand || drawMode < 2) return;
    }
}

} // namespace quintorbelle
