// Placeholder: written by the work on this subsystem.
#include "parameters/parameters.h"
namespace quintorbelle {
void GenerateModeParameters(int32_t) {}
} // namespace quintorbelle
