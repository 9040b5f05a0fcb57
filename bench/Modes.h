#pragma once
// Every case runs on one thread, on all threads, and on all threads while spinning threads of the
// benchmark keep every core busy (a desktop or a CI runner where other programs run): the second
// argument of each case, 0, 1 or 2.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

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
// pixels (size x size a pass, for the time per pixel).
class CaseMode {
 public:
  explicit CaseMode(benchmark::State& state);
  ~CaseMode();
  CaseMode(const CaseMode&) = delete;
  CaseMode& operator=(const CaseMode&) = delete;

 private:
  benchmark::State& state_;
  std::unique_ptr<BackgroundLoad> load_;
};

// Sizes 1024, 2048, 4096 and 8192, each in the three modes, wall time in milliseconds.
void KernelCases(benchmark::internal::Benchmark* b);
