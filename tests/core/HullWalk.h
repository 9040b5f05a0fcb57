#pragma once
// The convex hull walked with angles, as a person would with a protractor: from the leftmost pixel of
// the bottom line, each time the smallest angle above the previous one (degrees counter-clockwise from
// the direction of increasing columns), the farthest pixel at that angle, until the first comes back.
// The slow reference of the hull and shape tests.
#include <cmath>
#include <vector>

#include "binary/kernels/ConvexHull.h"

inline std::vector<PixelPoint> AngleWalkHull(const std::vector<PixelPoint>& points) {
  if (points.empty()) return {};
  PixelPoint first = points[0];
  for (const PixelPoint& p : points)
    if (p.Line > first.Line || (p.Line == first.Line && p.Column < first.Column)) first = p;
  std::vector<PixelPoint> hull{first};
  PixelPoint v = first;
  double previous = -1;
  for (;;) {
    double best = 361, farthest = -1;
    PixelPoint next;
    for (const PixelPoint& q : points) {
      if (q == v) continue;
      double a = 90 - std::atan2(q.Column - v.Column, v.Line - q.Line) * 45 / std::atan(1.0);
      if (a < 0) a += 360;
      const double d = std::hypot(q.Column - v.Column, q.Line - v.Line);
      if (a > previous && (a < best || (a == best && d > farthest))) best = a, farthest = d, next = q;
    }
    if (best == 361) break;
    hull.push_back(next);
    if (next == first) break;
    v = next;
    previous = best;
  }
  return hull;
}
