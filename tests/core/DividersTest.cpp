#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "binary/kernels/Dividers.h"

namespace {

// Reference lists by trial division up to n - 2 (n = 1 gives 1, 1).
std::vector<int> LiteralListDividers(int n) {
  std::vector<int> out{1};
  for (int d = 2; d < n - 1; ++d) {
    if (n % d == 0) out.push_back(d);
  }
  out.push_back(n);
  return out;
}

int TrueCommonDividers(int a, int b) {
  int count = 0;
  for (int d = 1; d <= a && d <= b; ++d) count += a % d == 0 && b % d == 0;
  return count;
}

// Reference border search: every pair, largest counts first, the last recorded pair stands.
BorderProposal LiteralBorderSearch(int lines, int columns, int range) {
  BorderProposal p;
  int best = 0;
  for (int l = lines - 1; l >= lines - range + 1; --l) {
    for (int c = columns - 1; c >= columns - range + 1; --c) best = std::max(best, TrueCommonDividers(l, c));
  }
  for (int l = lines - 1; l >= lines - range + 1; --l) {
    for (int c = columns - 1; c >= columns - range + 1; --c) {
      if (TrueCommonDividers(l, c) == best) {
        p = {true, l, c, best};
        break;
      }
    }
  }
  return p;
}

TEST(Dividers, Lists) {
  EXPECT_EQ(ListDividers(12), (std::vector<int>{1, 2, 3, 4, 6, 12}));
  EXPECT_EQ(ListDividers(1), (std::vector<int>{1, 1}));
  EXPECT_TRUE(ListDividers(0).empty());
  EXPECT_TRUE(ListDividers(-6).empty());
  for (int n = 1; n <= 3000; ++n) ASSERT_EQ(ListDividers(n), LiteralListDividers(n)) << n;
  EXPECT_EQ(ListDividers(55440).size(), 120u);
}

TEST(Dividers, CommonLists) {
  EXPECT_EQ(ListCommonDividers(256, 256), (std::vector<int>{1, 2, 4, 8, 16, 32, 64, 128, 256}));
  EXPECT_EQ(ListCommonDividers(12, 18), (std::vector<int>{1, 2, 3, 6}));
  EXPECT_EQ(CountCommonDividers(0, 5), 0);
  for (int a = 1; a <= 60; ++a) {
    for (int b = 1; b <= 60; ++b) {
      ASSERT_EQ(CountCommonDividers(a, b), TrueCommonDividers(a, b)) << a << "," << b;
      ASSERT_EQ(static_cast<int>(ListCommonDividers(a, b).size()), TrueCommonDividers(a, b)) << a << "," << b;
    }
  }
}

TEST(Dividers, BorderProposals) {
  const BorderProposal p47 = ProposeBorderSize(47, 47, 10), p257 = ProposeBorderSize(257, 257, 257);
  EXPECT_EQ(std::tuple(p47.Found, p47.Lines, p47.Columns, p47.CommonDividers), std::tuple(true, 40, 40, 8));
  EXPECT_EQ(std::tuple(p257.Found, p257.Lines, p257.Columns, p257.CommonDividers),
            std::tuple(true, 240, 240, 20));

  EXPECT_FALSE(ProposeBorderSize(47, 47, 1).Found);
  EXPECT_FALSE(ProposeBorderSize(47, 47, 0).Found);
  EXPECT_FALSE(ProposeBorderSize(47, 47, -3).Found);
  EXPECT_FALSE(ProposeBorderSize(1, 300, 50).Found) << "a range clamped to one line leaves no candidate";
  const BorderProposal clamped = ProposeBorderSize(30, 500, 1000);
  ASSERT_TRUE(clamped.Found);
  EXPECT_LT(clamped.Lines, 30);
  EXPECT_GT(clamped.Columns, 470);
}

TEST(Dividers, BorderSearchMatchesEveryPairTried) {
  const int sizes[][2] = {{47, 47}, {60, 45}, {100, 64}, {31, 97}, {128, 120}, {17, 200}, {2, 2}, {3, 9}};
  for (const auto& size : sizes) {
    for (int range = 2; range <= std::min(size[0], size[1]); range += range < 12 ? 1 : 7) {
      const BorderProposal expected = LiteralBorderSearch(size[0], size[1], range);
      const BorderProposal got = ProposeBorderSize(size[0], size[1], range);
      ASSERT_TRUE(got.Found);
      ASSERT_EQ(got.Lines, expected.Lines) << size[0] << "x" << size[1] << " range " << range;
      ASSERT_EQ(got.Columns, expected.Columns) << size[0] << "x" << size[1] << " range " << range;
      ASSERT_EQ(got.CommonDividers, expected.CommonDividers);
    }
  }
}

}  // namespace
