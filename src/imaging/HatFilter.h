#pragma once
// The filter of kernel (2 - d) exp(-d / 2), d = (a^2 + b^2) / sigma^2 for the offsets a (lines) and b
// (columns) from the centre of a square window of 2R + 1 pixels, by separable passes. The kernel is
// the sum 2 g(a) g(b) - h(a) g(b) - g(a) h(b) of products, with g(t) = exp(-t^2 / (2 sigma^2)) and
// h(t) = (t / sigma)^2 g(t): two one-dimensional passes of 2R + 1 taps a pixel instead of (2R + 1)^2.
//
// Every pixel is computed by the same operations in the same order, wherever it lies and however the
// work is cut: a constant source gives one value everywhere, and the values never depend on the
// thread count.
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "imaging/Plane.h"

// The least and the greatest of filtered values (none yet: +inf and -inf).
struct HatExtremes {
  double min = HUGE_VAL, max = -HUGE_VAL;
  void Add(const double* values, int count);
  void Add(const HatExtremes& other) {
    if (other.min < min) min = other.min;
    if (max < other.max) max = other.max;
  }
};

class HatFilter {
 public:
  // range >= 0.
  HatFilter(int range, double sigma);

  // The values of inner pixel (p, q), centred on source pixel (p + R, q + R), for the inner lines
  // [firstLine, lastLine) and columns [firstColumn, lastColumn): a tile of columns at a time, each
  // line piece handed to use(p, q, values, count) with q its first column. The rectangle lies within
  // the source's inner pixels.
  using Use = std::function<void(std::int64_t p, int q, const double* values, int count)>;
  void Filter(const BytePlane& source, std::int64_t firstLine, std::int64_t lastLine, int firstColumn,
              int lastColumn, const Use& use) const;

 private:
  static constexpr std::size_t kRingBytes = 24 << 10, kMaxTile = 256;
  int range_;
  int tile_;                   // columns filtered together, their row passes kept for the window's lines
  std::vector<double> g_, h_;  // taps at distances 0 .. R from the centre (both factors are even)
};
