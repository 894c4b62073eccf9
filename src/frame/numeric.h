// Conversions of real values to integers as the engine's arithmetic does them.
#pragma once

#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quintorbelle {

// Truncates toward zero to i32. A value outside the i32 range, or not a
// number, gives INT32_MIN (the processor's "integer indefinite"), so a pixel
// position far off the picture always compares as outside it.
inline int32_t TruncateToInt32(double value) {
#if defined(__SSE2__)
    return _mm_cvttsd_si32(_mm_set_sd(value));
#else
    if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
    return static_cast<int32_t>(value);
#endif
}

} // namespace quintorbelle
