// Placeholder: written by the work on this subsystem.
#include "complex/complex.h"
namespace quintorbelle {
int32_t PowerCost(int32_t) {
    return 1;
}
int32_t RefineComplexPicture(int32_t) {
    return 0;
}
} // namespace quintorbelle
