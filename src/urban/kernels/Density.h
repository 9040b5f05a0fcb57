#pragma once
// Density of a gray-tone class inside one item: the item's pixels, and those of them whose gray value
// lies within the thresholds (the elements), as surfaces and as a percentage.
#include <cstdint>

#include "imaging/Plane.h"

struct DensityCounts {
  std::int64_t ItemPixels = 0;     // pixels of `items` equal to the item value
  std::int64_t ElementPixels = 0;  // those of them with minValue <= gray <= maxValue
};

// `gray` and `items` have one size; otherwise nothing is counted.
DensityCounts CountDensity(const BytePlane& gray, const BytePlane& items, int itemValue, int minValue,
                           int maxValue);

struct DensitySurfaces {
  double ItemSurface = 0;     // km2: pixels x p x p square metres, x 1e-6
  double ElementSurface = 0;  // km2
  double Percentage = 0;      // element surface / item surface x 100
};

// For a pixel side of `pixelSize` metres. An item of no pixel gives a NaN percentage.
DensitySurfaces DensitySurfacesOf(const DensityCounts& counts, double pixelSize);
