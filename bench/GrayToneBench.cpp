// Gray-tone surface kernels at 2048 and 4096 square, beside BM_Binarize over the same surface (the
// yardstick their ratios are taken against).
#include <benchmark/benchmark.h>

#include "binary/kernels/Binarize.h"
#include "fixtures/Surfaces.h"
#include "graytone/kernels/GlobalFractal.h"
#include "graytone/kernels/Lacunarity.h"
#include "graytone/kernels/LocalFractal.h"

namespace {

constexpr double kHurst = 0.7;

const BytePlane& Surface(int size) {
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
  if (plane.Empty()) plane = fixtures::BrownianSurface(size, kHurst, 17);
  return plane;
}

void BM_Binarize_Surface(benchmark::State& state) {
  const BytePlane& source = Surface(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    BinarizeResult result = Binarize(source, {100, 150, 0, false});
    benchmark::DoNotOptimize(result.ItemPixels);
  }
}
BENCHMARK(BM_Binarize_Surface)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GlobalFractalDimension(benchmark::State& state) {
  const BytePlane& source = Surface(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    GlobalFractalResult result = GlobalFractalDimension(source);
    benchmark::DoNotOptimize(result.Dimension);
  }
}
BENCHMARK(BM_GlobalFractalDimension)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

// The output plane is made once: the kernel overwrites every computed pixel of it.
void RunLocalFractal(benchmark::State& state, int windowSize) {
  const BytePlane& source = Surface(static_cast<int>(state.range(0)));
  DoublePlane dimensions(source.Columns(), source.Lines());
  LocalFractalParams params;
  params.WindowSize = windowSize;
  params.HFactor = 0.02;
  for (auto _ : state) {
    LocalFractalResult result = LocalFractalDimension(source, params, dimensions);
    benchmark::DoNotOptimize(result.Sum);
  }
}

void BM_LocalFractalDimension_h12(benchmark::State& state) {
  RunLocalFractal(state, 24);
}
BENCHMARK(BM_LocalFractalDimension_h12)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LocalFractalDimension_h6(benchmark::State& state) {
  RunLocalFractal(state, 12);
}
BENCHMARK(BM_LocalFractalDimension_h6)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

// Ten window sizes, K = 1 .. 10, as one treatment run computes them: the time per window size is a
// tenth of this.
void BM_LacunarityCurve_10Sizes(benchmark::State& state) {
  const BytePlane& source = Surface(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::vector<LacunarityPoint> points = LacunarityCurve(source, 1, 10);
    benchmark::DoNotOptimize(points.data());
  }
}
BENCHMARK(BM_LacunarityCurve_10Sizes)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

// One window size on boxes already summed, large and small boxes.
void BM_LacunarityMoments(benchmark::State& state) {
  const BytePlane& source = Surface(static_cast<int>(state.range(0)));
  const GlidingBoxes boxes(source);
  for (auto _ : state) {
    GlidingBoxMoments moments = boxes.Moments(static_cast<int>(state.range(1)));
    benchmark::DoNotOptimize(moments.Sum);
  }
}
BENCHMARK(BM_LacunarityMoments)
    ->Args({2048, 2})
    ->Args({2048, 300})
    ->Args({4096, 2})
    ->Args({4096, 300})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
