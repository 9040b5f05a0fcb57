#pragma once
// Local roughness: at each pixel the mean absolute gray difference between the pixel and its 3 x 3
// neighbourhood (the pixel itself adding 0), v = (1/9) x the sum of the eight differences.
#include "imaging/Plane.h"

inline constexpr int kRoughnessBorder = 1;

struct LocalRoughnessResult {
  bool Computed = false;  // false when the image has fewer than 3 lines or columns
  double Min = 10000.0, Max = 0;
};

// The roughness of a pixel whose eight differences add up to `sum`.
double RoughnessOfSum(int sum);

// Writes every pixel of `gray` (made of the image's size when it is not): the roughness of the pixels
// 1 .. lines - 2 and 1 .. columns - 2 drawn as trunc((v - Min) / (Max - Min) x 254) + 1, 1 when every
// value is the same, and 255 on the one-pixel border.
LocalRoughnessResult LocalRoughness(const BytePlane& image, BytePlane& gray);
