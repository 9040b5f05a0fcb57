// Pattern recognition and Brownian movement at 2048 and 4096 square; compare with BM_Binarize of
// the same run (BinaryBench.cpp).
#include <benchmark/benchmark.h>

#include "binary/kernels/BrownianMeasures.h"
#include "binary/kernels/BrownianPath.h"
#include "binary/kernels/BrownianWalk.h"
#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/PatternTable.h"
#include "binary/kernels/ShapeMeasures.h"

namespace {

constexpr int kGridSide = 16;  // 256 cells, 250 of them hold an item
constexpr int kItems = 250;

// 250 discs on a 16 x 16 grid, codes 1 .. 9 and 11 .. 251, every other one with a square hole.
const BytePlane& Discs(int size) {
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
  if (!plane.Empty()) return plane;
  plane = BytePlane(size, size);
  plane.Fill(255);
  const int cell = size / kGridSide, radius = cell * 9 / 20, hole = cell / 16;
  int code = 0;
  for (int item = 0; item < kItems; ++item) {
    code = code + 1 == 10 ? 11 : code + 1;
    const int ci = (item / kGridSide) * cell + cell / 2, cj = (item % kGridSide) * cell + cell / 2;
    for (int i = ci - radius; i <= ci + radius; ++i)
      for (int j = cj - radius; j <= cj + radius; ++j) {
        const bool inDisc = (i - ci) * (i - ci) + (j - cj) * (j - cj) <= radius * radius;
        const bool inHole = item % 2 == 1 && std::abs(i - ci) <= hole && std::abs(j - cj) <= hole;
        if (inDisc && !inHole) plane[i][j] = static_cast<std::uint8_t>(code);
      }
  }
  return plane;
}

void BM_PatternRecognition(benchmark::State& state) {
  const BytePlane& labels = Discs(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const ItemIndex index = IndexItems(labels);
    const std::vector<ItemShape> shapes = MeasureItems(labels, index, index.PresentCodes());
    std::string table = kPatternTableHeader;
    for (const ItemShape& shape : shapes) table += PatternTableRow(shape, 1.0);
    benchmark::DoNotOptimize(table.data());
  }
}
BENCHMARK(BM_PatternRecognition)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

// The gray carpet of BM_Binarize: items at 40, holes at 180.
const BytePlane& GrayCarpet(int size) {
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
  if (plane.Empty()) {
    plane = BytePlane(size, size);
    for (int i = 0; i < size; ++i)
      for (int j = 0; j < size; ++j) {
        bool hole = false;
        for (int a = i, b = j; !hole && (a > 0 || b > 0); a /= 3, b /= 3) hole = a % 3 == 1 && b % 3 == 1;
        plane[i][j] = hole ? 180 : 40;
      }
  }
  return plane;
}

// The most walks the treatment runs, each of the longest length, on the carpet's items.
void BM_BrownianMovement(benchmark::State& state) {
  const BytePlane& image = GrayCarpet(static_cast<int>(state.range(0)));
  const WalkParameters parameters{kMaxWalks, 1000, kMaxPathPixels, kAttemptsPerWalk * kMaxWalks};
  for (auto _ : state) {
    BrownianPath path = BuildBrownianPath(image, 30, 50);
    WalkRandom random(1);
    const WalkRun run = RunBrownianWalks(path, parameters, random);
    const BrownianDimensions d = MeasureBrownianDimensions(run.Walks);
    benchmark::DoNotOptimize(d.Mean);
  }
}
BENCHMARK(BM_BrownianMovement)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
