// Placeholder: written by the work on this subsystem.
#include "complex/complex.h"
namespace quintorbelle {
int32_t ClassifyOrbitStep(int32_t, int32_t, uint32_t) {
    return 0;
}
int32_t StepOrbitStatistics() {
    return 0;
}
} // namespace quintorbelle
