// Orbit maps: the fast generator of the per-step map choice, and the complex
// power. The map steps of the attractor modes come with their plotter.
#include "frame/engine_state.h"
#include "generators/generators.h"

namespace quintorbelle {

// Multiplicative congruential generator modulo 2^31 - 1; from the initial
// state 1 its states stay in 1 .. 2^31 - 2.
uint32_t FastRandom() {
    fastRandomState =
        static_cast<uint32_t>(static_cast<uint64_t>(fastRandomState) * 1078318381u % 2147483647u);
    return fastRandomState;
}

int32_t StepFunctionSystem() {
    return 0;
}
int32_t StepPlaneMap(double *) {
    return 0;
}

// Binary exponentiation from the lowest bit of n upward.
void ComplexPower(double *result, double re, double im, int32_t n) {
    double squareRe = re;
    double squareIm = im;
    bool haveResult = (n & 1) != 0;
    double resultRe = re;
    double resultIm = im;
    for (auto remaining = static_cast<uint32_t>(n) >> 1; remaining != 0; remaining >>= 1) {
        double nextIm = 2 * squareRe * squareIm;
        squareRe = (squareRe + squareIm) * (squareRe - squareIm);
        squareIm = nextIm;
        if ((remaining & 1u) == 0) continue;
        if (haveResult) {
            double productRe = resultRe * squareRe - resultIm * squareIm;
            resultIm = resultRe * squareIm + resultIm * squareRe;
            resultRe = productRe;
        } else {
            resultRe = squareRe;
            resultIm = squareIm;
            haveResult = true;
        }
    }
    result[0] = haveResult ? resultRe : 1;
    result[1] = haveResult ? resultIm : 0;
}

} // namespace quintorbelle
