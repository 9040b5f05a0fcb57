// Fractal exploration, homogeneity and density, majority smoothing, morphology and adaptive closing at
// 2048 and 4096 square, to be read as ratios to BM_Binarize (BinaryBench.cpp) run in the same
// invocation: the pictures here are its carpet-like picture and the binarized form of it, and for the
// adaptive closing scattered discs far apart. Planes a kernel changes in place are refilled outside
// the timing.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "fixtures/Fractals.h"
#include "urban/kernels/AdaptiveClosing.h"
#include "urban/kernels/Density.h"
#include "urban/kernels/FractalExploration.h"
#include "urban/kernels/Homogeneity.h"
#include "urban/kernels/Morphology.h"

namespace {

constexpr std::uint8_t kGrayItem = 40;
constexpr std::uint8_t kGrayBackground = 180;
constexpr std::uint8_t kItem = 1;
constexpr std::uint8_t kBackground = 255;

int Index(int size) {
  return size == 4096 ? 1 : 0;
}

// The carpet of BinaryBench.cpp: a Sierpinski carpet of 3^8 cut to size x size, in gray and binary.
const BytePlane& Carpet(int size, bool gray) {
  static BytePlane planes[2][2];
  BytePlane& plane = planes[gray ? 1 : 0][Index(size)];
  if (plane.Empty()) {
    plane = BytePlane(size, size);
    for (int i = 0; i < size; ++i)
      for (int j = 0; j < size; ++j) {
        bool hole = false;
        for (int a = i, b = j; !hole && (a > 0 || b > 0); a /= 3, b /= 3) hole = a % 3 == 1 && b % 3 == 1;
        plane[i][j] = gray ? (hole ? kGrayBackground : kGrayItem) : (hole ? kBackground : kItem);
      }
  }
  return plane;
}

// One disc every 4000 pixels on average, radius up to 6: pieces tens of pixels apart.
const BytePlane& SparseDiscs(int size) {
  static BytePlane planes[2];
  BytePlane& plane = planes[Index(size)];
  if (plane.Empty()) plane = fixtures::RandomDiscs(size, size, size / 4 * size / 1000, 6, 11);
  return plane;
}

void BM_FractalExploration(benchmark::State& state) {
  const BytePlane& binary = Carpet(static_cast<int>(state.range(0)), false);
  const int side = static_cast<int>(state.range(1));
  for (auto _ : state) {
    BytePlane map = RunFractalExploration(binary, {kItem, side, kExplorationFullScale});
    benchmark::DoNotOptimize(map.Data());
  }
}
BENCHMARK(BM_FractalExploration)
    ->Args({2048, 13})
    ->Args({2048, 25})
    ->Args({4096, 13})
    ->Args({4096, 25})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_Homogeneization(benchmark::State& state) {
  const BytePlane& gray = Carpet(static_cast<int>(state.range(0)), true);
  for (auto _ : state) {
    BytePlane map = Homogeneization(gray, {30, 50, 10, false});
    benchmark::DoNotOptimize(map.Data());
  }
}
BENCHMARK(BM_Homogeneization)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CountDensity(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  for (auto _ : state) {
    DensityCounts counts = CountDensity(Carpet(size, true), Carpet(size, false), kItem, 30, 50);
    benchmark::DoNotOptimize(counts.ElementPixels);
  }
}
BENCHMARK(BM_CountDensity)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

// `kernel` on a fresh copy of `source` at each run, the copying untimed.
template <class Kernel>
void InPlace(benchmark::State& state, const BytePlane& source, Kernel kernel) {
  BytePlane plane = source.Clone();
  for (auto _ : state) {
    state.PauseTiming();
    std::copy(source.Data(), source.Data() + source.Size(), plane.Data());
    state.ResumeTiming();
    kernel(plane);
    benchmark::DoNotOptimize(plane.Data());
  }
}

// The carpet's holes fill from their corners inwards, one ring of the largest hole a few rounds.
void BM_MajoritySmoothing(benchmark::State& state) {
  InPlace(state, Carpet(static_cast<int>(state.range(0)), false),
          [](BytePlane& plane) { benchmark::DoNotOptimize(MajoritySmoothing(plane, kItem)); });
}
BENCHMARK(BM_MajoritySmoothing)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MorphoClosing20(benchmark::State& state) {
  InPlace(state, Carpet(static_cast<int>(state.range(0)), false),
          [](BytePlane& plane) { MorphoMath(plane, kItem, kMorphoClosing, 20); });
}
BENCHMARK(BM_MorphoClosing20)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AdaptiveClosing_Discs(benchmark::State& state) {
  const BytePlane& binary = SparseDiscs(static_cast<int>(state.range(0)));
  BytePlane mask;
  for (auto _ : state) {
    AdaptiveClosingResult result = AdaptiveClosingLinking(binary, kItem, mask);
    benchmark::DoNotOptimize(result.Pieces);
    state.counters["steps"] = static_cast<double>(result.Steps.size());
    state.counters["pieces"] = result.StartPieces;
  }
}
BENCHMARK(BM_AdaptiveClosing_Discs)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

// The carpet's holes as the pieces: tens of thousands of them, one or two pixels apart.
void BM_AdaptiveClosing_Holes(benchmark::State& state) {
  const BytePlane& binary = Carpet(static_cast<int>(state.range(0)), false);
  BytePlane mask;
  for (auto _ : state) {
    AdaptiveClosingResult result = AdaptiveClosingLinking(binary, kBackground, mask);
    benchmark::DoNotOptimize(result.Pieces);
    state.counters["steps"] = static_cast<double>(result.Steps.size());
    state.counters["pieces"] = result.StartPieces;
  }
}
BENCHMARK(BM_AdaptiveClosing_Holes)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
