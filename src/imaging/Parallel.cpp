#include "imaging/Parallel.h"

#include <sched.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace parallel {
namespace {

std::atomic<int> threadLimit{0};
thread_local bool insideBody = false;

int CoresAvailable() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (sched_getaffinity(0, sizeof(set), &set) == 0) {
    const int count = CPU_COUNT(&set);
    if (count > 0) return count;
  }
  const unsigned hardware = std::thread::hardware_concurrency();
  return hardware > 0 ? static_cast<int>(hardware) : 1;
}

// Workers wait on a condition variable between jobs, so an idle pool costs nothing and a busy
// machine gives their cores to whoever needs them.
class Pool {
 public:
  ~Pool() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_) worker.join();
  }

  // Runs chunk(0 .. chunks - 1) on the caller and up to `helpers` workers.
  void Run(std::int64_t chunks, const std::function<void(std::int64_t)>& chunk, int helpers) {
    {
      std::lock_guard lock(mutex_);
      while (static_cast<int>(workers_.size()) < helpers) {
        const int index = static_cast<int>(workers_.size());
        workers_.emplace_back([this, index] { Work(index); });
      }
      job_ = &chunk;
      chunks_ = chunks;
      next_.store(0, std::memory_order_relaxed);
      helpers_ = helpers;
      error_ = nullptr;
      open_ = true;
      ++generation_;
    }
    wake_.notify_all();
    Claim();
    std::unique_lock lock(mutex_);
    open_ = false;  // a worker waking from now on leaves this job alone
    finished_.wait(lock, [this] { return busy_ == 0; });
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
        std::lock_guard lock(mutex_);
        if (!error_) error_ = std::current_exception();
        next_.store(chunks_, std::memory_order_relaxed);
      }
    }
    insideBody = false;
  }

  void Work(int index) {
    std::uint64_t seen = 0;
    std::unique_lock lock(mutex_);
    for (;;) {
      wake_.wait(lock, [&] { return stop_ || generation_ != seen; });
      if (stop_) return;
      seen = generation_;
      if (!open_ || index >= helpers_) continue;
      ++busy_;
      lock.unlock();
      Claim();
      lock.lock();
      if (--busy_ == 0) finished_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_, finished_;
  std::vector<std::thread> workers_;
  const std::function<void(std::int64_t)>* job_ = nullptr;
  std::int64_t chunks_ = 0;
  std::atomic<std::int64_t> next_{0};
  int helpers_ = 0;
  int busy_ = 0;
  bool open_ = false;
  bool stop_ = false;
  std::uint64_t generation_ = 0;
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

int Threads() {
  const int limit = threadLimit.load(std::memory_order_relaxed);
  return limit > 0 ? limit : CoresAvailable();
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
  const int threads = Threads();
  if (chunks <= 1 || threads <= 1 || insideBody) {
    for (std::int64_t k = 0; k < chunks; ++k) runChunk(k);
    return;
  }
  std::unique_lock run(RunMutex(), std::try_to_lock);
  if (!run.owns_lock()) {
    for (std::int64_t k = 0; k < chunks; ++k) runChunk(k);
    return;
  }
  const int helpers = static_cast<int>(std::min<std::int64_t>(threads - 1, chunks - 1));
  ThePool().Run(chunks, runChunk, helpers);
}

}  // namespace parallel
