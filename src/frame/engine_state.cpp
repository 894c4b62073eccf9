// Internal shared state with its initial values.
#include "frame/engine_state.h"

namespace quintorbelle {

double pi = 0;
double sqrt3 = 0;
double halfSqrt3 = 0;
double invHalfSqrt3 = 0;
double logTiny = 0;
double degreeRotation[4] = {1, 0, 0, 1};
int32_t squaredCosineTable[128] = {};

uint32_t randomMultiplier = 0;

int32_t explorePatience = 0;
int32_t exploreZoomOdds = 0;
double reciprocalScale = 0;
double fitOrigin[2] = {0, 0};
int32_t startFixed = 0;
int32_t constantFixed = 0;
uint8_t colourDelayLine[15] = {};
SurveyBox surveyBox = {1e300, 1e300, -1e300, -1e300};

double variationSoftening = 0;
double variationScale = 0;
uint32_t totalWeight = 0;

double quiltConstant = 0;

int32_t walkerCount = 4;
const int32_t walkerTurnTable[13] = {0, 8, 8, 12, 8, 10, 12, 7, 8, 9, 10, 11, 12};
double walkerCentre[2] = {0, 0};
int32_t walkerSquare[4] = {0, 0, 0, 0};
Walker walkers[kMaxWalkers] = {};
int32_t currentWalker = 0;
double directionTable[kMaxHeadings][2] = {};
uint32_t walkerRandomTable[256] = {};
uint32_t savedWalkerCounter = 0;
uint32_t savedWalkerMultiplier = 0;

double rootsPerRadian = 0;

double escapeRadius = 0;
double escapeRadiusSquared = 0;
double cuspParameter = 0;
double cuspOrbitPoint[2] = {0, 0};
double cuspOrbitModulus = 0;
double orbitHistory[kHistorySlots][2] = {};
uint32_t historyLength = 2;
int32_t blockSize = 16;
int32_t scanOrder = 0;
int32_t scanRect[4] = {0, 0, 0, 0};
int32_t pendingRect[4] = {0, 0, 0, 0};

uint32_t fastRandomState = 1;

int32_t ruleClass = 0;
int32_t neighbourhoodRadius = 0;
uint32_t neighbourhoodMask = 0;
uint32_t ruleMultiplier = 1;
uint32_t ruleMask = 0;
uint32_t ruleModulus = 1;
uint32_t ruleSeed = 0;
char ruleName[16] = "";
const int32_t stateCapacity[8] = {255, 255, 84, 23, 11, 7, 5, 4};
int32_t positionWeights[15] = {};
uint32_t stateWeights[256] = {};
int32_t automatonColourCount = 2;
int32_t automatonRow = 0;
uint8_t neighbourhoodWindow[15] = {};

int32_t zoomPoint[2] = {0, 0};

} // namespace quintorbelle
