// The host's view of the engine: every variable and entry point it uses,
// found once through QuintorbelleExport by ordinal and typed here.
//
// Only the public headers are used; the host knows nothing else of the engine.
#pragma once

#include <cstdint>

#include "quintorbelle/quintorbelle.h"

namespace quintorbelle::host {

struct EngineLink {
    EngineLink();

    // Settings and picture size.
    int32_t &drawMode;
    int32_t &imageWidth;
    int32_t &imageHeight;
    int32_t &displayWidth;
    uint32_t &hostWindow;
    int32_t &titleQuiet;
    int32_t &autoExplore;
    int32_t &symmetryDegree;
    int32_t &maxSymmetryDegree;
    int32_t &baseMapCount;
    int32_t &mapCount;
    int32_t &mirrorSymmetry;
    int32_t &colourBySource;
    int32_t &colouringVariant;
    int32_t &logColourScale;
    int32_t &mapVariant;
    int32_t &modeOption;
    int32_t &variation;
    int32_t &stepwiseLevels;
    int32_t &halfAngleCopies;
    int32_t &randomCopyScale;
    int32_t &shrinkCopies;
    int32_t &weightedChoice;
    int32_t &extraFlipMap;
    int32_t &extraHalfMap;
    int32_t &randomCopySkip;
    int32_t &shiftCopies;
    int32_t &rampStyle;
    int32_t &colourScheme;
    int32_t &animationFlags;
    int32_t &iterationsPerWorkUnit;
    int32_t &areaPerWorkUnit;

    // State and counters.
    int32_t &syncDepth;
    int32_t &drawStatus;
    int32_t &workCounter;
    int32_t &frameCounter;
    int32_t &animationFrame;
    int32_t &animationReverse;
    int32_t &maxColourIndex;
    int32_t &changedPixelCount;
    int32_t &viewFitted;
    int32_t &viewZoomed;
    int32_t &basinPhase;
    int32_t &paramOrigin;
    int32_t &hexLattice;
    int32_t &latticeCellWidth;
    int32_t &latticeRowHeight;
    int32_t &coloursPerRoot;
    int32_t &fittedOnce;
    uint32_t &randomCounter;
    uint32_t &iterationCount;
    uint32_t &settleIteration;
    uint32_t &lastChangeIteration;
    uint32_t &totalIterations;
    uint32_t &divergenceIteration;
    int32_t *drawnRect; // left, top, right, bottom
    uint16_t *densityThresholds;

    // View.
    double &pixelsPerUnitX;
    double &pixelsPerUnitY;
    double &viewOriginX;
    double &viewOriginY;
    double &fitScale;

    // Parameters.
    QuintorbelleMapRecord *functionTable;
    double *orbitPoint;
    double *shadowPoint;
    double &lambda;
    double &alpha;
    double &beta;
    double &gamma;
    double *omega;
    double *quadCoefs[6];
    double *startAxis;
    double *constantAxis;
    double *startCentre;
    double *constantCentre;
    void **savedRandomStateList;
    void **quadCoefList;
    void **complexSliceList;
    void **iconCoefList;
    void **automatonRuleList;
    double *&orbitStore;

    // Images and colours.
    uint16_t (*countImage)[QB_IMAGE_STRIDE];
    uint8_t (*indexImage)[QB_IMAGE_STRIDE];
    QuintorbelleRampInfo &rampBitmapInfo;
    QuintorbelleDisplayInfo &displayBitmapInfo;

    // Entry points.
    void (*StartEngine)(void *);
    int32_t (*BuildColourRamp)();
    void (*BuildPalette)(int32_t);
    int32_t (*Recolour)(int32_t);
    uint32_t (*Random)();
    void (*ApplySettingsFlags)(uint32_t);
    void (*SwitchModeFamily)(int32_t);
    void (*SetTitleText)(const char *, int32_t);
    void (*GenerateFunctionSystem)(int32_t);
    void (*GenerateModeParameters)(int32_t);
    void (*SetUpDrawing)();
    void (*RestartDrawing)();
    void (*NextAnimationFrame)(int32_t);
    void (*ZoomAtPixel)(double, int32_t, int32_t);
    int32_t (*FitViewToAttractor)();
    int32_t (*PlotAttractor)(uint32_t);
    void (*PlotQuilt)(uint32_t);
    int32_t (*RefineComplexPicture)(int32_t);
    int32_t (*StepOrbitStatistics)();
    int32_t (*StepWalkers)(uint32_t);
    int32_t (*GrowAutomatonRows)(uint32_t);
    void (*ShowPixelOrbit)(int32_t, int32_t);
    void (*RandomiseFunctionSystem)(int32_t);
    void (*RandomiseModeParameters)(int32_t);
    void (*ExploreWhileDrawing)(int32_t);
    int32_t (*ExploreAfterDrawing)(int32_t);
    void (*RuntimeFree)(void *);
};

// The one link of this process; the engine itself is a single instance.
EngineLink &Engine();

} // namespace quintorbelle::host
