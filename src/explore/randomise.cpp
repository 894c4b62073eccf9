// Placeholder: written by the work on this subsystem.
#include "explore/explore.h"
namespace quintorbelle {
void RandomiseFunctionSystem(int32_t) {}
void RandomiseModeParameters(int32_t) {}
} // namespace quintorbelle
