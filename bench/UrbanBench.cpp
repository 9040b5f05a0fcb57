// Urban field kernels at 2048 and 4096 square, on one thread and on all threads, over the carpet: a
// radial and a crown expansion of 100 steps out to about half the side, and the perimeter and hole
// extraction of the carpet's items. Yardstick: BM_Binarize (Yardsticks.cpp), the binarizing of the same
// carpet.
#include <benchmark/benchmark.h>

#include "Images.h"
#include "Modes.h"
#include "urban/kernels/Expansion.h"
#include "urban/kernels/Outline.h"

namespace {

constexpr int kSteps = 100;
constexpr int kCrownWidth = 50;

// The last 100 radii up to the border: out to 2000 on 4096, 1000 on 2048.
ExpansionParams LastSteps(int size, int crownWidth) {
  ExpansionParams p;
  p.CentreLine = p.CentreColumn = size / 2;
  p.LastRadius = size * 2000 / 4096;
  p.FirstRadius = p.LastRadius - kSteps;
  p.CrownWidth = crownWidth;
  p.MinValue = bench::kCarpetThresholds.MinValue;
  p.MaxValue = bench::kCarpetThresholds.MaxValue;
  return p;
}

void RunExpansion(benchmark::State& state, int crownWidth) {
  const int size = static_cast<int>(state.range(0));
  const BytePlane& image = bench::CarpetGray(size);
  const ExpansionParams p = LastSteps(size, crownWidth);
  CaseMode mode(state);
  for (auto _ : state) {
    const auto steps = Expand(image, p);
    benchmark::DoNotOptimize(steps.data());
  }
}

void BM_RadialExpansion(benchmark::State& state) {
  RunExpansion(state, 0);
}
BENCHMARK(BM_RadialExpansion)->Apply(ImageCases);

void BM_CrownExpansion(benchmark::State& state) {
  RunExpansion(state, kCrownWidth);
}
BENCHMARK(BM_CrownExpansion)->Apply(ImageCases);

void BM_PerimeterExtraction(benchmark::State& state) {
  const BytePlane& binary = bench::CarpetBinary(static_cast<int>(state.range(0)));
  CaseMode mode(state);
  for (auto _ : state) {
    BytePlane perimeter = ExtractPerimeter(binary, kItemPixel);
    benchmark::DoNotOptimize(perimeter.Data());
  }
}
BENCHMARK(BM_PerimeterExtraction)->Apply(ImageCases);

void BM_HoleExtraction(benchmark::State& state) {
  const BytePlane& binary = bench::CarpetBinary(static_cast<int>(state.range(0)));
  CaseMode mode(state);
  for (auto _ : state) {
    BytePlane holes = ExtractHoles(binary, kItemPixel);
    benchmark::DoNotOptimize(holes.Data());
  }
}
BENCHMARK(BM_HoleExtraction)->Apply(ImageCases);

}  // namespace
