// Perimeter dimension of every item of a 250-item labeled image, and the moving circle on a disc
// item of diameter 1000 (largest radius 500), at 2048 and 4096 square; compare with BM_Binarize.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/MovingCircle.h"
#include "binary/kernels/PerimeterDimension.h"

namespace {

constexpr std::uint8_t kBackground = 255;
constexpr int kItems = 250;
constexpr int kGrid = 16;

// 250 items coded 1 .. 251 (10 left out) on a 16 x 16 grid, each a disc whose radius waves seven
// times around it, filling most of its cell: long contours with turns in every direction.
const BytePlane& WavyItems(int size) {
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
  if (plane.Empty()) {
    plane = BytePlane(size, size);
    plane.Fill(kBackground);
    const int cell = size / kGrid;
    const double mean = 0.36 * cell, wave = 0.08 * cell;
    int code = 0;
    for (int k = 0; k < kItems; ++k) {
      code += code == 9 ? 2 : 1;
      const double ci = (k / kGrid + 0.5) * cell, cj = (k % kGrid + 0.5) * cell;
      for (int i = (k / kGrid) * cell; i < (k / kGrid + 1) * cell; ++i)
        for (int j = (k % kGrid) * cell; j < (k % kGrid + 1) * cell; ++j) {
          const double dy = i - ci, dx = j - cj;
          if (std::hypot(dy, dx) <= mean + wave * std::sin(7 * std::atan2(dy, dx)))
            plane[i][j] = static_cast<std::uint8_t>(code);
        }
    }
  }
  return plane;
}

// One disc of diameter 1000, code 1, in the middle of the image.
const BytePlane& DiscItem(int size) {
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
  if (plane.Empty()) {
    plane = BytePlane(size, size);
    plane.Fill(kBackground);
    const int centre = size / 2, radius = 500;
    for (int i = centre - radius; i <= centre + radius; ++i)
      for (int j = centre - radius; j <= centre + radius; ++j)
        if ((i - centre) * (i - centre) + (j - centre) * (j - centre) <= radius * radius) plane[i][j] = 1;
  }
  return plane;
}

// The whole per-item work of the treatment: one index of the image, then every item measured.
void BM_PerimeterDimension_250Items(benchmark::State& state) {
  const BytePlane& labels = WavyItems(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const ItemIndex index = IndexItems(labels);
    std::vector<PerimeterMeasure> measures = PerimeterDimensions(labels, index, index.PresentCodes());
    benchmark::DoNotOptimize(measures.data());
  }
}
BENCHMARK(BM_PerimeterDimension_250Items)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

void RunMovingCircle(benchmark::State& state, CircleMode mode) {
  const BytePlane& labels = DiscItem(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const ItemIndex index = IndexItems(labels);
    MovingCircleResult result = MovingCircle(labels, index[1], 1, mode);
    benchmark::DoNotOptimize(result.Counts.data());
  }
}

void BM_MovingCircle_Disc1000_Sliding(benchmark::State& state) {
  RunMovingCircle(state, CircleMode::Sliding);
}
BENCHMARK(BM_MovingCircle_Disc1000_Sliding)
    ->Arg(2048)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_MovingCircle_Disc1000_Jumping(benchmark::State& state) {
  RunMovingCircle(state, CircleMode::Jumping);
}
BENCHMARK(BM_MovingCircle_Disc1000_Jumping)
    ->Arg(2048)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
