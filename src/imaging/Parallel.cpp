#include "imaging/Parallel.h"

#include <sched.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace parallel {
namespace {

std::atomic<int> threadLimit{0};
std::atomic<std::int64_t> chunkWork{0};
thread_local bool insideBody = false;

// A CPU quota of the process's control group ("quota period" in cpu.max), in whole cores; 0 when none.
int QuotaCores() {
  std::string group;
  std::ifstream self("/proc/self/cgroup");
  for (std::string line; std::getline(self, line);) {
    if (line.rfind("0::", 0) == 0) group = line.substr(3);
  }
  for (const std::string& folder : {"/sys/fs/cgroup" + group, std::string("/sys/fs/cgroup")}) {
    std::ifstream limit(folder + "/cpu.max");
    std::string quota;
    long long period = 0;
    if (!(limit >> quota >> period)) continue;
    if (quota == "max" || period <= 0) return 0;
    const long long cores = (std::atoll(quota.c_str()) + period - 1) / period;
    return cores > 0 ? static_cast<int>(std::min<long long>(cores, 1 << 16)) : 0;
  }
  return 0;
}

// Workers sleep on a futex between jobs, so an idle pool costs nothing and a busy machine gives their
// cores to whoever needs them. A job offers a number of helper places and wakes the workers; each
// takes a place if one is left, and the caller claims chunks meanwhile, so a worker that gets no core
// soon leaves its share to the others. No lock is held while chunks run, so a descheduled thread
// never blocks the others.
class Pool {
 public:
  ~Pool() {
    stop_.store(true);
    generation_.fetch_add(1, std::memory_order_release);
    generation_.notify_all();
    for (std::thread& worker : workers_) worker.join();
  }

  // Runs chunk(0 .. chunks - 1) on the caller and up to `helpers` workers.
  void Run(std::int64_t chunks, const std::function<void(std::int64_t)>& chunk, int helpers) {
    try {
      while (static_cast<int>(workers_.size()) < helpers) workers_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
      helpers = static_cast<int>(workers_.size());  // the threads that could be had
    }
    job_ = &chunk;
    chunks_ = chunks;
    next_.store(0, std::memory_order_relaxed);
    error_ = nullptr;
    // Publishes the job: a worker that takes a place has seen every field above.
    places_.store(helpers, std::memory_order_release);
    generation_.fetch_add(1, std::memory_order_release);
    if (helpers > 0) generation_.notify_all();
    Claim();
    places_.store(0);  // a worker waking from now on leaves this job alone
    WaitForHelpers();
    job_ = nullptr;
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
  }

 private:
  void Claim() {
    insideBody = true;
    for (;;) {
      const std::int64_t k = next_.fetch_add(1, std::memory_order_relaxed);
      if (k >= chunks_) break;
      try {
        (*job_)(k);
      } catch (...) {
        std::lock_guard lock(errorMutex_);
        if (!error_) error_ = std::current_exception();
        next_.store(chunks_, std::memory_order_relaxed);
      }
    }
    insideBody = false;
  }

  // The last chunks usually end within microseconds of the caller's: a short spin spares a sleep and
  // a wake-up, which on a busy machine can cost a whole time slice.
  void WaitForHelpers() {
    using Clock = std::chrono::steady_clock;
    constexpr auto kSpin = std::chrono::microseconds(30);
    const Clock::time_point until = Clock::now() + kSpin;
    do {
      for (int k = 0; k < 16; ++k) {
        if (busy_.load(std::memory_order_acquire) == 0) return;
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
      }
    } while (Clock::now() < until);
    for (int busy = busy_.load(std::memory_order_acquire); busy != 0;
         busy = busy_.load(std::memory_order_acquire))
      busy_.wait(busy, std::memory_order_acquire);
  }

  bool TakePlace() {
    int places = places_.load(std::memory_order_relaxed);
    while (places > 0 && !places_.compare_exchange_weak(places, places - 1, std::memory_order_acq_rel)) {
    }
    return places > 0;
  }

  void Work() {
    std::uint32_t seen = generation_.load(std::memory_order_acquire);
    for (;;) {
      generation_.wait(seen, std::memory_order_acquire);
      seen = generation_.load(std::memory_order_acquire);
      if (stop_.load()) return;
      // Counted busy before taking a place, so that the caller, which closes the places and then waits
      // for no busy worker, cannot miss this one.
      busy_.fetch_add(1, std::memory_order_acq_rel);
      if (TakePlace()) Claim();
      if (busy_.fetch_sub(1, std::memory_order_acq_rel) == 1) busy_.notify_all();
    }
  }

  std::vector<std::thread> workers_;  // touched by the caller only, under RunMutex
  const std::function<void(std::int64_t)>* job_ = nullptr;
  std::int64_t chunks_ = 0;
  std::atomic<std::int64_t> next_{0};
  std::atomic<std::uint32_t> generation_{0};
  std::atomic<int> places_{0};
  std::atomic<int> busy_{0};
  std::atomic<bool> stop_{false};
  std::mutex errorMutex_;
  std::exception_ptr error_;
};

Pool& ThePool() {
  static Pool pool;
  return pool;
}

// One job at a time: a second caller (another thread) runs its loop by itself.
std::mutex& RunMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

int CoresAllowed() {
  // The affinity may change while the program runs (taskset); the quota is read once.
  static const int quota = QuotaCores();
  int cores = 0;
  cpu_set_t set;
  CPU_ZERO(&set);
  if (sched_getaffinity(0, sizeof(set), &set) == 0) cores = CPU_COUNT(&set);
  if (cores <= 0) cores = static_cast<int>(std::thread::hardware_concurrency());
  if (cores <= 0) cores = 1;
  return quota > 0 ? std::min(cores, quota) : cores;
}

int Threads() {
  const int limit = threadLimit.load(std::memory_order_relaxed);
  return limit > 0 ? limit : CoresAllowed();
}

std::int64_t ChunkWork() {
  const std::int64_t cells = chunkWork.load(std::memory_order_relaxed);
  return cells > 0 ? cells : kChunkWork;
}

void SetChunkWork(std::int64_t cells) {
  chunkWork.store(std::max<std::int64_t>(cells, 0), std::memory_order_relaxed);
}

void SetThreadLimit(int threads) {
  threadLimit.store(std::max(threads, 0), std::memory_order_relaxed);
}

void For(std::int64_t count, std::int64_t grain,
         const std::function<void(std::int64_t, std::int64_t)>& body) {
  if (count <= 0) return;
  if (grain <= 0) grain = count;
  const std::int64_t chunks = ChunkCount(count, grain);
  const auto runChunk = [&](std::int64_t k) {
    const std::int64_t first = k * grain;
    body(first, std::min(count, first + grain));
  };
  const auto inline_ = [&] {
    for (std::int64_t k = 0; k < chunks; ++k) runChunk(k);
  };
  if (chunks <= 1 || insideBody) return inline_();
  const int threads = Threads();
  if (threads <= 1) return inline_();
  std::unique_lock run(RunMutex(), std::try_to_lock);
  if (!run.owns_lock()) return inline_();
  const int helpers = static_cast<int>(std::min<std::int64_t>(threads - 1, chunks - 1));
  ThePool().Run(chunks, runChunk, helpers);
}

}  // namespace parallel
