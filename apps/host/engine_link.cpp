#include "host/engine_link.h"

#include <cstdio>
#include <cstdlib>

namespace quintorbelle::host {
namespace {

void *Exported(int32_t ordinal) {
    void *address = QuintorbelleExport(ordinal);
    if (address == nullptr) {
        std::fprintf(stderr, "quintorbelle: the engine exports nothing at ordinal %d\n", ordinal);
        std::abort();
    }
    return address;
}

template <typename T>
T &Variable(int32_t ordinal) {
    return *static_cast<T *>(Exported(ordinal));
}

template <typename T>
T *Array(int32_t ordinal) {
    return static_cast<T *>(Exported(ordinal));
}

template <typename Function>
Function *Entry(int32_t ordinal) {
    return reinterpret_cast<Function *>(Exported(ordinal));
}

} // namespace

EngineLink::EngineLink()
    : drawMode(Variable<int32_t>(QB_drawMode)), imageWidth(Variable<int32_t>(QB_imageWidth)),
      imageHeight(Variable<int32_t>(QB_imageHeight)),
      displayWidth(Variable<int32_t>(QB_displayWidth)),
      hostWindow(Variable<uint32_t>(QB_hostWindow)), titleQuiet(Variable<int32_t>(QB_titleQuiet)),
      autoExplore(Variable<int32_t>(QB_autoExplore)),
      symmetryDegree(Variable<int32_t>(QB_symmetryDegree)),
      maxSymmetryDegree(Variable<int32_t>(QB_maxSymmetryDegree)),
      baseMapCount(Variable<int32_t>(QB_baseMapCount)), mapCount(Variable<int32_t>(QB_mapCount)),
      mirrorSymmetry(Variable<int32_t>(QB_mirrorSymmetry)),
      colourBySource(Variable<int32_t>(QB_colourBySource)),
      colouringVariant(Variable<int32_t>(QB_colouringVariant)),
      logColourScale(Variable<int32_t>(QB_logColourScale)),
      mapVariant(Variable<int32_t>(QB_mapVariant)), modeOption(Variable<int32_t>(QB_modeOption)),
      variation(Variable<int32_t>(QB_variation)),
      stepwiseLevels(Variable<int32_t>(QB_stepwiseLevels)),
      halfAngleCopies(Variable<int32_t>(QB_halfAngleCopies)),
      randomCopyScale(Variable<int32_t>(QB_randomCopyScale)),
      shrinkCopies(Variable<int32_t>(QB_shrinkCopies)),
      weightedChoice(Variable<int32_t>(QB_weightedChoice)),
      extraFlipMap(Variable<int32_t>(QB_extraFlipMap)),
      extraHalfMap(Variable<int32_t>(QB_extraHalfMap)),
      randomCopySkip(Variable<int32_t>(QB_randomCopySkip)),
      shiftCopies(Variable<int32_t>(QB_shiftCopies)), rampStyle(Variable<int32_t>(QB_rampStyle)),
      colourScheme(Variable<int32_t>(QB_colourScheme)),
      animationFlags(Variable<int32_t>(QB_animationFlags)),
      iterationsPerWorkUnit(Variable<int32_t>(QB_iterationsPerWorkUnit)),
      areaPerWorkUnit(Variable<int32_t>(QB_areaPerWorkUnit)),
      syncDepth(Variable<int32_t>(QB_syncDepth)), drawStatus(Variable<int32_t>(QB_drawStatus)),
      workCounter(Variable<int32_t>(QB_workCounter)),
      frameCounter(Variable<int32_t>(QB_frameCounter)),
      animationFrame(Variable<int32_t>(QB_animationFrame)),
      animationReverse(Variable<int32_t>(QB_animationReverse)),
      maxColourIndex(Variable<int32_t>(QB_maxColourIndex)),
      changedPixelCount(Variable<int32_t>(QB_changedPixelCount)),
      viewFitted(Variable<int32_t>(QB_viewFitted)), viewZoomed(Variable<int32_t>(QB_viewZoomed)),
      basinPhase(Variable<int32_t>(QB_basinPhase)), paramOrigin(Variable<int32_t>(QB_paramOrigin)),
      hexLattice(Variable<int32_t>(QB_hexLattice)),
      latticeCellWidth(Variable<int32_t>(QB_latticeCellWidth)),
      latticeRowHeight(Variable<int32_t>(QB_latticeRowHeight)),
      coloursPerRoot(Variable<int32_t>(QB_coloursPerRoot)),
      fittedOnce(Variable<int32_t>(QB_fittedOnce)),
      randomCounter(Variable<uint32_t>(QB_randomCounter)),
      iterationCount(Variable<uint32_t>(QB_iterationCount)),
      settleIteration(Variable<uint32_t>(QB_settleIteration)),
      lastChangeIteration(Variable<uint32_t>(QB_lastChangeIteration)),
      totalIterations(Variable<uint32_t>(QB_totalIterations)),
      divergenceIteration(Variable<uint32_t>(QB_divergenceIteration)),
      drawnRect(Array<int32_t>(QB_drawnRect)),
      densityThresholds(Array<uint16_t>(QB_densityThresholds)),
      pixelsPerUnitX(Variable<double>(QB_pixelsPerUnitX)),
      pixelsPerUnitY(Variable<double>(QB_pixelsPerUnitY)),
      viewOriginX(Variable<double>(QB_viewOriginX)), viewOriginY(Variable<double>(QB_viewOriginY)),
      fitScale(Variable<double>(QB_fitScale)),
      functionTable(Array<QuintorbelleMapRecord>(QB_functionTable)),
      orbitPoint(Array<double>(QB_orbitPoint)), shadowPoint(Array<double>(QB_shadowPoint)),
      lambda(Variable<double>(QB_lambda)), alpha(Variable<double>(QB_alpha)),
      beta(Variable<double>(QB_beta)), gamma(Variable<double>(QB_gamma)),
      omega(Array<double>(QB_omega)), quadCoefs{Array<double>(QB_quadCoef0),
                                                Array<double>(QB_quadCoef1),
                                                Array<double>(QB_quadCoef2),
                                                Array<double>(QB_quadCoef3),
                                                Array<double>(QB_quadCoef4),
                                                Array<double>(QB_quadCoef5)},
      startAxis(Array<double>(QB_startAxis)), constantAxis(Array<double>(QB_constantAxis)),
      startCentre(Array<double>(QB_startCentre)), constantCentre(Array<double>(QB_constantCentre)),
      savedRandomStateList(Array<void *>(QB_savedRandomStateList)),
      quadCoefList(Array<void *>(QB_quadCoefList)),
      complexSliceList(Array<void *>(QB_complexSliceList)),
      iconCoefList(Array<void *>(QB_iconCoefList)),
      automatonRuleList(Array<void *>(QB_automatonRuleList)),
      orbitStore(Variable<double *>(QB_orbitStore)),
      countImage(Array<uint16_t[QB_IMAGE_STRIDE]>(QB_countImage)),
      indexImage(Array<uint8_t[QB_IMAGE_STRIDE]>(QB_indexImage)),
      rampBitmapInfo(Variable<QuintorbelleRampInfo>(QB_rampBitmapInfo)),
      displayBitmapInfo(Variable<QuintorbelleDisplayInfo>(QB_displayBitmapInfo)),
      StartEngine(Entry<void(void *)>(QB_StartEngine)),
      BuildColourRamp(Entry<int32_t()>(QB_BuildColourRamp)),
      BuildPalette(Entry<void(int32_t)>(QB_BuildPalette)),
      Recolour(Entry<int32_t(int32_t)>(QB_Recolour)), Random(Entry<uint32_t()>(QB_Random)),
      ApplySettingsFlags(Entry<void(uint32_t)>(QB_ApplySettingsFlags)),
      SwitchModeFamily(Entry<void(int32_t)>(QB_SwitchModeFamily)),
      SetTitleText(Entry<void(const char *, int32_t)>(QB_SetTitleText)),
      GenerateFunctionSystem(Entry<void(int32_t)>(QB_GenerateFunctionSystem)),
      GenerateModeParameters(Entry<void(int32_t)>(QB_GenerateModeParameters)),
      SetUpDrawing(Entry<void()>(QB_SetUpDrawing)),
      RestartDrawing(Entry<void()>(QB_RestartDrawing)),
      NextAnimationFrame(Entry<void(int32_t)>(QB_NextAnimationFrame)),
      ZoomAtPixel(Entry<void(double, int32_t, int32_t)>(QB_ZoomAtPixel)),
      FitViewToAttractor(Entry<int32_t()>(QB_FitViewToAttractor)),
      PlotAttractor(Entry<int32_t(uint32_t)>(QB_PlotAttractor)),
      PlotQuilt(Entry<void(uint32_t)>(QB_PlotQuilt)),
      RefineComplexPicture(Entry<int32_t(int32_t)>(QB_RefineComplexPicture)),
      StepOrbitStatistics(Entry<int32_t()>(QB_StepOrbitStatistics)),
      StepWalkers(Entry<int32_t(uint32_t)>(QB_StepWalkers)),
      GrowAutomatonRows(Entry<int32_t(uint32_t)>(QB_GrowAutomatonRows)),
      ShowPixelOrbit(Entry<void(int32_t, int32_t)>(QB_ShowPixelOrbit)),
      RandomiseFunctionSystem(Entry<void(int32_t)>(QB_RandomiseFunctionSystem)),
      RandomiseModeParameters(Entry<void(int32_t)>(QB_RandomiseModeParameters)),
      ExploreWhileDrawing(Entry<void(int32_t)>(QB_ExploreWhileDrawing)),
      ExploreAfterDrawing(Entry<int32_t(int32_t)>(QB_ExploreAfterDrawing)),
      RuntimeFree(Entry<void(void *)>(QB_RuntimeFree)) {}

EngineLink &Engine() {
    static EngineLink link;
    return link;
}

} // namespace quintorbelle::host
