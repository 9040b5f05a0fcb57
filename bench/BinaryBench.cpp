// The frame's binary kernels (labeling, box counting) from 1024 to 8192 square, in the three modes.
// Yardstick: BM_Binarize (Yardsticks.cpp), the binarizing of the carpet whose binary form the box
// counting reads; the labeling's pictures (comb, checkerboard, discs) are read against it too.
#include <benchmark/benchmark.h>

#include <climits>

#include "Images.h"
#include "Modes.h"
#include "binary/kernels/BoxCount.h"
#include "binary/kernels/Dividers.h"
#include "binary/kernels/Labeling.h"

namespace {

// The labeling as the treatment calls it: the walk's memory kept between calls, a new labeled plane.
void RunLabelItems(benchmark::State& state, const BytePlane& binary) {
  PixelStack stack;
  CaseMode mode(state);
  for (auto _ : state) {
    LabelingResult result = LabelItems(binary, 0, INT_MAX, stack);
    benchmark::DoNotOptimize(result.Labeled.Data());
  }
}

void BM_LabelItems_Comb(benchmark::State& state) {
  RunLabelItems(state, bench::Comb(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_LabelItems_Comb)->Apply(KernelCases);

// Every run read and kept.
void BM_LabelItems_Checkerboard(benchmark::State& state) {
  RunLabelItems(state, bench::Checkerboard(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_LabelItems_Checkerboard)->Apply(KernelCases);

void BM_LabelItems_Discs(benchmark::State& state) {
  RunLabelItems(state, bench::ScatteredDiscs(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_LabelItems_Discs)->Apply(KernelCases);

void BM_BoxCount_Divisors(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const BytePlane& binary = bench::CarpetBinary(size);
  CaseMode mode(state);
  for (auto _ : state) {
    BoxCountResult result =
        BoxCounting(binary, ItemSelector::Value(1), {size, size, size, false, false}, true);
    benchmark::DoNotOptimize(result.Dimension);
  }
}
BENCHMARK(BM_BoxCount_Divisors)->Apply(KernelCases);

void BM_BoxCount_EverySize512(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const BytePlane& binary = bench::CarpetBinary(size);
  CaseMode mode(state);
  for (auto _ : state) {
    BoxCountResult result = BoxCounting(binary, ItemSelector::Value(1), {size, size, 512, true, false}, true);
    benchmark::DoNotOptimize(result.Dimension);
  }
}
BENCHMARK(BM_BoxCount_EverySize512)->Apply(KernelCases);

void BM_BoxCount_BorderSearch(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  CaseMode mode(state);
  for (auto _ : state) {
    BorderProposal proposal = ProposeBorderSize(size, size, size);
    benchmark::DoNotOptimize(proposal.Lines);
  }
}
BENCHMARK(BM_BoxCount_BorderSearch)->Apply(KernelCases);

}  // namespace
