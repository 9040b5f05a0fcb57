#pragma once
// The ordered contour of one item of a labeled image, shared by the perimeter dimension and the
// perimeter orientation. The item is laid in a frame of its own (its bounding box at frame line 1,
// column 1, one empty line and column before it, five after), dilated twice by a 3 x 3 square that
// never reaches frame line 0 or column 0, reduced to its pixels with a 4-neighbour outside, thinned
// of the right-angle corners, and walked from the leftmost pixel of its lowest line.
#include <vector>

#include "binary/kernels/ItemIndex.h"
#include "imaging/Plane.h"

struct ContourPoint {
  int Line = 0, Column = 0;  // frame coordinates: image line = bounding box's first line + Line - 1
  bool operator==(const ContourPoint&) const = default;
};

// Frame margins around the bounding box: one line (column) before it, five after.
inline constexpr int kContourFrameBefore = 1;
inline constexpr int kContourFrameAfter = 5;

// Points 1 .. N of the walk at indices 0 .. N - 1, the last equal to the first. Empty when no pixel
// of `labels` inside `bounds` bears `code` (or the bounds do not lie in the plane).
std::vector<ContourPoint> ItemContour(const BytePlane& labels, const ItemBounds& bounds, int code);

// The contour pixels of a frame after the two dilations, the 4-neighbour test and the thinning,
// before the walk: 1 on the contour, 0 elsewhere (frame of (lines + 6) x (columns + 6)). For tests
// and for the walk.
BytePlane ThinnedContourFrame(const BytePlane& labels, const ItemBounds& bounds, int code);

// The walk over a thinned contour frame (consumed): start at the leftmost pixel of the lowest line,
// second point up-right or else right of it (else the general order), then always the first
// neighbour in the order up-left, up, up-right, right, down-right, down, down-left, left; the start
// closes the list.
std::vector<ContourPoint> WalkContour(BytePlane& frame);
