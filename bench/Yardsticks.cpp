// The yardsticks: one binarizing pass over each picture of Images.h, into a plane kept from call to
// call as the treatment overwrites panel 2. A kernel's speed is its time over the pass over the same
// picture, same size and mode, in the same run:
//   BM_Binarize (the carpet; also at 1024 and 8192 and under load, for the frame's kernels),
//   BM_Binarize_Noise (the noise), BM_Binarize_Surface (the surface).
#include <benchmark/benchmark.h>

#include "Images.h"
#include "Modes.h"
#include "binary/kernels/Binarize.h"

namespace {

void RunBinarize(benchmark::State& state, const BytePlane& source, const BinarizeParams& params) {
  BytePlane binary;
  CaseMode mode(state);
  for (auto _ : state) {
    const BinarizeCounts counts = BinarizeInto(source, params, binary);
    benchmark::DoNotOptimize(counts.ItemPixels);
  }
}

void BM_Binarize(benchmark::State& state) {
  RunBinarize(state, bench::CarpetGray(static_cast<int>(state.range(0))), bench::kCarpetThresholds);
}
BENCHMARK(BM_Binarize)->Apply(KernelCases);

void BM_Binarize_Noise(benchmark::State& state) {
  RunBinarize(state, bench::Noise(static_cast<int>(state.range(0))), bench::kNoiseThresholds);
}
BENCHMARK(BM_Binarize_Noise)->Apply(ImageCases);

void BM_Binarize_Surface(benchmark::State& state) {
  RunBinarize(state, bench::Surface(static_cast<int>(state.range(0))), bench::kSurfaceThresholds);
}
BENCHMARK(BM_Binarize_Surface)->Apply(ImageCases);

}  // namespace
