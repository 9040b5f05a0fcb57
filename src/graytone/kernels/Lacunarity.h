#pragma once
// Gliding-box lacunarity: a square box of side W = 2K + 1 glides over every position where it fits;
// with M the sum of the values under the box, the lacunarity is N sum(M^2) / (sum M)^2 over the N
// positions. Sums are exact integers, so a constant image gives exactly 1.
#include <cstdint>
#include <vector>

#include "imaging/Plane.h"

struct GlidingBoxMoments {
  std::int64_t Positions = 0;          // N
  std::uint64_t Sum = 0;               // sum of M
  unsigned __int128 SumOfSquares = 0;  // sum of M^2
};

// The summed-area table of an image, from which the box sums of every size follow in one pass.
class GlidingBoxes {
 public:
  // Throws std::bad_alloc when the sums of an image this large cannot be held.
  explicit GlidingBoxes(const BytePlane& image);
  // The moments for boxes of side 2k + 1; no position (all zero) when the box does not fit.
  GlidingBoxMoments Moments(int k) const;

 private:
  int lines_ = 0, columns_ = 0;
  // (y, x): the sum over lines < y and columns < x, wrapping at 2^32; differences of these are
  // exact for every box that holds less than 2^32.
  Plane<std::uint32_t> sums_;
};

// N sum(M^2) / (sum M)^2 from one exact quotient; NaN when the sum is 0.
double Lacunarity(const GlidingBoxMoments& moments);

struct LacunarityPoint {
  int K = 0;
  int Window = 0;
  double Value = 0;
  double LogWindow = 0;  // log10, in single precision
  double LogValue = 0;
};

// The moments of the window sizes K = kFirst .. kLast (entry K - kFirst), every size from one pass down
// the image: tiles slide a band of summed lines as tall as the largest box, and the whole table is
// held only when the bands summed at once would take half its room. Sizes whose boxes do not fit have
// no position.
std::vector<GlidingBoxMoments> CurveMoments(const BytePlane& image, int kFirst, int kLast);

// The points of the window sizes K = kMin .. kMax whose boxes hold some mass, in order of K.
std::vector<LacunarityPoint> LacunarityCurve(const BytePlane& image, int kMin, int kMax);

struct LacunarityFit {
  bool Defined = false;  // two points or more, spread in both coordinates
  double Correlation = 0, R2 = 0;
};

// The correlation of the log-log points: products in single precision, sums in double.
LacunarityFit FitLacunarity(const std::vector<LacunarityPoint>& points);
