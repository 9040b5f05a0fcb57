// Fractal exploration, homogeneity and density, majority smoothing, morphology and adaptive closing at
// 2048 and 4096 square, on one thread and on all threads, over the carpet (gray and binary), and for
// the adaptive closing also scattered discs far apart (SparseDiscs). Planes a kernel changes in place
// are refilled outside the timing. Yardstick: BM_Binarize (Yardsticks.cpp), the binarizing of the
// carpet.
#include <benchmark/benchmark.h>


#include "Images.h"
#include "Modes.h"
#include "urban/kernels/AdaptiveClosing.h"
#include "urban/kernels/Density.h"
#include "urban/kernels/FractalExploration.h"
#include "urban/kernels/Homogeneity.h"
#include "urban/kernels/Morphology.h"

namespace {

constexpr std::uint8_t kItem = kItemPixel;
constexpr std::uint8_t kBackground = kBackgroundPixel;

// Window side 13 or 25.
void BM_FractalExploration(benchmark::State& state, int side) {
  const BytePlane& binary = bench::CarpetBinary(static_cast<int>(state.range(0)));
  CaseMode mode(state);
  for (auto _ : state) {
    BytePlane map = RunFractalExploration(binary, {kItem, side, kExplorationFullScale});
    benchmark::DoNotOptimize(map.Data());
  }
}
BENCHMARK_CAPTURE(BM_FractalExploration, side13, kExplorationSmallSide)->Apply(ImageCases);
BENCHMARK_CAPTURE(BM_FractalExploration, side25, kExplorationLargeSide)->Apply(ImageCases);

void BM_Homogeneization(benchmark::State& state) {
  const BytePlane& gray = bench::CarpetGray(static_cast<int>(state.range(0)));
  CaseMode mode(state);
  for (auto _ : state) {
    BytePlane map = Homogeneization(gray, {30, 50, 10, false});
    benchmark::DoNotOptimize(map.Data());
  }
}
BENCHMARK(BM_Homogeneization)->Apply(ImageCases);

void BM_CountDensity(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const BytePlane& gray = bench::CarpetGray(size);
  const BytePlane& binary = bench::CarpetBinary(size);
  CaseMode mode(state);
  for (auto _ : state) {
    DensityCounts counts = CountDensity(gray, binary, kItem, 30, 50);
    benchmark::DoNotOptimize(counts.ElementPixels);
  }
}
BENCHMARK(BM_CountDensity)->Apply(ImageCases);

// The carpet's holes fill from their corners inwards, one ring of the largest hole a few rounds.
void BM_MajoritySmoothing(benchmark::State& state) {
  InPlace(state, bench::CarpetBinary(static_cast<int>(state.range(0))),
          [](BytePlane& plane) { benchmark::DoNotOptimize(MajoritySmoothing(plane, kItem)); });
}
BENCHMARK(BM_MajoritySmoothing)->Apply(ImageCases);

void BM_MorphoClosing20(benchmark::State& state) {
  InPlace(state, bench::CarpetBinary(static_cast<int>(state.range(0))),
          [](BytePlane& plane) { MorphoMath(plane, kItem, kMorphoClosing, 20); });
}
BENCHMARK(BM_MorphoClosing20)->Apply(ImageCases);

void RunAdaptiveClosing(benchmark::State& state, const BytePlane& binary, std::uint8_t value) {
  BytePlane mask;
  CaseMode mode(state);
  for (auto _ : state) {
    AdaptiveClosingResult result = AdaptiveClosingLinking(binary, value, mask);
    benchmark::DoNotOptimize(result.Pieces);
    state.counters["steps"] = static_cast<double>(result.Steps.size());
    state.counters["pieces"] = result.StartPieces;
  }
}

void BM_AdaptiveClosing_Discs(benchmark::State& state) {
  RunAdaptiveClosing(state, bench::SparseDiscs(static_cast<int>(state.range(0))), kItem);
}
BENCHMARK(BM_AdaptiveClosing_Discs)->Apply(ImageCases);

// The carpet's holes as the pieces: tens of thousands of them, one or two pixels apart.
void BM_AdaptiveClosing_Holes(benchmark::State& state) {
  RunAdaptiveClosing(state, bench::CarpetBinary(static_cast<int>(state.range(0))), kBackground);
}
BENCHMARK(BM_AdaptiveClosing_Holes)->Apply(ImageCases);

}  // namespace
