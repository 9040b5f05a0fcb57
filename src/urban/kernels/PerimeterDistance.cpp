#include "urban/kernels/PerimeterDistance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "imaging/Parallel.h"
#include "urban/kernels/Outline.h"

namespace {

constexpr std::uint8_t kStudied = kOutlinePixel;
constexpr std::uint8_t kOther = kOutlineBackground;
constexpr double kRoundingHalf = 0.5;
constexpr double kPercent = 100.0;

struct Offset {
  int line, column;
};
constexpr Offset kFour[] = {{-1, 0}, {0, 1}, {1, 0}, {0, -1}};
constexpr Offset kEight[] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}};
// The walk's directions, clockwise on the screen from east.
constexpr Offset kClockwise[8] = {{0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}};
constexpr int kWest = 4;

// 1 where the image holds the value, 255 elsewhere.
BytePlane StudiedPixels(const BytePlane& binary, int value) {
  BytePlane mask(binary.Columns(), binary.Lines());
  for (std::size_t k = 0; k < mask.Size(); ++k)
    mask.Data()[k] = binary.Data()[k] == value ? kStudied : kOther;
  return mask;
}

// Marks 1 in `out` where `src`, shifted by `shift` columns, holds a studied pixel; only the columns
// whose source lies in [first, last).
void OrShifted(const std::uint8_t* __restrict src, int shift, int first, int last,
               std::uint8_t* __restrict out, int columns) {
  const int from = std::max(0, first - shift), to = std::min(columns, last - shift);
  for (int j = from; j < to; ++j) out[j] |= static_cast<std::uint8_t>(src[j + shift] == kStudied);
}

// One dilation: every background pixel that is a neighbour (of the offsets) of a studied pixel lying
// on lines and columns margin .. size - 1 - margin becomes studied.
template <std::size_t N>
BytePlane Dilated(const BytePlane& mask, const Offset (&offsets)[N], int margin) {
  const int lines = mask.Lines(), columns = mask.Columns();
  BytePlane out(columns, lines);
  parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (int i = static_cast<int>(first); i < last; ++i) {
      std::uint8_t* o = out[i];
      const std::uint8_t* self = mask[i];
      for (int j = 0; j < columns; ++j) o[j] = self[j] == kStudied;
      for (const Offset& d : offsets) {
        const int l = i + d.line;
        if (l >= margin && l < lines - margin)
          OrShifted(mask[l], d.column, margin, columns - margin, o, columns);
      }
      for (int j = 0; j < columns; ++j) o[j] = static_cast<std::uint8_t>(kOther - (kOther - kStudied) * o[j]);
    }
  });
  return out;
}

// The studied pixels of lines and columns 1 .. size - 2 with a 4-neighbour not studied, and their
// list in row order.
BytePlane OutlineOf(const BytePlane& mask, std::vector<std::array<int, 2>>& pixels) {
  const int lines = mask.Lines(), columns = mask.Columns();
  BytePlane outline(columns, lines);
  const std::int64_t grain = parallel::RowGrain(columns);
  std::vector<std::vector<std::array<int, 2>>> found(
      static_cast<std::size_t>(parallel::ChunkCount(lines, grain)));
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    auto& part = found[static_cast<std::size_t>(parallel::ChunkIndex(first, grain))];
    for (int i = static_cast<int>(first); i < last; ++i) {
      std::uint8_t* out = outline[i];
      std::memset(out, kOther, static_cast<std::size_t>(columns));
      if (i < 1 || i > lines - 2) continue;
      OutlineRow(mask[i - 1], mask[i], mask[i + 1], kOther, out, columns);
      out[0] = out[columns - 1] = kOther;
      ListOutlinePixels(out, i, columns, part);
    }
  });
  pixels.clear();
  for (const auto& part : found) pixels.insert(pixels.end(), part.begin(), part.end());
  return outline;
}

struct Pixel {
  int line, column;
  bool operator==(const Pixel&) const = default;
};

// The contour-following walk from `start`: the pixels taken, in order, ending with the start; empty
// when the start has no outline neighbour. The taken pixels become 255 in `remaining`.
std::vector<Pixel> Walk(BytePlane& remaining, const BytePlane& outline, Pixel start) {
  const int lines = outline.Lines(), columns = outline.Columns();
  auto isOutline = [&](Pixel p) {
    return p.line >= 0 && p.line < lines && p.column >= 0 && p.column < columns &&
           outline[p.line][p.column] == kStudied;
  };
  std::vector<Pixel> walk;
  Pixel current = start;
  int back = kWest;  // the start is the leftmost of the lowest line: nothing lies west of it
  remaining[start.line][start.column] = kOther;
  // Following a contour comes back to the start before any (pixel, way in) repeats; a guard all the same.
  const std::int64_t longest = 8 * static_cast<std::int64_t>(lines) * columns + 8;
  for (std::int64_t step = 0; step < longest; ++step) {
    int found = -1;
    for (int k = 1; k <= 8 && found < 0; ++k) {
      const int d = (back + k) % 8;
      if (isOutline({current.line + kClockwise[d].line, current.column + kClockwise[d].column})) found = d;
    }
    if (found < 0) return {};
    current = {current.line + kClockwise[found].line, current.column + kClockwise[found].column};
    back = (found + 4) % 8;
    if (current == start) {
      walk.push_back(start);
      return walk;
    }
    if (remaining[current.line][current.column] == kStudied) {
      remaining[current.line][current.column] = kOther;
      walk.push_back(current);
    }
  }
  return {};
}

}  // namespace

PerimeterDistanceResult PerimeterDistance(const BytePlane& binary, const PerimeterDistanceParams& params) {
  PerimeterDistanceResult result;
  const int lines = binary.Lines(), columns = binary.Columns();
  // Fewer than 3 lines or columns leave no pixel off the outer ones: no outline, nothing to copy.
  if (lines < 3 || columns < 3) {
    result.Fault = PerimeterFault::NoOutline;
    return result;
  }
  BytePlane mask = StudiedPixels(binary, params.Value);
  if (params.Dilate) {
    mask = Dilated(mask, kFour, 2);
    mask = Dilated(mask, kEight, 1);
    mask = Dilated(mask, kEight, 1);
  }
  std::vector<std::array<int, 2>> listed;
  BytePlane outline = OutlineOf(mask, listed);
  PruneCorners(outline, listed);

  // The item mask keeps the outline inside and the studied pixels on the outer lines and columns.
  for (int i = 1; i < lines - 1; ++i)
    std::memcpy(mask[i] + 1, outline[i] + 1, static_cast<std::size_t>(columns - 2));
  result.ItemMask = std::move(mask);

  std::int64_t count = 0, lineSum = 0, columnSum = 0;
  Pixel start{-1, -1};
  for (const auto& [i, j] : listed)
    if (outline[i][j] == kStudied) {  // not pruned
      ++count;
      lineSum += i;
      columnSum += j;
      if (i > start.line) start = {i, j};
    }
  result.PerimeterMask = outline.Clone();
  if (count == 0) {
    result.Fault = PerimeterFault::NoOutline;
    return result;
  }
  if (params.GivenCentre && !binary.Contains(params.CentreLine, params.CentreColumn)) {
    result.Fault = PerimeterFault::CentreOutside;
    return result;
  }
  result.CentreLine = params.GivenCentre ? params.CentreLine : static_cast<int>(lineSum / count);
  result.CentreColumn = params.GivenCentre ? params.CentreColumn : static_cast<int>(columnSum / count);
  result.StartLine = start.line;
  result.StartColumn = start.column;

  const std::vector<Pixel> walk = Walk(result.PerimeterMask, outline, start);
  result.WalkLength = static_cast<int>(walk.size());
  if (walk.empty()) {
    result.Fault = PerimeterFault::NoNeighbour;
    return result;
  }
  if (walk.size() <= 2) {
    result.Fault = PerimeterFault::TooShort;
    return result;
  }

  // The start, taken last, is not among the distances.
  const std::size_t n = walk.size() - 1;
  result.Distances.resize(n);
  std::int64_t sum = 0;
  for (std::size_t k = 0; k < n; ++k) {
    const double dl = static_cast<double>(walk[k].line) - result.CentreLine;
    const double dc = static_cast<double>(walk[k].column) - result.CentreColumn;
    const int d = static_cast<int>(std::sqrt(dl * dl + dc * dc) + kRoundingHalf);
    result.Distances[k] = d;
    sum += d;
    result.DistMin = k == 0 ? d : std::min(result.DistMin, d);
    result.DistMax = k == 0 ? d : std::max(result.DistMax, d);
  }
  if (result.DistMin == result.DistMax) {
    result.Fault = PerimeterFault::SameDistances;
    return result;
  }
  result.DistMean = static_cast<double>(sum) / static_cast<double>(n);
  double squares = 0;
  for (int d : result.Distances) squares += (d - result.DistMean) * (d - result.DistMean);
  result.Deviation = std::sqrt(squares / static_cast<double>(n));
  result.Ratio = result.DistMean / std::trunc(result.DistMean + result.Deviation) * kPercent;
  return result;
}
