#pragma once
// Progressive box counting: boxes whose side b is a real number growing by a fixed step from 1. At
// each b the studied pixels are resampled by area weighting to trunc(lines / b) x trunc(columns / b)
// cells and the occupied cells are counted; the dimension is the negated slope of ln(count) against
// ln(b). The rounds run while the smaller reduced side exceeds a tenth of the image's smaller side.
#include <cstdint>
#include <functional>
#include <vector>

#include "imaging/Plane.h"

// A step asking more rounds than this is refused: it would keep the person waiting for ever.
inline constexpr double kMaxProgressiveRounds = 10000;

// The rounds a step needs at most on a lines x columns image (every one up to the last size).
double ProgressiveRoundsNeeded(int lines, int columns, double step);
// A positive, finite step needing at most kMaxProgressiveRounds rounds.
bool ProgressiveStepUsable(int lines, int columns, double step);

struct ProgressiveResult {
  // The kept points: b, then the occupied cells; the first is b = 1 with the studied pixels.
  std::vector<double> BoxSizes;
  std::vector<std::int64_t> Counts;
  // ln b and ln count of the kept points that have a count (none when nothing is studied).
  std::vector<double> LogSize, LogCount;
  std::int64_t LastCount = 0;  // occupied cells at the last size counted
  double Dimension = 0;        // - slope; NaN when undefined
  bool Defined = false;        // false with fewer than two points

  int PointCount() const { return static_cast<int>(LogSize.size()); }
};

// The pixels of `binary` equal to studiedValue are studied. A size whose reduction has no fewer
// cells than the last kept point, no occupied cell, or no fewer occupied cells than the last kept
// count gives no point; the series ends after a size at which every cell is occupied, and when a
// reduced side would reach 0 or b stops growing. `progress` receives the fraction of the rounds done.
ProgressiveResult ProgressiveBoxCounting(const BytePlane& binary, int studiedValue, double step,
                                         const std::function<void(double)>& progress = nullptr);
