#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "binary/kernels/Dividers.h"

namespace {

// Reference lists by trial division up to n - 2 (n = 1 gives 1, 1).
std::vector<int> LiteralListDividers(int n) {
  std::vector<int> out{1};
  for (int d = 2; d < n - 1; ++d)
    if (n % d == 0) out.push_back(d);
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
  for (int l = lines - 1; l >= lines - range + 1; --l)
    for (int c = columns - 1; c >= columns - range + 1; --c) best = std::max(best, TrueCommonDividers(l, c));
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

auto Fields(const BorderProposal& p) {
  return std::tuple(p.Found, p.Lines, p.Columns, p.CommonDividers);
}

TEST(Dividers, ListsAgainstTrialDivision) {
  EXPECT_TRUE(ListDividers(0).empty() && ListDividers(-6).empty());
  for (int n = 1; n <= 3000; ++n) ASSERT_EQ(ListDividers(n), LiteralListDividers(n)) << n;
  EXPECT_EQ(ListDividers(55440).size(), 120u);
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
  EXPECT_EQ(Fields(ProposeBorderSize(47, 47, 10)), std::tuple(true, 40, 40, 8));
  EXPECT_EQ(Fields(ProposeBorderSize(257, 257, 257)), std::tuple(true, 240, 240, 20));
  // A range clamped to one line leaves no candidate.
  for (const auto& [lines, columns, range] : {std::array{47, 47, 1}, {47, 47, 0}, {47, 47, -3}, {1, 300, 50}})
    EXPECT_FALSE(ProposeBorderSize(lines, columns, range).Found)
        << lines << "x" << columns << " range " << range;
  const BorderProposal clamped = ProposeBorderSize(30, 500, 1000);
  EXPECT_TRUE(clamped.Found && clamped.Lines < 30 && clamped.Columns > 470);
}

TEST(Dividers, BorderSearchMatchesEveryPairTried) {
  const int sizes[][2] = {{47, 47}, {60, 45}, {100, 64}, {31, 97}, {128, 120}, {17, 200}, {2, 2}, {3, 9}};
  for (const auto& size : sizes) {
    for (int range = 2; range <= std::min(size[0], size[1]); range += range < 12 ? 1 : 7) {
      ASSERT_EQ(Fields(ProposeBorderSize(size[0], size[1], range)),
                Fields(LiteralBorderSearch(size[0], size[1], range)))
          << size[0] << "x" << size[1] << " range " << range;
    }
  }
}

}  // namespace
