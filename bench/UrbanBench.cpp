// Urban field kernels at 2048 and 4096 square, over the carpet-like picture of BM_Binarize: a radial
// and a crown expansion of 100 steps out to about half the side, and the perimeter and hole extraction
// of the carpet's items. The second argument is the thread count (0 all the cores, 1 the calling
// thread), and BM_BinarizeThreads is the yardstick binarizing of the same picture with as many.
#include <benchmark/benchmark.h>

#include "binary/kernels/Binarize.h"
#include "imaging/Parallel.h"
#include "urban/kernels/Expansion.h"
#include "urban/kernels/Outline.h"

namespace {

constexpr std::uint8_t kGrayItem = 40;
constexpr std::uint8_t kGrayBackground = 180;
constexpr int kSteps = 100;
constexpr int kCrownWidth = 50;

// The same Sierpinski carpet of 3^8 cut to size x size, in gray, as BM_Binarize's.
const BytePlane& CarpetLike(int size) {
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
  if (plane.Empty()) {
    plane = BytePlane(size, size);
    for (int i = 0; i < size; ++i) {
      for (int j = 0; j < size; ++j) {
        bool hole = false;
        for (int a = i, b = j; !hole && (a > 0 || b > 0); a /= 3, b /= 3) hole = a % 3 == 1 && b % 3 == 1;
        plane[i][j] = hole ? kGrayBackground : kGrayItem;
      }
    }
  }
  return plane;
}

const BytePlane& BinaryCarpet(int size) {
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
  if (plane.Empty()) plane = Binarize(CarpetLike(size), {30, 50, 0, true}).Binary;
  return plane;
}

// The last 100 radii up to the border: out to 2000 on 4096, 1000 on 2048.
ExpansionParams LastSteps(int size, int crownWidth) {
  ExpansionParams p;
  p.CentreLine = p.CentreColumn = size / 2;
  p.LastRadius = size * 2000 / 4096;
  p.FirstRadius = p.LastRadius - kSteps;
  p.CrownWidth = crownWidth;
  p.MinValue = 30;
  p.MaxValue = 50;
  return p;
}

// Sizes 2048 and 4096, each on every core and on one.
void SizesAndThreads(benchmark::internal::Benchmark* b) {
  for (int size : {2048, 4096})
    for (int threads : {0, 1}) b->Args({size, threads});
  b->Unit(benchmark::kMillisecond)->UseRealTime();
}

struct ThreadLimit {
  explicit ThreadLimit(const benchmark::State& state) {
    parallel::SetThreadLimit(static_cast<int>(state.range(1)));
  }
  ~ThreadLimit() { parallel::SetThreadLimit(0); }
};

void BM_BinarizeThreads(benchmark::State& state) {
  const ThreadLimit limit(state);
  const BytePlane& source = CarpetLike(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    BinarizeResult result = Binarize(source, {30, 50, 0, false});
    benchmark::DoNotOptimize(result.ItemPixels);
  }
}
BENCHMARK(BM_BinarizeThreads)->Apply(SizesAndThreads);

void RunExpansion(benchmark::State& state, int crownWidth) {
  const ThreadLimit limit(state);
  const int size = static_cast<int>(state.range(0));
  const BytePlane& image = CarpetLike(size);
  const ExpansionParams p = LastSteps(size, crownWidth);
  for (auto _ : state) {
    const auto steps = Expand(image, p);
    benchmark::DoNotOptimize(steps.data());
  }
}

void BM_RadialExpansion(benchmark::State& state) {
  RunExpansion(state, 0);
}
BENCHMARK(BM_RadialExpansion)->Apply(SizesAndThreads);

void BM_CrownExpansion(benchmark::State& state) {
  RunExpansion(state, kCrownWidth);
}
BENCHMARK(BM_CrownExpansion)->Apply(SizesAndThreads);

void BM_PerimeterExtraction(benchmark::State& state) {
  const ThreadLimit limit(state);
  const BytePlane& binary = BinaryCarpet(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    BytePlane perimeter = ExtractPerimeter(binary, 1);
    benchmark::DoNotOptimize(perimeter.Data());
  }
}
BENCHMARK(BM_PerimeterExtraction)->Apply(SizesAndThreads);

void BM_HoleExtraction(benchmark::State& state) {
  const ThreadLimit limit(state);
  const BytePlane& binary = BinaryCarpet(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    BytePlane holes = ExtractHoles(binary, 1);
    benchmark::DoNotOptimize(holes.Data());
  }
}
BENCHMARK(BM_HoleExtraction)->Apply(SizesAndThreads);

}  // namespace
