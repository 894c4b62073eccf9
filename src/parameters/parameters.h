// Parameter generation: random parameters of every mode and their change by
// one animation frame.
#pragma once

#include <cstdint>

namespace quintorbelle {

// Function systems of modes 0 and 1 (function_system.cpp).
double SinFraction(int32_t k, int32_t n);
double CosFraction(int32_t k, int32_t n);
void GenerateFunctionSystem(int32_t request);

// Modes 2 to 8: dispatch and the coefficient draws (mode_parameters.cpp).
void GenerateModeParameters(int32_t request);

// Complex slices of modes 5 and 6 (complex_slice.cpp).
void SetUpEscapeRadius(int32_t reset);
void RandomCirclePoint(double *destination, double v, int32_t m);
void GenerateComplexSlice();
void StepComplexSlice();

// Automaton rules of mode 8 (automaton_rule.cpp).
uint32_t GreatestCommonDivisor(uint32_t u, uint32_t v);
void GenerateAutomatonRule();
void StepAutomatonRule();

} // namespace quintorbelle
