#pragma once

// Slope (n*Sxy - Sx*Sy) / (n*Sxx - Sx*Sx) of the points (x[k], y[k]), k = 0..n-1.
// NaN when n < 2 or the x values have no spread: callers report the result as undefined.
double LeastSquaresSlope(const double* x, const double* y, int n);

// A correlation coefficient within [-1, 1]: rounding in the sums (single precision in the lacunarity)
// can carry it just past a bound, where no correlation lies, and its square past 1. NaN stays NaN.
inline double ClampedCorrelation(double r) {
  return r < -1 ? -1 : r > 1 ? 1 : r;
}
