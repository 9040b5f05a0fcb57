#include "binary/kernels/ConvexHull.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// Cross product of (a - o) and (b - o) with y pointing up (the screen's lines grow downwards):
// positive for a counter-clockwise turn as seen on the screen.
std::int64_t Turn(const PixelPoint& o, const PixelPoint& a, const PixelPoint& b) {
  const std::int64_t ax = a.Column - o.Column, ay = o.Line - a.Line;
  const std::int64_t bx = b.Column - o.Column, by = o.Line - b.Line;
  return ax * by - ay * bx;
}

}  // namespace

std::vector<PixelPoint> ConvexHullVertices(std::vector<PixelPoint> points) {
  // Bottom line first, then left to right: the first point is the hull's first corner.
  std::sort(points.begin(), points.end(), [](const PixelPoint& a, const PixelPoint& b) {
    return a.Line != b.Line ? a.Line > b.Line : a.Column < b.Column;
  });
  const std::size_t n = points.size();
  if (n <= 1) return points;
  // Monotone chains from the bottom to the top along the right side, then back along the left
  // side; a point that does not make a strict left turn is dropped.
  std::vector<PixelPoint> hull(2 * n);
  std::size_t size = 0;
  for (std::size_t k = 0; k < n; ++k) {
    while (size >= 2 && Turn(hull[size - 2], hull[size - 1], points[k]) <= 0) --size;
    hull[size++] = points[k];
  }
  const std::size_t rightSide = size + 1;
  for (std::size_t k = n - 1; k-- > 0;) {
    while (size >= rightSide && Turn(hull[size - 2], hull[size - 1], points[k]) <= 0) --size;
    hull[size++] = points[k];
  }
  // The last point pushed is the first corner again.
  hull.resize(size);
  return hull;
}

void DrawMatrixLine(int line1, int column1, int line2, int column2, BytePlane& plane, int top, int left) {
  const int d = std::max(std::abs(line2 - line1), std::abs(column2 - column1));
  if (d == 0) return;
  const double lineStep = static_cast<double>(line2 - line1) / d;
  const double columnStep = static_cast<double>(column2 - column1) / d;
  double line = line1, column = column1;
  // The longer axis moves by exactly one a step, so the second point comes at the d-th step.
  for (int k = 0; k < d; ++k) {
    const int i = static_cast<int>(std::trunc(line + 0.5)), j = static_cast<int>(std::trunc(column + 0.5));
    if (i == line2 && j == column2) break;
    if (plane.Contains(i - top, j - left)) plane[i - top][j - left] = 1;
    line += lineStep;
    column += columnStep;
  }
}
