// Placeholder: written by the work on this subsystem.
#include "generators/generators.h"
namespace quintorbelle {
void StepSquareQuilt() {}
void StepHexQuilt() {}
void PlotQuilt(uint32_t) {}
} // namespace quintorbelle
