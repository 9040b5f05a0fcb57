#include "binary/kernels/ProgressiveBoxCount.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "binary/kernels/OccupiedCells.h"
#include "imaging/LeastSquares.h"
#include "imaging/Parallel.h"

namespace {

// The rounds stop once the smaller reduced side is down to this part of the image's smaller side.
constexpr double kLastSizeFraction = 0.1;

int SmallestSide(int lines, int columns) {
  return std::min(lines, columns);
}

int LastSmallerSide(int lines, int columns) {
  return static_cast<int>(kLastSizeFraction * SmallestSide(lines, columns));
}

// The box side beyond which the smaller reduced side is no longer above the last one.
double LastBoxSide(int lines, int columns) {
  return static_cast<double>(SmallestSide(lines, columns)) / (LastSmallerSide(lines, columns) + 1);
}

BytePlane StudiedMask(const BytePlane& binary, int studiedValue) {
  BytePlane mask(binary.Columns(), binary.Lines());
  const int columns = binary.Columns();
  parallel::For(binary.Lines(), parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (int i = static_cast<int>(first); i < last; ++i) {
      const std::uint8_t* in = binary[i];
      std::uint8_t* out = mask[i];
      for (int j = 0; j < columns; ++j) out[j] = in[j] == studiedValue ? kStudiedPixel : kOtherPixel;
    }
  });
  return mask;
}

}  // namespace

double ProgressiveRoundsNeeded(int lines, int columns, double step) {
  if (lines <= 0 || columns <= 0) return 0;
  if (!(step > 0) || !std::isfinite(step)) return std::numeric_limits<double>::infinity();
  return std::floor((LastBoxSide(lines, columns) - 1) / step) + 1;
}

bool ProgressiveStepUsable(int lines, int columns, double step) {
  return step > 0 && std::isfinite(step) &&
         ProgressiveRoundsNeeded(lines, columns, step) <= kMaxProgressiveRounds;
}

ProgressiveResult ProgressiveBoxCounting(const BytePlane& binary, int studiedValue, double step,
                                         const std::function<void(double)>& progress) {
  ProgressiveResult result;
  result.Dimension = std::numeric_limits<double>::quiet_NaN();
  const int lines = binary.Lines(), columns = binary.Columns();
  if (binary.Empty() || !ProgressiveStepUsable(lines, columns, step)) return result;

  const BytePlane mask = StudiedMask(binary, studiedValue);
  const OccupiedCellCounter counter(mask);

  double b = 1.0;
  std::int64_t lastKeptCount = counter.StudiedPixels();
  std::int64_t lastKeptCells = static_cast<std::int64_t>(lines) * columns;
  result.BoxSizes.push_back(b);
  result.Counts.push_back(lastKeptCount);
  result.LastCount = lastKeptCount;

  const int limit = LastSmallerSide(lines, columns);
  const double lastSide = LastBoxSide(lines, columns);
  int smaller = SmallestSide(lines, columns);
  // Nothing studied: no later count can fall below 0, so no size could give a point.
  if (lastKeptCount == 0) smaller = limit;
  while (smaller > limit) {
    const double next = b + step;
    if (!(next > b)) break;  // the step is lost in b's rounding
    b = next;
    const int reducedLines = static_cast<int>(lines / b);
    const int reducedColumns = static_cast<int>(columns / b);
    smaller = std::min(reducedLines, reducedColumns);
    if (smaller <= 0) break;
    if (progress) progress(std::min(1.0, (b - 1) / (lastSide - 1)));

    const std::int64_t cells = static_cast<std::int64_t>(reducedLines) * reducedColumns;
    // No fewer cells than the last kept point: no point whatever the count, so it is not counted.
    if (cells >= lastKeptCells) continue;
    const std::int64_t occupied = counter.Count(reducedLines, reducedColumns);
    result.LastCount = occupied;
    if (occupied <= 0 || occupied >= lastKeptCount) continue;
    result.BoxSizes.push_back(b);
    result.Counts.push_back(occupied);
    lastKeptCells = cells;
    if (occupied == cells) break;  // every cell occupied: larger boxes tell nothing more
    lastKeptCount = occupied;
  }

  for (std::size_t k = 0; k < result.BoxSizes.size(); ++k) {
    if (result.Counts[k] <= 0) continue;
    result.LogSize.push_back(std::log(result.BoxSizes[k]));
    result.LogCount.push_back(std::log(static_cast<double>(result.Counts[k])));
  }
  const double slope = LeastSquaresSlope(result.LogSize.data(), result.LogCount.data(), result.PointCount());
  result.Defined = !std::isnan(slope);
  if (result.Defined) result.Dimension = -slope;
  return result;
}
