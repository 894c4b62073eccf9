// Orbit maps of the attractor pictures, one step at a time on the shared
// block: the randomly chosen affine map of the function systems (modes 0
// and 1) with its nonlinear variations, and the deterministic plane maps of
// the other modes (the quadratic delay map of mode 2, the symmetric icon map
// elsewhere) with the tests that stop an orbit leaving the finite numbers or
// standing still, and their title texts.
//
// The steps themselves are the inline ones of orbit_steps.h. Places no
// starting points and draws nothing: set-up, plotting and view fitting are
// elsewhere.
#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "generators/orbit_steps.h"

namespace quintorbelle {
namespace {

// Each failure text is one fixed address, so the title's repeat test by
// address suppresses the same failure shown again.
constexpr char kEscapesX[] = "Can't draw - Orbit escapes X";
constexpr char kEscapesY[] = "Can't draw - Orbit escapes Y";
constexpr char kConverges[] = "Can't draw - Orbit converges";

} // namespace

int32_t ShowPlaneMapFailure(int32_t failure) {
    const char *text = failure == kPlaneStepEscapesX   ? kEscapesX
                       : failure == kPlaneStepEscapesY ? kEscapesY
                                                       : kConverges;
    // A failure right after new parameters or during plotting must be seen
    // at once; while a survey keeps failing the title is throttled.
    SetTitleText(text, viewFitted != 0 || paramOrigin != 0 ? kTitleAtOnce : 0);
    return 0;
}

// Multiplicative congruential generator modulo 2^31 - 1; from the initial
// state 1 its states stay in 1 .. 2^31 - 2.
uint32_t FastRandom() {
    fastRandomState = NextFastRandom(fastRandomState);
    return fastRandomState;
}

int32_t StepFunctionSystem() {
    const int32_t index = MapChoice::FromSharedBlock().Choose(FastRandom());
    ApplyFunctionMap(functionTable[index], variation, variationScale, variationSoftening,
                     orbitPoint[0], orbitPoint[1]);
    return index;
}

int32_t StepPlaneMap(double *point) {
    const int32_t result = drawMode == 2 ? QuadraticMap::FromSharedBlock().Step(point[0], point[1])
                                         : IconMap::FromSharedBlock().Step(point[0], point[1]);
    return result == kPlaneStepMoved ? 1 : ShowPlaneMapFailure(result);
}

} // namespace quintorbelle
