// Pattern recognition of 250 items and Brownian movement at 2048 and 4096 square, on one thread and
// on all threads. Yardstick: BM_Binarize (Yardsticks.cpp), the binarizing of the carpet on whose
// items the walks run (the pattern table reads 250 discs, HoledDiscs250).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "Images.h"
#include "Modes.h"
#include "binary/kernels/BrownianMeasures.h"
#include "binary/kernels/BrownianPath.h"
#include "binary/kernels/BrownianWalk.h"
#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/PatternTable.h"
#include "binary/kernels/ShapeMeasures.h"

namespace {

void BM_PatternRecognition(benchmark::State& state) {
  const BytePlane& labels = bench::HoledDiscs250(static_cast<int>(state.range(0)));
  CaseMode mode(state);
  for (auto _ : state) {
    const ItemIndex index = IndexItems(labels);
    const std::vector<ItemShape> shapes = MeasureItems(labels, index, index.PresentCodes());
    std::string table = kPatternTableHeader;
    for (const ItemShape& shape : shapes) table += PatternTableRow(shape, 1.0);
    benchmark::DoNotOptimize(table.data());
  }
}
BENCHMARK(BM_PatternRecognition)->Apply(ImageCases);

// The most walks the treatment runs, each of the longest length, on the carpet's items.
void BM_BrownianMovement(benchmark::State& state) {
  const BytePlane& image = bench::CarpetGray(static_cast<int>(state.range(0)));
  const WalkParameters parameters{kMaxWalks, 1000, kMaxPathPixels, kAttemptsPerWalk * kMaxWalks};
  CaseMode mode(state);
  for (auto _ : state) {
    BrownianPath path = BuildBrownianPath(image, 30, 50);
    WalkRandom random(1);
    const WalkRun run = RunBrownianWalks(path, parameters, random);
    const BrownianDimensions d = MeasureBrownianDimensions(run.Walks);
    benchmark::DoNotOptimize(d.Mean);
  }
}
BENCHMARK(BM_BrownianMovement)->Apply(ImageCases);

}  // namespace
