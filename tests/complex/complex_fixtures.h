// Settings shared by the tests of the complex-plane pictures: a pixel whose
// start point and constant are fixed, and the classic escape-time slice.
#pragma once

#include <cstdint>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "parameters/parameters.h"

namespace quintorbelle::testing {

// Every pixel starts at z0 with the constant c.
inline void FixOrbit(double z0Re, double z0Im, double cRe, double cIm) {
    startFixed = 1;
    constantFixed = 1;
    startCentre[0] = z0Re;
    startCentre[1] = z0Im;
    constantCentre[0] = cRe;
    constantCentre[1] = cIm;
}

// z0 = 0 for every pixel and c following the plane: the set of bounded
// orbits of z^2 + c, set up as the drawing control does for a new picture.
inline void SetUpClassicSlice(int32_t mode = 5) {
    drawMode = mode;
    symmetryDegree = 1;
    startAxis[0] = startAxis[1] = 0;
    startCentre[0] = startCentre[1] = 0;
    constantAxis[0] = 1;
    constantAxis[1] = 0;
    constantCentre[0] = constantCentre[1] = 0;
    SetUpComplexView();
}

} // namespace quintorbelle::testing
