// Global and local fractal dimension and lacunarity at 2048 and 4096 square (the lacunarity curve
// from 1024 to 8192), on one thread and on all threads. Yardstick: BM_Binarize_Surface
// (Yardsticks.cpp), the binarizing of the same surface.
#include <benchmark/benchmark.h>

#include <vector>

#include "Images.h"
#include "Modes.h"
#include "graytone/kernels/GlobalFractal.h"
#include "graytone/kernels/Lacunarity.h"
#include "graytone/kernels/LocalFractal.h"

namespace {

void BM_GlobalFractalDimension(benchmark::State& state) {
  const BytePlane& source = bench::Surface(static_cast<int>(state.range(0)));
  CaseMode mode(state);
  for (auto _ : state) {
    GlobalFractalResult result = GlobalFractalDimension(source);
    benchmark::DoNotOptimize(result.Dimension);
  }
}
BENCHMARK(BM_GlobalFractalDimension)->Apply(ImageCases);

// The output plane is made once: the kernel overwrites every computed pixel of it.
void RunLocalFractal(benchmark::State& state, int windowSize) {
  const BytePlane& source = bench::Surface(static_cast<int>(state.range(0)));
  DoublePlane dimensions(source.Columns(), source.Lines());
  LocalFractalParams params;
  params.WindowSize = windowSize;
  params.HFactor = 0.02;
  CaseMode mode(state);
  for (auto _ : state) {
    LocalFractalResult result = LocalFractalDimension(source, params, dimensions);
    benchmark::DoNotOptimize(result.Sum);
  }
}

void BM_LocalFractalDimension_h12(benchmark::State& state) {
  RunLocalFractal(state, 24);
}
BENCHMARK(BM_LocalFractalDimension_h12)->Apply(ImageCases);

void BM_LocalFractalDimension_h6(benchmark::State& state) {
  RunLocalFractal(state, 12);
}
BENCHMARK(BM_LocalFractalDimension_h6)->Apply(ImageCases);

// Ten window sizes, K = 1 .. 10, as one treatment run computes them, also at 1024 and 8192: the time
// per pixel stays when the picture outgrows the caches.
void BM_LacunarityCurve_10Sizes(benchmark::State& state) {
  const BytePlane& source = bench::Surface(static_cast<int>(state.range(0)));
  CaseMode mode(state);
  for (auto _ : state) {
    std::vector<LacunarityPoint> points = LacunarityCurve(source, 1, 10);
    benchmark::DoNotOptimize(points.data());
  }
}
BENCHMARK(BM_LacunarityCurve_10Sizes)->Apply(ScalingCases);

// One window size (boxes of side 2k + 1) on boxes already summed, small and large boxes.
void BM_LacunarityMoments(benchmark::State& state, int k) {
  const BytePlane& source = bench::Surface(static_cast<int>(state.range(0)));
  const GlidingBoxes boxes(source);
  CaseMode mode(state);
  for (auto _ : state) {
    GlidingBoxMoments moments = boxes.Moments(k);
    benchmark::DoNotOptimize(moments.Sum);
  }
}
BENCHMARK_CAPTURE(BM_LacunarityMoments, k2, 2)->Apply(ImageCases);
BENCHMARK_CAPTURE(BM_LacunarityMoments, k300, 300)->Apply(ImageCases);

}  // namespace
