#include "binary/kernels/PerimeterDimension.h"

#include <cmath>
#include <limits>

#include "imaging/LeastSquares.h"
#include "imaging/Parallel.h"

namespace {

constexpr double kSlopeFactor = 10.0;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

double YardstickLength(const std::vector<ContourPoint>& points, int s) {
  const std::size_t n = points.size();
  if (s < 1) return 0;
  double length = 0;
  for (std::size_t k = 0; k + s < n; k += s) {
    const double dy = points[k + s].Line - points[k].Line;
    const double dx = points[k + s].Column - points[k].Column;
    length += std::sqrt(dy * dy + dx * dx);
  }
  return length;
}

PerimeterMeasure MeasurePerimeter(const std::vector<ContourPoint>& points) {
  PerimeterMeasure measure;
  measure.Present = !points.empty();
  measure.ContourPoints = static_cast<int>(points.size());
  for (int k = 0; k < kYardstickCount; ++k) {
    measure.Lengths[k] = YardstickLength(points, kYardsticks[k]);
    measure.LogYardstick[k] = std::log(static_cast<double>(kYardsticks[k]));
    measure.LogLength[k] = measure.Lengths[k] > 0 ? std::log(measure.Lengths[k]) : kNaN;
  }
  measure.Measurable = true;
  for (int k = 0; k < kFittedYardsticks; ++k)
    measure.Measurable = measure.Measurable && measure.Lengths[k] > 0;
  if (measure.Measurable) {
    measure.Slope = kSlopeFactor * LeastSquaresSlope(measure.LogYardstick.data(), measure.LogLength.data(),
                                                     kFittedYardsticks);
    measure.Ratio = 1.0 - measure.Slope;
  } else {
    measure.Slope = measure.Ratio = kNaN;
  }
  return measure;
}

std::vector<PerimeterMeasure> PerimeterDimensions(const BytePlane& labels, const ItemIndex& index,
                                                  const std::vector<int>& codes) {
  std::vector<PerimeterMeasure> results(codes.size());
  parallel::For(static_cast<std::int64_t>(codes.size()), 1, [&](std::int64_t first, std::int64_t last) {
    for (std::int64_t k = first; k < last; ++k) {
      const int code = codes[k];
      const bool known = code >= 0 && code <= 255;
      results[k] =
          MeasurePerimeter(known ? ItemContour(labels, index[code], code) : std::vector<ContourPoint>{});
      results[k].Code = code;
    }
  });
  return results;
}
