#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <tuple>

#include "imaging/Parallel.h"
namespace {
struct ThreadLimit {
  explicit ThreadLimit(int threads) { parallel::SetThreadLimit(threads); }
  ~ThreadLimit() { parallel::SetThreadLimit(0); }
};
TEST(Parallel, EveryIndexOnceInChunksOfTheGrainAtAnyThreadCount) {
  for (const int threads : {1, 8}) {
    ThreadLimit limit(threads);
    for (const std::int64_t count : {1, 7, 1000, 100003})
      for (const std::int64_t grain : {1, 3, 64, 200000}) {
        SCOPED_TRACE(std::to_string(threads) + " threads, grain " + std::to_string(grain));
        std::vector<std::atomic<int>> hits(count), chunks(parallel::ChunkCount(count, grain));
        parallel::For(count, grain, [&](std::int64_t first, std::int64_t last) {
          ASSERT_TRUE(first % grain == 0 && last == std::min(count, first + grain)) << first;
          ++chunks[parallel::ChunkIndex(first, grain)];
          for (std::int64_t k = first; k < last; ++k) ++hits[k];
        });
        for (const auto& hit : hits) ASSERT_EQ(hit.load(), 1);
        for (const auto& chunk : chunks) ASSERT_EQ(chunk.load(), 1);
      }
  }
}
TEST(Parallel, NestedLoopsRunInlineErrorsReachTheCallerAndASecondCallerRunsAlongside) {
  ThreadLimit limit(4);
  std::atomic<std::int64_t> sum{0};
  parallel::For(64, 1, [&](std::int64_t first, std::int64_t) {
    parallel::For(10, 1, [&](std::int64_t inner, std::int64_t) { sum += first * 10 + inner; });
  });
  EXPECT_EQ(sum.load(), 639 * 640 / 2);
  const auto failing = [](std::int64_t first, std::int64_t) {
    if (first == 37) throw std::runtime_error("chunk 37");
  };
  EXPECT_THROW(parallel::For(100, 1, failing), std::runtime_error);
  std::atomic<int> after{0};
  parallel::For(100, 1, [&](std::int64_t, std::int64_t) { ++after; });
  EXPECT_EQ(after.load(), 100);
  std::atomic<int> inner{0};
  std::atomic<bool> release{false};
  std::thread other;
  parallel::For(8, 1, [&](std::int64_t first, std::int64_t) {
    if (first != 0) return;
    // The pool is taken by this loop: the other thread's loop must still end, on its own.
    other = std::thread([&] {
      parallel::For(100, 1, [&](std::int64_t, std::int64_t) { ++inner; });
      release = true;
    });
    while (!release) std::this_thread::yield();
  });
  other.join();
  EXPECT_EQ(inner.load(), 100);
}
TEST(Parallel, AJobUsesAtMostTheThreadCountAndGrainsFollowTheChunkWork) {
  for (const int threads : {1, 3}) {
    ThreadLimit limit(threads);
    std::mutex mutex;
    std::set<std::thread::id> seen;
    parallel::For(400, 1, [&](std::int64_t, std::int64_t) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
      std::lock_guard lock(mutex);
      seen.insert(std::this_thread::get_id());
    });
    // The caller claims chunks too.
    EXPECT_TRUE(static_cast<int>(seen.size()) <= threads && seen.count(std::this_thread::get_id()))
        << seen.size();
  }
  EXPECT_TRUE(parallel::Threads() >= 1 && parallel::Threads() <= parallel::CoresAllowed());
  using parallel::ChunkCount, parallel::RowGrain, parallel::kChunkWork;
  EXPECT_EQ(std::tuple(ChunkCount(0, 5), ChunkCount(10, 5), ChunkCount(11, 5)), std::tuple(0, 2, 3));
  parallel::SetChunkWork(64);  // as the kernel tests cut their small images
  EXPECT_EQ(std::tuple(RowGrain(16), RowGrain(1000)), std::tuple(4, 1));
  parallel::SetChunkWork(0);  // back to the default
  EXPECT_EQ(std::tuple(RowGrain(4096), RowGrain(kChunkWork * 2)), std::tuple(kChunkWork / 4096, 1));
}
}  // namespace
