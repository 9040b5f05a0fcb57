#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <utility>

#include "binary/kernels/ConvexHull.h"

namespace {

// The hull walked with angles, as a person would with a protractor: from the leftmost pixel of the
// bottom line, each time the smallest angle above the previous one (degrees counter-clockwise from
// the direction of increasing columns), the farthest pixel at that angle, until the first comes back.
std::vector<PixelPoint> GiftWrap(std::vector<PixelPoint> points) {
  std::sort(points.begin(), points.end(), [](const PixelPoint& a, const PixelPoint& b) {
    return a.Line != b.Line ? a.Line < b.Line : a.Column < b.Column;
  });
  if (points.empty()) return {};
  PixelPoint first = points[0];
  for (const PixelPoint& p : points)
    if (p.Line > first.Line || (p.Line == first.Line && p.Column < first.Column)) first = p;
  const double pi = 4 * std::atan(1.0);
  std::vector<PixelPoint> hull{first};
  PixelPoint v = first;
  double previous = -1;
  for (;;) {
    double best = 361;
    for (const PixelPoint& q : points) {
      if (q == v) continue;
      double a = 90 - std::atan2(q.Column - v.Column, v.Line - q.Line) * 180 / pi;
      if (a < 0) a += 360;
      if (a > previous && a < best) best = a;
    }
    if (best == 361) break;
    PixelPoint next = v;
    double farthest = -1;
    for (const PixelPoint& q : points) {
      if (q == v) continue;
      double a = 90 - std::atan2(q.Column - v.Column, v.Line - q.Line) * 180 / pi;
      if (a < 0) a += 360;
      const double d = std::hypot(q.Column - v.Column, q.Line - v.Line);
      if (a == best && d > farthest) {
        farthest = d;
        next = q;
      }
    }
    hull.push_back(next);
    if (next == first) break;
    v = next;
    previous = best;
  }
  return hull;
}

std::set<std::pair<int, int>> Cells(const BytePlane& plane) {
  std::set<std::pair<int, int>> cells;
  for (int i = 0; i < plane.Lines(); ++i)
    for (int j = 0; j < plane.Columns(); ++j)
      if (plane[i][j]) cells.insert({i, j});
  return cells;
}

}  // namespace

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
    ASSERT_EQ(ConvexHullVertices(points), GiftWrap(points)) << "trial " << trial;
  }
}

TEST(DrawMatrixLine, CellsOfHandWorkedLinesWithoutTheEndPoint) {
  using Set = std::set<std::pair<int, int>>;
  BytePlane plane(8, 8);
  DrawMatrixLine(0, 0, 2, 5, plane);  // lines 0, 0.4, 0.8, 1.2, 1.6 rounded
  EXPECT_EQ(Cells(plane), (Set{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}));

  plane.Fill(0);
  DrawMatrixLine(2, 5, 0, 0, plane);  // the same real points, walked back
  EXPECT_EQ(Cells(plane), (Set{{2, 5}, {2, 4}, {1, 3}, {1, 2}, {0, 1}}));

  plane.Fill(0);
  DrawMatrixLine(0, 0, 1, 2, plane);  // 0.5 rounds up
  EXPECT_EQ(Cells(plane), (Set{{0, 0}, {1, 1}}));

  plane.Fill(0);
  DrawMatrixLine(0, 0, 1, 14, plane);  // seven steps of 1/14 add up to just below 0.5
  EXPECT_EQ(plane[0][7], 1);
  EXPECT_EQ(plane[1][7], 0);

  plane = BytePlane(16, 2);
  plane.Fill(0);
  DrawMatrixLine(3, 3, 3, 3, plane);    // no length, no cell
  DrawMatrixLine(1, 13, 1, 18, plane);  // beyond the plane: the cells inside only
  EXPECT_EQ(Cells(plane), (Set{{1, 13}, {1, 14}, {1, 15}}));
}
