// Placeholder: written by the work on this subsystem.
#include "generators/generators.h"
namespace quintorbelle {
int32_t FitViewToAttractor() {
    return 0;
}
} // namespace quintorbelle
