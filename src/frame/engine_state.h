// Internal state that more than one operation of the engine reads or writes.
//
// Nothing here is exported; the host cannot see it. State private to a single
// module stays in that module's source file. Initial values are set in
// engine_state.cpp, next to the shared block's.
#pragma once

#include <cstdint>

namespace quintorbelle {

// Start-up constants, computed once by StartEngine (twoPi and invSqrt3 are in
// the shared block).
extern double pi;
extern double sqrt3;
extern double halfSqrt3;
extern double invHalfSqrt3;
extern double logTiny;
extern double degreeRotation[4];
extern int32_t squaredCosineTable[128];

// The multiplier of the inversive random generator (its counter is the
// exported randomCounter).
extern uint32_t randomMultiplier;

// Drawing control.
extern int32_t explorePatience; // workCounter limit up to which exploration keeps a picture
extern int32_t exploreZoomOdds; // modes 5 and 6 try an automatic zoom with odds 1 in this
extern double reciprocalScale;  // plane units per pixel, 1 / pixelsPerUnitX
extern double fitOrigin[2];     // pixel position of the origin in the fitted view
extern int32_t startFixed;      // the start axis of modes 5 and 6 is zero
extern int32_t constantFixed;   // the constant axis of modes 5 and 6 is zero
extern uint8_t colourDelayLine[15];

// The bounding box of the survey orbit that fits the view.
struct SurveyBox {
    double xMin, yMin, xMax, yMax;
};
extern SurveyBox surveyBox;

// Function systems: constants of the nonlinear variations, and the weight sum.
extern double variationSoftening;
extern double variationScale;
extern uint32_t totalWeight;

// Quilts: the linear coefficient of the quilt maps.
extern double quiltConstant;

// Walkers.
inline constexpr int kMaxWalkers = 24;
inline constexpr int kMaxHeadings = 12;
struct Walker {
    double x, y;
    int32_t heading;
};
extern int32_t walkerCount;
extern const int32_t walkerTurnTable[13];
extern double walkerCentre[2];
extern int32_t walkerSquare[4];
extern Walker walkers[kMaxWalkers];
extern int32_t currentWalker;
extern double directionTable[kMaxHeadings][2]; // sine, cosine of heading k / K of a turn
extern uint32_t walkerRandomTable[256];
extern uint32_t savedWalkerCounter;
extern uint32_t savedWalkerMultiplier;

// Palette: Newton root bands.
extern double rootsPerRadian;

// Complex-plane pictures: escape radius, cusp orbit, history and scan state.
extern double escapeRadius;
extern double escapeRadiusSquared;
extern double cuspParameter;
extern double cuspOrbitPoint[2];
extern double cuspOrbitModulus;
inline constexpr int kHistorySlots = 128;
extern double orbitHistory[kHistorySlots][2];
extern uint32_t historyLength;
extern int32_t blockSize;
extern int32_t scanOrder;
extern int32_t scanRect[4];
extern int32_t pendingRect[4];

// The fast multiplicative generator of the per-step map choice and skip offsets.
extern uint32_t fastRandomState;

// One-dimensional automaton: the rule and the tables derived from it.
extern int32_t ruleClass;
extern int32_t neighbourhoodRadius;
extern uint32_t neighbourhoodMask;
extern uint32_t ruleMultiplier;
extern uint32_t ruleMask;
extern uint32_t ruleModulus;
extern uint32_t ruleSeed;
extern char ruleName[16];
extern const int32_t stateCapacity[8];
extern int32_t positionWeights[15];
extern uint32_t stateWeights[256];
extern int32_t automatonColourCount;
extern int32_t automatonRow;
extern uint8_t neighbourhoodWindow[15];

// Exploration: the pixel last chosen for a zoom.
extern int32_t zoomPoint[2];

} // namespace quintorbelle
