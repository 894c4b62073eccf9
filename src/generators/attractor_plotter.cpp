// Placeholder: written by the work on this subsystem.
#include "generators/generators.h"
namespace quintorbelle {
int32_t PlotAttractor(uint32_t) {
    return 0;
}
uint8_t ColourFromPosition(int32_t, int32_t) {
    return 1;
}
} // namespace quintorbelle
