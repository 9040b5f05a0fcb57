#pragma once
// The convex hull of an item's perimeter pixels and the digital lines that draw its sides.
#include <vector>

#include "imaging/Plane.h"

struct PixelPoint {
  int Line = 0;
  int Column = 0;
  bool operator==(const PixelPoint&) const = default;
};

// The corners of the convex hull of distinct points, counter-clockwise as seen on the screen (lines
// grow downwards), from the leftmost point of the bottom line; points inside a side are not corners.
// Turns are decided by exact integer cross products. With two corners or more the first one is
// repeated at the end; a single point is its own hull; no point gives no corner.
std::vector<PixelPoint> ConvexHullVertices(std::vector<PixelPoint> points);

// Sets to 1 the cells of the digital line from (line1, column1) toward (line2, column2), the second
// point excluded: with d = max(|line2 - line1|, |column2 - column1|), steps of 1/d of the way are
// added in turn to a real position starting at the first point, each point rounded by trunc(x + 0.5).
// (A point half-way between two cells falls where the running sum's rounding puts it, as it always
// has: the cells of a line may differ at such points from those of the line drawn the other way.)
// The sums, and so those points, depend on where the line lies: the points are image positions, and
// the plane's first cell is the image position (top, left). Cells outside the plane are skipped.
void DrawMatrixLine(int line1, int column1, int line2, int column2, BytePlane& plane, int top = 0,
                    int left = 0);
