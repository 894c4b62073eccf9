// The shared parameter block: every variable the engine exports by ordinal.
//
// Host and engine both read and write these directly; every operation of the
// engine takes its settings from here and leaves its results here. The
// initial values are all set in shared_block.cpp. Internal state that several
// operations share lives in engine_state.h, not here.
#pragma once

#include <cstdint>

#include "quintorbelle/quintorbelle.h"

namespace quintorbelle {

inline constexpr int kImageStride = QB_IMAGE_STRIDE;
inline constexpr int kImageRows = QB_IMAGE_ROWS;
inline constexpr int kMapCapacity = QB_MAP_CAPACITY;

// Rectangles of pixels: left, top, right (exclusive), bottom (exclusive).
enum RectSide { kLeft = 0, kTop = 1, kRight = 2, kBottom = 3 };

using MapRecord = QuintorbelleMapRecord;
using RampInfo = QuintorbelleRampInfo;
using DisplayInfo = QuintorbelleDisplayInfo;

extern int32_t drawMode;
extern uint16_t countImage[kImageRows][kImageStride];
extern uint8_t indexImage[kImageRows][kImageStride];
extern int32_t areaPerWorkUnit;
extern double *orbitStore; // pairs (re, im), row pitch imageWidth
extern int32_t fittedOnce;
extern int32_t titleQuiet;
extern double pixelsPerUnitX;
extern double pixelsPerUnitY;
extern double fitScale;
extern double viewOriginX;
extern double viewOriginY;
extern int32_t latticeCellWidth;
extern int32_t latticeRowHeight;
extern uint32_t randomCounter;
extern uint32_t lastChangeIteration;
extern uint32_t iterationCount;
extern uint32_t settleIteration;
extern int32_t workCounter;
extern uint32_t totalIterations;
extern int32_t iterationsPerWorkUnit;
extern int32_t autoExplore;
extern int32_t drawnRect[4];
extern int32_t imageWidth;
extern int32_t displayWidth;
extern int32_t imageHeight;
extern int32_t maxColourIndex;
extern int32_t changedPixelCount;
extern uint32_t divergenceIteration;
extern int32_t frameCounter;
extern int32_t viewZoomed;
extern int32_t rampStyle;
extern int32_t colourScheme;
extern int32_t colourBySource;
extern int32_t symmetryDegree;
extern int32_t coloursPerRoot;
extern int32_t mirrorSymmetry;
extern int32_t syncDepth;
extern int32_t logColourScale;
extern int32_t viewFitted;
extern int32_t animationFrame;
extern int32_t animationReverse;
extern int32_t animationFlags;
extern int32_t drawStatus;
extern RampInfo rampBitmapInfo;
extern DisplayInfo displayBitmapInfo;
extern uint16_t densityThresholds[256];
extern uint32_t hostWindow;
extern uint32_t windowDc;
extern uint32_t paletteHandle;
extern MapRecord functionTable[kMapCapacity];
extern double invSqrt3;
extern double twoPi;
extern int32_t baseMapCount;
extern int32_t mapCount;
extern int32_t maxSymmetryDegree;
extern int32_t halfAngleCopies;
extern int32_t randomCopyScale;
extern int32_t shrinkCopies;
extern int32_t weightedChoice;
extern int32_t extraFlipMap;
extern int32_t extraHalfMap;
extern int32_t randomCopySkip;
extern int32_t shiftCopies;
extern int32_t variation;
extern int32_t stepwiseLevels;
extern int32_t hexLattice;
extern int32_t colouringVariant;
extern int32_t mapVariant;
extern int32_t modeOption;
extern int32_t basinPhase;
extern double orbitPoint[2];
extern double shadowPoint[2];
extern double lambda;
extern double alpha;
extern double beta;
extern double gamma;
extern double omega[2];
extern double quadCoef0;
extern double quadCoef1;
extern double quadCoef2;
extern double quadCoef3;
extern double quadCoef4;
extern double quadCoef5;
extern int32_t paramOrigin;
extern double startAxis[2];
extern double constantAxis[2];
extern double startCentre[2];
extern double constantCentre[2];
extern void *savedRandomStateList[2];
extern void *quadCoefList[6];
extern void *complexSliceList[8];
extern void *iconCoefList[6];
extern void *automatonRuleList[8];
extern double startStep[2];
extern double constantStep[2];
extern double startOffset[2];
extern double constantOffset[2];
extern int32_t runtimeFloatWord;

// The colour tables inside the two bitmap blocks.
inline uint32_t *const rampColours = rampBitmapInfo.colours;
inline uint32_t *const paletteColours = displayBitmapInfo.colours;

// Sets a rectangle to the empty value (imageWidth, imageHeight, 0, 0).
inline void EmptyRect(int32_t rect[4]) {
    rect[kLeft] = imageWidth;
    rect[kTop] = imageHeight;
    rect[kRight] = 0;
    rect[kBottom] = 0;
}

} // namespace quintorbelle
