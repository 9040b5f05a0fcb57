// Progressive and resizing box counting and the lineal dimension at 2048 and 4096 square, to be read
// as ratios to BM_Binarize (BinaryBench.cpp) run in the same invocation: the binary pictures here are
// the binarized form of its carpet-like picture.
#include <benchmark/benchmark.h>

#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/LinealCount.h"
#include "binary/kernels/ProgressiveBoxCount.h"
#include "binary/kernels/ResizingBoxCount.h"
#include "fixtures/Fractals.h"

namespace {

constexpr std::uint8_t kItem = 1;
constexpr std::uint8_t kBackground = 255;

// A Sierpinski carpet of 3^8 cut to size x size: items 1 on background 255.
const BytePlane& Carpet(int size) {
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
  if (plane.Empty()) {
    plane = BytePlane(size, size);
    for (int i = 0; i < size; ++i)
      for (int j = 0; j < size; ++j) {
        bool hole = false;
        for (int a = i, b = j; !hole && (a > 0 || b > 0); a /= 3, b /= 3) hole = a % 3 == 1 && b % 3 == 1;
        plane[i][j] = hole ? kBackground : kItem;
      }
  }
  return plane;
}

// 250 items coded 1 .. 251 (10 left out), each a Sierpinski carpet filling most of its cell of a
// 16 x 16 grid.
const BytePlane& LabeledCarpets(int size) {
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
  if (plane.Empty()) {
    plane = BytePlane(size, size);
    plane.Fill(kBackground);
    const int cell = size / 16;
    const int order = cell >= 243 + 4 ? 5 : 4;
    const BytePlane item = fixtures::SierpinskiCarpet(order);
    int code = 0;
    for (int k = 0; k < 250; ++k) {
      code += code == 9 ? 2 : 1;
      const int top = (k / 16) * cell + 2, left = (k % 16) * cell + 2;
      for (int i = 0; i < item.Lines(); ++i)
        for (int j = 0; j < item.Columns(); ++j)
          if (item[i][j] == kItem) plane[top + i][left + j] = static_cast<std::uint8_t>(code);
    }
  }
  return plane;
}

void BM_ProgressiveBoxCount_Step01(benchmark::State& state) {
  const BytePlane& binary = Carpet(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    ProgressiveResult result = ProgressiveBoxCounting(binary, kItem, 0.1);
    benchmark::DoNotOptimize(result.Dimension);
  }
}
BENCHMARK(BM_ProgressiveBoxCount_Step01)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LinealCount_Lines(benchmark::State& state) {
  const BytePlane& binary = Carpet(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    LinealResult result = LinealCounting(binary, kItem, LinealOrientation::Lines);
    benchmark::DoNotOptimize(result.GlobalSlope);
  }
}
BENCHMARK(BM_LinealCount_Lines)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LinealCount_Columns(benchmark::State& state) {
  const BytePlane& binary = Carpet(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    LinealResult result = LinealCounting(binary, kItem, LinealOrientation::Columns);
    benchmark::DoNotOptimize(result.GlobalSlope);
  }
}
BENCHMARK(BM_LinealCount_Columns)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole per-item work of the treatment: one index of the image, then every item measured.
void BM_ResizingBoxCount_250Items(benchmark::State& state) {
  const BytePlane& labels = LabeledCarpets(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const ItemIndex index = IndexItems(labels);
    std::vector<ResizingCounts> counts = ResizingBoxCounts(labels, index, index.PresentCodes());
    benchmark::DoNotOptimize(counts.data());
  }
}
BENCHMARK(BM_ResizingBoxCount_250Items)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
