// The shared parameter block with its initial values, all in one place.
//
// Variables not listed with a value start at zero. The pointer lists give the
// host the addresses of a mode's parameters so that it can save and load them
// without knowing their ordinals.
#include "frame/shared_block.h"

#include "frame/engine_state.h"

namespace quintorbelle {

int32_t drawMode = 0;
uint16_t countImage[kImageRows][kImageStride];
uint8_t indexImage[kImageRows][kImageStride];
int32_t areaPerWorkUnit = 56000;
double *orbitStore = nullptr;
int32_t fittedOnce = 0;
int32_t titleQuiet = 1;
double pixelsPerUnitX = 0;
double pixelsPerUnitY = 0;
double fitScale = 0;
double viewOriginX = 0;
double viewOriginY = 0;
int32_t latticeCellWidth = 0;
int32_t latticeRowHeight = 0;
uint32_t randomCounter = 0;
uint32_t lastChangeIteration = 0;
uint32_t iterationCount = 0;
uint32_t settleIteration = 0;
int32_t workCounter = 0;
uint32_t totalIterations = 0;
int32_t iterationsPerWorkUnit = 1245;
int32_t autoExplore = 1;
int32_t drawnRect[4] = {0, 0, 0, 0};
int32_t imageWidth = 0;
int32_t displayWidth = 0;
int32_t imageHeight = 0;
int32_t maxColourIndex = 0;
int32_t changedPixelCount = 0;
uint32_t divergenceIteration = 0;
int32_t frameCounter = 0;
int32_t viewZoomed = 0;
int32_t rampStyle = 0;
int32_t colourScheme = 0;
int32_t colourBySource = 0;
int32_t symmetryDegree = 1;
int32_t coloursPerRoot = 0;
int32_t mirrorSymmetry = 0;
int32_t syncDepth = 0;
int32_t logColourScale = 0;
int32_t viewFitted = 0;
int32_t animationFrame = 0;
int32_t animationReverse = 0;
int32_t animationFlags = 0;
int32_t drawStatus = 0;
RampInfo rampBitmapInfo = {};
DisplayInfo displayBitmapInfo = {};
uint16_t densityThresholds[256] = {};
uint32_t hostWindow = 0;
uint32_t windowDc = 0;
uint32_t paletteHandle = 0;
MapRecord functionTable[kMapCapacity] = {};
double invSqrt3 = 0;
double twoPi = 0;
int32_t baseMapCount = 1;
int32_t mapCount = 0;
int32_t maxSymmetryDegree = 50;
int32_t halfAngleCopies = 0;
int32_t randomCopyScale = 0;
int32_t shrinkCopies = 0;
int32_t weightedChoice = 0;
int32_t extraFlipMap = 0;
int32_t extraHalfMap = 0;
int32_t randomCopySkip = 0;
int32_t shiftCopies = 0;
int32_t variation = 0;
int32_t stepwiseLevels = 0;
int32_t hexLattice = 0;
int32_t colouringVariant = 0;
int32_t mapVariant = 0;
int32_t modeOption = 0;
int32_t basinPhase = 0;
double orbitPoint[2] = {0, 0};
double shadowPoint[2] = {0, 0};
double lambda = 0;
double alpha = 0;
double beta = 0;
double gamma = 0;
double omega[2] = {0, 0};
double quadCoef0 = 0;
double quadCoef1 = 0;
double quadCoef2 = 0;
double quadCoef3 = 0;
double quadCoef4 = 0;
double quadCoef5 = 0;
int32_t paramOrigin = 0;
double startAxis[2] = {0, 0};
double constantAxis[2] = {0, 0};
double startCentre[2] = {0, 0};
double constantCentre[2] = {0, 0};
double startStep[2] = {0, 0};
double constantStep[2] = {0, 0};
double startOffset[2] = {0, 0};
double constantOffset[2] = {0, 0};
int32_t runtimeFloatWord = 0x9875;

void *savedRandomStateList[2] = {&savedWalkerCounter, &savedWalkerMultiplier};
void *quadCoefList[6] = {&quadCoef0, &quadCoef1, &quadCoef2, &quadCoef3, &quadCoef4, &quadCoef5};
void *complexSliceList[8] = {&startAxis[0],      &startAxis[1],     &startCentre[0],
                             &startCentre[1],    &constantAxis[0],  &constantAxis[1],
                             &constantCentre[0], &constantCentre[1]};
void *iconCoefList[6] = {&lambda, &alpha, &beta, &gamma, &omega[0], nullptr};
void *automatonRuleList[8] = {&ruleClass, &neighbourhoodRadius, &neighbourhoodMask, &ruleMultiplier,
                              &ruleMask,  &ruleModulus,         &ruleSeed,          nullptr};

} // namespace quintorbelle
