// View fitting of the attractor modes 0 to 3: runs the orbit without
// plotting it, collects its bounding box after the transient, follows a
// shadow orbit to tell a chaotic orbit from a regular one, and once the box
// has stopped growing sets the view so that the attractor fills the display
// with a margin, then restarts the picture.
//
// Depends on the orbit maps and on RestartDrawing. Draws nothing; the
// plotter takes over once viewFitted is set.
#include <algorithm>
#include <cmath>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "generators/generators.h"

namespace quintorbelle {
namespace {

void FitViewToBox(SurveyBox &box) {
    // The density the picture should reach, from the work a unit of area
    // stands for; taken as a real ratio, not an integer one.
    const double targetDensity =
        50.0 * areaPerWorkUnit / (static_cast<double>(imageHeight) * displayWidth);

    // A symmetric icon is centred on the origin: the box is widened to be
    // symmetric about it in both directions.
    if (drawMode == 3 && symmetryDegree > 1) {
        if (box.yMin < 0) {
            box.yMin = std::min(box.yMin, -box.yMax);
            box.yMin = std::min(box.yMin, -box.xMax);
        }
        if (box.yMax > 0) {
            box.yMax = std::max(box.yMax, -box.yMin);
            box.yMax = std::max(box.yMax, -box.xMin);
        }
        if (box.xMin < 0) box.xMin = std::min(box.xMin, -box.xMax);
        if (box.xMax > 0) box.xMax = std::max(box.xMax, -box.xMin);
    }

    const double scaleX = displayWidth / (box.xMax - box.xMin);
    const double scaleY = imageHeight / (box.yMax - box.yMin);
    double fit = std::min(scaleX, scaleY);
    // A box that is a single point (an orbit resting on a fixed point) has
    // no size to fit; one plane unit then spans the shorter side.
    if (std::isinf(fit)) fit = std::min(displayWidth, imageHeight);

    double scale;
    if (animationFrame == 0) {
        scale = 0.9 * fit;
    } else {
        // Animation frames are drawn smaller the thinner their density, so
        // that each frame fills in within its budget.
        scale = std::min(std::sqrt(std::max(scaleX, scaleY) / fit * targetDensity), 0.9) * fit;
    }

    pixelsPerUnitX = scale;
    pixelsPerUnitY = scale;
    fitScale = scale;
    reciprocalScale = 1 / scale;
    viewOriginX = -0.5 * (box.xMin + box.xMax) * scale + displayWidth / 2;
    viewOriginY = 0.5 * (box.yMin + box.yMax) * scale + imageHeight / 2;
    fitOrigin[0] = viewOriginX;
    fitOrigin[1] = viewOriginY;
    viewZoomed = 0;
    fittedOnce = 1;
    RestartDrawing();
    EmptyRect(drawnRect);
}

} // namespace

int32_t FitViewToAttractor() {
    if (viewFitted != 0) return 1;
    const bool functionSystem = drawMode == 0 || drawMode == 1;
    // The function systems start on a fixed point and settle at once; the
    // plane maps start anywhere and need a longer transient.
    const uint32_t firstSurveyed = functionSystem ? 50u : 1001u;
    const uint32_t quietLength = 128u * static_cast<uint32_t>(iterationsPerWorkUnit);
    const uint32_t longestSurvey = 512u * static_cast<uint32_t>(iterationsPerWorkUnit);
    for (;;) {
        if (functionSystem) {
            StepFunctionSystem();
        } else if (StepPlaneMap(orbitPoint) == 0) {
            return 0;
        }
        if (divergenceIteration == 0) {
            if (StepPlaneMap(shadowPoint) == 0) return 0;
            // A signed sum: a shadow that runs off to the left or below does
            // not count until it has come round to the other side.
            const double d = (shadowPoint[0] - orbitPoint[0]) + (shadowPoint[1] - orbitPoint[1]);
            if (d > 0.01) divergenceIteration = iterationCount;
        }
        if (iterationCount >= firstSurveyed) {
            const double x = orbitPoint[0];
            const double y = orbitPoint[1];
            const uint32_t settled = iterationCount + iterationCount / 4;
            if (x < surveyBox.xMin) surveyBox.xMin = x, settleIteration = settled;
            if (x > surveyBox.xMax) surveyBox.xMax = x, settleIteration = settled;
            if (y < surveyBox.yMin) surveyBox.yMin = y, settleIteration = settled;
            if (y > surveyBox.yMax) surveyBox.yMax = y, settleIteration = settled;
            if ((settleIteration < iterationCount && quietLength < iterationCount) ||
                longestSurvey < iterationCount) {
                FitViewToBox(surveyBox);
                return 1;
            }
        }
        ++iterationCount;
        if (viewFitted != 0) return 1;
    }
}

} // namespace quintorbelle
