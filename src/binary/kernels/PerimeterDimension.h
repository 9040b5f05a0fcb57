#pragma once
// Perimeter fractal value of the items of a labeled image: the contour (ItemContour) walked with
// yardsticks of 1, 2, 4 and 8 points; the slope of ln L(s) against ln s over s = 1, 2, 4, ten
// times over, and the ratio 1 - slope.
#include <array>
#include <cstdint>
#include <vector>

#include "binary/kernels/ItemContour.h"
#include "binary/kernels/ItemIndex.h"
#include "imaging/Plane.h"

inline constexpr int kYardstickCount = 4;
inline constexpr std::array<int, kYardstickCount> kYardsticks = {1, 2, 4, 8};
// The slope is taken over the first three yardsticks only.
inline constexpr int kFittedYardsticks = 3;

// Sum of the distances between the points of indices 1, 1 + s, 1 + 2s, ... not beyond N (the piece
// after the last such point is left out); 0 when s < 1 or fewer than s + 1 points.
double YardstickLength(const std::vector<ContourPoint>& points, int s);

struct PerimeterMeasure {
  int Code = 0;
  bool Present = false;     // a pixel bears the code
  bool Measurable = false;  // L(1), L(2) and L(4) are all above 0
  int ContourPoints = 0;    // N, the start counted twice
  std::array<double, kYardstickCount> Lengths{};
  // ln s and ln L(s); ln L(s) is NaN where L(s) is 0.
  std::array<double, kYardstickCount> LogYardstick{}, LogLength{};
  double Slope = 0, Ratio = 0;  // NaN when not measurable
};

// The measure of a contour (points as ItemContour gives them).
PerimeterMeasure MeasurePerimeter(const std::vector<ContourPoint>& points);

// Every code of the list, items measured in parallel; a code that no pixel bears (or outside
// 0 .. 255) gives an absent entry.
std::vector<PerimeterMeasure> PerimeterDimensions(const BytePlane& labels, const ItemIndex& index,
                                                  const std::vector<int>& codes);
