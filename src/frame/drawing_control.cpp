// Drawing control: the set-up of a new picture, the restart of its
// accumulation, one animation frame and the zoom about a pixel.
//
// All resetting of images, counters and view for a new picture, a zoom or an
// animation frame happens here; the generators only plot. The per-mode
// set-ups that SetUpDrawing runs are in mode_set_up.cpp.
#include <cstring>

#include "display/display.h"
#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/numeric.h"
#include "frame/shared_block.h"
#include "parameters/parameters.h"
#include "platform/window_system.h"

namespace quintorbelle {
namespace {

constexpr int32_t kAnimationFrames = 360;
constexpr int32_t kAutomatonRefreshFrames = 11;

// Moves the quilt's view origin by whole lattice cells so that the origin row
// lies just below the picture and the origin column just left of it; the
// wallpaper copy then covers the picture from there.
void ResnapLattice() {
    const double rowHeight = latticeRowHeight;
    const double cellWidth = latticeCellWidth;
    const double height = imageHeight;
    // On the hexagonal lattice each row down is half a cell to the side.
    const double rowShift = hexLattice != 0 ? latticeCellWidth >> 1 : 0;
    while (viewOriginY - rowHeight >= height) {
        viewOriginY -= rowHeight;
        viewOriginX -= rowShift;
    }
    while (viewOriginY < height) {
        viewOriginY += rowHeight;
        viewOriginX -= rowShift;
    }
    while (viewOriginX > 0) viewOriginX -= cellWidth;
    while (viewOriginX + cellWidth <= 0) viewOriginX += cellWidth;
}

// A pixel (x, y) of modes 5 and 6 maps to step * (x - i y) + offset; the
// offset puts the centre at the origin pixel.
void DerivePlaneMapping(const double *axis, const double *centre, double *step, double *offset) {
    step[0] = axis[0] / pixelsPerUnitX;
    step[1] = axis[1] / pixelsPerUnitX;
    const double ox = viewOriginX;
    const double oy = viewOriginY;
    offset[0] = centre[0] - (step[1] * oy + step[0] * ox);
    offset[1] = centre[1] - (step[1] * ox - step[0] * oy);
}

} // namespace

void SetUpDrawing() {
    // Only the orbit maps of modes 2 and 3 measure when the shadow orbit
    // separates; the others count as chaotic from the start.
    divergenceIteration = drawMode == 2 || drawMode == 3 ? 0 : 1;
    surveyBox = {1e300, 1e300, -1e300, -1e300};
    iterationCount = 0;
    lastChangeIteration = 0;
    settleIteration = 0;
    drawStatus = 0;
    viewFitted = 0;
    viewZoomed = 0;
    explorePatience = 15000;
    changedPixelCount = 0;
    workCounter = 0;
    if (symmetryDegree < 1) symmetryDegree = 1;

    switch (drawMode) {
    case 0:
    case 1: SetUpFunctionSystemView(); break;
    case 2:
    case 3: SetUpOrbitStart(); break;
    case 4:
        SetUpOrbitStart();
        SetUpQuiltLattice();
        break;
    case 5:
    case 6: SetUpComplexView(); break;
    case 7: SetUpWalkers(); break;
    case 8: SetUpAutomaton(0, 0); break;
    default: break;
    }
}

void RestartDrawing() {
    frameCounter = 0;
    basinPhase = 0;
    viewFitted = 1;
    if (colourBySource != 0) std::memset(colourDelayLine, 0, sizeof colourDelayLine);
    // The automaton adds rows below those already drawn, so its images stay.
    if (drawMode != 8) {
        std::memset(countImage, 0, sizeof countImage);
        std::memset(indexImage, 0, sizeof indexImage);
    }
    drawStatus = 0;
    lastChangeIteration = 0;
    iterationCount = 0;
    settleIteration = 0;

    if (drawMode == 8) {
        maxColourIndex = automatonColourCount;
    } else if (colourBySource == 0) {
        maxColourIndex = 0;
    } else if (drawMode == 7) {
        maxColourIndex = walkerCount;
    } else if (drawMode >= 2 && drawMode <= 6) {
        maxColourIndex = 255;
    } else if (drawMode == 0 || drawMode == 1) {
        maxColourIndex = mapCount;
    } else {
        maxColourIndex = 0;
    }

    if (drawMode == 4 && imageWidth != 0 && imageHeight != 0) ResnapLattice();

    BuildPalette(ChoosePaletteStyle());

    if (drawMode == 5 || drawMode == 6) {
        startFixed = startAxis[0] == 0 && startAxis[1] == 0 ? 1 : 0;
        constantFixed = constantAxis[0] == 0 && constantAxis[1] == 0 ? 1 : 0;
        DerivePlaneMapping(startAxis, startCentre, startStep, startOffset);
        DerivePlaneMapping(constantAxis, constantCentre, constantStep, constantOffset);
    }
}

void ZoomAtPixel(double scale, int32_t x, int32_t y) {
    const double planeX = (x - viewOriginX) / pixelsPerUnitX;
    const double planeY = -(y - viewOriginY) / pixelsPerUnitY;
    pixelsPerUnitX = scale;
    reciprocalScale = 1 / scale;
    if (drawMode == 4) {
        // The quilt's lattice cells are whole pixels.
        latticeCellWidth = TruncateToInt32(scale);
        if (latticeCellWidth < 2) latticeCellWidth = 1;
        pixelsPerUnitX = latticeCellWidth;
        double rowHeight = hexLattice != 0 ? (pixelsPerUnitX * sqrt3 + 0.5) * 0.5 : pixelsPerUnitX;
        latticeRowHeight = TruncateToInt32(rowHeight);
        if (latticeRowHeight == 0) latticeRowHeight = 1;
        pixelsPerUnitY = latticeRowHeight;
    } else {
        pixelsPerUnitY = scale;
    }
    viewZoomed = 1;
    workCounter = 0;
    viewOriginX = x - pixelsPerUnitX * planeX;
    viewOriginY = y + pixelsPerUnitY * planeY;
    RestartDrawing();
}

void NextAnimationFrame(int32_t continuing) {
    if (continuing == 0) {
        SetUpDrawing();
        animationReverse = animationReverse == 0 ? 1 : 0;
    }

    if (drawMode == 0 || drawMode == 1) {
        GenerateFunctionSystem(QB_REQUEST_ANIMATE);
    } else {
        GenerateModeParameters(QB_REQUEST_ANIMATE);
    }

    int32_t frame = animationFrame + 1;
    if (continuing != 0) {
        switch (drawMode) {
        case 5:
        case 6: RestartDrawing(); break;
        case 7:
            // The walkers' trails stay; only the counters start again.
            frameCounter = 0;
            if (colourBySource == 0) maxColourIndex = 0;
            break;
        case 8:
            // The automaton shows a frame as several screens of rows; its
            // rule tables and title follow the rule every eleventh frame,
            // and only those frames count towards the animation's length.
            if (frameCounter >= kAutomatonRefreshFrames) {
                SetUpAutomaton(1, 0);
                frameCounter = 1;
            } else {
                ++frameCounter;
                frame = animationFrame;
            }
            break;
        default:
            std::memset(countImage, 0, sizeof countImage);
            frameCounter = 0;
            if (colourBySource == 0) maxColourIndex = 0;
            break;
        }
        iterationCount = 0;
        drawStatus = 0;
        settleIteration = 0;
        EmptyRect(drawnRect);
    } else if (drawMode == 8) {
        // Seed the automaton again below the rows drawn so far.
        SetUpAutomaton(0, drawnRect[kBottom] + 1);
    }

    animationFrame = frame;
    changedPixelCount = 2 * imageHeight + 1;

    if (animationFrame > kAnimationFrames) {
        if ((drawMode == 0 || drawMode == 1) && (weightedChoice != 0 || randomCopySkip != 0)) {
            randomCounter = platform::GetTickCount();
        }
        SendCommand(kCommandAnimation, kSourcePlain);
    }
}

} // namespace quintorbelle
