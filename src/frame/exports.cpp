// Export by ordinal: the one door through which a host reaches every variable
// of the shared block and every entry point of the engine.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "complex/complex.h"
#include "display/display.h"
#include "explore/explore.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "parameters/parameters.h"

namespace quintorbelle {
namespace {

int64_t TruncateToInteger(double value) {
    return static_cast<int64_t>(value);
}
int32_t TextToInteger(const char *text) {
    return static_cast<int32_t>(std::atol(text));
}

template <typename Function>
void *Address(Function *function) {
    return reinterpret_cast<void *>(function);
}

void *ExportedAddress(int32_t ordinal) {
    switch (ordinal) {
    case QB_drawMode: return &drawMode;
    case QB_countImage: return countImage;
    case QB_indexImage: return indexImage;
    case QB_areaPerWorkUnit: return &areaPerWorkUnit;
    case QB_orbitStore: return &orbitStore;
    case QB_fittedOnce: return &fittedOnce;
    case QB_titleQuiet: return &titleQuiet;
    case QB_pixelsPerUnitX: return &pixelsPerUnitX;
    case QB_pixelsPerUnitY: return &pixelsPerUnitY;
    case QB_fitScale: return &fitScale;
    case QB_viewOriginX: return &viewOriginX;
    case QB_viewOriginY: return &viewOriginY;
    case QB_latticeCellWidth: return &latticeCellWidth;
    case QB_latticeRowHeight: return &latticeRowHeight;
    case QB_randomCounter: return &randomCounter;
    case QB_lastChangeIteration: return &lastChangeIteration;
    case QB_iterationCount: return &iterationCount;
    case QB_settleIteration: return &settleIteration;
    case QB_workCounter: return &workCounter;
    case QB_totalIterations: return &totalIterations;
    case QB_iterationsPerWorkUnit: return &iterationsPerWorkUnit;
    case QB_autoExplore: return &autoExplore;
    case QB_drawnRect: return drawnRect;
    case QB_imageWidth: return &imageWidth;
    case QB_displayWidth: return &displayWidth;
    case QB_imageHeight: return &imageHeight;
    case QB_maxColourIndex: return &maxColourIndex;
    case QB_changedPixelCount: return &changedPixelCount;
    case QB_divergenceIteration: return &divergenceIteration;
    case QB_frameCounter: return &frameCounter;
    case QB_viewZoomed: return &viewZoomed;
    case QB_rampStyle: return &rampStyle;
    case QB_colourScheme: return &colourScheme;
    case QB_colourBySource: return &colourBySource;
    case QB_symmetryDegree: return &symmetryDegree;
    case QB_coloursPerRoot: return &coloursPerRoot;
    case QB_mirrorSymmetry: return &mirrorSymmetry;
    case QB_syncDepth: return &syncDepth;
    case QB_logColourScale: return &logColourScale;
    case QB_viewFitted: return &viewFitted;
    case QB_animationFrame: return &animationFrame;
    case QB_animationReverse: return &animationReverse;
    case QB_animationFlags: return &animationFlags;
    case QB_drawStatus: return &drawStatus;
    case QB_rampBitmapInfo: return &rampBitmapInfo;
    case QB_displayBitmapInfo: return &displayBitmapInfo;
    case QB_densityThresholds: return densityThresholds;
    case QB_hostWindow: return &hostWindow;
    case QB_windowDc: return &windowDc;
    case QB_paletteHandle: return &paletteHandle;
    case QB_functionTable: return functionTable;
    case QB_invSqrt3: return &invSqrt3;
    case QB_twoPi: return &twoPi;
    case QB_baseMapCount: return &baseMapCount;
    case QB_mapCount: return &mapCount;
    case QB_maxSymmetryDegree: return &maxSymmetryDegree;
    case QB_halfAngleCopies: return &halfAngleCopies;
    case QB_randomCopyScale: return &randomCopyScale;
    case QB_shrinkCopies: return &shrinkCopies;
    case QB_weightedChoice: return &weightedChoice;
    case QB_extraFlipMap: return &extraFlipMap;
    case QB_extraHalfMap: return &extraHalfMap;
    case QB_randomCopySkip: return &randomCopySkip;
    case QB_shiftCopies: return &shiftCopies;
    case QB_variation: return &variation;
    case QB_stepwiseLevels: return &stepwiseLevels;
    case QB_hexLattice: return &hexLattice;
    case QB_colouringVariant: return &colouringVariant;
    case QB_mapVariant: return &mapVariant;
    case QB_modeOption: return &modeOption;
    case QB_basinPhase: return &basinPhase;
    case QB_orbitPoint: return orbitPoint;
    case QB_shadowPoint: return shadowPoint;
    case QB_lambda: return &lambda;
    case QB_alpha: return &alpha;
    case QB_beta: return &beta;
    case QB_gamma: return &gamma;
    case QB_omega: return omega;
    case QB_quadCoef0: return &quadCoef0;
    case QB_quadCoef1: return &quadCoef1;
    case QB_quadCoef2: return &quadCoef2;
    case QB_quadCoef3: return &quadCoef3;
    case QB_quadCoef4: return &quadCoef4;
    case QB_quadCoef5: return &quadCoef5;
    case QB_paramOrigin: return &paramOrigin;
    case QB_startAxis: return startAxis;
    case QB_constantAxis: return constantAxis;
    case QB_startCentre: return startCentre;
    case QB_constantCentre: return constantCentre;
    case QB_savedRandomStateList: return savedRandomStateList;
    case QB_quadCoefList: return quadCoefList;
    case QB_complexSliceList: return complexSliceList;
    case QB_iconCoefList: return iconCoefList;
    case QB_automatonRuleList: return automatonRuleList;
    case QB_startStep: return startStep;
    case QB_constantStep: return constantStep;
    case QB_startOffset: return startOffset;
    case QB_constantOffset: return constantOffset;
    case QB_RuntimeFree: return Address(&std::free);
    case QB_RuntimeFloor: return Address(static_cast<double (*)(double)>(&std::floor));
    case QB_RuntimeMemmove: return Address(&std::memmove);
    case QB_RuntimeSprintf: return Address(&std::sprintf);
    case QB_NextAnimationFrame: return Address(&NextAnimationFrame);
    case QB_ExploreWhileDrawing: return Address(&ExploreWhileDrawing);
    case QB_ExploreAfterDrawing: return Address(&ExploreAfterDrawing);
    case QB_RandomiseFunctionSystem: return Address(&RandomiseFunctionSystem);
    case QB_RandomiseModeParameters: return Address(&RandomiseModeParameters);
    case QB_PlotAttractor: return Address(&PlotAttractor);
    case QB_PlotQuilt: return Address(&PlotQuilt);
    case QB_GrowAutomatonRows: return Address(&GrowAutomatonRows);
    case QB_Random: return Address(&Random);
    case QB_BuildColourRamp: return Address(&BuildColourRamp);
    case QB_ApplySettingsFlags: return Address(&ApplySettingsFlags);
    case QB_GenerateFunctionSystem: return Address(&GenerateFunctionSystem);
    case QB_GenerateModeParameters: return Address(&GenerateModeParameters);
    case QB_SetUpDrawing: return Address(&SetUpDrawing);
    case QB_RestartDrawing: return Address(&RestartDrawing);
    case QB_RefineComplexPicture: return Address(&RefineComplexPicture);
    case QB_StepOrbitStatistics: return Address(&StepOrbitStatistics);
    case QB_SetTitleText: return Address(&SetTitleText);
    case QB_StepWalkers: return Address(&StepWalkers);
    case QB_FitViewToAttractor: return Address(&FitViewToAttractor);
    case QB_Multiply2x2: return Address(&Multiply2x2);
    case QB_ZoomAtPixel: return Address(&ZoomAtPixel);
    case QB_SwitchModeFamily: return Address(&SwitchModeFamily);
    case QB_ModInverse: return Address(&ModInverse);
    case QB_BuildPalette: return Address(&BuildPalette);
    case QB_StartEngine: return Address(&StartEngine);
    case QB_Recolour: return Address(&Recolour);
    case QB_RuntimeAcos: return Address(static_cast<double (*)(double)>(&std::acos));
    case QB_RuntimeFloatWord: return &runtimeFloatWord;
    case QB_RuntimeTruncate: return Address(&TruncateToInteger);
    case QB_RuntimeAtof: return Address(&std::atof);
    case QB_RuntimeAtol: return Address(&TextToInteger);
    case QB_ShowPixelOrbit: return Address(&ShowPixelOrbit);
    default: return nullptr;
    }
}

} // namespace
} // namespace quintorbelle

extern "C" QUINTORBELLE_API void *QuintorbelleExport(int32_t ordinal) {
    return quintorbelle::ExportedAddress(ordinal);
}
