// The gray-tone surface measures (fract star, fract prism, local roughness, cubic density, Morlet
// wavelet, fractal thresholding) at 2048 and 4096 square, on one thread and on all threads; a case's
// own parameters are in its name. Yardstick: BM_Binarize_Surface (Yardsticks.cpp), the binarizing of
// the same surface.
#include <benchmark/benchmark.h>

#include "Images.h"
#include "Modes.h"
#include "graytone/kernels/CubicDensity.h"
#include "graytone/kernels/FractPrism.h"
#include "graytone/kernels/FractStar.h"
#include "graytone/kernels/FractalThreshold.h"
#include "graytone/kernels/LocalRoughness.h"
#include "graytone/kernels/MorletWavelet.h"

namespace {

void BM_FractStar(benchmark::State& state) {
  const BytePlane& source = bench::Surface(static_cast<int>(state.range(0)));
  DoublePlane shown(source.Columns(), source.Lines());
  CaseMode mode(state);
  for (auto _ : state) {
    FractStarResult result = FractStar(source, kStar, {}, shown);
    benchmark::DoNotOptimize(result.Mean);
  }
}
BENCHMARK(BM_FractStar)->Apply(ImageCases);

void BM_FractPrism(benchmark::State& state) {
  const BytePlane& source = bench::Surface(static_cast<int>(state.range(0)));
  DoublePlane dimensions(source.Columns(), source.Lines());
  CaseMode mode(state);
  for (auto _ : state) {
    FractPrismResult result = FractPrism(source, dimensions);
    benchmark::DoNotOptimize(result.Mean);
  }
}
BENCHMARK(BM_FractPrism)->Apply(ImageCases);

void BM_LocalRoughness(benchmark::State& state) {
  const BytePlane& source = bench::Surface(static_cast<int>(state.range(0)));
  BytePlane gray(source.Columns(), source.Lines());
  CaseMode mode(state);
  for (auto _ : state) {
    LocalRoughnessResult result = LocalRoughness(source, gray);
    benchmark::DoNotOptimize(result.Max);
  }
}
BENCHMARK(BM_LocalRoughness)->Apply(ImageCases);

// Half window h and radiometric jump.
void BM_CubicDensity(benchmark::State& state, int h, int jump) {
  const BytePlane& source = bench::Surface(static_cast<int>(state.range(0)));
  BytePlane density(source.Columns(), source.Lines());
  CaseMode mode(state);
  for (auto _ : state) {
    bool done = CubicDensity(source, h, jump, density);
    benchmark::DoNotOptimize(done);
  }
}
BENCHMARK_CAPTURE(BM_CubicDensity, h3_jump4, 3, 4)->Apply(ImageCases);
BENCHMARK_CAPTURE(BM_CubicDensity, h1_jump1, 1, 1)->Apply(ImageCases);
BENCHMARK_CAPTURE(BM_CubicDensity, h10_jump4, 10, 4)->Apply(ImageCases);

// Half window h, sigma = h / 2.
void BM_MorletWavelet(benchmark::State& state, int h) {
  const BytePlane& source = bench::Surface(static_cast<int>(state.range(0)));
  DoublePlane response(source.Columns(), source.Lines());
  BytePlane gray(source.Columns(), source.Lines());
  CaseMode mode(state);
  for (auto _ : state) {
    MorletResult result = MorletResponse(source, h, h * 0.5, response);
    MorletToGray(response, h, result.Min, result.Max, gray);
    benchmark::DoNotOptimize(result.Max);
  }
}
BENCHMARK_CAPTURE(BM_MorletWavelet, h5, 5)->Apply(ImageCases);
BENCHMARK_CAPTURE(BM_MorletWavelet, h50, 50)->Apply(ImageCases);

// Step 2, in each way of binarizing.
void BM_FractalThresholding(benchmark::State& state, FractalThMode binarizing) {
  const BytePlane& source = bench::Surface(static_cast<int>(state.range(0)));
  CaseMode mode(state);
  for (auto _ : state) {
    auto points = FractalThresholding(source, binarizing, 2);
    benchmark::DoNotOptimize(points.data());
  }
}
BENCHMARK_CAPTURE(BM_FractalThresholding, below, kBelowThreshold)->Apply(ImageCases);
BENCHMARK_CAPTURE(BM_FractalThresholding, band, kInBand)->Apply(ImageCases);
BENCHMARK_CAPTURE(BM_FractalThresholding, from, kFromThreshold)->Apply(ImageCases);

}  // namespace
