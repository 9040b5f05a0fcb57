#include "graytone/kernels/FractalThreshold.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "imaging/Parallel.h"

namespace {

constexpr int kGrays = 256;
constexpr int kMaxBands = kGrays / kLowestStep;
static_assert(kMaxBands <= 2 * 64, "two 64-bit words hold the bands a cell touches");

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

// The lines are padded to a multiple of 12 with a gray that never counts (255 below a threshold, 0
// from it up, no band), so that every cell size divides the padded line and the cells of 2, 4 and 12
// pixels (3 and 6) are made of the cells of the size below.
constexpr int kPadding = 12;

class LineCounter {
 public:
  LineCounter(int columns, int mode, int step, int bands)
      : columns_(columns), padded_((columns + kPadding - 1) / kPadding * kPadding), mode_(mode) {
    grays_.resize(padded_);
    if (mode == kInBand) {
      for (int v = 0; v < kGrays; ++v) {
        const int band = v / step;
        bandOf_[v] = band < bands ? band : -1;
        if (band < bands) masks_[v][band / 64] = std::uint64_t{1} << (band % 64);
      }
      bandMasks_.resize(padded_);
    }
  }

  void Count(const std::uint8_t* row, CellTables& t) {
    if (mode_ == kInBand)
      CountBands(row, t);
    else
      CountExtremes(row, t);
  }

 private:
  using Mask = std::array<std::uint64_t, 2>;

  // Cells by their darkest (below a threshold) or brightest (from a threshold up) pixel.
  void CountExtremes(const std::uint8_t* row, CellTables& t) {
    const bool below = mode_ == kBelowThreshold;
    const std::uint8_t neutral = below ? 255 : 0;
    const auto pick = [below](std::uint8_t a, std::uint8_t b) {
      return below ? std::min(a, b) : std::max(a, b);
    };
    std::copy(row, row + columns_, grays_.begin());
    std::fill(grays_.begin() + columns_, grays_.end(), neutral);
    for (std::uint8_t g : grays_) ++t.cells[0][g];
    Reduce(grays_, half_, 2, pick, t.cells[1]);       // 2
    Reduce(half_, quarter_, 2, pick, t.cells[3]);     // 4
    Reduce(quarter_, twelfth_, 3, pick, t.cells[5]);  // 12
    Reduce(grays_, third_, 3, pick, t.cells[2]);      // 3
    Reduce(third_, sixth_, 2, pick, t.cells[4]);      // 6
  }

  template <class Pick>
  static void Reduce(const std::vector<std::uint8_t>& from, std::vector<std::uint8_t>& to, int factor,
                     Pick pick, std::array<std::int64_t, kGrays>& cells) {
    to.resize(from.size() / factor);
    for (std::size_t c = 0; c < to.size(); ++c) {
      std::uint8_t v = from[c * factor];
      for (int q = 1; q < factor; ++q) v = pick(v, from[c * factor + q]);
      to[c] = v;
      ++cells[v];
    }
  }

  // Cells by every band they touch.
  void CountBands(const std::uint8_t* row, CellTables& t) {
    for (int j = 0; j < columns_; ++j) {
      bandMasks_[j] = masks_[row[j]];
      if (bandOf_[row[j]] >= 0) ++t.cells[0][bandOf_[row[j]]];
    }
    std::fill(bandMasks_.begin() + columns_, bandMasks_.end(), Mask{});
    Reduce(bandMasks_, bandHalf_, 2, t.cells[1]);
    Reduce(bandHalf_, bandQuarter_, 2, t.cells[3]);
    Reduce(bandQuarter_, bandTwelfth_, 3, t.cells[5]);
    Reduce(bandMasks_, bandThird_, 3, t.cells[2]);
    Reduce(bandThird_, bandSixth_, 2, t.cells[4]);
  }

  static void Reduce(const std::vector<Mask>& from, std::vector<Mask>& to, int factor,
                     std::array<std::int64_t, kGrays>& cells) {
    to.resize(from.size() / factor);
    for (std::size_t c = 0; c < to.size(); ++c) {
      Mask m = from[c * factor];
      for (int q = 1; q < factor; ++q) {
        m[0] |= from[c * factor + q][0];
        m[1] |= from[c * factor + q][1];
      }
      to[c] = m;
      for (int word = 0; word < 2; ++word)
        for (std::uint64_t bits = m[word]; bits != 0; bits &= bits - 1)
          ++cells[word * 64 + std::countr_zero(bits)];
    }
  }

  const int columns_, padded_, mode_;
  std::vector<std::uint8_t> grays_, half_, quarter_, twelfth_, third_, sixth_;
  int bandOf_[kGrays] = {};
  Mask masks_[kGrays] = {};
  std::vector<Mask> bandMasks_, bandHalf_, bandQuarter_, bandTwelfth_, bandThird_, bandSixth_;
};

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
  if (step < kLowestStep || step > kHighestStep || mode < kBelowThreshold || mode > kFromThreshold)
    return points;
  const int lines = source.Lines(), columns = source.Columns();
  const int thresholds = (kGrays - 1) / step;
  const std::int64_t grain = parallel::RowGrain(static_cast<std::int64_t>(columns) * kCellSizeCount);
  std::vector<CellTables> partial(parallel::ChunkCount(lines, grain));
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    CellTables& t = partial[parallel::ChunkIndex(first, grain)];
    LineCounter counter(columns, mode, step, thresholds);
    for (auto i = static_cast<int>(first); i < last; ++i) counter.Count(source[i], t);
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
