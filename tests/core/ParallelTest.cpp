#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "imaging/Parallel.h"

namespace {

struct ThreadLimit {
  explicit ThreadLimit(int threads) { parallel::SetThreadLimit(threads); }
  ~ThreadLimit() { parallel::SetThreadLimit(0); }
};

}  // namespace

TEST(Parallel, EveryIndexOnceInChunksOfTheGrainAtAnyThreadCount) {
  for (const int threads : {1, 2, 8}) {
    ThreadLimit limit(threads);
    for (const std::int64_t count : {1, 7, 1000, 100003}) {
      for (const std::int64_t grain : {1, 3, 64, 200000}) {
        std::vector<std::atomic<int>> hits(count);
        std::vector<std::atomic<int>> chunks(parallel::ChunkCount(count, grain));
        parallel::For(count, grain, [&](std::int64_t first, std::int64_t last) {
          ASSERT_EQ(first % grain, 0);
          ASSERT_EQ(last, std::min(count, first + grain));
          ++chunks[parallel::ChunkIndex(first, grain)];
          for (std::int64_t k = first; k < last; ++k) ++hits[k];
        });
        for (const auto& hit : hits) ASSERT_EQ(hit.load(), 1) << threads << " threads, grain " << grain;
        for (const auto& chunk : chunks) ASSERT_EQ(chunk.load(), 1);
      }
    }
  }
}

TEST(Parallel, NestedLoopsRunInlineAndErrorsReachTheCaller) {
  ThreadLimit limit(4);
  std::atomic<std::int64_t> sum{0};
  parallel::For(64, 1, [&](std::int64_t first, std::int64_t) {
    parallel::For(10, 1, [&](std::int64_t inner, std::int64_t) { sum += first * 10 + inner; });
  });
  EXPECT_EQ(sum.load(), 639 * 640 / 2);

  EXPECT_THROW(parallel::For(100, 1,
                             [](std::int64_t first, std::int64_t) {
                               if (first == 37) throw std::runtime_error("chunk 37");
                             }),
               std::runtime_error);
  // The pool is usable after a failed loop.
  std::atomic<int> after{0};
  parallel::For(100, 1, [&](std::int64_t, std::int64_t) { ++after; });
  EXPECT_EQ(after.load(), 100);
}

TEST(Parallel, ThreadLimitAndGrains) {
  {
    ThreadLimit limit(3);
    EXPECT_EQ(parallel::Threads(), 3);
  }
  EXPECT_GE(parallel::Threads(), 1);
  EXPECT_EQ(parallel::ChunkCount(0, 5), 0);
  EXPECT_EQ(parallel::ChunkCount(10, 5), 2);
  EXPECT_EQ(parallel::ChunkCount(11, 5), 3);
  EXPECT_EQ(parallel::RowGrain(4096), parallel::kChunkWork / 4096);
  EXPECT_EQ(parallel::RowGrain(parallel::kChunkWork * 2), 1);
}
