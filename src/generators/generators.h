// Attractor and automaton generators: orbit maps, the attractor plotter and
// view fitting, quilts, walkers and automaton rows.
#pragma once

#include <cstdint>

#include "generators/complex_power.h"

namespace quintorbelle {

// Orbit maps (orbit_maps.cpp).
uint32_t FastRandom();
int32_t StepFunctionSystem();
int32_t StepPlaneMap(double *point);

// Attractor plotter (attractor_plotter.cpp) and view fitting (view_fitting.cpp).
int32_t PlotAttractor(uint32_t budget);
uint8_t ColourFromPosition(int32_t column, int32_t row);
int32_t FitViewToAttractor();

// Quilts (quilt.cpp).
void StepSquareQuilt();
void StepHexQuilt();
void PlotQuilt(uint32_t budget);

// Walkers (walkers.cpp).
int32_t StepWalkers(uint32_t budget);

// Automaton rows (automaton_rows.cpp).
uint8_t AutomatonCellRule();
int32_t GrowAutomatonRows(uint32_t budget);

} // namespace quintorbelle
