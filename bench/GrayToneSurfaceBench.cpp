// The gray-tone surface measures (fract star, fract prism, local roughness, cubic density, Morlet
// wavelet, fractal thresholding) at 2048 and 4096 square, beside BM_Binarize_Surface (GrayToneBench)
// over the same surface: run them in one filter to read their ratios.
#include <benchmark/benchmark.h>

#include "fixtures/Surfaces.h"
#include "graytone/kernels/CubicDensity.h"
#include "graytone/kernels/FractPrism.h"
#include "graytone/kernels/FractStar.h"
#include "graytone/kernels/FractalThreshold.h"
#include "graytone/kernels/LocalRoughness.h"
#include "graytone/kernels/MorletWavelet.h"

namespace {

// The surface of GrayToneBench: the same seed and roughness give the same plane.
const BytePlane& Surface(int size) {
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
  if (plane.Empty()) plane = fixtures::BrownianSurface(size, 0.7, 17);
  return plane;
}

void BM_FractStar(benchmark::State& state) {
  const BytePlane& source = Surface(static_cast<int>(state.range(0)));
  DoublePlane shown(source.Columns(), source.Lines());
  for (auto _ : state) {
    FractStarResult result = FractStar(source, kStar, {}, shown);
    benchmark::DoNotOptimize(result.Mean);
  }
}
BENCHMARK(BM_FractStar)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FractPrism(benchmark::State& state) {
  const BytePlane& source = Surface(static_cast<int>(state.range(0)));
  DoublePlane dimensions(source.Columns(), source.Lines());
  for (auto _ : state) {
    FractPrismResult result = FractPrism(source, dimensions);
    benchmark::DoNotOptimize(result.Mean);
  }
}
BENCHMARK(BM_FractPrism)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LocalRoughness(benchmark::State& state) {
  const BytePlane& source = Surface(static_cast<int>(state.range(0)));
  BytePlane gray(source.Columns(), source.Lines());
  for (auto _ : state) {
    LocalRoughnessResult result = LocalRoughness(source, gray);
    benchmark::DoNotOptimize(result.Max);
  }
}
BENCHMARK(BM_LocalRoughness)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

// Arguments: size, half window h, jump.
void BM_CubicDensity(benchmark::State& state) {
  const BytePlane& source = Surface(static_cast<int>(state.range(0)));
  BytePlane density(source.Columns(), source.Lines());
  for (auto _ : state) {
    bool done =
        CubicDensity(source, static_cast<int>(state.range(1)), static_cast<int>(state.range(2)), density);
    benchmark::DoNotOptimize(done);
  }
}
BENCHMARK(BM_CubicDensity)
    ->Args({2048, 3, 4})
    ->Args({4096, 3, 4})
    ->Args({4096, 1, 1})
    ->Args({4096, 10, 4})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Arguments: size, half window h; sigma = h / 2.
void BM_MorletWavelet(benchmark::State& state) {
  const BytePlane& source = Surface(static_cast<int>(state.range(0)));
  const int h = static_cast<int>(state.range(1));
  DoublePlane response(source.Columns(), source.Lines());
  BytePlane gray(source.Columns(), source.Lines());
  for (auto _ : state) {
    MorletResult result = MorletResponse(source, h, h * 0.5, response);
    MorletToGray(response, h, result.Min, result.Max, gray);
    benchmark::DoNotOptimize(result.Max);
  }
}
BENCHMARK(BM_MorletWavelet)
    ->Args({2048, 5})
    ->Args({4096, 5})
    ->Args({4096, 50})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Arguments: size, mode; step 2.
void BM_FractalThresholding(benchmark::State& state) {
  const BytePlane& source = Surface(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto points = FractalThresholding(source, static_cast<int>(state.range(1)), 2);
    benchmark::DoNotOptimize(points.data());
  }
}
BENCHMARK(BM_FractalThresholding)
    ->Args({2048, 0})
    ->Args({4096, 0})
    ->Args({4096, 1})
    ->Args({4096, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
