// Placeholder: written by the work on this subsystem.
#include "parameters/parameters.h"
namespace quintorbelle {
void SetUpEscapeRadius(int32_t) {}
void RandomCirclePoint(double *, double, int32_t) {}
void GenerateComplexSlice() {}
void StepComplexSlice() {}
} // namespace quintorbelle
