// Progressive and resizing box counting and the lineal dimension at 2048 and 4096 square, on one
// thread and on all threads. Yardstick: BM_Binarize (Yardsticks.cpp), the binarizing of the carpet
// whose binary form these read (the resizing count reads 250 small carpets, CarpetItems250).
#include <benchmark/benchmark.h>

#include <vector>

#include "Images.h"
#include "Modes.h"
#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/LinealCount.h"
#include "binary/kernels/ProgressiveBoxCount.h"
#include "binary/kernels/ResizingBoxCount.h"

namespace {

void BM_ProgressiveBoxCount_Step01(benchmark::State& state) {
  const BytePlane& binary = bench::CarpetBinary(static_cast<int>(state.range(0)));
  CaseMode mode(state);
  for (auto _ : state) {
    ProgressiveResult result = ProgressiveBoxCounting(binary, kItemPixel, 0.1);
    benchmark::DoNotOptimize(result.Dimension);
  }
}
BENCHMARK(BM_ProgressiveBoxCount_Step01)->Apply(ImageCases);

void RunLinealCount(benchmark::State& state, LinealOrientation orientation) {
  const BytePlane& binary = bench::CarpetBinary(static_cast<int>(state.range(0)));
  CaseMode mode(state);
  for (auto _ : state) {
    LinealResult result = LinealCounting(binary, kItemPixel, orientation);
    benchmark::DoNotOptimize(result.GlobalSlope);
  }
}

void BM_LinealCount_Lines(benchmark::State& state) {
  RunLinealCount(state, LinealOrientation::Lines);
}
BENCHMARK(BM_LinealCount_Lines)->Apply(ImageCases);

void BM_LinealCount_Columns(benchmark::State& state) {
  RunLinealCount(state, LinealOrientation::Columns);
}
BENCHMARK(BM_LinealCount_Columns)->Apply(ImageCases);

// The whole per-item work of the treatment: one index of the image, then every item measured.
void BM_ResizingBoxCount_250Items(benchmark::State& state) {
  const BytePlane& labels = bench::CarpetItems250(static_cast<int>(state.range(0)));
  CaseMode mode(state);
  for (auto _ : state) {
    const ItemIndex index = IndexItems(labels);
    std::vector<ResizingCounts> counts = ResizingBoxCounts(labels, index, index.PresentCodes());
    benchmark::DoNotOptimize(counts.data());
  }
}
BENCHMARK(BM_ResizingBoxCount_250Items)->Apply(ImageCases);

}  // namespace
