#pragma once
// Fract prism: the prismatic fractal dimension of a gray-tone image read as a surface, pixel by pixel.
// Around each pixel the surface is covered by eight triangles (a triangular prism top) at five growing
// scales; the area at each scale, normalised by the square of the scale, gives the dimension 2 minus
// the log-log slope of area against scale. One pixel is 5 length units, a gray value one unit.
#include <cstdint>
#include <functional>

#include "imaging/Plane.h"

inline constexpr int kPrismBorder = 3;      // pixels computed: 3 from every edge
inline constexpr int kPrismStatBorder = 4;  // pixels counted in the statistics: 4 from every edge
inline constexpr double kPrismSnap = 1e-9;  // a dimension this close to 2 is 2

// Sum of the areas of the eight triangles (centre, point p, point p + 1) around a centre, the points
// in the order up-left, up, up-right, right, down-right, down, down-left, left, dz their heights
// above the centre; a is the horizontal distance from the centre to a side point (and from a side
// point to a corner), b the one to a corner. Areas by Heron's formula.
double PrismSurface(const double dz[8], double a, double b);

struct FractPrismResult {
  bool Computed = false;  // false when the statistics zone is empty (fewer than 9 lines or columns)
  // Over the statistics zone: a dimension of 2 or more takes part in the range; Min starts at 65500
  // and Max at 0, so HasRange is false when no dimension reaches 2.
  bool HasRange = false;
  double Min = 65500.0, Max = 0;
  double Sum = 0;  // raster order; a dimension below 2 adds 2
  std::int64_t Count = 0;
  double Mean = 0;
};

// Writes the dimension of every computed pixel into `dimensions` (of the image's size; the 3-pixel
// border is left as it is). `progress` is called with the fraction done, only on the calling thread.
FractPrismResult FractPrism(const BytePlane& image, DoublePlane& dimensions,
                            const std::function<void(double)>& progress = {});
