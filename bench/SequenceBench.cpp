// Gray-tone sequence kernels, on one thread and on all threads. The Hurst exponent of a 10^7-value
// sequence (the noise picture's first pixels, NoiseSequence) is measured against a plain copy of the
// same bytes, BM_Memcpy_Sequence; the wavelet treatment, the Mexican hat and the extraction at 2048
// and 4096 square against the yardstick BM_Binarize_Noise (Yardsticks.cpp), the binarizing of the same
// noise picture.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "Images.h"
#include "Modes.h"
#include "binary/kernels/Dividers.h"
#include "sequence/kernels/HurstExponent.h"
#include "sequence/kernels/MexicanHat.h"
#include "sequence/kernels/WaveletHurst.h"

namespace {

void LengthCases(benchmark::internal::Benchmark* b) {
  SequenceCases(b, bench::kSequenceLength);
}

// Into a copy kept from call to call.
void BM_Memcpy_Sequence(benchmark::State& state) {
  const std::vector<int>& values = bench::NoiseSequence();
  std::vector<int> copy(values.size());
  const auto bytes = static_cast<std::int64_t>(values.size() * sizeof(int));
  CaseMode mode(state, static_cast<std::int64_t>(values.size()));
  for (auto _ : state) {
    std::memcpy(copy.data(), values.data(), static_cast<std::size_t>(bytes));
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_Memcpy_Sequence)->Apply(LengthCases);

// The treatment's default sizes: 10, 15, ..., 55.
void BM_HurstSliding(benchmark::State& state) {
  const std::vector<int>& values = bench::NoiseSequence();
  const std::vector<int> sizes = SlidingSizes(10, 5, 10);
  CaseMode mode(state, static_cast<std::int64_t>(values.size()));
  for (auto _ : state) {
    const HurstFit fit =
        FitHurst(SlidingDeviations(values.data(), static_cast<std::int64_t>(values.size()), sizes));
    benchmark::DoNotOptimize(fit.Slope);
  }
}
BENCHMARK(BM_HurstSliding)->Apply(LengthCases);

// Every divisor of the length used, as "Using all the dividers" does.
void BM_HurstJumping(benchmark::State& state) {
  const std::vector<int>& values = bench::NoiseSequence();
  const int used = JumpingLength(static_cast<int>(values.size()));
  std::vector<int> sizes = ListDividers(used);
  sizes.resize(std::min<std::size_t>(sizes.size(), 127));
  CaseMode mode(state, static_cast<std::int64_t>(values.size()));
  for (auto _ : state) {
    const HurstFit fit = FitHurst(JumpingDeviations(values.data() + 1, used, sizes));
    benchmark::DoNotOptimize(fit.Slope);
  }
}
BENCHMARK(BM_HurstJumping)->Apply(LengthCases);

void BM_MexicanHat(benchmark::State& state) {
  const BytePlane& source = bench::Noise(static_cast<int>(state.range(0)));
  BytePlane image;
  CaseMode mode(state);
  for (auto _ : state) benchmark::DoNotOptimize(MakeMexicanHatImage(source, 5, 1.0, image));
}
BENCHMARK(BM_MexicanHat)->Apply(ImageCases);

void BM_ExtractSequence(benchmark::State& state) {
  const BytePlane& source = bench::Noise(static_cast<int>(state.range(0)));
  const SequenceFrame frame = WaveletFrame(source.Lines(), source.Columns(), 5);
  SequenceZone zone;
  std::vector<int> values;
  CaseMode mode(state);
  for (auto _ : state) {
    ExtractSequence(source, source, zone, frame, values);
    benchmark::DoNotOptimize(values.data());
  }
}
BENCHMARK(BM_ExtractSequence)->Apply(ImageCases);

// The dialog's defaults over the whole scene: three scales filtered, sequences taken, Hurst fitted.
void BM_WaveletTreatment(benchmark::State& state) {
  const BytePlane& source = bench::Noise(static_cast<int>(state.range(0)));
  WaveletParams params;
  params.Zone.StudiedItem = kWholeScene;
  BytePlane image;
  std::vector<int> sequence;
  CaseMode mode(state);
  for (auto _ : state) {
    const WaveletResult result = RunWavelet(source, source, params, image, sequence);
    benchmark::DoNotOptimize(result.Slope);
  }
}
BENCHMARK(BM_WaveletTreatment)->Apply(ImageCases);

}  // namespace
