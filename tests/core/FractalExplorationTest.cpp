#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "ThreadCounts.h"
#include "fixtures/Blocks.h"
#include "fixtures/Patterns.h"
#include "fixtures/Pixels.h"
#include "imaging/LeastSquares.h"
#include "urban/kernels/FractalExploration.h"

namespace {

// The exploration step by step: per pixel the four window placements, every box looked at pixel by
// pixel, the slope, the mean of the four, rounded and kept within 0 .. 255.
BytePlane ReferenceExploration(const BytePlane& binary, int value, int side, int scale) {
  const int lines = binary.Lines(), columns = binary.Columns(), h = (side - 1) / 2;
  const std::vector<int> sizes = side == 13 ? std::vector<int>{1, 2, 3, 4} : std::vector<int>{1, 2, 3, 4, 6};
  const int k = static_cast<int>(sizes.size());
  std::vector<double> x, y(sizes.size());
  for (int s : sizes) x.push_back(std::log(static_cast<double>(s)));
  BytePlane result(columns, lines);
  for (int r = h; r <= lines - h - 1; ++r)
    for (int c = h; c <= columns - h - 1; ++c) {
      double d[4];
      for (int p = 1; p <= 4; ++p) {
        const int top = p <= 2 ? r - h : r - h + 1, left = p == 1 || p == 3 ? c - h : c - h + 1;
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
        d[p - 1] = -LeastSquaresSlope(x.data(), y.data(), k);
      }
      const double m = (d[0] + d[1] + d[2] + d[3]) * 0.25;
      const int g = std::clamp(static_cast<int>(std::trunc(100 * m + 0.5)), 0, 255);
      if (scale == 1 || g > 99) result[r][c] = static_cast<std::uint8_t>(g);
    }
  return result;
}

// Clustered pixels give windows of every kind, from empty to full, with a few negative dimensions.
BytePlane Clusters(int columns, int lines, unsigned seed, int value) {
  std::mt19937 random(seed);
  BytePlane plane = UniformPlane(columns, lines);
  std::uniform_int_distribution<int> line(0, lines - 1), column(0, columns - 1), radius(0, 6);
  for (int n = 0; n < 12; ++n) {
    const int ci = line(random), cj = column(random);
    FillDisc(plane, ci, cj, radius(random), static_cast<std::uint8_t>(value));
  }
  return plane;
}

class ExplorationAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(ExplorationAtThreads);

}  // namespace

TEST_P(ExplorationAtThreads, EqualsTheStepByStepExplorationOnRandomImages) {
  // Sparse, middling, dense and clustered pixels of the value (one image of odd sides).
  const struct {
    int side, scale, value;
    BytePlane binary;
  } cases[] = {
      {13, 1, 40, MakeRandomValues(60, 60, 102, 20, 40)},
      {13, 2, 80, MakeRandomValues(60, 60, 220, 200, 80)},
      {13, 1, 40, Clusters(60, 60, 1, 40)},
      {25, 2, 40, MakeRandomValues(60, 60, 170, 700, 40)},
      {25, 1, 80, MakeRandomValues(60, 60, 120, 200, 80)},
      {25, 2, 3, Clusters(45, 39, 9, 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "side " << c.side << " scale " << c.scale << " value " << c.value);
    EXPECT_EQ(PlaneText(RunFractalExploration(c.binary, {c.value, c.side, c.scale})),
              PlaneText(ReferenceExploration(c.binary, c.value, c.side, c.scale)));
  }
}

TEST(FractalExplorationTest, FullWindowsGive193And197EmptyOnesAndTooSmallImagesZero) {
  // Worked by hand: N = 144, 36, 16, 9 for side 13 (slope -1.93); 576, 144, 64, 36, 16 for side 25.
  const BytePlane binary = UniformPlane(40, 40, 1);
  for (const auto& [side, full] : {std::pair(13, 193), std::pair(25, 197)}) {
    const BytePlane map = RunFractalExploration(binary, {1, side, 1});
    const int h = (side - 1) / 2;
    EXPECT_EQ(std::tuple(map[20][20], map[h][h], map[40 - h - 1][40 - h - 1]), std::tuple(full, full, full));
    EXPECT_EQ(std::tuple(map[h - 1][20], map[20][40 - h]), std::tuple(0, 0)) << side;
    EXPECT_EQ(CountOf(RunFractalExploration(binary, {2, side, 1}), 0), 1600) << side;  // value absent
  }
  // Unknown sides and images smaller than the window give zeros.
  EXPECT_EQ(CountOf(RunFractalExploration(binary, {1, 14, 1}), 0), 1600);
  EXPECT_EQ(CountOf(RunFractalExploration(UniformPlane(12, 12, 1), {1, 13, 1}), 0), 144);
  EXPECT_EQ(RunFractalExploration(BytePlane(), {1, 13, 1}).Size(), 0u);
}
