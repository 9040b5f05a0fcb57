#pragma once
// Kernel equivalence tests run at 1, 2 and 8 threads, with chunks so small that their small images are
// cut into many: a parameterized suite derives from AtThreadCounts and is instantiated with
// INSTANTIATE_AT_THREAD_COUNTS.
#include <gtest/gtest.h>

#include <string>

#include "imaging/Parallel.h"

class AtThreadCounts : public ::testing::TestWithParam<int> {
 protected:
  static constexpr std::int64_t kTestChunkWork = 64;
  void SetUp() override {
    parallel::SetThreadLimit(GetParam());
    parallel::SetChunkWork(kTestChunkWork);
  }
  void TearDown() override {
    parallel::SetThreadLimit(0);
    parallel::SetChunkWork(0);
  }
};

#define INSTANTIATE_AT_THREAD_COUNTS(Suite)                                                                  \
  INSTANTIATE_TEST_SUITE_P(, Suite, ::testing::Values(1, 2, 8), [](const ::testing::TestParamInfo<int>& p) { \
    return std::to_string(p.param) + "Threads";                                                              \
  })
