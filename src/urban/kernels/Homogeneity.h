#pragma once
// Homogeneity: for every pixel at least Range from the edges, the percentage (truncated) of the pixels
// of its (2 Range + 1)-sided square window whose value lies within the thresholds. With Centered only
// the pixels within the thresholds get their percentage. Everything else is 255.
#include "imaging/Plane.h"

struct HomogeneityParams {
  int MinValue = 0;  // included
  int MaxValue = 0;  // included
  int Range = 0;     // half window: the window side is 2 Range + 1
  bool Centered = false;
};

// A window fits the plane: 0 <= range and 2 range + 1 <= the smaller side.
bool HomogeneityRangeFits(int range, int lines, int columns);

// The map, the size of `plane`; 255 everywhere when the window does not fit.
BytePlane Homogeneization(const BytePlane& plane, const HomogeneityParams& params);
