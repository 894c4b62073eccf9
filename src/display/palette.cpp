// Placeholder: written by the work on this subsystem.
#include "display/display.h"
namespace quintorbelle {
int32_t ChoosePaletteStyle() {
    return 0;
}
void BuildPalette(int32_t) {}
} // namespace quintorbelle
