#pragma once
// 3D global fractal dimension of a gray-tone image read as an elevation model: the mean absolute
// height difference to the centre pixel, per ring of integer distance, fitted as a power law of the
// distance; the dimension is 3 minus the log-log slope.
#include <cstdint>
#include <vector>

#include "imaging/Plane.h"

struct GlobalFractalResult {
  int Zone = 0;  // side of the square zone the rings fit in: the smaller image side
  // Per ring k (0 .. zone - 3): pixels counted and the sum of their |g - g0|; ring 0 stays empty.
  std::vector<std::int64_t> RingPixels;
  std::vector<std::int64_t> RingSums;
  std::vector<double> RingMeans;  // sum / pixels, 0 for an empty ring
  int PointCount = 0;             // rings kept in the regression (mean > 0)
  double Dimension = 0;           // 3 - slope; NaN with fewer than two points or no spread in x
  double Correlation = 0;         // NaN as well when the points have no spread in y
};

GlobalFractalResult GlobalFractalDimension(const BytePlane& image);

// The regression of the rings: x = ln k, y = ln mean, for k = 1 .. zone - 4 with a mean above 0.
void FitGlobalFractal(GlobalFractalResult& result);
