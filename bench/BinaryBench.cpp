// Binary-image kernels at 2048 and 4096 square. BM_Binarize is the yardstick the others are
// measured against (same carpet-like picture).
#include <benchmark/benchmark.h>

#include <algorithm>

#include "binary/kernels/Binarize.h"
#include "binary/kernels/BoxCount.h"
#include "binary/kernels/Dividers.h"
#include "fixtures/Fractals.h"
#include "imaging/ItemFill.h"

namespace {

constexpr std::uint8_t kGrayItem = 40;
constexpr std::uint8_t kGrayBackground = 180;

// A Sierpinski carpet of 3^8 cut to size x size, in gray.
const BytePlane& CarpetLike(int size) {
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
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
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
  if (plane.Empty()) plane = Binarize(CarpetLike(size), {30, 50, 0, true}).Binary;
  return plane;
}

void BM_Binarize(benchmark::State& state) {
  const BytePlane& source = CarpetLike(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    BinarizeResult result = Binarize(source, {30, 50, 0, false});
    benchmark::DoNotOptimize(result.ItemPixels);
  }
}
BENCHMARK(BM_Binarize)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

// The planes are made once and refilled between runs: making and freeing planes of this size inside
// the timing would measure the system's page handling rather than the walk.
void RunCountItems(benchmark::State& state, const BytePlane& source) {
  PixelStack stack;
  BytePlane binary = source.Clone();
  IntPlane labels(source.Columns(), source.Lines());
  for (auto _ : state) {
    state.PauseTiming();
    std::copy(source.Data(), source.Data() + source.Size(), binary.Data());
    labels.Fill(0);
    state.ResumeTiming();
    ItemCountResult result = CountItems(binary, labels, 0, 1 << 30, stack);
    benchmark::DoNotOptimize(result.ItemCount);
  }
}

void BM_CountItems_Comb(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
  if (plane.Empty()) plane = fixtures::Comb(size, size);
  RunCountItems(state, plane);
}
BENCHMARK(BM_CountItems_Comb)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CountItems_Discs(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
  if (plane.Empty()) plane = fixtures::RandomDiscs(size, size, size * size / 400, 12, 5);
  RunCountItems(state, plane);
}
BENCHMARK(BM_CountItems_Discs)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BoxCount_Divisors(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const BytePlane& binary = BinaryCarpet(size);
  for (auto _ : state) {
    BoxCountResult result =
        BoxCounting(binary, ItemSelector::Value(1), {size, size, size, false, false}, true);
    benchmark::DoNotOptimize(result.Dimension);
  }
}
BENCHMARK(BM_BoxCount_Divisors)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BoxCount_EverySize512(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const BytePlane& binary = BinaryCarpet(size);
  for (auto _ : state) {
    BoxCountResult result = BoxCounting(binary, ItemSelector::Value(1), {size, size, 512, true, false}, true);
    benchmark::DoNotOptimize(result.Dimension);
  }
}
BENCHMARK(BM_BoxCount_EverySize512)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BoxCount_BorderSearch(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  for (auto _ : state) {
    BorderProposal proposal = ProposeBorderSize(size, size, size);
    benchmark::DoNotOptimize(proposal.Lines);
  }
}
BENCHMARK(BM_BoxCount_BorderSearch)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
