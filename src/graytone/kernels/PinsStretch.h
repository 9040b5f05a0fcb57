#pragma once
// Pins stretching: each pixel becomes the sum of its gray values over a cross (4 vicinity: centre and
// its 4 neighbours) or a square (8 vicinity: the 3 x 3 block), a neighbour outside the image counting
// as the centre, and the sums are rescaled to bytes, either linearly from the smallest to the largest
// or between two cuts that leave a percentage of the pixels saturated at each end.
#include <cstdint>

#include "imaging/Plane.h"

inline constexpr int kPinsHistogramCells = 2300;  // sums reach 9 x 255 = 2295

struct PinsParams {
  int Vicinity = 4;           // 8: the 3 x 3 block; anything else: the cross
  int Saturation = 0;         // 0 linear, 1 or 2: between the cuts
  double LowPercentage = 0;   // pixels left at 0 (clamped to 0..100)
  double HighPercentage = 0;  // pixels left at 255 (clamped to 0..100)
};

enum class PinsStatus {
  Done,
  NoLowCut,     // the percentage covers more pixels than the histogram holds
  NoHighCut,    // the same, from the top
  CutsCrossed,  // the low cut is not below the high cut
  NoMemory,     // `out` could not be made
};

struct PinsOutcome {
  PinsStatus Status = PinsStatus::Done;
  int MinSum = 0;
  int MaxSum = 0;
  int LowCut = 0;   // with saturation: sums below become 0
  int HighCut = 0;  // with saturation: sums above become 255
};

// Writes the stretched image of `source` into `out` (remade only when its size differs). With
// saturation the cuts come from the histogram of the sums of the inner pixels (the outer frame left
// out), with n = trunc(0.01 x lines x columns x percentage) pixels on each side. When a cut cannot be
// found or the cuts cross, `out` is left untouched and the status says why. Equal sums give 0.
PinsOutcome PinsStretch(const BytePlane& source, const PinsParams& params, BytePlane& out);
