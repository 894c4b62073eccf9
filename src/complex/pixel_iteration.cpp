// Placeholder: written by the work on this subsystem.
#include "complex/complex.h"
namespace quintorbelle {
int32_t EscapeTimePixel(int32_t, int32_t, uint32_t, double *, uint32_t *) {
    return 0;
}
int32_t NewtonPixel(int32_t, int32_t, uint32_t, double *, uint32_t *) {
    return 0;
}
} // namespace quintorbelle
