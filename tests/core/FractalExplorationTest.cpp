#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>
#include <vector>

#include "imaging/LeastSquares.h"
#include "imaging/Parallel.h"
#include "urban/kernels/FractalExploration.h"

namespace {

// The exploration as written step by step: four double planes D1..D4, one per window placement,
// every box of every window counted by looking at its pixels, the shared slope, the mean plane, and
// the rounding to the map (values kept within 0 .. 255).
BytePlane ReferenceExploration(const BytePlane& binary, int value, int side, int scale) {
  const int lines = binary.Lines(), columns = binary.Columns();
  const int h = (side - 1) / 2;
  const std::vector<int> sizes = side == 13 ? std::vector<int>{1, 2, 3, 4} : std::vector<int>{1, 2, 3, 4, 6};
  const int k = static_cast<int>(sizes.size());
  std::vector<double> x(sizes.size());
  for (int n = 0; n < k; ++n) x[static_cast<std::size_t>(n)] = std::log(static_cast<double>(sizes[n]));
  std::vector<DoublePlane> d;
  for (int p = 0; p < 4; ++p) d.emplace_back(columns, lines);
  for (int p = 1; p <= 4; ++p) {
    for (int r = h; r <= lines - h - 1; ++r) {
      for (int c = h; c <= columns - h - 1; ++c) {
        const int top = p <= 2 ? r - h : r - h + 1;
        const int left = p == 1 || p == 3 ? c - h : c - h + 1;
        std::vector<double> y(sizes.size());
        for (int n = 0; n < k; ++n) {
          const int s = sizes[static_cast<std::size_t>(n)];
          int boxes = 0;
          for (int bi = top; bi < top + 2 * h; bi += s)
            for (int bj = left; bj < left + 2 * h; bj += s) {
              bool occupied = false;
              for (int i = bi; i < bi + s; ++i)
                for (int j = bj; j < bj + s; ++j) occupied = occupied || binary[i][j] == value;
              boxes += occupied;
            }
          y[static_cast<std::size_t>(n)] = std::log(static_cast<double>(boxes + 1));
        }
        d[static_cast<std::size_t>(p - 1)][r][c] = -LeastSquaresSlope(x.data(), y.data(), k);
      }
    }
  }
  BytePlane result(columns, lines);
  for (int r = h; r <= lines - h - 1; ++r) {
    for (int c = h; c <= columns - h - 1; ++c) {
      const double m = (d[0][r][c] + d[1][r][c] + d[2][r][c] + d[3][r][c]) * 0.25;
      const int g = std::clamp(static_cast<int>(std::trunc(100 * m + 0.5)), 0, 255);
      if (scale == 1 || g > 99) result[r][c] = static_cast<std::uint8_t>(g);
    }
  }
  return result;
}

BytePlane RandomValues(int columns, int lines, unsigned seed, int percentOfValue, int value) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> percent(0, 99), other(0, 255);
  BytePlane plane(columns, lines);
  for (std::size_t n = 0; n < plane.Size(); ++n) {
    int v = other(random);
    if (v == value) v = 255;
    plane.Data()[n] = static_cast<std::uint8_t>(percent(random) < percentOfValue ? value : v);
  }
  return plane;
}

bool Equal(const BytePlane& a, const BytePlane& b) {
  return a.Lines() == b.Lines() && a.Columns() == b.Columns() &&
         std::equal(a.Data(), a.Data() + a.Size(), b.Data());
}

// Clustered pixels give windows of every kind, from empty to full, with a few negative dimensions.
BytePlane Clusters(int columns, int lines, unsigned seed, int value) {
  std::mt19937 random(seed);
  BytePlane plane(columns, lines);
  plane.Fill(255);
  std::uniform_int_distribution<int> line(0, lines - 1), column(0, columns - 1), radius(0, 6);
  for (int n = 0; n < 12; ++n) {
    const int ci = line(random), cj = column(random), rad = radius(random);
    for (int i = std::max(0, ci - rad); i <= std::min(lines - 1, ci + rad); ++i)
      for (int j = std::max(0, cj - rad); j <= std::min(columns - 1, cj + rad); ++j)
        if ((i - ci) * (i - ci) + (j - cj) * (j - cj) <= rad * rad)
          plane[i][j] = static_cast<std::uint8_t>(value);
  }
  return plane;
}

}  // namespace

TEST(FractalExplorationTest, EqualsTheStepByStepExplorationOnRandomImages) {
  for (const int side : {13, 25}) {
    for (const int scale : {1, 2}) {
      for (const unsigned seed : {1u, 2u}) {
        for (const int percent : {2, 20, 70}) {
          const int value = static_cast<int>(seed * 40);
          const BytePlane binary =
              RandomValues(60, 60, seed * 100 + static_cast<unsigned>(percent), percent, value);
          const BytePlane expected = ReferenceExploration(binary, value, side, scale);
          EXPECT_TRUE(Equal(RunFractalExploration(binary, {value, side, scale}), expected))
              << "side " << side << " scale " << scale << " seed " << seed << " percent " << percent;
        }
        const BytePlane clusters = Clusters(60, 60, seed, 1);
        EXPECT_TRUE(Equal(RunFractalExploration(clusters, {1, side, scale}),
                          ReferenceExploration(clusters, 1, side, scale)))
            << "clusters, side " << side << " scale " << scale << " seed " << seed;
      }
    }
  }
}

TEST(FractalExplorationTest, OddSizesAndEveryThreadCountGiveTheSameMap) {
  const BytePlane binary = Clusters(97, 71, 9, 3);
  const BytePlane expected = ReferenceExploration(binary, 3, 25, 1);
  for (const int threads : {1, 2, 0}) {
    parallel::SetThreadLimit(threads);
    EXPECT_TRUE(Equal(RunFractalExploration(binary, {3, 25, 1}), expected)) << threads << " threads";
  }
  parallel::SetThreadLimit(0);
}

TEST(FractalExplorationTest, AFullWindowGivesAboutTwoAndAnEmptyOneZero) {
  // Worked by hand: N = 144, 36, 16, 9 for side 13 (slope -1.93); 576, 144, 64, 36, 16 for side 25.
  for (const auto& [side, full] : {std::tuple(13, 193), std::tuple(25, 197)}) {
    BytePlane binary(40, 40);
    binary.Fill(1);
    const BytePlane map = RunFractalExploration(binary, {1, side, 1});
    const int h = (side - 1) / 2;
    EXPECT_EQ(map[20][20], full) << side;
    EXPECT_EQ(map[h][h], full) << side;
    // The frame of h lines and columns stays 0.
    EXPECT_EQ(map[h - 1][20], 0) << side;
    EXPECT_EQ(map[20][40 - h], 0) << side;
    EXPECT_EQ(map[40 - h - 1][40 - h - 1], full) << side;
    // A value no pixel holds: every count 0, slope 0, map 0.
    const BytePlane empty = RunFractalExploration(binary, {2, side, 1});
    EXPECT_EQ(std::count(empty.Data(), empty.Data() + empty.Size(), 0), 1600) << side;
  }
}

TEST(FractalExplorationTest, UpperScaleKeepsOnlyDimensionsOfOneOrMore) {
  // A filled half plane: about 2 inside it, 0 far from it, and every value between across its edge.
  BytePlane binary(40, 40);
  binary.Fill(255);
  for (int i = 20; i < 40; ++i)
    for (int j = 0; j < 40; ++j) binary[i][j] = 1;
  const BytePlane full = RunFractalExploration(binary, {1, 13, 1});
  const BytePlane upper = RunFractalExploration(binary, {1, 13, 2});
  int kept = 0, dropped = 0;
  for (std::size_t n = 0; n < full.Size(); ++n) {
    const int g = full.Data()[n];
    if (g > 99) {
      EXPECT_EQ(upper.Data()[n], g);
      ++kept;
    } else {
      EXPECT_EQ(upper.Data()[n], 0);
      dropped += g > 0;
    }
  }
  EXPECT_GT(kept, 0);
  EXPECT_GT(dropped, 0);
  EXPECT_EQ(upper[30][20], 193);
}

TEST(FractalExplorationTest, ImagesSmallerThanTheWindowAndUnknownSidesGiveZeros) {
  BytePlane binary(12, 12);
  binary.Fill(1);
  const BytePlane map = RunFractalExploration(binary, {1, 13, 1});
  EXPECT_EQ(std::count(map.Data(), map.Data() + map.Size(), 0), 144);
  const BytePlane odd = RunFractalExploration(binary, {1, 14, 1});
  EXPECT_EQ(std::count(odd.Data(), odd.Data() + odd.Size(), 0), 144);
  EXPECT_EQ(RunFractalExploration(BytePlane(), {1, 13, 1}).Size(), 0u);
  EXPECT_EQ(ExplorationHalfWindow(25), 12);
  EXPECT_EQ(ExplorationHalfWindow(0), 0);
}

TEST(FractalExplorationTest, ProgressRisesToOne) {
  BytePlane binary(300, 300);
  std::vector<double> told;
  RunFractalExploration(binary, {1, 13, 1}, [&](double f) { told.push_back(f); });
  ASSERT_FALSE(told.empty());
  EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
  EXPECT_DOUBLE_EQ(told.back(), 1.0);
}
