// The parameter generator of modes 2 to 8: new random parameters for the
// current mode, or their change by one animation frame. It draws the
// coefficients of the quadratic delay map (mode 2), the icon map (mode 3)
// and the quilt map (mode 4) and the walkers' random table (mode 7), and
// hands modes 5, 6 and 8 to the complex slice and automaton rule generators.
//
// Depends on the random generator and SetUpDrawing of the frame and on the
// slice and rule generators. Does not iterate any map; an animation frame
// does not restart the picture, the step driver does.
#include <cstdint>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "parameters/parameters.h"

namespace quintorbelle {
namespace {

// Scale factors of a draw r (0 to p - 1), each close to its range over p.
constexpr double kF1 = 2.328306549837829e-10;
constexpr double kF2 = 4.656613099675658e-10;
constexpr double kF6 = 1.3969839299026973e-09;
constexpr double kF1_2 = 2.7939678598053947e-10;
constexpr double kF0_8 = 1.8626452398702633e-10;
constexpr double kF0_4 = 9.313226199351317e-11;
constexpr double kF0_2 = 4.656613099675658e-11;
constexpr double kF20 = 4.656613099675658e-09;
constexpr double kF40 = 9.313226199351316e-09;

double ScaledDraw(double factor, double offset) {
    return Random() * factor - offset;
}

// A coefficient selected by `selectBit` changes by the factor, divided by it
// when `directionBit` is set.
void ScaleCoefficient(double &coefficient, int32_t selectBit, int32_t directionBit, double f) {
    if ((animationFlags & selectBit) == 0) return;
    coefficient = (animationFlags & directionBit) != 0 ? coefficient / f : coefficient * f;
}

void AnimateParameters() {
    const double f =
        animationReverse != 0 ? (drawMode == 4 ? 0.99 : 0.999) : (drawMode == 4 ? 1.01 : 1.001);
    if (drawMode == 8) StepAutomatonRule();
    if (drawMode == 5 || drawMode == 6) StepComplexSlice();

    if (drawMode == 2) {
        // Bit 32 selects the sixth coefficient, with direction bit 8192,
        // just as bits 1 to 16 select the other five with 256 to 4096: the
        // emptiness test and the default 5439 count bit 32 as a coefficient
        // bit, and so the default animates all six.
        if ((animationFlags & 63) == 0) animationFlags = 5439;
        ScaleCoefficient(quadCoef0, 1, 256, f);
        ScaleCoefficient(quadCoef1, 2, 512, f);
        ScaleCoefficient(quadCoef2, 4, 1024, f);
        ScaleCoefficient(quadCoef3, 8, 2048, f);
        ScaleCoefficient(quadCoef4, 16, 4096, f);
        ScaleCoefficient(quadCoef5, 32, 8192, f);
    } else {
        if ((animationFlags & 31) == 0) animationFlags = 5407;
        ScaleCoefficient(lambda, 1, 256, f);
        ScaleCoefficient(alpha, 2, 512, f);
        ScaleCoefficient(beta, 4, 1024, f);
        ScaleCoefficient(gamma, 8, 2048, f);
        ScaleCoefficient(omega[0], 16, 4096, f);
    }
    drawStatus = 0;
}

// Draws the walkers' table; request 4 first rewinds the random generator to
// where the last table was drawn, so the same walkers come again.
void DrawWalkerTable(int32_t request) {
    paramOrigin = 2;
    if (request == QB_REQUEST_REPLAY_WALKERS) {
        randomCounter = savedWalkerCounter;
        randomMultiplier = savedWalkerMultiplier;
    } else {
        savedWalkerCounter = randomCounter;
        savedWalkerMultiplier = randomMultiplier;
    }
    for (uint32_t &entry : walkerRandomTable) entry = Random();
}

void DrawIconCoefficients() {
    lambda = ScaledDraw(kF6, 3);
    // With symmetry, a lambda near zero gives a dull icon: it is pushed away
    // from zero, further with a mirror, and further still at degree 2.
    const int32_t n = symmetryDegree;
    if (n > 1) {
        if (lambda < 0) {
            if (lambda > -0.7) lambda -= 2;
            if (mirrorSymmetry != 0) {
                if (lambda > -1) lambda -= 1.2;
                if (n == 2 && lambda > -2) lambda -= 1;
            }
        } else {
            if (lambda < 0.7) lambda += 2;
            if (mirrorSymmetry != 0) {
                if (lambda < 1) lambda += 1.2;
                if (n == 2 && lambda < 2) lambda += 1;
            }
        }
    }
    alpha = ScaledDraw(kF20, 10);
    beta = ScaledDraw(kF40, 20);
    gamma = ScaledDraw(kF2, 1);
    // A mirrored icon without the variant has no rotation term to speak of.
    omega[0] = mirrorSymmetry != 0 && mapVariant == 0 ? ScaledDraw(kF0_2, 0.1) : ScaledDraw(kF2, 1);
}

void DrawNewParameters(int32_t request) {
    paramOrigin = 0;
    switch (drawMode) {
    case 7: DrawWalkerTable(request); break;
    case 8: GenerateAutomatonRule(); break;
    case 5:
    case 6: GenerateComplexSlice(); break;
    case 2:
        quadCoef0 = ScaledDraw(kF6, 3);
        quadCoef1 = ScaledDraw(kF6, 3);
        quadCoef2 = ScaledDraw(kF6, 3);
        quadCoef3 = ScaledDraw(kF6, 3);
        quadCoef4 = ScaledDraw(kF6, 3);
        quadCoef5 = ScaledDraw(kF6, 3);
        break;
    case 4:
        lambda = ScaledDraw(kF1_2, 0.6);
        alpha = ScaledDraw(kF1, 0.5);
        beta = ScaledDraw(kF1_2, 0.6);
        gamma = ScaledDraw(kF0_8, 0.4);
        omega[0] = ScaledDraw(kF0_4, 0.2);
        break;
    default: DrawIconCoefficients(); break;
    }
}

} // namespace

void GenerateModeParameters(int32_t request) {
    if (request == QB_REQUEST_ANIMATE) {
        AnimateParameters();
        return;
    }
    if (request != QB_REQUEST_KEEP) DrawNewParameters(request);
    SetUpDrawing();
}

} // namespace quintorbelle
