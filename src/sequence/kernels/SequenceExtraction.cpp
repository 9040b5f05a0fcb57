#include "sequence/kernels/SequenceExtraction.h"

#include <algorithm>
#include <cstdlib>

#include "imaging/Parallel.h"

namespace {

bool Inside(int value, int low, int high) {
  return value >= low && value <= high;
}

// Calls visit(line, column) for each pixel of the diagonal. The double accumulators add the
// increments step after step, so the rounding of each pixel is that of the running sum.
template <class Visit>
void WalkDiagonal(int firstLine, int firstColumn, int lastLine, int lastColumn, Visit visit) {
  const double dl = static_cast<double>(lastLine) - firstLine;
  const double dc = static_cast<double>(lastColumn) - firstColumn;
  const double steps = std::abs(dc) > std::abs(dl) ? std::abs(dc) : std::abs(dl);
  if (steps == 0) return;
  const double lineStep = dl / steps;
  const double columnStep = dc / steps;
  double lineAccumulator = firstLine;
  double columnAccumulator = firstColumn;
  int line = firstLine;
  int column = firstColumn;
  // The longer axis moves by exactly one each step, so the walk reaches the last point after
  // `steps` steps: counting them cannot overrun the way comparing the points could.
  const long long count = static_cast<long long>(steps);
  for (long long k = 0; k < count; ++k) {
    visit(line, column);
    lineAccumulator += lineStep;
    columnAccumulator += columnStep;
    line = static_cast<int>(lineAccumulator + 0.5);
    column = static_cast<int>(columnAccumulator + 0.5);
  }
}

std::int64_t Span(int first, int last) {
  return std::max<std::int64_t>(0, static_cast<std::int64_t>(last) - first + 1);
}

}  // namespace

ZoneFault CheckZone(const SequenceZone& zone, const SequenceFrame& frame) {
  if (zone.StudiedItem < kWholeScene || zone.StudiedItem > kLabeledZones) return ZoneFault::NoItem;
  const int low = frame.Border;
  const int lastLine = frame.Lines - frame.Border - 1;
  const int lastColumn = frame.Columns - frame.Border - 1;
  if (frame.Border < 0 || lastLine < low || lastColumn < low) return ZoneFault::EmptyFrame;
  const bool firstLine = Inside(zone.FirstLine, low, lastLine);
  const bool firstColumn = Inside(zone.FirstColumn, low, lastColumn);
  const bool lastLineIn = Inside(zone.LastLine, low, lastLine);
  const bool lastColumnIn = Inside(zone.LastColumn, low, lastColumn);
  switch (zone.StudiedItem) {
    case kHorizontalLine:
      if (!Inside(zone.SelectedLine, low, lastLine)) return ZoneFault::SelectedLine;
      if (!firstColumn) return ZoneFault::FirstColumn;
      if (!lastColumnIn) return ZoneFault::LastColumn;
      if (zone.FirstColumn >= zone.LastColumn) return ZoneFault::ColumnOrder;
      return ZoneFault::None;
    case kVerticalLine:
      if (!Inside(zone.SelectedColumn, low, lastColumn)) return ZoneFault::SelectedColumn;
      if (!firstLine) return ZoneFault::FirstLine;
      if (!lastLineIn) return ZoneFault::LastLine;
      if (zone.FirstLine >= zone.LastLine) return ZoneFault::LineOrder;
      return ZoneFault::None;
    case kDiagonalLine:
    case kRectangularZone:
      if (!firstLine) return ZoneFault::FirstLine;
      if (!firstColumn) return ZoneFault::FirstColumn;
      if (!lastLineIn) return ZoneFault::LastLine;
      if (!lastColumnIn) return ZoneFault::LastColumn;
      if (zone.StudiedItem == kDiagonalLine) {
        if (zone.FirstLine == zone.LastLine && zone.FirstColumn == zone.LastColumn)
          return ZoneFault::SamePoints;
        return ZoneFault::None;
      }
      if (zone.FirstLine >= zone.LastLine) return ZoneFault::LineOrder;
      if (zone.FirstColumn >= zone.LastColumn) return ZoneFault::ColumnOrder;
      return ZoneFault::None;
    default:
      return ZoneFault::None;
  }
}

std::int64_t CountSequenceValues(const SequenceZone& zone, const SequenceFrame& frame,
                                 const BytePlane& zones) {
  if (CheckZone(zone, frame) != ZoneFault::None) return 0;
  const std::int64_t inner = frame.Lines - frame.Border - 1;
  const std::int64_t innerColumns = frame.Columns - frame.Border - 1;
  switch (zone.StudiedItem) {
    case kWholeScene:
      return Span(frame.SceneBorder, frame.Lines - frame.SceneBorder - 1) *
             Span(frame.SceneBorder, frame.Columns - frame.SceneBorder - 1);
    case kHorizontalLine:
      return Span(zone.FirstColumn + 1, zone.LastColumn - 2);
    case kVerticalLine:
      return Span(zone.FirstLine + 1, zone.LastLine - 2);
    case kRectangularZone:
      return Span(zone.FirstLine + 1, zone.LastLine - 2) * Span(zone.FirstColumn + 1, zone.LastColumn - 2);
    case kDiagonalLine:
      return std::max(std::abs(static_cast<std::int64_t>(zone.LastLine) - zone.FirstLine),
                      std::abs(static_cast<std::int64_t>(zone.LastColumn) - zone.FirstColumn));
    case kLabeledZones: {
      if (zones.Lines() < frame.Lines || zones.Columns() < frame.Columns) return 0;
      std::int64_t count = 0;
      for (std::int64_t i = frame.Border; i <= inner; ++i) {
        const std::uint8_t* row = zones[static_cast<int>(i)];
        for (std::int64_t j = frame.Border; j <= innerColumns; ++j) count += row[j] == zone.ZoneCode;
      }
      return count;
    }
    default:
      return 0;
  }
}

void ExtractSequence(const BytePlane& source, const BytePlane& zones, const SequenceZone& zone,
                     const SequenceFrame& frame, std::vector<int>& values) {
  const std::int64_t count = source.Lines() < frame.Lines || source.Columns() < frame.Columns
                                 ? 0
                                 : CountSequenceValues(zone, frame, zones);
  values.resize(static_cast<std::size_t>(std::max<std::int64_t>(count, 0)));
  if (count <= 0) return;
  int* out = values.data();
  // Blocks of whole rows, each written at its own place in the sequence.
  auto copyRows = [&](int firstLine, int lastLine, int firstColumn, int lastColumn) {
    const int width = lastColumn - firstColumn + 1;
    parallel::For(lastLine - firstLine + 1, parallel::RowGrain(width), [&](std::int64_t a, std::int64_t b) {
      for (std::int64_t k = a; k < b; ++k) {
        const std::uint8_t* row = source[firstLine + static_cast<int>(k)] + firstColumn;
        std::copy(row, row + width, out + k * width);
      }
    });
  };
  switch (zone.StudiedItem) {
    case kWholeScene:
      copyRows(frame.SceneBorder, frame.Lines - frame.SceneBorder - 1, frame.SceneBorder,
               frame.Columns - frame.SceneBorder - 1);
      break;
    case kHorizontalLine:
      copyRows(zone.SelectedLine, zone.SelectedLine, zone.FirstColumn + 1, zone.LastColumn - 2);
      break;
    case kVerticalLine:
      for (int i = zone.FirstLine + 1; i <= zone.LastLine - 2; ++i) *out++ = source[i][zone.SelectedColumn];
      break;
    case kRectangularZone:
      copyRows(zone.FirstLine + 1, zone.LastLine - 2, zone.FirstColumn + 1, zone.LastColumn - 2);
      break;
    case kDiagonalLine:
      WalkDiagonal(zone.FirstLine, zone.FirstColumn, zone.LastLine, zone.LastColumn,
                   [&](int line, int column) { *out++ = source[line][column]; });
      break;
    case kLabeledZones:
      for (int i = frame.Border; i <= frame.Lines - frame.Border - 1; ++i) {
        const std::uint8_t* codes = zones[i];
        const std::uint8_t* row = source[i];
        for (int j = frame.Border; j <= frame.Columns - frame.Border - 1; ++j)
          if (codes[j] == zone.ZoneCode) *out++ = row[j];
      }
      break;
    default:
      break;
  }
}

std::vector<DiagonalStep> DiagonalPixels(int firstLine, int firstColumn, int lastLine, int lastColumn) {
  std::vector<DiagonalStep> pixels;
  WalkDiagonal(firstLine, firstColumn, lastLine, lastColumn, [&](int line, int column) {
    pixels.push_back({line, column});
  });
  return pixels;
}
