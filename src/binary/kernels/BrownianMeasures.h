#pragma once
// The measures drawn from the kept walks of the Brownian movement: each walk's own slope over 16
// window sizes, their mean, and the two dimensions from walk length, crossings and displacement.
// A value the points cannot give is NaN (reported as undefined).
#include <vector>

#include "binary/kernels/BrownianWalk.h"

inline constexpr int kWindowSizes = 16;

struct WalkSlope {
  // For each window size s = 1 .. 16 with more than one crossing window: ln of the number of windows
  // of s points, and ln of the number of those whose last point is a crossing.
  std::vector<double> LogWindows, LogCrossings;
  double Slope = 0;  // of ln windows against ln crossing windows; NaN from fewer than 3 points
};

WalkSlope MeasureWalkSlope(const std::vector<WalkPoint>& points);

struct BrownianDimensions {
  int Slopes = 0;   // walks that gave a slope
  double Mean = 0;  // the mean of their slopes
  double Dim2 = 0;  // 2 x slope of ln points against ln (points - crossings)
  double S3 = 0;    // slope of ln displacement against ln points, walks with a displacement above 1
  double Dim3 = 0;  // 2 - S3 / 2
};

// A fit is undefined from fewer than two walks or when the integers it starts from (points,
// points - crossings, displacements) are all equal on either axis: no spread, no slope.
BrownianDimensions MeasureBrownianDimensions(const std::vector<KeptWalk>& walks);
