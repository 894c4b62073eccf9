// Placeholder: written by the work on this subsystem.
#include "generators/generators.h"
namespace quintorbelle {
int32_t StepWalkers(uint32_t) {
    return 0;
}
} // namespace quintorbelle
