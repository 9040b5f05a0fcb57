// Gray-tone sequence kernels. The Hurst exponent of a 10^7-value sequence is measured against a
// plain copy of the same bytes (BM_Memcpy); the wavelet treatment against a binarizing of the same
// image (BM_Binarize_Noise) at 2048 and 4096.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "binary/kernels/Binarize.h"
#include "binary/kernels/Dividers.h"
#include "fixtures/Patterns.h"
#include "imaging/Parallel.h"
#include "sequence/kernels/HurstExponent.h"
#include "sequence/kernels/MexicanHat.h"
#include "sequence/kernels/WaveletHurst.h"

namespace {

constexpr int kSequenceLength = 10'000'000;

// Gray values of a noisy image read as a sequence.
const std::vector<int>& GraySequence() {
  static std::vector<int> values;
  if (values.empty()) {
    const BytePlane noise = MakeRandomGray(kSequenceLength / 1000, 1000, 7);
    values.assign(noise.Data(), noise.Data() + noise.Size());
  }
  return values;
}

void BM_Memcpy(benchmark::State& state) {
  const std::vector<int>& values = GraySequence();
  benchmark::DoNotOptimize(state.range(0));
  std::vector<int> copy(values.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), values.data(), values.size() * sizeof(int));
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(values.size() * sizeof(int)));
}
BENCHMARK(BM_Memcpy)->Arg(kSequenceLength)->Unit(benchmark::kMillisecond)->UseRealTime();

// Threads: 0 all the cores, 1 the calling thread alone.
void LimitThreads(benchmark::State& state) {
  parallel::SetThreadLimit(static_cast<int>(state.range(1)));
}

// The treatment's default sizes: 10, 15, ..., 55.
void BM_HurstSliding(benchmark::State& state) {
  LimitThreads(state);
  const std::vector<int>& values = GraySequence();
  const std::vector<int> sizes = SlidingSizes(10, 5, 10);
  for (auto _ : state) {
    const HurstFit fit =
        FitHurst(SlidingDeviations(values.data(), static_cast<std::int64_t>(values.size()), sizes));
    benchmark::DoNotOptimize(fit.Slope);
  }
  parallel::SetThreadLimit(0);
}
BENCHMARK(BM_HurstSliding)
    ->ArgNames({"length", "threads"})
    ->Args({kSequenceLength, 0})
    ->Args({kSequenceLength, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Every divisor of the length used, as "Using all the dividers" does.
void BM_HurstJumping(benchmark::State& state) {
  const std::vector<int>& values = GraySequence();
  const int used = JumpingLength(static_cast<int>(values.size()));
  std::vector<int> sizes = ListDividers(used);
  sizes.resize(std::min<std::size_t>(sizes.size(), 127));
  for (auto _ : state) {
    const HurstFit fit = FitHurst(JumpingDeviations(values.data() + 1, used, sizes));
    benchmark::DoNotOptimize(fit.Slope);
  }
}
BENCHMARK(BM_HurstJumping)->Unit(benchmark::kMillisecond)->UseRealTime();

const BytePlane& Noise(int size) {
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
  if (plane.Empty()) plane = MakeRandomGray(size, size, 11);
  return plane;
}

// Sizes 2048 and 4096, on every core and on the calling thread alone.
void ImageCases(benchmark::internal::Benchmark* b) {
  b->ArgNames({"size", "threads"});
  for (int size : {2048, 4096})
    for (int threads : {0, 1}) b->Args({size, threads});
  b->Unit(benchmark::kMillisecond)->UseRealTime();
}

void BM_Binarize_Noise(benchmark::State& state) {
  LimitThreads(state);
  const BytePlane& source = Noise(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    BinarizeResult result = Binarize(source, {30, 50, 0, false});
    benchmark::DoNotOptimize(result.ItemPixels);
  }
  parallel::SetThreadLimit(0);
}
BENCHMARK(BM_Binarize_Noise)->Apply(ImageCases);

void BM_MexicanHat(benchmark::State& state) {
  const BytePlane& source = Noise(static_cast<int>(state.range(0)));
  BytePlane image;
  for (auto _ : state) benchmark::DoNotOptimize(MakeMexicanHatImage(source, 5, 1.0, image));
}
BENCHMARK(BM_MexicanHat)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExtractSequence(benchmark::State& state) {
  const BytePlane& source = Noise(static_cast<int>(state.range(0)));
  const SequenceFrame frame = WaveletFrame(source.Lines(), source.Columns(), 5);
  SequenceZone zone;
  std::vector<int> values;
  for (auto _ : state) {
    ExtractSequence(source, source, zone, frame, values);
    benchmark::DoNotOptimize(values.data());
  }
}
BENCHMARK(BM_ExtractSequence)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

// The dialog's defaults over the whole scene: three scales filtered, sequences taken, Hurst fitted.
void BM_WaveletTreatment(benchmark::State& state) {
  LimitThreads(state);
  const BytePlane& source = Noise(static_cast<int>(state.range(0)));
  WaveletParams params;
  params.Zone.StudiedItem = kWholeScene;
  BytePlane image;
  std::vector<int> sequence;
  for (auto _ : state) {
    const WaveletResult result = RunWavelet(source, source, params, image, sequence);
    benchmark::DoNotOptimize(result.Slope);
  }
  parallel::SetThreadLimit(0);
}
BENCHMARK(BM_WaveletTreatment)->Apply(ImageCases);

}  // namespace
