// Placeholder: written by the work on this subsystem.
#include "display/display.h"
namespace quintorbelle {
uint32_t SchemeColour(int32_t, int32_t, int32_t) {
    return 0;
}
int32_t BuildColourRamp() {
    return 0;
}
} // namespace quintorbelle
