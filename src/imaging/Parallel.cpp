#include "imaging/Parallel.h"

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <limits>
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

int ComputeCoresAllowed() {
  int cores = 0;
  cpu_set_t set;
  CPU_ZERO(&set);
  if (sched_getaffinity(0, sizeof(set), &set) == 0) cores = CPU_COUNT(&set);
  if (cores <= 0) cores = static_cast<int>(std::thread::hardware_concurrency());
  if (cores <= 0) cores = 1;
  const int quota = QuotaCores();
  return quota > 0 ? std::min(cores, quota) : cores;
}

int MachineCores() {
  static const int cores = [] {
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? static_cast<int>(online) : 1;
  }();
  return cores;
}

// Threads running on the whole machine right now, the caller included (the "running" field of
// /proc/loadavg); 0 when it cannot be read.
int RunningNow() {
  const int fd = open("/proc/loadavg", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  char text[128];
  const ssize_t got = read(fd, text, sizeof text - 1);
  close(fd);
  if (got <= 0) return 0;
  text[got] = '\0';
  double averages[3];
  int running = 0;
  if (std::sscanf(text, "%lf %lf %lf %d/", &averages[0], &averages[1], &averages[2], &running) != 4) return 0;
  return running;
}

// The machine's load changes slowly next to a kernel call; one reading serves a short while.
int RunningRecently() {
  using Clock = std::chrono::steady_clock;
  constexpr std::int64_t kFreshNanoseconds = 2'000'000;
  static std::atomic<std::int64_t> readAt{std::numeric_limits<std::int64_t>::min()};
  static std::atomic<int> lastRunning{0};
  const std::int64_t now =
      std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
  const std::int64_t then = readAt.load(std::memory_order_acquire);
  if (then != std::numeric_limits<std::int64_t>::min() && now - then < kFreshNanoseconds) {
    return lastRunning.load(std::memory_order_relaxed);
  }
  const int running = RunningNow();
  lastRunning.store(running, std::memory_order_relaxed);
  readAt.store(now, std::memory_order_release);
  return running;
}

// Workers wait on a condition variable between jobs, so an idle pool costs nothing and a busy
// machine gives their cores to whoever needs them. A job offers a number of helper places; a woken
// worker takes one if any is left, and a worker that wakes after the job has closed goes back to
// sleep without touching it.
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
      try {
        while (static_cast<int>(workers_.size()) < helpers) workers_.emplace_back([this] { Work(); });
      } catch (const std::system_error&) {
        helpers = static_cast<int>(workers_.size());  // the threads that could be had
      }
      job_ = &chunk;
      chunks_ = chunks;
      next_.store(0, std::memory_order_relaxed);
      places_ = helpers;
      error_ = nullptr;
    }
    for (int k = 0; k < helpers; ++k) wake_.notify_one();
    Claim();
    std::unique_lock lock(mutex_);
    places_ = 0;  // a worker waking from now on leaves this job alone
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

  void Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
      wake_.wait(lock, [&] { return stop_ || places_ > 0; });
      if (stop_) return;
      --places_;
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
  int places_ = 0;
  int busy_ = 0;
  bool stop_ = false;
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
  static const int cores = ComputeCoresAllowed();
  return cores;
}

int Threads() {
  const int limit = threadLimit.load(std::memory_order_relaxed);
  if (limit > 0) return limit;
  const int allowed = CoresAllowed();
  if (allowed <= 1) return 1;
  // Cores kept busy by other threads are not ours to take: a thread sharing a core with a busy one
  // only makes every chunk it claims late.
  const int running = RunningRecently();
  if (running <= 0) return allowed;
  const int idle = MachineCores() - (running - 1);
  return std::clamp(idle, 1, allowed);
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
