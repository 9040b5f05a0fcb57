// Perimeter dimension of every item of a 250-item labeled image (WavyItems250), and the moving circle
// on a disc item of diameter 1000 (largest radius 500), at 2048 and 4096 square, on one thread and on
// all threads. Yardstick: BM_Binarize (Yardsticks.cpp) over the carpet of the same size.
#include <benchmark/benchmark.h>

#include <vector>

#include "Images.h"
#include "Modes.h"
#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/MovingCircle.h"
#include "binary/kernels/PerimeterDimension.h"

namespace {

// The whole per-item work of the treatment: one index of the image, then every item measured.
void BM_PerimeterDimension_250Items(benchmark::State& state) {
  const BytePlane& labels = bench::WavyItems250(static_cast<int>(state.range(0)));
  CaseMode mode(state);
  for (auto _ : state) {
    const ItemIndex index = IndexItems(labels);
    std::vector<PerimeterMeasure> measures = PerimeterDimensions(labels, index, index.PresentCodes());
    benchmark::DoNotOptimize(measures.data());
  }
}
BENCHMARK(BM_PerimeterDimension_250Items)->Apply(ImageCases);

void RunMovingCircle(benchmark::State& state, CircleMode circle) {
  const BytePlane& labels = bench::Disc1000(static_cast<int>(state.range(0)));
  CaseMode mode(state);
  for (auto _ : state) {
    const ItemIndex index = IndexItems(labels);
    MovingCircleResult result = MovingCircle(labels, index[1], 1, circle);
    benchmark::DoNotOptimize(result.Counts.data());
  }
}

void BM_MovingCircle_Disc1000_Sliding(benchmark::State& state) {
  RunMovingCircle(state, CircleMode::Sliding);
}
BENCHMARK(BM_MovingCircle_Disc1000_Sliding)->Apply(ImageCases);

void BM_MovingCircle_Disc1000_Jumping(benchmark::State& state) {
  RunMovingCircle(state, CircleMode::Jumping);
}
BENCHMARK(BM_MovingCircle_Disc1000_Jumping)->Apply(ImageCases);

}  // namespace
