// Placeholder: written by the work on this subsystem.
#include "explore/explore.h"
namespace quintorbelle {
void ExploreWhileDrawing(int32_t) {}
int32_t ExploreAfterDrawing(int32_t) {
    return 0;
}
} // namespace quintorbelle
