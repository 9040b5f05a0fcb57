#pragma once
// Fractal thresholding: the lineal fractal response of a gray-tone image over its gray range. For the
// thresholds t = step, 2 step, ... below 256 the image is binarised (below t, in the band from the
// previous threshold up to t, or from t up), each line is cut into consecutive cells of 1, 2, 3, 4, 6
// and 12 pixels from its start, and the cells holding a set pixel are counted; the value of a threshold
// is 1 minus the log-log slope of the counts against the cell size.
#include <cstdint>
#include <vector>

#include "imaging/Plane.h"

enum FractalThMode : int { kBelowThreshold = 0, kInBand = 1, kFromThreshold = 2 };

inline constexpr int kCellSizeCount = 6;
inline constexpr int kCellSizes[kCellSizeCount] = {1, 2, 3, 4, 6, 12};
inline constexpr int kLowestStep = 2, kHighestStep = 255;

// 1.0 when a count is 0; otherwise 1 - slope of ln count against ln size, the sums taken in the order
// of the sizes.
double LinealValue(const std::int64_t counts[kCellSizeCount]);

struct FractalThPoint {
  int Gray = 0;      // the threshold t
  double Value = 0;  // its lineal fractal value
};

// One point per threshold, in increasing order; none for a step outside kLowestStep .. kHighestStep or
// an unknown mode.
std::vector<FractalThPoint> FractalThresholding(const BytePlane& source, int mode, int step);
