// Placeholder: written by the work on this subsystem.
#include "parameters/parameters.h"
namespace quintorbelle {
uint32_t GreatestCommonDivisor(uint32_t u, uint32_t) {
    return u;
}
void GenerateAutomatonRule() {}
void StepAutomatonRule() {}
} // namespace quintorbelle
