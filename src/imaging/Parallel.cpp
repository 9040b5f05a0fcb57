#include "imaging/Parallel.h"

#include <linux/futex.h>
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
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

// Sleeps while `word` holds `expected` (a wake-up or a change ends it; so may a signal: callers check
// again). The futex checks the value and sleeps in one step, so no wake-up can be lost.
void FutexWait(std::atomic<std::uint32_t>& word, std::uint32_t expected) {
  syscall(SYS_futex, reinterpret_cast<std::uint32_t*>(&word), FUTEX_WAIT_PRIVATE, expected, nullptr, nullptr,
          0);
}

void FutexWake(std::atomic<std::uint32_t>& word, int count) {
  syscall(SYS_futex, reinterpret_cast<std::uint32_t*>(&word), FUTEX_WAKE_PRIVATE, count, nullptr, nullptr, 0);
}

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
// cores to whoever needs them. Each job has a generation; its helper places and its next chunk are
// tagged with it, so a worker that wakes late finds the tag changed and leaves without touching
// anything. The caller claims chunks too and waits only for chunks that are running: never for a
// worker that got no core, and no lock is held while chunks run.
class Pool {
 public:
  // Chunks of one job are numbered in the low half of a tagged counter.
  static constexpr std::int64_t kMaxChunks = std::int64_t{1} << 31;

  ~Pool() {
    stop_.store(true);
    generation_.fetch_add(1, std::memory_order_release);
    FutexWake(generation_, INT_MAX);
    for (std::thread& worker : workers_) worker.join();
  }

  // Runs chunk(0 .. chunks - 1) on the caller and up to `helpers` workers; chunks < kMaxChunks.
  void Run(std::int64_t chunks, const std::function<void(std::int64_t)>& chunk, int helpers) {
    try {
      // A new worker starts from the generation before this job's, so that it takes part in it.
      const std::uint32_t before = generation_.load(std::memory_order_relaxed);
      while (static_cast<int>(workers_.size()) < helpers)
        workers_.emplace_back([this, before] { Work(before); });
    } catch (const std::system_error&) {
      helpers = static_cast<int>(workers_.size());  // the threads that could be had
    }
    const std::uint32_t generation = generation_.load(std::memory_order_relaxed) + 1;
    // The tagged counters first: a late worker of an earlier job that reads this job's fields (they
    // are released after the counters) then finds the counters' tag changed and takes nothing.
    next_.store(Tag(generation, 0), std::memory_order_relaxed);
    places_.store(Tag(generation, static_cast<std::uint32_t>(helpers)), std::memory_order_relaxed);
    done_.store(0, std::memory_order_relaxed);
    error_ = nullptr;
    chunks_.store(static_cast<std::uint32_t>(chunks), std::memory_order_release);
    job_.store(&chunk, std::memory_order_release);
    // Publishes the job: a worker that sees this generation sees every field above.
    generation_.store(generation, std::memory_order_release);
    if (helpers > 0) FutexWake(generation_, helpers);
    Claim(generation, chunk, static_cast<std::uint32_t>(chunks));
    WaitForChunks(static_cast<std::uint32_t>(chunks));
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
  }

 private:
  static std::uint64_t Tag(std::uint32_t generation, std::uint32_t value) {
    return std::uint64_t{generation} << 32 | value;
  }

  // Takes one unit of a tagged counter of this generation; false when it is spent or another job's.
  static bool Take(std::atomic<std::uint64_t>& counter, std::uint32_t generation, std::uint32_t limit,
                   bool up, std::uint32_t& taken) {
    std::uint64_t value = counter.load(std::memory_order_acquire);
    for (;;) {
      if (value >> 32 != generation) return false;
      const auto count = static_cast<std::uint32_t>(value);
      if (up ? count >= limit : count == 0) return false;
      if (counter.compare_exchange_weak(value, up ? value + 1 : value - 1, std::memory_order_acq_rel)) {
        taken = count;
        return true;
      }
    }
  }

  void Claim(std::uint32_t generation, const std::function<void(std::int64_t)>& chunk, std::uint32_t chunks) {
    insideBody = true;
    std::uint32_t k = 0;
    while (Take(next_, generation, chunks, true, k)) {
      try {
        chunk(k);
      } catch (...) {
        std::lock_guard lock(errorMutex_);
        if (!error_) error_ = std::current_exception();
        // No chunk starts after a failure; those never started count as done.
        const std::uint64_t before = next_.exchange(Tag(generation, chunks), std::memory_order_acq_rel);
        if (before >> 32 == generation && static_cast<std::uint32_t>(before) < chunks)
          done_.fetch_add(chunks - static_cast<std::uint32_t>(before), std::memory_order_acq_rel);
      }
      // The caller announces its sleep before it checks: either it sees this chunk done, or this
      // sees it asleep.
      if (done_.fetch_add(1) + 1 == chunks && callerAsleep_.load()) FutexWake(done_, 1);
    }
    insideBody = false;
  }

  // The last chunks usually end within microseconds of the caller's: a short spin spares a sleep and
  // a wake-up, which on a busy machine can cost a whole time slice.
  void WaitForChunks(std::uint32_t chunks) {
    using Clock = std::chrono::steady_clock;
    constexpr auto kSpin = std::chrono::microseconds(30);
    const Clock::time_point until = Clock::now() + kSpin;
    do {
      for (int k = 0; k < 16; ++k) {
        if (done_.load(std::memory_order_acquire) == chunks) return;
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
      }
    } while (Clock::now() < until);
    callerAsleep_.store(true);
    for (std::uint32_t done = done_.load(); done != chunks; done = done_.load()) FutexWait(done_, done);
    callerAsleep_.store(false);
  }

  void Work(std::uint32_t seen) {
    for (;;) {
      FutexWait(generation_, seen);
      const std::uint32_t now = generation_.load(std::memory_order_acquire);
      if (now == seen) continue;  // woken by a signal
      seen = now;
      if (stop_.load()) return;
      std::uint32_t place = 0;
      if (!Take(places_, seen, 0, false, place)) continue;
      // Read after the place was taken: while chunks of this generation are left, the job is alive;
      // if none is left, Claim takes none and the job is not called.
      const std::function<void(std::int64_t)>* job = job_.load(std::memory_order_acquire);
      const std::uint32_t chunks = chunks_.load(std::memory_order_acquire);
      if (job != nullptr) Claim(seen, *job, chunks);  // a late worker's claims fail on the tag
    }
  }

  std::vector<std::thread> workers_;  // touched by the caller only, under RunMutex
  std::atomic<const std::function<void(std::int64_t)>*> job_{nullptr};
  std::atomic<std::uint32_t> chunks_{0};
  std::atomic<std::uint64_t> next_{0};    // generation | next chunk
  std::atomic<std::uint64_t> places_{0};  // generation | helper places left
  std::atomic<std::uint32_t> done_{0};    // chunks of the current job ended
  std::atomic<std::uint32_t> generation_{0};
  std::atomic<bool> stop_{false};
  std::atomic<bool> callerAsleep_{false};
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
  if (chunks <= 1 || insideBody || chunks >= Pool::kMaxChunks) return inline_();
  const int threads = Threads();
  if (threads <= 1) return inline_();
  std::unique_lock run(RunMutex(), std::try_to_lock);
  if (!run.owns_lock()) return inline_();
  const int helpers = static_cast<int>(std::min<std::int64_t>(threads - 1, chunks - 1));
  ThePool().Run(chunks, runChunk, helpers);
}

}  // namespace parallel
