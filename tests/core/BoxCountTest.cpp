#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <tuple>

#include "ThreadCounts.h"
#include "binary/kernels/BoxCount.h"
#include "binary/kernels/Dividers.h"
#include "fixtures/Fractals.h"

namespace {

class BoxCountAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(BoxCountAtThreads);

BoxCountParams DivisorSides(const BytePlane& plane) {
  return {plane.Lines(), plane.Columns(), std::min(plane.Lines(), plane.Columns()), false, false};
}

// Exact self-similar pictures: every point lies on the line.
TEST_P(BoxCountAtThreads, KnownDimensionsThroughTheDivisorSides) {
  const std::tuple<const char*, BytePlane, double> cases[] = {
      {"Sierpinski carpet 729", fixtures::SierpinskiCarpet(6), std::log(8.0) / std::log(3.0)},
      {"Vicsek fractal 243", fixtures::VicsekFractal(5), std::log(5.0) / std::log(3.0)},
      {"Cantor dust 243", fixtures::CantorDust(5), std::log(4.0) / std::log(3.0)},
      {"Sierpinski triangle 512", fixtures::SierpinskiTriangle(512), std::log(3.0) / std::log(2.0)},
      {"full row 256", fixtures::FullRow(256, 100), 1.0},
      {"diagonal 256", fixtures::Diagonal(256), 1.0},
  };
  for (const auto& [name, plane, dimension] : cases) {
    const BoxCountResult result = BoxCounting(plane, ItemSelector::Value(1), DivisorSides(plane), true);
    EXPECT_TRUE(result.Defined && std::abs(result.Dimension - dimension) < 1e-9)
        << name << " " << result.Dimension;
  }
}

// A full square: until equality only side 1, no dimension; all sides give 2. Empty, huge inputs.
TEST(BoxCount, FullSquareEmptyAndOversizedInputsAndTotalFitting) {
  const BytePlane square = fixtures::FilledSquare(256, 256, 0, 0, 256);
  const ItemSelector ones = ItemSelector::Value(1);
  const BoxCountResult until = BoxCounting(square, ones, DivisorSides(square), true);
  EXPECT_TRUE(until.Points.Sides == std::vector<int>{1} && !until.Defined && std::isnan(until.Dimension));
  const BoxCountResult all = BoxCounting(square, ones, DivisorSides(square), false);
  EXPECT_EQ(all.Points.Sides, (std::vector<int>{1, 2, 4, 8, 16, 32, 64, 128, 256}));
  EXPECT_NEAR(all.Dimension, 2.0, 1e-9);
  EXPECT_FALSE(BoxCounting(square, ItemSelector::Value(7), DivisorSides(square), false).Defined);
  const BoxCountResult zero = BoxCounting(square, ones, {256, 256, 0, false, false}, false);
  EXPECT_TRUE(!zero.Defined && zero.Table.GreatestSide() == 0);
  EXPECT_EQ(CountBoxes(square, ones, {5000, 256, 1 << 30, false, false}).GreatestSide(), 256);  // clamped
  // Full boxes against the area of the box: those inside the top-left 6 x 6 of 12 x 12.
  const BoxCountResult result =
      BoxCounting(fixtures::FilledSquare(12, 12, 0, 0, 6), ones, {12, 12, 12, false, true}, false);
  const std::vector<std::int64_t>& filled = result.Table.Filled;
  EXPECT_EQ((std::vector<std::int64_t>{filled[1], filled[2], filled[4], filled[12]}),
            (std::vector<std::int64_t>{36, 9, 1, 0}));
  ASSERT_EQ(result.Points.Sides, (std::vector<int>{1, 2, 3, 4, 6}));
  EXPECT_DOUBLE_EQ(result.Points.LogSize[1], std::log(4.0));
}

// Literal count, every box pixel by pixel.
BoxCountTable BruteCount(const BytePlane& plane, const ItemSelector& items, const BoxCountParams& p) {
  const int greatest = std::min({p.GreatestBox, p.Lines, p.Columns});
  BoxCountTable table{std::vector<std::int64_t>(greatest + 1, 0), std::vector<std::int64_t>(greatest + 1, 0)};
  for (int s = 1; s <= greatest; ++s) {
    const int lr = p.EverySize ? p.Lines : p.Lines / s * s, cr = p.EverySize ? p.Columns : p.Columns / s * s;
    if (lr != p.Lines || cr != p.Columns) continue;
    for (int i = 0; i < lr - s + 1; i += s)
      for (int j = 0; j < cr - s + 1; j += s) {
        ++table.Examined[s];
        int n = 0;
        for (int r = i; r < i + s; ++r)
          for (int c = j; c < j + s; ++c) n += items.IsItem[plane[r][c]];
        table.Filled[s] += p.TotalFitting ? n == s * s : n > 0;
      }
  }
  return table;
}

// Small random planes with every parameter drawn, then wide ones (sides past 64 columns).
TEST_P(BoxCountAtThreads, BothStrategiesMatchBoxByBoxCounting) {
  std::mt19937 random(99);
  for (int round = 0; round < 46; ++round) {
    const bool wide = round >= 40;
    const int lines = wide ? 90 + static_cast<int>(random() % 60) : 1 + static_cast<int>(random() % 48);
    const int columns = wide ? 130 + static_cast<int>(random() % 200) : 1 + static_cast<int>(random() % 48);
    BytePlane plane(columns, lines);
    const unsigned density = wide ? (round % 3 == 0 ? 2 : round % 3 == 1 ? 50 : 97) : random() % 100;
    for (std::size_t k = 0; k < plane.Size(); ++k) plane.Data()[k] = random() % 100 < density ? 3 : 9;
    BoxCountParams params{lines, columns, wide ? 1 << 20 : 1 + static_cast<int>(random() % 50),
                          wide || random() % 2 == 0, wide ? round % 2 == 0 : random() % 2 == 0};
    if (round % 5 == 0 && !wide)  // a size in use smaller than the plane
      params.Lines = std::max(1, lines - 5), params.Columns = std::max(1, columns - 3);
    const BoxCountTable expected = BruteCount(plane, ItemSelector::Range(0, 5), params);
    const BoxCountTable got = CountBoxes(plane, ItemSelector::Range(0, 5), params);
    ASSERT_EQ(std::tie(got.Filled, got.Examined), std::tie(expected.Filled, expected.Examined)) << round;
  }
}

// Trial division up to n - 2 (n = 1 gives 1, 1).
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

// Literal border search: every pair tried, largest counts first.
BorderProposal LiteralBorderSearch(int lines, int columns, int range) {
  BorderProposal p;
  int best = 0;
  for (int l = lines - 1; l >= lines - range + 1; --l)
    for (int c = columns - 1; c >= columns - range + 1; --c) best = std::max(best, TrueCommonDividers(l, c));
  for (int l = lines - 1; l >= lines - range + 1; --l)
    for (int c = columns - 1; c >= columns - range + 1; --c)
      if (TrueCommonDividers(l, c) == best) {
        p = {true, l, c, best};
        break;
      }
  return p;
}

auto Fields(const BorderProposal& p) {
  return std::tuple(p.Found, p.Lines, p.Columns, p.CommonDividers);
}

TEST(Dividers, ListsAndBorderProposalsAgainstTrialDivision) {
  EXPECT_TRUE(ListDividers(0).empty() && ListDividers(-6).empty());
  for (int n = 1; n <= 3000; ++n) ASSERT_EQ(ListDividers(n), LiteralListDividers(n)) << n;
  EXPECT_EQ(ListCommonDividers(12, 18), (std::vector<int>{1, 2, 3, 6}));
  EXPECT_EQ(CountCommonDividers(0, 5), 0);
  for (int a = 1; a <= 60; ++a)
    for (int b = 1; b <= 60; ++b)
      ASSERT_EQ(std::tuple(CountCommonDividers(a, b), static_cast<int>(ListCommonDividers(a, b).size())),
                std::tuple(TrueCommonDividers(a, b), TrueCommonDividers(a, b)))
          << a << "," << b;
  EXPECT_EQ(Fields(ProposeBorderSize(47, 47, 10)), std::tuple(true, 40, 40, 8));
  for (const auto& [lines, columns, range] : {std::array{47, 47, 1}, {47, 47, -3}, {1, 300, 50}})
    EXPECT_FALSE(ProposeBorderSize(lines, columns, range).Found)
        << lines << "x" << columns << " range " << range;
  const BorderProposal clamped = ProposeBorderSize(30, 500, 1000);
  EXPECT_TRUE(clamped.Found && clamped.Lines < 30 && clamped.Columns > 470);
  const int sizes[][2] = {{47, 47}, {60, 45}, {100, 64}, {31, 97}, {128, 120}, {17, 200}, {2, 2}, {3, 9}};
  for (const auto& [lines, columns] : sizes)
    for (int range = 2; range <= std::min(lines, columns); range += range < 12 ? 1 : 7)
      ASSERT_EQ(Fields(ProposeBorderSize(lines, columns, range)),
                Fields(LiteralBorderSearch(lines, columns, range)))
          << lines << "x" << columns << " range " << range;
}

}  // namespace
