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
#include "sequence/kernels/WindowRoots.h"

namespace {

// The population standard deviation of each window from its definition: the mean first, then the squares.
double LiteralDeviation(const std::vector<int>& v, std::size_t first, int w) {
  long double mean = 0, squares = 0;
  for (int j = 0; j < w; ++j) mean += v[first + j];
  mean /= w;
  for (int j = 0; j < w; ++j) squares += (v[first + j] - mean) * (v[first + j] - mean);
  return static_cast<double>(std::sqrt(squares / w));
}

// The mean deviation of the sliding (one apart) or jumping (w apart) windows of w in v[first ..].
double LiteralMean(const std::vector<int>& v, std::size_t first, std::size_t length, int w, bool jumping) {
  long double sum = 0;
  const std::size_t windows = jumping ? length / w : length - w + 1;
  for (std::size_t k = 0; k < windows; ++k) sum += LiteralDeviation(v, first + k * (jumping ? w : 1), w);
  return static_cast<double>(sum / windows);
}

std::vector<int> Uniform(int length, int low, int high, std::uint64_t seed) {
  std::vector<int> v(length);
  const std::int64_t span = static_cast<std::int64_t>(high) - low + 1;
  std::uint64_t mix = seed * 0x9E3779B97F4A7C15ull + 1;
  for (int& x : v) {
    mix = mix * 6364136223846793005ull + 1442695040888963407ull;
    x = static_cast<int>(low + static_cast<std::int64_t>((mix >> 17) % static_cast<std::uint64_t>(span)));
  }
  return v;
}

double SlidingH(const std::vector<int>& v) {
  return FitHurst(SlidingDeviations(v.data(), static_cast<std::int64_t>(v.size()), SlidingSizes(10, 5, 10)))
      .Slope;
}

// "Using all the dividers" of the jumping length, the first value left out.
double JumpingH(const std::vector<int>& v) {
  const int used = JumpingLength(static_cast<int>(v.size()));
  return FitHurst(JumpingDeviations(v.data() + 1, used, ListDividers(used))).Slope;
}

TEST(HurstExponent, WorkedWindowsAndSizesWithoutWindows) {
  // 0, 1 in a window of 2: the mean is 0.5, not 0, and the deviation 0.5.
  const std::vector<int> pair = {0, 1}, v = {5, 1, 4};
  EXPECT_EQ(std::tuple(SlidingDeviations(pair.data(), 2, {2}).MeanDeviations,
                       JumpingDeviations(pair.data(), 2, {2}).MeanDeviations),
            std::tuple(std::vector<double>{0.5}, std::vector<double>{0.5}));
  // Sizes without a window give no point.
  EXPECT_EQ(
      std::tuple(SlidingDeviations(v.data(), 3, {0, -2, 4, 3}).Sizes,
                 JumpingDeviations(v.data(), 3, {0, 4, 1}).Sizes, SlidingDeviations(nullptr, 0, {2}).Sizes),
      std::tuple(std::vector<int>{3}, std::vector<int>{1}, std::vector<int>{}));
  EXPECT_EQ(SlidingSizes(10, 2, 10), (std::vector<int>{10, 12, 14, 16, 18, 20, 22, 24, 26, 28}));
  // Sizes past the int range saturate instead of wrapping to small ones.
  EXPECT_EQ(SlidingSizes(std::numeric_limits<int>::max() - 1, 5, 2).back(), std::numeric_limits<int>::max());
  // The jumping windows say how far they are, size after size.
  std::vector<double> fractions;
  JumpingDeviations(v.data(), 3, {1, 2, 3, 4}, [&](double f) { fractions.push_back(f); });
  EXPECT_EQ(fractions, (std::vector<double>{0.25, 0.5, 0.75}));
}

// Random sequences, small and large values, negative ones, many sizes: the same means as the
// literal two-pass computation, for both kinds of windows.
TEST(HurstExponent, MeansAgreeWithTheLiteralComputation) {
  struct Case {
    int length, low, high;
  };
  const Case cases[] = {{3000, 0, 255}, {2500, -360, 360}, {2000, -2000000000, 2000000000}, {20000, 0, 1}};
  std::uint64_t seed = 3;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.high);
    const std::vector<int> v = Uniform(c.length, c.low, c.high, ++seed);
    const std::vector<int> sizes = {2, 3, 7, 10, 64, 333, c.length};
    const WindowDeviations sliding = SlidingDeviations(v.data(), c.length, sizes);
    const WindowDeviations jumping = JumpingDeviations(v.data() + 1, c.length - 1, sizes);
    ASSERT_EQ(sliding.Sizes.size(), sizes.size());
    for (std::size_t k = 0; k < sizes.size(); ++k) {
      const double expected = LiteralMean(v, 0, c.length, sizes[k], false);
      EXPECT_NEAR(sliding.MeanDeviations[k], expected, 1e-12 * expected) << " w=" << sizes[k];
    }
    for (std::size_t k = 0; k < jumping.Sizes.size(); ++k) {
      const int d = jumping.Sizes[k];
      const double expected = LiteralMean(v, 1, c.length - 1, d, true);
      EXPECT_NEAR(jumping.MeanDeviations[k], expected, 1e-12 * expected) << " d=" << d;
    }
  }
}

// The sums are exact integers: shifting every value changes no deviation, not even in the last bit,
// however large the values (a sum of squares in doubles would lose them all). Nor does the thread count.
TEST(HurstExponent, DeviationsDoNotDependOnAnOffsetOrTheThreadCount) {
  const std::vector<int> v = Uniform(5000, -300, 300, 17);
  const std::vector<int> sizes = {2, 5, 40, 1000};
  for (int offset : {1000, 1 << 20, 2147483647 - 300}) {
    std::vector<int> shifted = v;
    for (int& x : shifted) x += offset;
    EXPECT_EQ(SlidingDeviations(v.data(), 5000, sizes).MeanDeviations,
              SlidingDeviations(shifted.data(), 5000, sizes).MeanDeviations)
        << offset;
    EXPECT_EQ(JumpingDeviations(v.data(), 5000, sizes).MeanDeviations,
              JumpingDeviations(shifted.data(), 5000, sizes).MeanDeviations)
        << offset;
  }
  const std::vector<int> walk = fixtures::RandomWalk(300000, 9);
  const std::vector<int> jumps = {2, 3, 5, 16, 100000};
  parallel::SetThreadLimit(1);
  const WindowDeviations sliding1 = SlidingDeviations(walk.data(), 300000, SlidingSizes(10, 5, 10));
  const WindowDeviations jumping1 = JumpingDeviations(walk.data(), 300000, jumps);
  parallel::SetThreadLimit(0);
  EXPECT_EQ(SlidingDeviations(walk.data(), 300000, SlidingSizes(10, 5, 10)).MeanDeviations,
            sliding1.MeanDeviations);
  EXPECT_EQ(JumpingDeviations(walk.data(), 300000, jumps).MeanDeviations, jumping1.MeanDeviations);
}

// Prefix sums in doubles four roots at a time, or running integer sums one at a time: the same bits.
TEST(HurstExponent, RootMethodsGiveTheSameBits) {
  for (const auto& [low, high, seed] : {std::tuple{0, 255, 5}, {-3000000, 3000000, 6}}) {
    const std::vector<int> v = Uniform(30011, low, high, seed);
    for (std::int64_t first : {0, 8191, 29000}) {
      const SlidingRoots fast(v.data(), 30011, first, first + 8192, 1000);
      const SlidingRoots integer(v.data(), 30011, first, first + 8192, 1000, RootMethod::Integer);
      for (int w : {1, 2, 3, 4, 5, 17, 999, 1000}) {
        const RootLanes a = fast.Sum(w), b = integer.Sum(w);
        for (int lane = 0; lane < 4; ++lane) EXPECT_EQ(a.Lane[lane], b.Lane[lane]) << w << " " << first;
      }
    }
  }
}

TEST(HurstExponent, JumpingLengthHasTheLongestDivisorList) {
  // 150: 120 has 16 divisors, more than any of 149 .. 31 (144 has 15); 20: 18 and 12 both have 6, the
  // larger wins; only the 119 values below L are candidates: 840 (32 divisors) from 841, not from 960.
  for (const auto& [length, chosen] :
       {std::pair{150, 120}, {20, 18}, {841, 840}, {960, 900}, {2, 1}, {1, 0}, {-5, 0}})
    EXPECT_EQ(JumpingLength(length), chosen) << length;
  // Literal search, every L up to 400.
  for (int length = 2; length <= 400; ++length) {
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
  // Size 1 always has deviation 0: only the other points are fitted.
  HurstFit fit = FitHurst({{1, 2, 4}, {0.0, 1.0, 2.0}});
  EXPECT_EQ(std::tuple(fit.Count(), fit.Correlation, fit.R2), std::tuple(2, 1.0, 1.0));
  EXPECT_NEAR(fit.Slope, 1.0, 1e-14);
  // Equal mean deviations: slope 0 (not -0), the correlation has no spread to divide by.
  fit = FitHurst({{2, 4, 8}, {0.5, 0.5, 0.5}});
  EXPECT_TRUE(fit.Defined() && fit.Slope == 0.0 && !std::signbit(fit.Slope) && std::isnan(fit.Correlation));
  // The correlation of the raw values: three points off the line.
  fit = FitHurst({{1, 2, 3}, {1.0, 3.0, 2.0}});
  EXPECT_EQ(std::tuple(fit.Correlation, fit.R2), std::tuple(0.5, 0.25));
}

// A ramp: every window of w consecutive steps has deviation sqrt((w^2 - 1) / 12) times the step.
TEST(HurstExponent, RampFollowsItsExactDeviations) {
  const std::vector<int> ramp = fixtures::Ramp(20000, 3);
  WindowDeviations exact{SlidingSizes(10, 5, 10), {}};
  for (int w : exact.Sizes) exact.MeanDeviations.push_back(3 * std::sqrt((w * w - 1.0) / 12));
  EXPECT_NEAR(SlidingH(ramp), FitHurst(exact).Slope, 1e-9);
  EXPECT_NEAR(SlidingH(ramp), 1.0, 0.01);
  EXPECT_NEAR(JumpingH(ramp), 1.0, 0.01);
}

// Known exponents at 2^15 values, default sliding sizes and every divisor of the jumping length.
// White noise has H = 0 but the small windows give it a bias of about 0.03; a random walk 0.5; fBm
// its own H (the jumping windows reach about 0.05 off at worst over these seeds).
TEST(HurstExponent, KnownExponents) {
  constexpr int kLength = 1 << 15;
  struct Case {
    const char* name;
    std::vector<int> values;
    double h, tolerance;
  };
  for (std::uint64_t seed : {1u, 4u}) {
    const Case cases[] = {
        {"white noise", fixtures::WhiteNoise(kLength, seed), 0.0, 0.04},
        {"random walk", fixtures::RandomWalk(kLength, seed), 0.5, 0.06},
        {"fBm 0.3", fixtures::FractionalBrownianMotion(kLength, 0.3, seed), 0.3, 0.06},
        {"fBm 0.7", fixtures::FractionalBrownianMotion(kLength, 0.7, seed), 0.7, 0.06},
    };
    for (const Case& c : cases) {
      EXPECT_NEAR(SlidingH(c.values), c.h, c.tolerance) << c.name << " seed " << seed;
      EXPECT_NEAR(JumpingH(c.values), c.h, c.tolerance) << c.name << " seed " << seed;
    }
  }
}

}  // namespace
