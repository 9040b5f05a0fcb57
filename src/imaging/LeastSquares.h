#pragma once

// Slope (n*Sxy - Sx*Sy) / (n*Sxx - Sx*Sx) of the points (x[k], y[k]), k = 0..n-1.
// NaN when n < 2 or the x values have no spread: callers report the result as undefined.
double LeastSquaresSlope(const double* x, const double* y, int n);
