// The complex power z^n for an integer n >= 0, shared by the icon map, the
// escape-time and Newton iterations and the cusp orbit. It is inline so
// that the inner loops of those pictures keep z in registers.
#pragma once

#include <cstdint>

namespace quintorbelle {

// Binary exponentiation from the lowest bit of n upward.
inline void ComplexPower(double *result, double re, double im, int32_t n) {
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
