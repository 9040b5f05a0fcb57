#include "Modes.h"

#include <pthread.h>
#include <sched.h>

#include "imaging/Parallel.h"

namespace {

constexpr const char* kModeNames[] = {"1 thread", "all threads", "all threads, loaded"};

}  // namespace

BackgroundLoad::BackgroundLoad() {
  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  if (sched_getaffinity(0, sizeof(allowed), &allowed) != 0) return;
  std::atomic<int> started{0};
  for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
    if (!CPU_ISSET(cpu, &allowed)) continue;
    spinners_.emplace_back([this, &started] {
      started.fetch_add(1);
      while (!stop_.load(std::memory_order_relaxed)) {
      }
    });
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(cpu, &one);
    pthread_setaffinity_np(spinners_.back().native_handle(), sizeof(one), &one);
  }
  while (started.load() < static_cast<int>(spinners_.size())) std::this_thread::yield();
}

BackgroundLoad::~BackgroundLoad() {
  stop_.store(true);
  for (std::thread& spinner : spinners_) spinner.join();
}

CaseMode::CaseMode(benchmark::State& state, std::int64_t itemsPerPass)
    : state_(state), itemsPerPass_(itemsPerPass >= 0 ? itemsPerPass : state.range(0) * state.range(0)) {
  const int mode = static_cast<int>(state.range(1));
  parallel::SetThreadLimit(mode == 0 ? 1 : 0);
  if (mode == 2) load_ = std::make_unique<BackgroundLoad>();
  state.SetLabel(kModeNames[mode < 0 || mode > 2 ? 0 : mode]);
}

CaseMode::~CaseMode() {
  load_.reset();
  parallel::SetThreadLimit(0);
  state_.SetItemsProcessed(state_.iterations() * itemsPerPass_);
}

void KernelCases(benchmark::internal::Benchmark* b) {
  b->ArgsProduct({{1024, 2048, 4096, 8192}, {0, 1, 2}})->Unit(benchmark::kMillisecond)->UseRealTime();
}

void ImageCases(benchmark::internal::Benchmark* b) {
  b->ArgsProduct({{2048, 4096}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();
}

void ScalingCases(benchmark::internal::Benchmark* b) {
  b->ArgsProduct({{1024, 2048, 4096, 8192}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();
}

void SequenceCases(benchmark::internal::Benchmark* b, std::int64_t length) {
  b->ArgsProduct({{length}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();
}
