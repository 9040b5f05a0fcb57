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

// The counts as the treatment states them: the item in a plane of (h + m + 1) x (w + m + 1) cells
// at (Rmax, Rmax), 255 elsewhere; for each radius the disc drawn ring by ring, then every centre in
// raster order whose disc cells are all item (and, jumping, not yet covered) counted, a jumping disc
// covering its cells.
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

// The smallest first radius of an offset that leads out of the item, every offset of the table tried.
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

// A disc of radius R reaches exactly R cells up, down, left and right: in an a x a square it fits
// at the (a - 2R)^2 centres at least R from every side; a 70 x 70 item runs past the 32 radii the
// diagram once held.
TEST(MovingCircle, CirclesOverASquare) {
  for (const int side : {10, 31, 70}) {
    const MovingCircleResult result = MovingCircleOfMask(UniformPlane(side, side, 1), CircleMode::Sliding);
    EXPECT_EQ(std::tuple(result.MaxRadius, result.ItemPixels), std::tuple(side / 2, side * side));
    std::vector<std::int64_t> expected;
    for (int radius = 1; side - 2 * radius >= 2; ++radius)
      expected.push_back(static_cast<std::int64_t>(side - 2 * radius) * (side - 2 * radius));
    EXPECT_EQ(Discs(result), expected) << side;
    EXPECT_EQ(result.Counts.back().Surface, DiscTable(side).Surface(result.Counts.back().Radius));
  }
  EXPECT_EQ(std::tuple(CircleMaxRadius(7, 30), CircleMaxRadius(0, -4)), std::tuple(3, 0));
  // Jumping discs never share a cell, so together they cover no more than the item.
  const MovingCircleResult jumping = MovingCircleOfMask(UniformPlane(70, 70, 1), CircleMode::Jumping);
  ASSERT_FALSE(jumping.Counts.empty());
  for (const CircleCount& count : jumping.Counts)
    EXPECT_TRUE(count.Discs >= 2 && count.Discs * count.Surface <= jumping.ItemPixels) << count.Radius;
}

TEST(MovingCircle, BothCirclesMatchTheLiteralScanOnRandomItems) {
  std::mt19937 random(99);
  for (int trial = 0; trial < 24; ++trial) {
    const BytePlane mask = fixtures::RandomDiscs(12 + trial % 9, 14 + trial % 7, 8, 6, random(), 1, 0);
    for (const CircleMode mode : {CircleMode::Sliding, CircleMode::Jumping})
      EXPECT_EQ(Discs(MovingCircleOfMask(mask, mode)), LiteralCounts(mask, mode))
          << "trial " << trial << (mode == CircleMode::Jumping ? " jumping" : " sliding");
  }
}

// The fit radius from the table's rows against every offset of the table tried in turn, on an item
// wide enough for the rows broken by unreached cells (radii over 230), with specks of background.
TEST(MovingCircle, FitRadiiEqualTheSmallestOffsetToTheBackground) {
  const int side = 521, c = 260;  // c: the centre
  BytePlane disc = UniformPlane(side, side, 0);
  FillDisc(disc, c, c, c, 1);
  std::mt19937 random(7);
  std::uniform_int_distribution<int> place(0, side - 1);
  // Specks of background in the disc's outer crown, 242 to 258 from its centre.
  for (int specks = 0; specks < 12;) {
    const int i = place(random), j = place(random), d2 = (i - c) * (i - c) + (j - c) * (j - c);
    if (d2 > 242 * 242 && d2 < 258 * 258) disc[i][j] = 0, ++specks;
  }
  const DiscTable table(CircleMaxRadius(side, side));
  // Probes about the centre, where the fits reach the broken rows, and anywhere.
  std::vector<std::pair<int, int>> probes = {{c, c}, {c + 3, c - 7}, {10, c}, {0, 0}};
  for (int k = 0; k < 12; ++k) probes.push_back({c - 40 + 7 * k, c + 5 * k});
  for (int k = 0; k < 20; ++k) probes.push_back({place(random), place(random)});
  for (const auto& [i, j] : probes)
    EXPECT_EQ(FitRadiusAt(disc, table, i, j), LeastOffsetOut(disc, table, i, j)) << i << ", " << j;
  EXPECT_GT(FitRadiusAt(disc, table, c, c), 230);

  // The whole plane, column band by column band, gives each cell its own fit.
  const BytePlane item = fixtures::RandomDiscs(47, 61, 30, 6, 3, 1, 0);
  const DiscTable small(CircleMaxRadius(47, 61));
  const WordPlane fit = FitRadii(item, small);
  for (int i = 0; i < item.Lines(); ++i)
    for (int j = 0; j < item.Columns(); ++j)
      ASSERT_EQ(fit[i][j], LeastOffsetOut(item, small, i, j)) << i << ", " << j;
}

// Far out a row of the table is broken: an offset enters the discs later than the next one out.
// Seen from the centre of a full square, a background cell at such an offset is not the nearest
// way out of that row when the next cell is background too; when the next cell is item, it is.
TEST(MovingCircle, ABrokenRowIsReadPastItsNearestBackground) {
  const int m = 250, side = 2 * m + 1;
  const DiscTable table(m);
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

TEST(MovingCircle, ItemsUnderTwoPixelsWideOrAbsentGiveNoRadius) {
  const MovingCircleResult line = MovingCircleOfMask(UniformPlane(30, 1, 1), CircleMode::Jumping);
  EXPECT_TRUE(line.Counts.empty() && line.MaxRadius == 0);
  const BytePlane labels = fixtures::FilledSquare(20, 20, 2, 2, 9);
  const ItemIndex index = IndexItems(labels);
  EXPECT_TRUE(MovingCircle(labels, index[7], 7, CircleMode::Sliding).Counts.empty());
  // (9 - 2R)^2 down to 1 disc at R = 4.
  EXPECT_EQ(Discs(MovingCircle(labels, index[fixtures::kItem], fixtures::kItem, CircleMode::Sliding)),
            (std::vector<std::int64_t>{49, 25, 9}));
}

// No spread in y: slope 0 and no correlation.
TEST(MovingCircle, AFlatLineHasNoCorrelation) {
  const CircleFit flat = FitCircleLine({0, 1, 2}, {2, 2, 2});
  EXPECT_TRUE(flat.Slope == 0 && std::isnan(flat.Correlation) && std::isnan(flat.R2));
}
