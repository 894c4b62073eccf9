// Placeholder: written by the work on this subsystem.
#include "explore/explore.h"
namespace quintorbelle {
int32_t PickZoomPoint() {
    return 0;
}
int32_t PickZoomPointByCount() {
    return 0;
}
} // namespace quintorbelle
