// Placeholder: written by the work on this subsystem.
#include "complex/complex.h"
namespace quintorbelle {
void ShowPixelOrbit(int32_t, int32_t) {}
} // namespace quintorbelle
