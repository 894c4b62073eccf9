/* A host written in C against the two public headers alone: it sets the
 * shared block, starts the engine, builds the colours, sets up, restarts,
 * zooms and animates a picture, and checks what the engine reports back. */
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include "quintorbelle/platform.h"
#include "quintorbelle/quintorbelle.h"

static int failures = 0;
static int endOfAnimation = 0;

#define CHECK(condition)                                                                           \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);          \
            ++failures;                                                                            \
        }                                                                                          \
    } while (0)

static intptr_t Procedure(uint32_t window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    (void)window;
    if (message == QB_WM_COMMAND && wParam == 40020 && lParam == 0) ++endOfAnimation;
    return 0;
}

static uint32_t FixedTicks(void) {
    return 4321;
}

#define VARIABLE(type, ordinal) (*(type *)QuintorbelleExport(ordinal))

int main(void) {
    QuintorbelleSetTickSource(FixedTicks);
    uint32_t window = QuintorbelleCreateWindow(Procedure, 320, 240);
    CHECK(window != 0);

    CHECK(QuintorbelleExport(0) == NULL);
    CHECK(QuintorbelleExport(15) == NULL);
    CHECK(QuintorbelleExport(151) == NULL);
    CHECK(VARIABLE(int32_t, QB_RuntimeFloatWord) == 0x9875);
    CHECK(VARIABLE(int32_t, QB_iterationsPerWorkUnit) == 1245);
    CHECK(VARIABLE(int32_t, QB_areaPerWorkUnit) == 56000);
    CHECK(VARIABLE(int32_t, QB_titleQuiet) == 1);
    CHECK(VARIABLE(int32_t, QB_maxSymmetryDegree) == 50);
    CHECK(((void **)QuintorbelleExport(QB_iconCoefList))[0] == QuintorbelleExport(QB_lambda));
    CHECK(((void **)QuintorbelleExport(QB_iconCoefList))[5] == NULL);
    CHECK(((void **)QuintorbelleExport(QB_quadCoefList))[5] == QuintorbelleExport(QB_quadCoef5));

    double (*floorFunction)(double) = (double (*)(double))QuintorbelleExport(QB_RuntimeFloor);
    int64_t (*truncate)(double) = (int64_t(*)(double))QuintorbelleExport(QB_RuntimeTruncate);
    int32_t (*toInteger)(const char *) =
        (int32_t(*)(const char *))QuintorbelleExport(QB_RuntimeAtol);
    CHECK(floorFunction(-1.5) == -2.0);
    CHECK(truncate(-1.5) == -1);
    CHECK(toInteger("-42") == -42);

    VARIABLE(uint32_t, QB_hostWindow) = window;
    VARIABLE(int32_t, QB_imageWidth) = 320;
    VARIABLE(int32_t, QB_imageHeight) = 240;
    VARIABLE(int32_t, QB_displayWidth) = 320;
    VARIABLE(int32_t, QB_titleQuiet) = 0;

    ((QuintorbelleStartFn)QuintorbelleExport(QB_StartEngine))(NULL);
    CHECK(VARIABLE(uint32_t, QB_randomCounter) == 4321);
    CHECK(VARIABLE(double, QB_twoPi) == 2 * 3.14159265358979323846);
    CHECK(fabs(VARIABLE(double, QB_invSqrt3) - 0.5773502691896258) < 1e-16);

    ((QuintorbelleIntResultFn)QuintorbelleExport(QB_BuildColourRamp))();
    QuintorbelleRampInfo *ramp = (QuintorbelleRampInfo *)QuintorbelleExport(QB_rampBitmapInfo);
    QuintorbelleDisplayInfo *display =
        (QuintorbelleDisplayInfo *)QuintorbelleExport(QB_displayBitmapInfo);
    uint16_t *thresholds = (uint16_t *)QuintorbelleExport(QB_densityThresholds);
    CHECK(ramp->header.headerSize == 40);
    CHECK(ramp->header.width == 1280 && ramp->header.height == -1024);
    CHECK(ramp->header.bitCount == 8 && ramp->header.coloursUsed == 256);
    CHECK(ramp->colours[0] == 0 && ramp->colours[1] == 0x660000);
    CHECK(ramp->colours[255] == 0xFFFBFB);
    CHECK(display->header.headerSize == 40);
    CHECK(thresholds[0] == 1 && thresholds[255] == 32767);
    CHECK(VARIABLE(uint32_t, QB_paletteHandle) != 0);
    CHECK(VARIABLE(uint32_t, QB_windowDc) != 0);

    /* The classic slice of the escape-time picture. */
    VARIABLE(int32_t, QB_drawMode) = 5;
    double *constantAxis = (double *)QuintorbelleExport(QB_constantAxis);
    constantAxis[0] = 1;
    ((QuintorbelleVoidFn)QuintorbelleExport(QB_SetUpDrawing))();
    CHECK(VARIABLE(double, QB_pixelsPerUnitX) == 75);
    CHECK(VARIABLE(double, QB_viewOriginX) == 160 && VARIABLE(double, QB_viewOriginY) == 120);
    CHECK(VARIABLE(int32_t, QB_viewFitted) == 1);
    double *constantStep = (double *)QuintorbelleExport(QB_constantStep);
    double *constantOffset = (double *)QuintorbelleExport(QB_constantOffset);
    CHECK(constantStep[0] == 1.0 / 75 && constantStep[1] == 0);
    CHECK(fabs(constantOffset[0] + 160.0 / 75) < 1e-15);

    ((QuintorbelleZoomFn)QuintorbelleExport(QB_ZoomAtPixel))(150, 160, 120);
    CHECK(VARIABLE(double, QB_pixelsPerUnitX) == 150);
    CHECK(VARIABLE(double, QB_viewOriginX) == 160 && VARIABLE(double, QB_viewOriginY) == 120);
    CHECK(VARIABLE(int32_t, QB_viewZoomed) == 1);

    ((QuintorbelleVoidFn)QuintorbelleExport(QB_RestartDrawing))();
    CHECK(VARIABLE(int32_t, QB_drawStatus) == 0);
    CHECK(VARIABLE(int32_t, QB_maxColourIndex) == 0);

    /* An animation of 360 frames, then the command that ends it. */
    QuintorbelleIntFn nextFrame = (QuintorbelleIntFn)QuintorbelleExport(QB_NextAnimationFrame);
    VARIABLE(int32_t, QB_drawMode) = 3;
    nextFrame(0);
    CHECK(VARIABLE(int32_t, QB_animationFrame) == 1);
    for (int frame = 2; frame <= 360; ++frame) nextFrame(1);
    CHECK(endOfAnimation == 0);
    nextFrame(1);
    CHECK(endOfAnimation == 1);
    CHECK(VARIABLE(int32_t, QB_changedPixelCount) == 2 * 240 + 1);

    QuintorbelleDestroyWindow(window);
    if (failures == 0) printf("public interface: all checks passed\n");
    return failures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
