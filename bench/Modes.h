#pragma once
// The second argument of every case is its mode: 0 on one thread, 1 on all threads, 2 on all threads
// while spinning threads of the benchmark keep every core busy (a desktop or a CI runner where other
// programs run). The first is the picture's side (or a sequence's length).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "imaging/Plane.h"

// Threads that spin, one pinned to each core this process may use, until destroyed.
class BackgroundLoad {
 public:
  BackgroundLoad();
  ~BackgroundLoad();
  BackgroundLoad(const BackgroundLoad&) = delete;
  BackgroundLoad& operator=(const BackgroundLoad&) = delete;

 private:
  std::atomic<bool> stop_{false};
  std::vector<std::thread> spinners_;
};

// Puts the mode of state.range(1) in place for the case's duration, labels the case, and counts its
// items: `itemsPerPass` a pass, by default the pixels of a size x size picture (for the time per pixel).
class CaseMode {
 public:
  explicit CaseMode(benchmark::State& state, std::int64_t itemsPerPass = -1);
  ~CaseMode();
  CaseMode(const CaseMode&) = delete;
  CaseMode& operator=(const CaseMode&) = delete;

 private:
  benchmark::State& state_;
  std::int64_t itemsPerPass_;
  std::unique_ptr<BackgroundLoad> load_;
};

// The frame's kernels (BinaryBench.cpp, ImageStoreBench.cpp, the yardstick BM_Binarize): sizes 1024,
// 2048, 4096 and 8192, each in the three modes, wall time in milliseconds.
void KernelCases(benchmark::internal::Benchmark* b);

// Every other kernel: sizes 2048 and 4096, each on one thread and on all threads (modes 0 and 1).
void ImageCases(benchmark::internal::Benchmark* b);

// Kernels whose time per pixel should not grow with the picture: sizes 1024, 2048, 4096 and 8192,
// each on one thread and on all threads.
void ScalingCases(benchmark::internal::Benchmark* b);

// A sequence of `length` values, on one thread and on all threads.
void SequenceCases(benchmark::internal::Benchmark* b, std::int64_t length);

// `kernel` on a fresh copy of `source` at each pass, the copying untimed.
template <class Kernel>
void InPlace(benchmark::State& state, const BytePlane& source, Kernel kernel) {
  BytePlane plane = source.Clone();
  CaseMode mode(state);
  for (auto _ : state) {
    state.PauseTiming();
    std::copy(source.Data(), source.Data() + source.Size(), plane.Data());
    state.ResumeTiming();
    kernel(plane);
    benchmark::DoNotOptimize(plane.Data());
  }
}
