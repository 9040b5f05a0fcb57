#include "imaging/LeastSquares.h"

#include <algorithm>
#include <limits>

double LeastSquaresSlope(const double* x, const double* y, int n) {
  if (n < 2 || std::all_of(x + 1, x + n, [&](double v) { return v == x[0]; }))
    return std::numeric_limits<double>::quiet_NaN();
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  // Sums in point order, as every regression of the program has always done.
  for (int k = 0; k < n; ++k) {
    sxy += x[k] * y[k];
    sx += x[k];
    sxx += x[k] * x[k];
    sy += y[k];
  }
  const double denominator = n * sxx - sx * sx;
  // Distinct abscissae whose spread is lost in rounding cannot give a slope either.
  if (denominator == 0) return std::numeric_limits<double>::quiet_NaN();
  return (n * sxy - sx * sy) / denominator;
}
