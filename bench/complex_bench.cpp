// The complex-plane pictures: the escape-time and Newton pixel workers, each
// beside a bare loop of the same arithmetic, and the progressive renderer
// completing a whole classic picture beside a plain renderer that computes
// every pixel once at the limits the progressive one ended with.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "complex/complex.h"
#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "parameters/parameters.h"

namespace quintorbelle {
namespace {

constexpr uint32_t kPixelLimit = 10000;

// The bare loops read their constants from here and leave their results
// here, so that the compiler can neither fold nor drop the arithmetic.
volatile double bareInput[2];
volatile double bareOutput[2];

// Every pixel starts at z0 with the constant c; the history is short, as
// at the first levels of a picture.
void SetUpFixedOrbit(int32_t mode, int32_t degree, double z0Re, double z0Im, double cRe,
                     double cIm) {
    StartEngine(nullptr);
    drawMode = mode;
    symmetryDegree = degree;
    colourBySource = 0;
    colouringVariant = 0;
    mapVariant = 0;
    startFixed = 1;
    constantFixed = 1;
    startCentre[0] = z0Re;
    startCentre[1] = z0Im;
    constantCentre[0] = cRe;
    constantCentre[1] = cIm;
    iterationCount = kPixelLimit;
    historyLength = 2;
    SetUpEscapeRadius(1);
}

// Attracted to a fixed point: the orbit runs to the limit and the cycle is
// found after the last iteration.
void BM_EscapeTimePixelSquare(benchmark::State &state) {
    SetUpFixedOrbit(5, 1, 0, 0, -0.5, 0.1);
    uint32_t count = 0;
    for (auto _ : state) benchmark::DoNotOptimize(EscapeTimePixel(0, 0, 0, nullptr, &count));
    state.SetItemsProcessed(state.iterations() * kPixelLimit);
}
BENCHMARK(BM_EscapeTimePixelSquare);

// The bare escape-time loop from z0 = 0 with the constant c: `power` turns z
// into z^(n+1), to which c is then added.
template <typename Power>
void EscapeTimeBare(benchmark::State &state, double cRe, double cIm, double radiusSquared,
                    Power power) {
    bareInput[0] = cRe;
    bareInput[1] = cIm;
    for (auto _ : state) {
        double re = 0;
        double im = 0;
        const double c[2] = {bareInput[0], bareInput[1]};
        for (uint32_t n = 1; n <= kPixelLimit; ++n) {
            if (re * re + im * im > radiusSquared) break;
            power(re, im);
            re += c[0];
            im += c[1];
        }
        bareOutput[0] = re;
        bareOutput[1] = im;
    }
    state.SetItemsProcessed(state.iterations() * kPixelLimit);
}

void BM_EscapeTimeBareSquare(benchmark::State &state) {
    EscapeTimeBare(state, -0.5, 0.1, 4, [](double &re, double &im) {
        const double nextIm = 2 * re * im;
        re = (re + im) * (re - im);
        im = nextIm;
    });
}
BENCHMARK(BM_EscapeTimeBareSquare);

// z^4 + c, raised by two squarings in the general power.
void BM_EscapeTimePixelFourth(benchmark::State &state) {
    SetUpFixedOrbit(5, 3, 0, 0, 0.2, 0.1);
    uint32_t count = 0;
    for (auto _ : state) benchmark::DoNotOptimize(EscapeTimePixel(0, 0, 0, nullptr, &count));
    state.SetItemsProcessed(state.iterations() * kPixelLimit);
}
BENCHMARK(BM_EscapeTimePixelFourth);

void BM_EscapeTimeBareFourth(benchmark::State &state) {
    EscapeTimeBare(state, 0.2, 0.1, std::pow(2.0, 2.0 / 3), [](double &re, double &im) {
        const double squareRe = (re + im) * (re - im);
        const double squareIm = 2 * re * im;
        re = (squareRe + squareIm) * (squareRe - squareIm);
        im = 2 * squareRe * squareIm;
    });
}
BENCHMARK(BM_EscapeTimeBareFourth);

// Newton's method for z^2 - 1 from a point on the imaginary axis, which it
// never leaves: the orbit wanders without converging.
void BM_NewtonPixel(benchmark::State &state) {
    SetUpFixedOrbit(6, 1, 0, 0.3, -1, 0);
    uint32_t count = 0;
    if (NewtonPixel(0, 0, 0, nullptr, &count) != 0) state.SkipWithError("the orbit converged");
    for (auto _ : state) benchmark::DoNotOptimize(NewtonPixel(0, 0, 0, nullptr, &count));
    state.SetItemsProcessed(state.iterations() * kPixelLimit);
}
BENCHMARK(BM_NewtonPixel);

void BM_NewtonBare(benchmark::State &state) {
    bareInput[0] = -1;
    bareInput[1] = 0;
    for (auto _ : state) {
        double re = 0;
        double im = 0.3;
        const double cRe = bareInput[0];
        const double cIm = bareInput[1];
        for (uint32_t n = 1; n <= kPixelLimit; ++n) {
            const double dRe = 2 * re;
            const double dIm = 2 * im;
            const double fRe = re * re - im * im + cRe;
            const double fIm = re * im + im * re + cIm;
            const double dd = dRe * dRe + dIm * dIm;
            const double stepRe = (fRe * dRe + fIm * dIm) / dd;
            const double stepIm = (fIm * dRe - fRe * dIm) / dd;
            re -= stepRe;
            im -= stepIm;
            if (!std::isfinite(re) || !std::isfinite(im)) break;
            if (stepRe * stepRe + stepIm * stepIm < 1e-8) break;
        }
        bareOutput[0] = re;
        bareOutput[1] = im;
    }
    state.SetItemsProcessed(state.iterations() * kPixelLimit);
}
BENCHMARK(BM_NewtonBare);

// The classic slice at the full picture size: z0 = 0 and c over the plane.
void SetUpClassicPicture() {
    StartEngine(nullptr);
    std::free(orbitStore);
    orbitStore = nullptr;
    imageWidth = 1280;
    imageHeight = 1024;
    drawMode = 5;
    symmetryDegree = 1;
    colourBySource = 0;
    mapVariant = 0;
    animationFrame = 0;
    stepwiseLevels = 0;
    startAxis[0] = startAxis[1] = 0;
    startCentre[0] = startCentre[1] = 0;
    constantAxis[0] = 1;
    constantAxis[1] = 0;
    constantCentre[0] = constantCentre[1] = 0;
    SetUpComplexView();
}

struct FinalLimits {
    uint32_t iterationCount = 0;
    uint32_t historyLength = 0;
};
FinalLimits finalLimits;

struct RefineRun {
    int64_t calls = 0;
    double iterations = 0; // totalIterations wraps at 2^32; this does not
};

RefineRun RefineToCompletion() {
    SetUpClassicPicture();
    RefineRun run;
    while (drawStatus != 2) {
        const uint32_t before = totalIterations;
        RefineComplexPicture(1);
        run.iterations += totalIterations - before;
        ++run.calls;
    }
    finalLimits = {iterationCount, historyLength};
    return run;
}

void BM_RefineClassicPicture(benchmark::State &state) {
    RefineRun run;
    for (auto _ : state) run = RefineToCompletion();
    state.counters["calls"] = static_cast<double>(run.calls);
    state.counters["finalLimit"] = finalLimits.iterationCount;
    state.counters["iterations"] = run.iterations;
}
BENCHMARK(BM_RefineClassicPicture)->Iterations(1)->Unit(benchmark::kSecond);

// Every pixel once, from z0, at the limit and history length that the
// progressive renderer ended with.
void BM_PlainClassicPicture(benchmark::State &state) {
    if (finalLimits.iterationCount == 0) RefineToCompletion();
    SetUpClassicPicture();
    SetUpEscapeRadius(1);
    double iterations = 0;
    for (auto _ : state) {
        iterationCount = finalLimits.iterationCount;
        historyLength = finalLimits.historyLength;
        for (int32_t y = 0; y < imageHeight; ++y) {
            for (int32_t x = 0; x < imageWidth; ++x) {
                const uint32_t before = totalIterations;
                uint32_t count = 0;
                const int32_t r = EscapeTimePixel(x, y, 0, nullptr, &count);
                indexImage[y][x] = static_cast<uint8_t>(r > 0 ? (r / 12 - 1) % 224 + 1 : 0);
                iterations += totalIterations - before;
            }
        }
    }
    state.counters["iterations"] = iterations;
}
BENCHMARK(BM_PlainClassicPicture)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace quintorbelle
