// Placeholder: written by the work on this subsystem.
#include "display/display.h"
namespace quintorbelle {
int32_t BuildDensityThresholds(int32_t) {
    return 0;
}
int32_t Recolour(int32_t) {
    return 0;
}
} // namespace quintorbelle
