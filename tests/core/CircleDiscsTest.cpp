#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "binary/kernels/CircleDiscs.h"

namespace {

// A disc as the cells of its (2R + 1) x (2R + 1) square around the centre.
struct Disc {
  int radius = 0;
  std::vector<char> cells;
  explicit Disc(int r) : radius(r), cells(static_cast<std::size_t>(2 * r + 1) * (2 * r + 1), 0) {}
  char& At(int dy, int dx) {
    return cells[static_cast<std::size_t>(dy + radius) * (2 * radius + 1) + dx + radius];
  }
  std::int64_t Count() const { return std::count(cells.begin(), cells.end(), 1); }
  bool operator==(const Disc&) const = default;
};

// The disc of radius R drawn as the treatment draws it: rings R .. 0, each at P angles k s degrees.
Disc LiteralDisc(int radius) {
  const double pi = 4 * std::atan(1.0);
  int points = 2880;
  double step = 0.125;
  if (radius <= 33) {
    points = 360;
    step = 1;
  } else if (radius <= 64) {
    points = 720;
    step = 0.5;
  } else if (radius <= 107) {
    points = 1440;
    step = 0.25;
  }
  Disc disc(radius);
  for (int rho = radius; rho >= 0; --rho)
    for (int k = 0; k < points; ++k) {
      const double theta = k * step;
      disc.At(static_cast<int>(rho * std::sin(theta * pi / 180)),
              static_cast<int>(rho * std::cos(theta * pi / 180))) = 1;
    }
  return disc;
}

Disc TableDisc(const DiscTable& table, int radius) {
  Disc disc(radius);
  for (int dy = -radius; dy <= radius; ++dy)
    for (int dx = -radius; dx <= radius; ++dx) disc.At(dy, dx) = table.FirstRadius(dy, dx) <= radius;
  // Nothing of the disc lies beyond its radius.
  for (int dy = -table.MaxRadius(); dy <= table.MaxRadius(); ++dy)
    for (const int dx : {-radius - 1, radius + 1})
      if (std::abs(dx) <= table.MaxRadius()) {
        EXPECT_GT(table.FirstRadius(dy, dx), radius);
      }
  return disc;
}

}  // namespace

TEST(CircleDiscs, SurfacesOfTheFirstRadii) {
  const DiscTable table(8);
  const std::int64_t expected[] = {5, 13, 29, 49, 73, 113, 149, 197};
  for (int radius = 1; radius <= 8; ++radius)
    EXPECT_EQ(table.Surface(radius), expected[radius - 1]) << radius;
  // The plus sign of radius 1: the centre and its four neighbours.
  Disc plus(1);
  plus.At(0, 0) = plus.At(0, 1) = plus.At(1, 0) = plus.At(0, -1) = plus.At(-1, 0) = 1;
  EXPECT_TRUE(TableDisc(table, 1) == plus);
}

TEST(CircleDiscs, AngleCountsChangeAtTheirRadii) {
  const std::pair<int, int> cases[] = {{1, 360},   {33, 360},   {34, 720},   {64, 720},
                                       {65, 1440}, {107, 1440}, {108, 2880}, {500, 2880}};
  for (const auto& [radius, count] : cases) EXPECT_EQ(DiscAngleCount(radius), count) << radius;
}

// One table for all radii holds exactly the disc each radius draws, on both sides of every change of
// angle step, and far out where the rings leave holes between their points.
TEST(CircleDiscs, TheTableHoldsTheDiscEachRadiusDraws) {
  const DiscTable table(240);
  for (const int radius : {1, 2, 5, 12, 33, 34, 35, 64, 65, 66, 107, 108, 109, 240}) {
    const Disc literal = LiteralDisc(radius);
    EXPECT_TRUE(TableDisc(table, radius) == literal) << radius;
    EXPECT_EQ(table.Surface(radius), literal.Count()) << radius;
  }
}

// The disc of R + 1 holds the disc of R: the angles of R are angles of R + 1 and its rings are kept.
TEST(CircleDiscs, EachDiscHoldsTheSmallerOnes) {
  for (const int radius : {10, 33, 64, 107}) {
    Disc smaller = LiteralDisc(radius), larger = LiteralDisc(radius + 1);
    for (int dy = -radius; dy <= radius; ++dy)
      for (int dx = -radius; dx <= radius; ++dx)
        if (smaller.At(dy, dx)) {
          EXPECT_EQ(larger.At(dy, dx), 1) << radius;
        }
  }
}

TEST(CircleDiscs, RunsOfTheRowsAndOutwardMinima) {
  const DiscTable table(240);
  EXPECT_TRUE(table.Runs(1, 2).empty());
  ASSERT_EQ(table.Runs(1, 0).size(), 1u);
  EXPECT_EQ(table.Runs(1, 0)[0].First, -1);
  EXPECT_EQ(table.Runs(1, 0)[0].Last, 1);
  // Far out, rows of a disc are broken by cells no ring reaches: one run more than the row's
  // single stretch, exactly where the literal drawing misses a cell.
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
}

TEST(CircleDiscs, NoRadiusGivesAnEmptyTable) {
  const DiscTable table(0);
  EXPECT_EQ(table.MaxRadius(), 0);
  EXPECT_EQ(table.FirstRadius(0, 0), DiscTable::kNever);
  EXPECT_EQ(DiscTable(-5).MaxRadius(), 0);
}
