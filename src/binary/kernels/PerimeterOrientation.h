#pragma once
// The contour of an item turned into a sequence of directions: the points 1, 1 + L, 1 + 2L, ... of
// the walk (ItemContour), and for each step between two of them its angle in whole degrees,
// 0 to the right, 90 up, 180 to the left, 270 down, then turned by a quarter so that the angles lie
// in 1 .. 360.
#include <vector>

#include "binary/kernels/ItemContour.h"

// Angle of a step, dy positive upward, before the turn: truncated degrees in 0 .. 360, 360 for a
// step to the right right after a step whose angle exceeded 270. `previous` is the angle of the
// step before (0 before the first). The step must not be zero.
int StepAngle(int dy, int dx, int previous);

// The turned angles of the steps of `length` points (length >= 1); a step whose two points are the
// same (the closing point when length = N - 1) is left out.
std::vector<int> OrientationSequence(const std::vector<ContourPoint>& points, int length);
