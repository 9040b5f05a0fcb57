#include "binary/kernels/Resample.h"

#include <cmath>
#include <vector>

#include "imaging/Parallel.h"

namespace {

constexpr double kRoundingHalf = 0.5;
constexpr double kLargestValue = 255;

bool SizesUsable(const BytePlane& source, const BytePlane& destination, int sourceLines, int sourceColumns,
                 int destinationLines, int destinationColumns) {
  return destinationLines > 0 && destinationColumns > 0 && destinationLines <= sourceLines &&
         destinationColumns <= sourceColumns && source.Lines() >= sourceLines &&
         source.Columns() >= sourceColumns && destination.Lines() >= destinationLines &&
         destination.Columns() >= destinationColumns;
}

}  // namespace

double NextIntegerAbove(double x) {
  const double y = std::ceil(x);
  return y == x ? x + 1 : y;
}

double BoxSide(int source, int destination) {
  return 1.0 / (static_cast<double>(destination) / static_cast<double>(source));
}

BoxSpan SpanOf(double start, double side) {
  BoxSpan span;
  span.First = static_cast<int>(std::floor(start));
  span.FirstWeight = NextIntegerAbove(start) - start;
  // Taking whole pixels off one at a time is exact below 2^53, so the remainder and the number of
  // whole pixels come straight from its floor.
  const double remainder = side - span.FirstWeight;
  const double wholePixels = remainder >= 1.0 ? std::floor(remainder) : 0.0;
  span.LastWeight = remainder - wholePixels;
  span.Last = span.First + 1 + static_cast<int>(wholePixels);
  return span;
}

std::uint8_t BoxValue(const BytePlane& source, int sourceLines, int sourceColumns, const BoxSpan& rows,
                      const BoxSpan& columns, double area) {
  double sum = 0;
  const int lastRow = std::min(rows.Last, sourceLines - 1);
  const int lastColumn = std::min(columns.Last, sourceColumns - 1);
  for (int r = rows.First; r <= lastRow; ++r) {
    const double rowWeight = rows.Weight(r - rows.First);
    const std::uint8_t* row = source[r];
    for (int c = columns.First; c <= lastColumn; ++c)
      sum += rowWeight * columns.Weight(c - columns.First) * static_cast<double>(row[c]);
  }
  const double value = std::trunc(sum / area + kRoundingHalf);
  return static_cast<std::uint8_t>(value >= kLargestValue ? kLargestValue : value);
}

bool ResampleByBoxes(const BytePlane& source, BytePlane& destination, int sourceLines, int sourceColumns,
                     int destinationLines, int destinationColumns) {
  if (!SizesUsable(source, destination, sourceLines, sourceColumns, destinationLines, destinationColumns))
    return false;
  const double boxHeight = BoxSide(sourceLines, destinationLines);
  const double boxWidth = BoxSide(sourceColumns, destinationColumns);
  const double area = boxHeight * boxWidth;

  // The column spans are the same on every line.
  std::vector<BoxSpan> columnSpans(static_cast<std::size_t>(destinationColumns));
  for (int j = 0; j < destinationColumns; ++j) columnSpans[j] = SpanOf(j * boxWidth, boxWidth);

  const std::int64_t cellWork = static_cast<std::int64_t>(destinationColumns) *
                                static_cast<std::int64_t>((boxHeight + 1) * (boxWidth + 1));
  parallel::For(destinationLines, parallel::RowGrain(cellWork), [&](std::int64_t first, std::int64_t last) {
    for (int i = static_cast<int>(first); i < last; ++i) {
      const BoxSpan rows = SpanOf(i * boxHeight, boxHeight);
      std::uint8_t* out = destination[i];
      for (int j = 0; j < destinationColumns; ++j)
        out[j] = BoxValue(source, sourceLines, sourceColumns, rows, columnSpans[j], area);
    }
  });
  return true;
}

BytePlane ResampleByBoxes(const BytePlane& source, int destinationLines, int destinationColumns) {
  if (destinationLines <= 0 || destinationColumns <= 0 || destinationLines > source.Lines() ||
      destinationColumns > source.Columns())
    return BytePlane();
  BytePlane destination(destinationColumns, destinationLines);
  ResampleByBoxes(source, destination, source.Lines(), source.Columns(), destinationLines,
                  destinationColumns);
  return destination;
}
