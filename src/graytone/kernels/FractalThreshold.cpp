#include "graytone/kernels/FractalThreshold.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "imaging/Parallel.h"

namespace {

constexpr int kGrays = 256;
constexpr int kMaxBands = kGrays / kLowestStep;  // 128 bands fit two 64-bit words

// Per cell size, the cells counted by gray: by their darkest pixel (below a threshold), by their
// brightest pixel (from a threshold up) or by each band they touch. A threshold's count is then a
// sum over these tables instead of a pass over the image.
struct CellTables {
  std::array<std::array<std::int64_t, kGrays>, kCellSizeCount> cells{};

  void Add(const CellTables& other) {
    for (int k = 0; k < kCellSizeCount; ++k)
      for (int v = 0; v < kGrays; ++v) cells[k][v] += other.cells[k][v];
  }
};

void CountLine(const std::uint8_t* row, int columns, int mode, int step, int bands, CellTables& t) {
  for (int k = 0; k < kCellSizeCount; ++k) {
    const int size = kCellSizes[k];
    auto& cells = t.cells[k];
    for (int start = 0; start < columns; start += size) {
      const int end = std::min(start + size, columns);
      if (mode == kBelowThreshold) {
        ++cells[*std::min_element(row + start, row + end)];
      } else if (mode == kFromThreshold) {
        ++cells[*std::max_element(row + start, row + end)];
      } else {
        std::uint64_t touched[2] = {0, 0};
        for (int j = start; j < end; ++j) {
          const int band = row[j] / step;
          if (band < bands) touched[band / 64] |= std::uint64_t{1} << (band % 64);
        }
        for (int word = 0; word < 2; ++word)
          for (std::uint64_t bits = touched[word]; bits != 0; bits &= bits - 1)
            ++cells[word * 64 + std::countr_zero(bits)];
      }
    }
  }
}

}  // namespace

double LinealValue(const std::int64_t counts[kCellSizeCount]) {
  for (int k = 0; k < kCellSizeCount; ++k)
    if (counts[k] == 0) return 1.0;
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (int k = 0; k < kCellSizeCount; ++k) {
    const double x = std::log(static_cast<double>(kCellSizes[k]));
    const double y = std::log(static_cast<double>(counts[k]));
    sx += x;
    sy += y;
    sxx += x * x;
    sxy += x * y;
  }
  return 1 - (kCellSizeCount * sxy - sx * sy) / (kCellSizeCount * sxx - sx * sx);
}

std::vector<FractalThPoint> FractalThresholding(const BytePlane& source, int mode, int step) {
  std::vector<FractalThPoint> points;
  if (step < kLowestStep || step > kHighestStep || mode < kBelowThreshold || mode > kFromThreshold) return points;
  const int lines = source.Lines(), columns = source.Columns();
  const int thresholds = (kGrays - 1) / step;
  static_assert(kMaxBands <= 128);

  const std::int64_t grain = parallel::RowGrain(static_cast<std::int64_t>(columns) * kCellSizeCount);
  std::vector<CellTables> partial(parallel::ChunkCount(lines, grain));
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    CellTables& t = partial[parallel::ChunkIndex(first, grain)];
    for (auto i = static_cast<int>(first); i < last; ++i) CountLine(source[i], columns, mode, step, thresholds, t);
  });
  CellTables all;
  for (const CellTables& t : partial) all.Add(t);

  for (int m = 1; m <= thresholds; ++m) {
    const int t = m * step;
    std::int64_t counts[kCellSizeCount] = {};
    for (int k = 0; k < kCellSizeCount; ++k) {
      const auto& cells = all.cells[k];
      if (mode == kBelowThreshold)
        for (int v = 0; v < t; ++v) counts[k] += cells[v];
      else if (mode == kFromThreshold)
        for (int v = t; v < kGrays; ++v) counts[k] += cells[v];
      else
        counts[k] = cells[m - 1];
    }
    points.push_back({t, LinealValue(counts)});
  }
  return points;
}
