#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

#include "HullWalk.h"

TEST(ConvexHull, HandWorkedShapes) {
  using P = std::vector<PixelPoint>;
  // A square with a pixel inside and one in the middle of a side: only the corners count.
  EXPECT_EQ(ConvexHullVertices({{0, 0}, {0, 4}, {4, 4}, {4, 0}, {2, 2}, {4, 2}}),
            (P{{4, 0}, {4, 4}, {0, 4}, {0, 0}, {4, 0}}));
  EXPECT_EQ(ConvexHullVertices({{3, 7}}), (P{{3, 7}}));
  EXPECT_EQ(ConvexHullVertices({}), P{});
  // Collinear pixels: there and back between the two ends.
  EXPECT_EQ(ConvexHullVertices({{1, 1}, {2, 2}, {3, 3}}), (P{{3, 3}, {1, 1}, {3, 3}}));
  EXPECT_EQ(ConvexHullVertices({{5, 2}, {5, 3}}), (P{{5, 2}, {5, 3}, {5, 2}}));
  // A triangle, counter-clockwise on the screen: right along the bottom, then up.
  EXPECT_EQ(ConvexHullVertices({{9, 0}, {0, 0}, {9, 9}, {5, 2}}), (P{{9, 0}, {9, 9}, {0, 0}, {9, 0}}));
}

TEST(ConvexHull, MatchesTheAngleWalkOnRandomPixelSets) {
  std::mt19937 random(3);
  for (int trial = 0; trial < 400; ++trial) {
    const int side = 2 + static_cast<int>(random() % 30);
    std::set<std::pair<int, int>> unique;
    const int count = 1 + static_cast<int>(random() % 40);
    for (int k = 0; k < count; ++k)
      unique.insert({static_cast<int>(random() % side), static_cast<int>(random() % side)});
    std::vector<PixelPoint> points;
    for (auto [line, column] : unique) points.push_back({line, column});
    ASSERT_EQ(ConvexHullVertices(points), AngleWalkHull(points)) << "trial " << trial;
  }
}

TEST(DrawMatrixLine, CellsOfHandWorkedLinesWithoutTheEndPoint) {
  using Set = std::set<std::pair<int, int>>;
  const auto cells = [](int line1, int column1, int line2, int column2, int columns = 8) {
    BytePlane plane(columns, 8);
    DrawMatrixLine(line1, column1, line2, column2, plane);
    Set set;
    for (int i = 0; i < plane.Lines(); ++i)
      for (int j = 0; j < plane.Columns(); ++j)
        if (plane[i][j]) set.insert({i, j});
    return set;
  };
  EXPECT_EQ(cells(0, 0, 2, 5), (Set{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}));  // 0, 0.4, .. 1.6 rounded
  EXPECT_EQ(cells(2, 5, 0, 0), (Set{{2, 5}, {2, 4}, {1, 3}, {1, 2}, {0, 1}}));  // the same, walked back
  EXPECT_EQ(cells(0, 0, 1, 2), (Set{{0, 0}, {1, 1}}));                          // 0.5 rounds up
  const Set fourteen = cells(0, 0, 1, 14);  // seven steps of 1/14 add up to just below 0.5
  EXPECT_TRUE(fourteen.count({0, 7}) == 1 && fourteen.count({1, 7}) == 0);
  EXPECT_EQ(cells(3, 3, 3, 3), Set{});                                   // no length, no cell
  EXPECT_EQ(cells(1, 13, 1, 18, 16), (Set{{1, 13}, {1, 14}, {1, 15}}));  // the cells inside only
}
