// Binary-image kernels from 1024 to 8192 square, in the three thread modes. BM_Binarize is the
// yardstick the others are measured against (same carpet-like picture).
#include <benchmark/benchmark.h>

#include <climits>
#include <map>

#include "Modes.h"
#include "binary/kernels/Binarize.h"
#include "binary/kernels/BoxCount.h"
#include "binary/kernels/Dividers.h"
#include "binary/kernels/Labeling.h"
#include "fixtures/Fractals.h"

namespace {

constexpr std::uint8_t kGrayItem = 40;
constexpr std::uint8_t kGrayBackground = 180;

// A Sierpinski carpet of 3^9 cut to size x size, in gray.
const BytePlane& CarpetLike(int size) {
  static std::map<int, BytePlane> planes;
  BytePlane& plane = planes[size];
  if (plane.Empty()) {
    plane = BytePlane(size, size);
    for (int i = 0; i < size; ++i) {
      for (int j = 0; j < size; ++j) {
        bool hole = false;
        for (int a = i, b = j; !hole && (a > 0 || b > 0); a /= 3, b /= 3) hole = a % 3 == 1 && b % 3 == 1;
        plane[i][j] = hole ? kGrayBackground : kGrayItem;
      }
    }
  }
  return plane;
}

const BytePlane& BinaryCarpet(int size) {
  static std::map<int, BytePlane> planes;
  BytePlane& plane = planes[size];
  if (plane.Empty()) plane = Binarize(CarpetLike(size), {30, 50, 0, true}).Binary;
  return plane;
}

const BytePlane& Comb(int size) {
  static std::map<int, BytePlane> planes;
  BytePlane& plane = planes[size];
  if (plane.Empty()) plane = fixtures::Comb(size, size);
  return plane;
}

const BytePlane& Discs(int size) {
  static std::map<int, BytePlane> planes;
  BytePlane& plane = planes[size];
  if (plane.Empty()) plane = fixtures::RandomDiscs(size, size, size * size / 400, 12, 5);
  return plane;
}

// Into a plane kept from call to call, as the treatment overwrites panel 2.
void BM_Binarize(benchmark::State& state) {
  const BytePlane& source = CarpetLike(static_cast<int>(state.range(0)));
  BytePlane binary;
  CaseMode mode(state);
  for (auto _ : state) {
    const BinarizeCounts counts = BinarizeInto(source, {30, 50, 0, false}, binary);
    benchmark::DoNotOptimize(counts.ItemPixels);
  }
}
BENCHMARK(BM_Binarize)->Apply(KernelCases);

// The labeling as the treatment calls it: the walk's memory kept between calls, a new labeled plane.
void RunLabelItems(benchmark::State& state, const BytePlane& binary) {
  PixelStack stack;
  CaseMode mode(state);
  for (auto _ : state) {
    LabelingResult result = LabelItems(binary, 0, INT_MAX, stack);
    benchmark::DoNotOptimize(result.Labeled.Data());
  }
}

// One item of one-pixel teeth: the most runs an image can have.
void BM_LabelItems_Comb(benchmark::State& state) {
  RunLabelItems(state, Comb(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_LabelItems_Comb)->Apply(KernelCases);

// One item of one-pixel runs on lines that never repeat the line above: every run read and kept.
const BytePlane& Checkerboard(int size) {
  static std::map<int, BytePlane> planes;
  BytePlane& plane = planes[size];
  if (plane.Empty()) {
    plane = BytePlane(size, size);
    for (int i = 0; i < size; ++i) {
      for (int j = 0; j < size; ++j) plane[i][j] = (i + j) % 2 == 0 ? 1 : 255;
    }
  }
  return plane;
}

void BM_LabelItems_Checkerboard(benchmark::State& state) {
  RunLabelItems(state, Checkerboard(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_LabelItems_Checkerboard)->Apply(KernelCases);

void BM_LabelItems_Discs(benchmark::State& state) {
  RunLabelItems(state, Discs(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_LabelItems_Discs)->Apply(KernelCases);

void BM_BoxCount_Divisors(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const BytePlane& binary = BinaryCarpet(size);
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
  const BytePlane& binary = BinaryCarpet(size);
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
