// Automatic exploration: without a user, judge the picture by the work spent
// on it, by how far its colours have come and by whether its orbit was found
// chaotic, and ask the host for the next step: a new picture, a change of
// settings, more symmetry, an animation or a zoom into a busy region.
//
// Requests that must wait until the current engine call has returned are
// posted as deferred requests; the rest are the host's menu commands and
// simulated double-clicks. The host decides what each request means and when
// to call the two entry points; nothing here draws or changes parameters.
#include <cstdint>

#include "explore/explore.h"
#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"

namespace quintorbelle {
namespace {

// Armed by every ExploreAfterDrawing from autoExplore, consumed by the next
// ExploreWhileDrawing: a finished picture is acted on once.
int32_t exploreRequest = 0;

// Work below this is too little to judge a picture by.
constexpr uint32_t kMinimumWork = 6000;
// Modes 5 and 6 lower their patience after each declined zoom, down to this.
constexpr int32_t kPatienceFloor = 15000;
constexpr int32_t kPatienceStep = 1000;
// Colours past these have developed enough to be worth a zoom.
constexpr int32_t kComplexColoursForZoom = 64;
constexpr int32_t kColoursForZoom = 96;
// Mode 3 pictures that stop with a high degree and no chaos halve the degree.
constexpr int32_t kIconDegreeToHalve = 12;
// A finished picture that took little work is tried with twice the symmetry.
constexpr int32_t kDoublingDegreeBelow = 10;
constexpr uint32_t kDoublingWorkBelow = 5000;
// A non-chaotic finished picture that took up to this much work asks for new
// parameters in the same settings.
constexpr uint32_t kNewParametersWorkUpTo = 12000;

bool FunctionSystemMode() {
    return drawMode == 0 || drawMode == 1;
}

bool ComplexPlaneMode() {
    return drawMode == 5 || drawMode == 6;
}

uint32_t WorkDone() {
    return static_cast<uint32_t>(workCounter);
}

// Each zoom makes the next one rarer: deeper pictures need more time to show
// their detail. The odds stop growing at the top of i32 rather than wrap.
int32_t GrownZoomOdds() {
    const int64_t grown = 3 * static_cast<int64_t>(exploreZoomOdds) / 2;
    return grown > INT32_MAX ? INT32_MAX : static_cast<int32_t>(grown);
}

void PostZoomAtPoint() {
    PostDoubleClick(zoomPoint[0], zoomPoint[1]);
}

void ExploreComplexPlane(int32_t progress) {
    if (settleIteration == 0 && animationFrame == 0)
        workCounter = static_cast<int32_t>(kMinimumWork);
    if (progress < 0 && maxColourIndex > kComplexColoursForZoom && animationFrame == 0) {
        const uint32_t odds = exploreZoomOdds > 0 ? static_cast<uint32_t>(exploreZoomOdds) : 1u;
        if (Random() % odds == 0 || exploreRequest != 0) {
            drawStatus = 0;
            if (PickZoomPointByCount() != 0) {
                exploreZoomOdds = GrownZoomOdds();
                PostZoomAtPoint();
            } else {
                PostDeferredRequest(0);
            }
        } else if (explorePatience > kPatienceFloor) {
            explorePatience -= kPatienceStep;
        }
    }
    if (exploreRequest != 0) {
        drawStatus = 0;
        exploreRequest = 0;
        const int32_t id = (Random() & 3) == 0 ? kCommandColourBySource : kCommandNewPicture;
        SendCommand(id, kSourceNextPicture);
    }
}

void ExploreOtherModes() {
    if (exploreRequest == 0 && (colourBySource == 0 || drawMode == 8)) return;
    drawStatus = 0;
    if (colourBySource != 0) {
        PostDeferredRequest(kCommandColourBySource);
        return;
    }
    const uint32_t colourOdds = drawMode == 8 ? 2 : FunctionSystemMode() ? 7 : 9;
    const int32_t id = Random() % colourOdds == 0 ? kCommandColourBySource : kCommandNewPicture;
    PostCommand(id, kSourceNextPicture);
    if (maxColourIndex > kColoursForZoom) {
        const uint32_t zoomOdds = FunctionSystemMode() ? 3 : drawMode == 2 ? 4 : 12;
        if (Random() % zoomOdds == 0 && PickZoomPoint() != 0) PostZoomAtPoint();
    }
    if (animationFrame == 0 && divergenceIteration != 0) {
        const uint32_t animationOdds = FunctionSystemMode() ? 3 : 20;
        if (Random() % animationOdds == 0) PostCommand(kCommandAnimation, kSourcePlain);
    }
    exploreRequest = 0;
}

} // namespace

void ExploreWhileDrawing(int32_t progress) {
    if (autoExplore == 0 || WorkDone() <= kMinimumWork) return;
    if (WorkDone() > static_cast<uint32_t>(explorePatience)) {
        drawStatus = 0;
        PostDeferredRequest(0);
        return;
    }
    if (ComplexPlaneMode()) {
        ExploreComplexPlane(progress);
    } else {
        ExploreOtherModes();
    }
}

int32_t ExploreAfterDrawing(int32_t goOn) {
    exploreRequest = autoExplore;
    if (autoExplore == 0) {
        // The engine never writes drawing status 1; only a host's mark leads
        // here.
        if (paramOrigin != 2 && drawStatus == 1 && (drawMode > 1 || mapCount >= 2)) {
            PostCommand(kCommandNewParameters, kSourcePlain);
            return 0;
        }
        return goOn != 0 ? 1 : 0;
    }

    if (drawStatus != 2) {
        // The picture stopped before it finished.
        if (viewFitted == 0 && fittedOnce == 0) {
            // Not even a view could be fitted: the whole picture is replaced.
            SendCommand(kCommandNewPicture, kSourceNextPicture);
            RepaintWholeWindow();
        }
        if (divergenceIteration == 0 && drawMode == 3 && symmetryDegree > kIconDegreeToHalve) {
            symmetryDegree /= 2;
        }
        PostDeferredRequest(kCommandNewParameters);
        return 0;
    }

    if (basinPhase != 0 || drawMode >= 5) {
        PostDeferredRequest(0);
        return 0;
    }

    if ((Random() & 1) != 0) {
        if (symmetryDegree < kDoublingDegreeBelow && WorkDone() < kDoublingWorkBelow) {
            symmetryDegree *= 2;
            PostDeferredRequest(kCommandMoreSymmetry);
            return 0;
        }
        const bool fresh = divergenceIteration == 0 && WorkDone() <= kNewParametersWorkUpTo;
        PostDeferredRequest(fresh ? kCommandNewParameters : 0);
        return 0;
    }

    workCounter = static_cast<int32_t>(WorkDone() / 2);
    if (FunctionSystemMode() && Random() % 3 == 0 && PickZoomPoint() != 0) {
        PostZoomAtPoint();
        return 0;
    }
    if (logColourScale != 0) SendCommand(kCommandLogScale, kSourcePlain);
    const bool animate = drawMode != 4 && divergenceIteration != 0;
    PostDeferredRequest(animate ? kCommandAnimation : 0);
    return 0;
}

} // namespace quintorbelle
