#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "binary/kernels/CircleDiscs.h"
#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/MovingCircle.h"
#include "fixtures/Blocks.h"
#include "fixtures/Discs.h"
#include "fixtures/Fractals.h"

namespace {

// Literal counts: item at (Rmax, Rmax) in a padded plane; centres in raster order whose drawn disc is
// all item (jumping: and uncovered, then covering it).
std::vector<std::int64_t> LiteralCounts(const BytePlane& mask, CircleMode mode) {
  const int h = mask.Lines(), w = mask.Columns(), m = std::min(h, w), rmax = m / 2;
  const int H = h + m, W = w + m;
  std::vector<std::vector<int>> item(H + 1, std::vector<int>(W + 1, 255));
  for (int i = 0; i < h; ++i)
    for (int j = 0; j < w; ++j)
      if (mask[i][j]) item[rmax + i][rmax + j] = 1;
  std::vector<std::int64_t> counts;
  for (int radius = 1; radius <= rmax; ++radius) {
    const std::vector<std::pair<int, int>> offsets = DrawnDisc(radius);
    std::vector<std::vector<int>> covered(H + 1, std::vector<int>(W + 1, 255));
    std::int64_t n = 0;
    for (int i = rmax; i <= H - rmax - 1; ++i)
      for (int j = rmax; j <= W - rmax - 1; ++j) {
        if (item[i][j] != 1) continue;
        std::size_t count = 0;
        for (const auto& [dy, dx] : offsets)
          count +=
              item[i + dy][j + dx] == 1 && (mode == CircleMode::Sliding || covered[i + dy][j + dx] == 255);
        if (count != offsets.size()) continue;
        ++n;
        if (mode == CircleMode::Jumping)
          for (const auto& [dy, dx] : offsets) covered[i + dy][j + dx] = 1;
      }
    if (n < 2) break;
    counts.push_back(n);
  }
  return counts;
}

// The least first radius of an offset out of the item, every offset tried.
int LeastOffsetOut(const BytePlane& mask, const DiscTable& table, int i, int j) {
  if (!mask[i][j]) return 0;
  const int m = table.MaxRadius();
  int least = m + 1;
  for (int dy = -m; dy <= m; ++dy)
    for (int dx = -m; dx <= m; ++dx)
      if (!mask.Contains(i + dy, j + dx) || !mask[i + dy][j + dx])
        least = std::min(least, table.FirstRadius(dy, dx));
  return least - 1;
}

std::vector<std::int64_t> Discs(const MovingCircleResult& result) {
  std::vector<std::int64_t> discs;
  for (const CircleCount& count : result.Counts) discs.push_back(count.Discs);
  return discs;
}

}  // namespace

// A disc of radius R fits in an a x a square at (a - 2R)^2 centres; 70 runs past 32 radii.
TEST(MovingCircle, CirclesOverSquaresNarrowAndAbsentItems) {
  for (const int side : {10, 70}) {
    const MovingCircleResult result = MovingCircleOfMask(UniformPlane(side, side, 1), CircleMode::Sliding);
    EXPECT_EQ(std::tuple(result.MaxRadius, result.ItemPixels), std::tuple(side / 2, side * side));
    std::vector<std::int64_t> expected;
    for (int radius = 1; side - 2 * radius >= 2; ++radius)
      expected.push_back(static_cast<std::int64_t>(side - 2 * radius) * (side - 2 * radius));
    EXPECT_EQ(Discs(result), expected) << side;
    EXPECT_EQ(result.Counts.back().Surface, DiscTable(side).Surface(result.Counts.back().Radius));
  }
  EXPECT_EQ(std::tuple(CircleMaxRadius(7, 30), CircleMaxRadius(0, -4)), std::tuple(3, 0));
  for (const CircleCount& count : MovingCircleOfMask(UniformPlane(70, 70, 1), CircleMode::Jumping).Counts)
    EXPECT_TRUE(count.Discs >= 2 && count.Discs * count.Surface <= 4900) << count.Radius;  // no overlap
  // Items under two pixels wide or absent give no radius; a flat line no correlation.
  const MovingCircleResult line = MovingCircleOfMask(UniformPlane(30, 1, 1), CircleMode::Jumping);
  EXPECT_TRUE(line.Counts.empty() && line.MaxRadius == 0);
  const BytePlane labels = fixtures::FilledSquare(20, 20, 2, 2, 9);
  const ItemIndex index = IndexItems(labels);
  EXPECT_TRUE(MovingCircle(labels, index[7], 7, CircleMode::Sliding).Counts.empty());
  EXPECT_EQ(Discs(MovingCircle(labels, index[fixtures::kItem], fixtures::kItem, CircleMode::Sliding)),
            (std::vector<std::int64_t>{49, 25, 9}));
  const CircleFit flat = FitCircleLine({0, 1, 2}, {2, 2, 2});
  EXPECT_TRUE(flat.Slope == 0 && std::isnan(flat.Correlation) && std::isnan(flat.R2));
}

TEST(MovingCircle, BothCirclesMatchTheLiteralScanOnRandomItems) {
  std::mt19937 random(99);
  for (int trial = 0; trial < 24; ++trial) {
    const BytePlane mask = fixtures::RandomDiscs(12 + trial % 9, 14 + trial % 7, 8, 6, random(), 1, 0);
    for (const CircleMode mode : {CircleMode::Sliding, CircleMode::Jumping})
      EXPECT_EQ(Discs(MovingCircleOfMask(mask, mode)), LiteralCounts(mask, mode))
          << trial << " " << int(mode);
  }
}

// Fit radii against every offset tried, on a disc wide enough for broken rows, with background specks.
TEST(MovingCircle, FitRadiiEqualTheSmallestOffsetToTheBackgroundAcrossBrokenRows) {
  const int side = 521, c = 260;  // c: the centre
  BytePlane disc = UniformPlane(side, side, 0);
  FillDisc(disc, c, c, c, 1);
  std::mt19937 random(7);
  std::uniform_int_distribution<int> place(0, side - 1);
  for (int specks = 0; specks < 12;) {
    const int i = place(random), j = place(random), d2 = (i - c) * (i - c) + (j - c) * (j - c);
    if (d2 > 242 * 242 && d2 < 258 * 258) disc[i][j] = 0, ++specks;
  }
  const DiscTable table(CircleMaxRadius(side, side));
  std::vector<std::pair<int, int>> probes = {{c, c}, {c + 3, c - 7}, {10, c}, {0, 0}};
  for (int k = 0; k < 20; ++k) probes.push_back({place(random), place(random)});
  for (const auto& [i, j] : probes)
    EXPECT_EQ(FitRadiusAt(disc, table, i, j), LeastOffsetOut(disc, table, i, j)) << i << ", " << j;
  EXPECT_GT(FitRadiusAt(disc, table, c, c), 230);
  const BytePlane item = fixtures::RandomDiscs(47, 61, 30, 6, 3, 1, 0);
  const DiscTable small(CircleMaxRadius(47, 61));
  const WordPlane fit = FitRadii(item, small);
  for (int i = 0; i < item.Lines(); ++i)
    for (int j = 0; j < item.Columns(); ++j)
      ASSERT_EQ(fit[i][j], LeastOffsetOut(item, small, i, j)) << i << ", " << j;
  // In a broken row a background cell is the nearest way out only when the next cell out is item.
  const int m = c;  // the table's greatest radius
  for (const int dir : {1, -1}) {
    int hy = 0, ha = 0;
    for (int dy = -m; dy <= m && ha == 0; ++dy)
      for (int a = 1; a < m && ha == 0; ++a)
        if (table.FirstRadius(dy, dir * a) > table.FirstRadius(dy, dir * (a + 1)) &&
            table.FirstRadius(dy, dir * (a + 1)) <= m)
          hy = dy, ha = a;
    ASSERT_NE(ha, 0) << dir;
    const int hole = dir * ha, next = dir * (ha + 1);
    BytePlane both = UniformPlane(side, side, 1), one = UniformPlane(side, side, 1);
    both[m + hy][m + hole] = both[m + hy][m + next] = one[m + hy][m + hole] = 0;
    EXPECT_EQ(FitRadiusAt(both, table, m, m), table.FirstRadius(hy, next) - 1) << dir;
    EXPECT_EQ(FitRadiusAt(one, table, m, m), std::min(table.FirstRadius(hy, hole), m + 1) - 1) << dir;
  }
}

// The table holds each radius's drawn disc, about every change of angle step and far out; its rows.
TEST(CircleDiscs, TheTableHoldsTheDiscEachRadiusDrawsInRunsWithOutwardMinima) {
  const DiscTable table(240);
  const std::int64_t surfaces[] = {5, 13, 29, 49, 73, 113, 149, 197};
  for (int radius = 1; radius <= 8; ++radius)
    EXPECT_EQ(table.Surface(radius), surfaces[radius - 1]) << radius;
  for (const int radius : {1, 2, 5, 12, 33, 34, 35, 64, 65, 66, 107, 108, 109, 240}) {
    std::vector<std::pair<int, int>> held;
    for (int dy = -radius - 1; dy <= radius + 1; ++dy)
      for (int dx = -radius - 1; dx <= radius + 1; ++dx)
        if (table.FirstRadius(dy, dx) <= radius) held.push_back({dy, dx});
    const std::vector<std::pair<int, int>> drawn = DrawnDisc(radius);
    EXPECT_EQ(held, drawn) << radius;
    EXPECT_EQ(table.Surface(radius), static_cast<std::int64_t>(drawn.size())) << radius;
  }
  EXPECT_TRUE(table.Runs(1, 2).empty());
  ASSERT_EQ(table.Runs(1, 0).size(), 1u);
  EXPECT_EQ(std::tuple(table.Runs(1, 0)[0].First, table.Runs(1, 0)[0].Last), std::tuple(-1, 1));
  bool broken = false;
  for (int dy = -236; dy <= 236 && !broken; ++dy) broken = table.Runs(236, dy).size() > 1;
  EXPECT_TRUE(broken);
  for (int dy = -240; dy <= 240; dy += 7) {
    const DiscCell* row = table.Row(dy);
    for (int dx = 1; dx <= 240; ++dx) {
      int least = DiscTable::kNever;
      for (int x = dx; x <= 240; ++x) least = std::min<int>(least, row[x].First);
      EXPECT_EQ(row[dx].Outward, least);
      EXPECT_GE(row[dx].First, std::abs(dy));  // no offset enters a disc before radius |dy|
    }
    EXPECT_EQ(table.RowFloor(dy), dy == 0 ? 1 : std::abs(dy));
  }
  EXPECT_EQ(std::tuple(DiscTable(0).FirstRadius(0, 0), DiscTable(-5).MaxRadius()),
            std::tuple(DiscTable::kNever, 0));
}
