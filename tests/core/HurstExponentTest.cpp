#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <tuple>
#include <vector>

#include "binary/kernels/Dividers.h"
#include "fixtures/Sequences.h"
#include "imaging/Parallel.h"
#include "sequence/kernels/HurstExponent.h"

namespace {

// The mean of the two-pass population deviations of the sliding (one apart) or jumping (w apart) windows.
double LiteralMean(const std::vector<int>& v, std::size_t first, std::size_t length, int w, bool jumping) {
  long double sum = 0;
  const std::size_t windows = jumping ? length / w : length - w + 1;
  for (std::size_t k = 0; k < windows; ++k) {
    const std::size_t start = first + k * (jumping ? w : 1);
    long double mean = 0, squares = 0;
    for (int j = 0; j < w; ++j) mean += v[start + j];
    mean /= w;
    for (int j = 0; j < w; ++j) squares += (v[start + j] - mean) * (v[start + j] - mean);
    sum += static_cast<double>(std::sqrt(squares / w));
  }
  return static_cast<double>(sum / windows);
}

std::vector<int> Uniform(int length, int low, int high, std::uint64_t seed) {
  std::vector<int> v(length);
  const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(high) - low + 1);
  std::uint64_t mix = seed * 0x9E3779B97F4A7C15ull + 1;
  for (int& x : v)
    mix = mix * 6364136223846793005ull + 1442695040888963407ull,
    x = static_cast<int>(low + (mix >> 17) % span);
  return v;
}

double SlidingH(const std::vector<int>& v) {
  return FitHurst(SlidingDeviations(v.data(), std::ssize(v), SlidingSizes(10, 5, 10))).Slope;
}

// Every divider of the jumping length, the first value left out.
double JumpingH(const std::vector<int>& v) {
  const int used = JumpingLength(static_cast<int>(v.size()));
  return FitHurst(JumpingDeviations(v.data() + 1, used, ListDividers(used))).Slope;
}

TEST(HurstExponent, WorkedWindowsAndSizesWithoutWindows) {
  // 0, 1 in a window of 2: mean 0.5 (not 0), deviation 0.5. Sizes without a window give no point.
  const std::vector<int> pair = {0, 1}, v = {5, 1, 4};
  EXPECT_EQ(std::tuple(SlidingDeviations(pair.data(), 2, {2}).MeanDeviations,
                       JumpingDeviations(pair.data(), 2, {2}).MeanDeviations),
            std::tuple(std::vector<double>{0.5}, std::vector<double>{0.5}));
  EXPECT_EQ(
      std::tuple(SlidingDeviations(v.data(), 3, {0, -2, 4, 3}).Sizes,
                 JumpingDeviations(v.data(), 3, {0, 4, 1}).Sizes, SlidingDeviations(nullptr, 0, {2}).Sizes),
      std::tuple(std::vector<int>{3}, std::vector<int>{1}, std::vector<int>{}));
  EXPECT_EQ(SlidingSizes(10, 2, 10), (std::vector<int>{10, 12, 14, 16, 18, 20, 22, 24, 26, 28}));
  // Sizes past the int range saturate instead of wrapping.
  EXPECT_EQ(SlidingSizes(std::numeric_limits<int>::max() - 1, 5, 2).back(), std::numeric_limits<int>::max());
  std::vector<double> fractions;  // the progress of the jumping windows
  JumpingDeviations(v.data(), 3, {1, 2, 3, 4}, [&](double f) { fractions.push_back(f); });
  EXPECT_EQ(fractions, (std::vector<double>{0.25, 0.5, 0.75}));
}

// Random sequences of small, negative and huge values: the literal means, for both kinds of windows.
TEST(HurstExponent, MeansAgreeWithTheLiteralComputation) {
  const std::tuple<int, int, int> cases[] = {{3000, 0, 255}, {2000, -2000000000, 2000000000}, {20000, 0, 1}};
  std::uint64_t seed = 3;
  for (auto [length, low, high] : cases) {
    const std::vector<int> v = Uniform(length, low, high, ++seed), sizes = {2, 3, 7, 10, 64, 333, length};
    for (bool jumping : {false, true}) {
      const WindowDeviations d = jumping ? JumpingDeviations(v.data() + 1, length - 1, sizes)
                                         : SlidingDeviations(v.data(), length, sizes);
      ASSERT_EQ(d.Sizes.size(), sizes.size() - jumping);
      for (std::size_t k = 0; k < d.Sizes.size(); ++k) {
        const double expected = LiteralMean(v, jumping, length - jumping, d.Sizes[k], jumping);
        EXPECT_NEAR(d.MeanDeviations[k], expected, 1e-12 * expected) << high << " w=" << d.Sizes[k];
      }
    }
  }
}

// Exact integer sums: no offset, however large (past the doubles' exact prefix sums, so the integer
// roots against the fast ones), nor the thread count changes a deviation's last bit.
TEST(HurstExponent, DeviationsDoNotDependOnAnOffsetOrTheThreadCount) {
  const auto both = [](const std::vector<int>& x, const std::vector<int>& sliding,
                       const std::vector<int>& jumping) {
    return std::tuple(SlidingDeviations(x.data(), std::ssize(x), sliding).MeanDeviations,
                      JumpingDeviations(x.data(), std::ssize(x), jumping).MeanDeviations);
  };
  const std::vector<int> v = Uniform(5000, -300, 300, 17), sizes = {2, 5, 40, 1000};
  for (int offset : {1 << 20, 2147483647 - 300}) {
    std::vector<int> shifted = v;
    for (int& x : shifted) x += offset;
    EXPECT_EQ(both(v, sizes, sizes), both(shifted, sizes, sizes)) << offset;
  }
  const std::vector<int> walk = fixtures::RandomWalk(300000, 9), jumps = {2, 3, 5, 16, 100000};
  parallel::SetThreadLimit(1);
  const auto single = both(walk, SlidingSizes(10, 5, 10), jumps);
  parallel::SetThreadLimit(0);
  EXPECT_EQ(both(walk, SlidingSizes(10, 5, 10), jumps), single);
}

TEST(HurstExponent, JumpingLengthHasTheLongestDivisorList) {
  // 840 (32 divisors) only from the 119 below 841, not from 960; the literal search below covers 2 .. 400.
  for (const auto& [length, chosen] : {std::pair{841, 840}, {960, 900}, {1, 0}, {-5, 0}})
    EXPECT_EQ(JumpingLength(length), chosen) << length;
  for (int length = 2; length <= 400; ++length) {  // the literal search
    int best = 0, chosen = 0;
    for (int m = length - 1; m >= 1 && m >= length - 119; --m) {
      int count = 2;
      for (int d = 2; d < m - 1; ++d) count += m % d == 0;
      if (count > best) best = count, chosen = m;
    }
    EXPECT_EQ(JumpingLength(length), chosen) << length;
  }
}

TEST(HurstExponent, FitLeavesOutZeroDeviations) {
  HurstFit fit = FitHurst({{1, 2, 4}, {0.0, 1.0, 2.0}});  // size 1 (deviation 0) is not fitted
  EXPECT_EQ(std::tuple(fit.Count(), fit.Correlation, fit.R2), std::tuple(2, 1.0, 1.0));
  EXPECT_NEAR(fit.Slope, 1.0, 1e-14);
  fit = FitHurst({{2, 4, 8}, {0.5, 0.5, 0.5}});  // slope 0 (not -0), no spread for the correlation
  EXPECT_TRUE(fit.Defined() && fit.Slope == 0.0 && !std::signbit(fit.Slope) && std::isnan(fit.Correlation));
  fit = FitHurst({{1, 2, 3}, {1.0, 3.0, 2.0}});  // the correlation of the raw values
  EXPECT_EQ(std::tuple(fit.Correlation, fit.R2), std::tuple(0.5, 0.25));
}

// A ramp's windows of w deviate sqrt((w^2 - 1) / 12) x step; white noise (H = 0) has a bias of about 0.03.
TEST(HurstExponent, RampAndKnownExponents) {
  const std::vector<int> ramp = fixtures::Ramp(20000, 3);
  WindowDeviations exact{SlidingSizes(10, 5, 10), {}};
  for (int w : exact.Sizes) exact.MeanDeviations.push_back(3 * std::sqrt((w * w - 1.0) / 12));
  EXPECT_NEAR(SlidingH(ramp), FitHurst(exact).Slope, 1e-9);
  constexpr int kLength = 1 << 15;
  const std::tuple<std::vector<int>, double, double> cases[] = {
      {ramp, 1.0, 0.01},
      {fixtures::WhiteNoise(kLength, 1), 0.0, 0.04},
      {fixtures::RandomWalk(kLength, 1), 0.5, 0.06},
      {fixtures::FractionalBrownianMotion(kLength, 0.3, 1), 0.3, 0.06},
      {fixtures::FractionalBrownianMotion(kLength, 0.7, 1), 0.7, 0.06}};
  for (const auto& [values, h, tolerance] : cases)
    EXPECT_TRUE(std::abs(SlidingH(values) - h) < tolerance && std::abs(JumpingH(values) - h) < tolerance)
        << h;
}

}  // namespace
