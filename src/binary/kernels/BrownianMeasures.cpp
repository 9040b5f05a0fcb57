#include "binary/kernels/BrownianMeasures.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "imaging/LeastSquares.h"

namespace {

constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();
constexpr int kSlopeMinPoints = 3;

template <class T>
bool Spread(const std::vector<T>& values) {
  return std::any_of(values.begin(), values.end(), [&](T v) { return v != values.front(); });
}

// The slope of y against x from integers, undefined unless both have some spread.
template <class X, class Y>
double IntegerSlope(const std::vector<X>& x, const std::vector<Y>& y) {
  if (x.size() < 2 || !Spread(x) || !Spread(y)) return kUndefined;
  std::vector<double> logX(x.size()), logY(y.size());
  for (std::size_t k = 0; k < x.size(); ++k) {
    logX[k] = std::log(static_cast<double>(x[k]));
    logY[k] = std::log(static_cast<double>(y[k]));
  }
  return LeastSquaresSlope(logX.data(), logY.data(), static_cast<int>(logX.size()));
}

}  // namespace

WalkSlope MeasureWalkSlope(const std::vector<WalkPoint>& points) {
  WalkSlope walk;
  const int count = static_cast<int>(points.size());
  for (int size = 1; size <= kWindowSizes; ++size) {
    const int windows = count / size;
    int crossings = 0;
    for (int w = 1; w <= windows; ++w) crossings += !points[w * size - 1].New;
    if (crossings <= 1) continue;
    walk.LogWindows.push_back(std::log(static_cast<double>(windows)));
    walk.LogCrossings.push_back(std::log(static_cast<double>(crossings)));
  }
  const int n = static_cast<int>(walk.LogWindows.size());
  walk.Slope = n >= kSlopeMinPoints ? LeastSquaresSlope(walk.LogCrossings.data(), walk.LogWindows.data(), n)
                                    : kUndefined;
  return walk;
}

BrownianDimensions MeasureBrownianDimensions(const std::vector<KeptWalk>& walks) {
  BrownianDimensions d;
  double sum = 0;
  std::vector<int> points, fresh, farPoints;
  std::vector<std::int64_t> displacements;
  for (const KeptWalk& walk : walks) {
    if (!std::isnan(walk.Slope)) {
      sum += walk.Slope;
      ++d.Slopes;
    }
    points.push_back(walk.Points);
    fresh.push_back(walk.Points - walk.Crossings);
    if (walk.Displacement > 1) {
      farPoints.push_back(walk.Points);
      displacements.push_back(walk.Displacement);
    }
  }
  d.Mean = d.Slopes > 0 ? sum / d.Slopes : kUndefined;
  d.Dim2 = 2.0 * IntegerSlope(fresh, points);
  d.S3 = IntegerSlope(farPoints, displacements);
  d.Dim3 = 2.0 - 0.5 * d.S3;
  return d;
}
