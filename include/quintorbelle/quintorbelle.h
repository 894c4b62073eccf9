/*
 * Quintorbelle drawing engine: the public interface.
 *
 * The engine exports its shared parameter block and its entry points by
 * ordinal only. A host finds each of them through QuintorbelleExport and
 * casts the address to the type given beside the ordinal below. Variables
 * are read and written directly; there are no accessor calls.
 *
 * Types: i32 int32_t, u32 uint32_t, f64 double, flag int32_t holding 0 or 1,
 * handle uint32_t, text const char *. Multi-value variables keep the field
 * order listed. Everything runs on one thread, the host's.
 *
 * The host's side of the window system (windows, messages, titles) is in
 * quintorbelle/platform.h.
 */
#ifndef QUINTORBELLE_QUINTORBELLE_H
#define QUINTORBELLE_QUINTORBELLE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define QUINTORBELLE_API __attribute__((visibility("default")))
#else
#define QUINTORBELLE_API
#endif

/* The address exported under an ordinal (1 to 150), or NULL where the
 * ordinal exports nothing. */
QUINTORBELLE_API void *QuintorbelleExport(int32_t ordinal);

enum {
    QB_IMAGE_STRIDE = 1280, /* entries per row of both images */
    QB_IMAGE_ROWS = 1024,   /* rows of both images */
    QB_MAP_CAPACITY = 300   /* records of the function table */
};

/* One affine map of the function system: (x, y) -> (m0 x + m1 y + e, m2 x + m3 y + f). */
typedef struct QuintorbelleMapRecord {
    double m0, m1, m2, m3, e, f;
    uint32_t weight; /* 1 to 100 */
    uint32_t fill;
} QuintorbelleMapRecord;

/* The forty-byte header of a device-independent bitmap. */
typedef struct QuintorbelleBitmapHeader {
    int32_t headerSize; /* 40 */
    int32_t width;      /* 1280 */
    int32_t height;     /* -1024: rows run top-down */
    uint16_t planes;    /* 1 */
    uint16_t bitCount;  /* 8 */
    uint32_t compression;
    uint32_t imageSize;
    int32_t xPixelsPerMetre;
    int32_t yPixelsPerMetre;
    uint32_t coloursUsed;
    uint32_t coloursImportant;
} QuintorbelleBitmapHeader;

/* Colours are 0x00RRGGBB. Ramp entries 256 to 258 hold the custom ramp's
 * three anchors, followed by its option bytes. */
enum {
    QB_RAMP_ANCHOR_0 = 256,
    QB_RAMP_ANCHOR_1 = 257,
    QB_RAMP_ANCHOR_2 = 258,
    QB_RAMP_FADE_IN = 0,  /* index into customOptions */
    QB_RAMP_FADE_OUT = 1, /* index into customOptions */
    QB_RAMP_MODE_0 = 2,   /* index into customOptions; modes 1 and 2 follow */
    QB_RAMP_OPTION_COUNT = 5
};

typedef struct QuintorbelleRampInfo {
    QuintorbelleBitmapHeader header;
    uint32_t colours[259];
    uint8_t customOptions[QB_RAMP_OPTION_COUNT];
} QuintorbelleRampInfo;

typedef struct QuintorbelleDisplayInfo {
    QuintorbelleBitmapHeader header;
    uint32_t colours[259]; /* 256 shown colours and room for three more */
} QuintorbelleDisplayInfo;

/* Ordinals. Variables first (with their type and meaning), then entry points
 * (with their C signature). */
enum QuintorbelleOrdinal {
    QB_drawMode = 1,               /* i32: drawing mode 0..8 */
    QB_countImage = 2,             /* u16[1024][1280]: per-pixel counts */
    QB_indexImage = 3,             /* u8[1024][1280]: per-pixel colour index */
    QB_areaPerWorkUnit = 4,        /* i32: pixels of drawn-area growth per work unit (56000) */
    QB_orbitStore = 5,             /* double *: saved orbit point per pixel, modes 5 and 6 */
    QB_fittedOnce = 6,             /* flag: set by every view fit */
    QB_titleQuiet = 7,             /* flag: the engine leaves the title alone (1) */
    QB_pixelsPerUnitX = 8,         /* f64: horizontal scale of the view */
    QB_pixelsPerUnitY = 9,         /* f64: vertical scale of the view */
    QB_fitScale = 10,              /* f64: scale of the fitted view */
    QB_viewOriginX = 11,           /* f64: pixel x of the plane origin */
    QB_viewOriginY = 12,           /* f64: pixel y of the plane origin */
    QB_latticeCellWidth = 13,      /* i32: quilt cell width in pixels */
    QB_latticeRowHeight = 14,      /* i32: quilt row height in pixels */
    QB_randomCounter = 18,         /* u32: counter of the random generator */
    QB_lastChangeIteration = 19,   /* u32: iteration at which a pixel last changed */
    QB_iterationCount = 20,        /* u32: iterations of the current picture */
    QB_settleIteration = 21,       /* u32: iteration after which the picture has settled */
    QB_workCounter = 22,           /* i32: work units spent on the current picture */
    QB_totalIterations = 23,       /* u32: running total of iterations */
    QB_iterationsPerWorkUnit = 24, /* i32: iterations per work unit (1245) */
    QB_autoExplore = 25,           /* flag: automatic exploration (1) */
    QB_drawnRect = 26,             /* i32[4]: left, top, right, bottom changed since the repaint */
    QB_imageWidth = 27,            /* i32: picture width, at most 1280 */
    QB_displayWidth = 28,          /* i32: width of the area showing the picture */
    QB_imageHeight = 29,           /* i32: picture height, at most 1024 */
    QB_maxColourIndex = 30,        /* i32: highest colour index in use */
    QB_changedPixelCount = 31,     /* i32: pixels given a colour */
    QB_divergenceIteration = 32,   /* u32: iteration at which the shadow orbit separated */
    QB_frameCounter = 33,          /* i32: per-frame sub-counter of an animation */
    QB_viewZoomed = 34,            /* flag: the view differs from the fitted one */
    QB_rampStyle = 35,             /* i32: colour ramp 0..4 (4 custom) */
    QB_colourScheme = 36,          /* i32: channel order and tone 0..23 */
    QB_colourBySource = 37,        /* flag: colour by source, not density */
    QB_symmetryDegree = 38,        /* i32: symmetry degree; states (mode 8); walkers (mode 7) */
    QB_coloursPerRoot = 39,        /* i32: palette entries per Newton root band */
    QB_mirrorSymmetry = 40,        /* flag: add mirror images */
    QB_syncDepth = 41,             /* i32: non-zero while the engine replays settings */
    QB_logColourScale = 42,        /* flag: compressed colour scale */
    QB_viewFitted = 43,            /* flag: the view has been fitted */
    QB_animationFrame = 44,        /* i32: frame of the running animation; host resets to 0 */
    QB_animationReverse = 45,      /* flag: direction of the animation */
    QB_animationFlags = 46,        /* i32: what an animation frame changes */
    QB_drawStatus = 47,            /* i32: 0 drawing, 2 finished */
    QB_rampBitmapInfo = 49,        /* QuintorbelleRampInfo: ramp and custom anchors */
    QB_displayBitmapInfo = 50,     /* QuintorbelleDisplayInfo: header and shown colours */
    QB_densityThresholds = 51,     /* u16[256]: count at which a pixel leaves each index */
    QB_hostWindow = 52,            /* handle: the host's main window */
    QB_windowDc = 53,              /* handle: device context of the host window */
    QB_paletteHandle = 54,         /* handle: logical palette */
    QB_functionTable = 55,         /* QuintorbelleMapRecord[300]: maps of modes 0 and 1 */
    QB_invSqrt3 = 57,              /* f64: 1 / square root of 3 */
    QB_twoPi = 58,                 /* f64: 2 pi */
    QB_baseMapCount = 59,          /* i32: random base maps of the function system (1) */
    QB_mapCount = 60,              /* i32: maps in the function table */
    QB_maxSymmetryDegree = 61,     /* i32: largest degree that suits the last map (50) */
    QB_halfAngleCopies = 62,       /* flag: copies turn their linear part by half the angle */
    QB_randomCopyScale = 63,       /* flag: copies scaled at random */
    QB_shrinkCopies = 64,          /* flag: each copy smaller than the last */
    QB_weightedChoice = 65,        /* flag: choose maps by weight */
    QB_extraFlipMap = 66,          /* flag: add the flip map */
    QB_extraHalfMap = 67,          /* flag: add the half map */
    QB_randomCopySkip = 68,        /* flag: skip copies at random */
    QB_shiftCopies = 69,           /* flag: copies shifted instead of turned */
    QB_variation = 70,             /* i32: nonlinear variation 0..6 of modes 0 and 1 */
    QB_stepwiseLevels = 71,        /* flag: complex pictures run whole levels per call */
    QB_hexLattice = 72,            /* flag: the quilt uses the hexagonal lattice */
    QB_colouringVariant = 73,      /* i32: colouring variant or colour delay */
    QB_mapVariant = 74,            /* flag: alternative form of the mode's map */
    QB_modeOption = 75,            /* flag: per-mode option */
    QB_basinPhase = 76,            /* flag: the basin pass is running */
    QB_orbitPoint = 77,            /* f64[2]: current orbit point x, y */
    QB_shadowPoint = 78,           /* f64[2]: shadow orbit point x, y */
    QB_lambda = 79,                /* f64: map coefficient */
    QB_alpha = 80,                 /* f64: map coefficient */
    QB_beta = 81,                  /* f64: map coefficient */
    QB_gamma = 82,                 /* f64: map coefficient */
    QB_omega = 83,                 /* f64[2]: map coefficient (first element) */
    QB_quadCoef0 = 84,             /* f64: quadratic delay map coefficient 0 */
    QB_quadCoef1 = 85,             /* f64: coefficient 1 */
    QB_quadCoef2 = 86,             /* f64: coefficient 2 */
    QB_quadCoef3 = 87,             /* f64: coefficient 3 */
    QB_quadCoef4 = 88,             /* f64: coefficient 4 */
    QB_quadCoef5 = 89,             /* f64: coefficient 5 */
    QB_paramOrigin = 90,           /* i32: where the parameters came from */
    QB_startAxis = 91,             /* f64[2]: pixel-to-start-point axis, modes 5 and 6 */
    QB_constantAxis = 92,          /* f64[2]: pixel-to-constant axis */
    QB_startCentre = 93,           /* f64[2]: start point at the origin pixel */
    QB_constantCentre = 94,        /* f64[2]: constant at the origin pixel */
    QB_savedRandomStateList = 99,  /* void *[2]: walker random state (u32 counter, multiplier) */
    QB_quadCoefList = 100,         /* void *[6]: the six f64 quadratic coefficients */
    QB_complexSliceList =
        101, /* void *[8]: f64 start axis, start centre, constant axis, constant centre */
    QB_iconCoefList = 102,        /* void *[6]: f64 lambda, alpha, beta, gamma, omega, NULL */
    QB_automatonRuleList = 103,   /* void *[8]: i32 class, i32 radius, u32 mask, multiplier, rule
                                     mask, modulus, seed, NULL */
    QB_startStep = 104,           /* f64[2]: start axis per pixel */
    QB_constantStep = 105,        /* f64[2]: constant axis per pixel */
    QB_startOffset = 106,         /* f64[2]: start point at pixel (0, 0) */
    QB_constantOffset = 107,      /* f64[2]: constant at pixel (0, 0) */
    QB_RuntimeFree = 108,         /* void free(void *) */
    QB_RuntimeFloor = 109,        /* double floor(double) */
    QB_RuntimeMemmove = 110,      /* void *memmove(void *, const void *, size_t) */
    QB_RuntimeSprintf = 111,      /* int sprintf(char *, const char *, ...) */
    QB_NextAnimationFrame = 112,  /* void (int32_t continuing) */
    QB_ExploreWhileDrawing = 113, /* void (int32_t progress) */
    QB_ExploreAfterDrawing = 114, /* int32_t (int32_t goOn) */
    QB_RandomiseFunctionSystem = 115, /* void (int32_t commandId or 0) */
    QB_RandomiseModeParameters = 116, /* void (int32_t commandId or 0) */
    QB_PlotAttractor = 117,           /* int32_t (uint32_t budget) */
    QB_PlotQuilt = 118,               /* void (uint32_t budget) */
    QB_GrowAutomatonRows = 119,       /* int32_t (uint32_t budget) */
    QB_Random = 120,                  /* uint32_t (void) */
    QB_BuildColourRamp = 121,         /* int32_t (void) */
    QB_ApplySettingsFlags = 122,      /* void (uint32_t settingsWord) */
    QB_GenerateFunctionSystem = 123,  /* void (int32_t request) */
    QB_GenerateModeParameters = 124,  /* void (int32_t request) */
    QB_SetUpDrawing = 125,            /* void (void) */
    QB_RestartDrawing = 126,          /* void (void) */
    QB_RefineComplexPicture = 127,    /* int32_t (int32_t progressive) */
    QB_StepOrbitStatistics = 128,     /* int32_t (void) */
    QB_SetTitleText = 129,            /* void (const char *text, int32_t titleFlags) */
    QB_StepWalkers = 130,             /* int32_t (uint32_t budget) */
    QB_FitViewToAttractor = 131,      /* int32_t (void) */
    QB_Multiply2x2 = 132,      /* void (double out[4], const double a[4], const double b[4]) */
    QB_ZoomAtPixel = 133,      /* void (double scale, int32_t x, int32_t y) */
    QB_SwitchModeFamily = 134, /* void (int32_t functionSystem) */
    QB_ModInverse = 135,       /* uint32_t (uint32_t x) */
    QB_BuildPalette = 138,     /* void (int32_t paletteStyle) */
    QB_StartEngine = 140,      /* void (void *unused) */
    QB_Recolour = 141,         /* int32_t (int32_t firstThreshold) */
    QB_RuntimeAcos = 142,      /* double acos(double) */
    QB_RuntimeFloatWord = 143, /* i32: runtime floating-point word (0x9875), unused */
    QB_RuntimeTruncate = 144,  /* int64_t (double): truncation toward zero */
    QB_RuntimeAtof = 145,      /* double atof(const char *) */
    QB_RuntimeAtol = 146,      /* int32_t (const char *) */
    QB_ShowPixelOrbit = 150    /* void (int32_t x, int32_t y) */
};

/* Request codes of the parameter generators. */
enum {
    QB_REQUEST_KEEP = 0,          /* keep or complete the parameters and restart */
    QB_REQUEST_NEW = 1,           /* new parameters */
    QB_REQUEST_NEW_ADAPTED = 2,   /* new parameters with the symmetry adapted to them */
    QB_REQUEST_ANIMATE = 3,       /* one animation frame, no restart */
    QB_REQUEST_REPLAY_WALKERS = 4 /* new parameters; mode 7 replays its walker table */
};

/* Entry point types, for casting the addresses QuintorbelleExport returns. */
typedef void (*QuintorbelleVoidFn)(void);
typedef void (*QuintorbelleIntFn)(int32_t);
typedef int32_t (*QuintorbelleIntResultFn)(void);
typedef int32_t (*QuintorbelleIntToIntFn)(int32_t);
typedef int32_t (*QuintorbelleBudgetFn)(uint32_t budget);
typedef void (*QuintorbelleBudgetVoidFn)(uint32_t budget);
typedef uint32_t (*QuintorbelleRandomFn)(void);
typedef uint32_t (*QuintorbelleModInverseFn)(uint32_t);
typedef void (*QuintorbelleSettingsFn)(uint32_t settingsWord);
typedef void (*QuintorbelleTitleFn)(const char *text, int32_t titleFlags);
typedef void (*QuintorbelleMultiplyFn)(double *out, const double *a, const double *b);
typedef void (*QuintorbelleZoomFn)(double scale, int32_t x, int32_t y);
typedef void (*QuintorbellePixelFn)(int32_t x, int32_t y);
typedef void (*QuintorbelleStartFn)(void *unused);

#ifdef __cplusplus
}
#endif

#endif
