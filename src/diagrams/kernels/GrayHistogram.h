#pragma once
// Gray-tone counts of an image, for the histogram windows.
#include <array>
#include <cstdint>

#include "imaging/Plane.h"

using GrayCounts = std::array<int, 256>;

// Counts of every pixel at least `border` pixels from each edge.
GrayCounts GrayHistogram(const BytePlane& image, int border);

// Counts of the pixels whose mask value equals maskValue (both planes over their common size).
GrayCounts LocalGrayHistogram(const BytePlane& image, const BytePlane& mask, int maskValue);
