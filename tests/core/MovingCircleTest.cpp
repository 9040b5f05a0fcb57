#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "binary/kernels/CircleDiscs.h"
#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/MovingCircle.h"
#include "fixtures/Fractals.h"

namespace {

// The counts as the treatment states them: the item in a plane of (h + m + 1) x (w + m + 1) cells
// at (Rmax, Rmax), 255 elsewhere; for each radius the disc drawn ring by ring (its offsets taken
// once from the drawing at the plane's corner), then every centre in raster order whose disc cells
// are all item (and, jumping, not yet covered) counted, a jumping disc covering its cells.
std::vector<std::int64_t> LiteralCounts(const BytePlane& mask, CircleMode mode) {
  const int h = mask.Lines(), w = mask.Columns(), m = std::min(h, w), rmax = m / 2;
  const int H = h + m, W = w + m;
  std::vector<std::vector<int>> item(H + 1, std::vector<int>(W + 1, 255));
  for (int i = 0; i < h; ++i)
    for (int j = 0; j < w; ++j)
      if (mask[i][j]) item[rmax + i][rmax + j] = 1;
  const double pi = 4 * std::atan(1.0);
  std::vector<std::int64_t> counts;
  for (int radius = 1; radius <= rmax; ++radius) {
    const int points = radius <= 33 ? 360 : radius <= 64 ? 720 : radius <= 107 ? 1440 : 2880;
    const double step = 360.0 / points;
    std::vector<std::vector<int>> disc(H + 1, std::vector<int>(W + 1, 255));
    for (int rho = radius; rho >= 0; --rho)
      for (int k = 0; k < points; ++k) {
        const double theta = k * step;
        disc[rmax + static_cast<int>(rho * std::sin(theta * pi / 180))]
            [rmax + static_cast<int>(rho * std::cos(theta * pi / 180))] = 1;
      }
    std::vector<std::pair<int, int>> offsets;
    for (int i = 0; i <= H; ++i)
      for (int j = 0; j <= W; ++j)
        if (disc[i][j] == 1) offsets.push_back({i - rmax, j - rmax});
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

std::vector<std::int64_t> Discs(const MovingCircleResult& result) {
  std::vector<std::int64_t> discs;
  for (const CircleCount& count : result.Counts) discs.push_back(count.Discs);
  return discs;
}

BytePlane Square(int side) {
  BytePlane mask(side, side);
  mask.Fill(1);
  return mask;
}

// An item of random discs and holes within lines x columns.
BytePlane RandomItem(int lines, int columns, std::mt19937& random) {
  BytePlane mask(columns, lines);
  std::uniform_int_distribution<int> line(0, lines - 1), column(0, columns - 1), radius(1, 6);
  auto paint = [&](std::uint8_t value, int count) {
    for (int k = 0; k < count; ++k) {
      const int ci = line(random), cj = column(random), r = radius(random);
      for (int i = 0; i < lines; ++i)
        for (int j = 0; j < columns; ++j)
          if ((i - ci) * (i - ci) + (j - cj) * (j - cj) <= r * r) mask[i][j] = value;
    }
  };
  paint(1, 8);
  paint(0, 2);
  return mask;
}

}  // namespace

TEST(MovingCircle, LargestRadiusIsHalfTheSmallerSide) {
  EXPECT_EQ(CircleMaxRadius(10, 10), 5);
  EXPECT_EQ(CircleMaxRadius(1000, 1000), 500);
  EXPECT_EQ(CircleMaxRadius(7, 30), 3);
  EXPECT_EQ(CircleMaxRadius(1, 30), 0);
  EXPECT_EQ(CircleMaxRadius(0, -4), 0);
}

// A disc of radius R reaches exactly R cells up, down, left and right: in an a x a square it fits
// at the (a - 2R)^2 centres at least R from every side.
TEST(MovingCircle, SlidingCirclesOverASquareFitAtTheInnerSquare) {
  for (const int side : {10, 31, 70}) {
    const MovingCircleResult result = MovingCircleOfMask(Square(side), CircleMode::Sliding);
    EXPECT_EQ(result.MaxRadius, side / 2);
    EXPECT_EQ(result.ItemPixels, side * side);
    std::vector<std::int64_t> expected;
    for (int radius = 1; side - 2 * radius >= 2; ++radius)
      expected.push_back(static_cast<std::int64_t>(side - 2 * radius) * (side - 2 * radius));
    EXPECT_EQ(Discs(result), expected) << side;
  }
  // The 10 x 10 square: 64 centres off its outer ring at R = 1.
  EXPECT_EQ(MovingCircleOfMask(Square(10), CircleMode::Sliding).Counts.front().Discs, 64);
}

TEST(MovingCircle, BothCirclesMatchTheLiteralScanOnRandomItems) {
  std::mt19937 random(99);
  for (int trial = 0; trial < 24; ++trial) {
    const BytePlane mask = RandomItem(12 + trial % 9, 14 + trial % 7, random);
    for (const CircleMode mode : {CircleMode::Sliding, CircleMode::Jumping})
      EXPECT_EQ(Discs(MovingCircleOfMask(mask, mode)), LiteralCounts(mask, mode))
          << "trial " << trial << (mode == CircleMode::Jumping ? " jumping" : " sliding");
  }
  for (const int side : {10, 23})
    EXPECT_EQ(Discs(MovingCircleOfMask(Square(side), CircleMode::Jumping)),
              LiteralCounts(Square(side), CircleMode::Jumping));
}

// Jumping discs never share a cell (the literal scan covers what it counts), so together they cover
// no more than the item; a 70 x 70 item runs past the 32 radii the diagram once held.
TEST(MovingCircle, JumpingDiscsNeverOverlapAndALargeItemRunsPastThirtyTwoRadii) {
  EXPECT_EQ(Discs(MovingCircleOfMask(Square(40), CircleMode::Jumping)),
            LiteralCounts(Square(40), CircleMode::Jumping));
  const MovingCircleResult jumping = MovingCircleOfMask(Square(70), CircleMode::Jumping);
  ASSERT_FALSE(jumping.Counts.empty());
  for (const CircleCount& count : jumping.Counts) {
    EXPECT_LE(count.Discs * count.Surface, jumping.ItemPixels) << count.Radius;
    EXPECT_GE(count.Discs, 2);
  }
  const MovingCircleResult sliding = MovingCircleOfMask(Square(70), CircleMode::Sliding);
  EXPECT_EQ(sliding.Counts.size(), 34u);  // (70 - 2R)^2 >= 2 up to R = 34
  EXPECT_EQ(sliding.Counts.back().Surface, DiscTable(34).Surface(34));
}

// The smallest first radius of an offset that leads out of the item, every offset of the table tried.
int LeastOffsetOut(const BytePlane& mask, const DiscTable& table, int i, int j) {
  if (!mask[i][j]) return 0;
  const int m = table.MaxRadius();
  int least = m + 1;
  for (int dy = -m; dy <= m; ++dy)
    for (int dx = -m; dx <= m; ++dx) {
      const int a = i + dy, b = j + dx;
      if (!mask.Contains(a, b) || !mask[a][b]) least = std::min(least, table.FirstRadius(dy, dx));
    }
  return least - 1;
}

// The fit radius from the table's rows against every offset of the table tried in turn, on an item
// wide enough for the rows broken by unreached cells (radii over 230), with specks of background.
TEST(MovingCircle, FitRadiiEqualTheSmallestOffsetToTheBackground) {
  const int side = 521, centre = 260;
  BytePlane disc(side, side);
  for (int i = 0; i < side; ++i)
    for (int j = 0; j < side; ++j)
      disc[i][j] = (i - centre) * (i - centre) + (j - centre) * (j - centre) <= centre * centre;
  std::mt19937 random(7);
  std::uniform_int_distribution<int> place(0, side - 1);
  // Specks of background in the disc's outer crown, 242 to 258 from its centre.
  for (int specks = 0; specks < 12;) {
    const int i = place(random), j = place(random);
    const int d2 = (i - centre) * (i - centre) + (j - centre) * (j - centre);
    if (d2 > 242 * 242 && d2 < 258 * 258) {
      disc[i][j] = 0;
      ++specks;
    }
  }
  const DiscTable table(CircleMaxRadius(side, side));
  std::vector<std::pair<int, int>> probes = {
      {centre, centre}, {centre + 3, centre - 7}, {10, centre}, {0, 0}};
  for (int k = 0; k < 12; ++k) probes.push_back({centre - 40 + 7 * k, centre + 5 * k});
  for (int k = 0; k < 20; ++k) probes.push_back({place(random), place(random)});
  for (const auto& [i, j] : probes)
    EXPECT_EQ(FitRadiusAt(disc, table, i, j), LeastOffsetOut(disc, table, i, j)) << i << ", " << j;
  EXPECT_GT(FitRadiusAt(disc, table, centre, centre), 230);

  // The whole plane, column band by column band, gives each cell its own fit.
  std::mt19937 shapes(3);
  const BytePlane item = RandomItem(47, 61, shapes);
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
            table.FirstRadius(dy, dir * (a + 1)) <= m) {
          hy = dy;
          ha = a;
        }
    ASSERT_NE(ha, 0) << dir;
    const int hole = dir * ha, next = dir * (ha + 1);
    BytePlane both(side, side), one(side, side);
    both.Fill(1);
    one.Fill(1);
    both[m + hy][m + hole] = both[m + hy][m + next] = 0;
    one[m + hy][m + hole] = 0;
    EXPECT_EQ(FitRadiusAt(both, table, m, m), table.FirstRadius(hy, next) - 1) << dir;
    EXPECT_EQ(FitRadiusAt(one, table, m, m), std::min(table.FirstRadius(hy, hole), m + 1) - 1) << dir;
  }
}

TEST(MovingCircle, ItemsUnderTwoPixelsWideOrAbsentGiveNoRadius) {
  BytePlane line(30, 1);
  line.Fill(1);
  EXPECT_TRUE(MovingCircleOfMask(line, CircleMode::Sliding).Counts.empty());
  EXPECT_EQ(MovingCircleOfMask(line, CircleMode::Jumping).MaxRadius, 0);
  const BytePlane labels = fixtures::FilledSquare(20, 20, 2, 2, 9);
  const ItemIndex index = IndexItems(labels);
  EXPECT_TRUE(MovingCircle(labels, index[7], 7, CircleMode::Sliding).Counts.empty());
  const MovingCircleResult square =
      MovingCircle(labels, index[fixtures::kItem], fixtures::kItem, CircleMode::Sliding);
  EXPECT_EQ(Discs(square), (std::vector<std::int64_t>{49, 25, 9}));  // (9 - 2R)^2 down to 1 disc at R = 4
}

TEST(MovingCircle, ProgressRunsOnceFromZeroToOne) {
  for (const CircleMode mode : {CircleMode::Sliding, CircleMode::Jumping}) {
    std::vector<double> told;
    MovingCircleOfMask(Square(40), mode, [&](double fraction) { told.push_back(fraction); });
    ASSERT_FALSE(told.empty());
    for (std::size_t k = 1; k < told.size(); ++k) EXPECT_GE(told[k], told[k - 1]);
    EXPECT_GE(told.front(), 0.0);
    EXPECT_EQ(told.back(), 1.0);
  }
}

TEST(MovingCircle, DiagramPointsAndTheJumpingLine) {
  MovingCircleResult result;
  result.ItemPixels = 100;
  result.Counts = {{1, 5, 64}, {2, 13, 36}, {3, 29, 16}};
  const CirclePoints radius = MakeCirclePoints(result, CircleMode::Jumping, CircleValue::Radius);
  EXPECT_EQ(radius.LogSize, (std::vector<double>{0.0, std::log(2.0), std::log(3.0)}));
  EXPECT_EQ(radius.LogCount, (std::vector<double>{std::log(64.0), std::log(36.0), std::log(16.0)}));
  const CirclePoints surface = MakeCirclePoints(result, CircleMode::Jumping, CircleValue::Surface);
  EXPECT_EQ(surface.LogSize, (std::vector<double>{std::log(5.0), std::log(13.0), std::log(29.0)}));
  // The sliding surface diagram starts with the item itself at x = ln 1.
  const CirclePoints sliding = MakeCirclePoints(result, CircleMode::Sliding, CircleValue::Surface);
  ASSERT_EQ(sliding.LogSize.size(), 4u);
  EXPECT_EQ(sliding.LogSize[0], 0.0);
  EXPECT_EQ(sliding.LogCount[0], std::log(100.0));
  EXPECT_EQ(sliding.LogSize[1], std::log(5.0));

  // y = 3 - 2x exactly: slope -2, ratio 2, correlation -1.
  const CircleFit line = FitCircleLine({0, 1, 2, 3}, {3, 1, -1, -3});
  EXPECT_NEAR(line.Slope, -2, 1e-12);
  EXPECT_NEAR(line.Ratio, 2, 1e-12);
  EXPECT_NEAR(line.Correlation, -1, 1e-12);
  EXPECT_NEAR(line.R2, 1, 1e-12);
  const CircleFit flat = FitCircleLine({0, 1, 2}, {2, 2, 2});
  EXPECT_EQ(flat.Slope, 0);
  EXPECT_TRUE(std::isnan(flat.Correlation));
  EXPECT_TRUE(std::isnan(flat.R2));
  for (const auto& [x, y] : {std::pair<std::vector<double>, std::vector<double>>{{0.5}, {1}}, {{}, {}}}) {
    const CircleFit none = FitCircleLine(x, y);
    EXPECT_TRUE(std::isnan(none.Slope));
    EXPECT_TRUE(std::isnan(none.Ratio));
    EXPECT_TRUE(std::isnan(none.Correlation));
  }
}
