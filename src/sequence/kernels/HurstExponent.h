#pragma once
// The Hurst exponent of a sequence of integers: the mean population standard deviation of its
// windows at several sizes, and the slope of log10(mean deviation) against log10(size).
#include <cstdint>
#include <functional>
#include <vector>

// One entry per window size, in the order asked.
struct WindowDeviations {
  std::vector<int> Sizes;
  std::vector<double> MeanDeviations;
};

// The sizes of the sliding windows: first, first + step, ... (`count` sizes).
std::vector<int> SlidingSizes(int firstSize, int step, int count);

// Sliding windows over values[0 .. length - 1]: for each size w, the windows starting at 0 .. L - w,
// one position apart. A size below 1 or above L has no window and gives no entry. Sums are exact
// integers; the windows are shared among threads with a result independent of their number.
WindowDeviations SlidingDeviations(const int* values, std::int64_t length, const std::vector<int>& sizes);

// Jumping windows: values[0 .. length - 1] cut into length / d consecutive windows of each size d.
// A size below 1 or above the length gives no entry. `sizeDone(fraction)` is called on the calling
// thread after each size, with the fraction of the sizes done.
WindowDeviations JumpingDeviations(const int* values, std::int64_t length, const std::vector<int>& sizes,
                                   const std::function<void(double)>& sizeDone = nullptr);

// The length used by the jumping windows: among m = L - 1 down to L - 119 (m >= 1), the one whose
// divisor list is longest, the larger m on a tie. 0 when L < 2.
int JumpingLength(int length);

// The fit through the points whose mean deviation is positive (a zero deviation has no log).
struct HurstFit {
  std::vector<double> LogWindow, LogDeviation;  // base-10 logs of the kept points
  std::vector<double> Sizes, MeanDeviations;    // their raw values
  double Slope;                                 // the Hurst exponent; NaN with fewer than 2 kept points
  double Correlation;  // of raw sizes and raw mean deviations; NaN when either has no spread
  double R2;           // its square
  int Count() const { return static_cast<int>(LogWindow.size()); }
  bool Defined() const;
};

HurstFit FitHurst(const WindowDeviations& deviations);
