#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "binary/kernels/CircleDiscs.h"
#include "fixtures/Discs.h"

// One table for all radii holds exactly the disc each radius draws, on both sides of every change of
// angle step, and far out where the rings leave holes between their points; nothing lies beyond.
TEST(CircleDiscs, TheTableHoldsTheDiscEachRadiusDraws) {
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
}

TEST(CircleDiscs, RunsOfTheRowsAndOutwardMinima) {
  const DiscTable table(240);
  EXPECT_TRUE(table.Runs(1, 2).empty());
  ASSERT_EQ(table.Runs(1, 0).size(), 1u);
  EXPECT_EQ(std::tuple(table.Runs(1, 0)[0].First, table.Runs(1, 0)[0].Last), std::tuple(-1, 1));
  // Far out, rows of a disc are broken by cells no ring reaches.
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
  // No radius: an empty table.
  EXPECT_EQ(std::tuple(DiscTable(0).FirstRadius(0, 0), DiscTable(-5).MaxRadius()),
            std::tuple(DiscTable::kNever, 0));
}
