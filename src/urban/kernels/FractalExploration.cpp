#include "urban/kernels/FractalExploration.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "imaging/Parallel.h"
#include "urban/kernels/ScratchPool.h"

namespace {

constexpr int kSmallHalf = 6;
constexpr int kLargeHalf = 12;
constexpr int kMaxSizes = 5;
constexpr int kSmallSizes[kMaxSizes] = {1, 2, 3, 4, 0};
constexpr int kLargeSizes[kMaxSizes] = {1, 2, 3, 4, 6};
constexpr int kPad =
    6;  // the largest box size: the summed tables start with that many zero lines and columns
constexpr double kPercent = 100.0;
constexpr double kRound = 0.5;
constexpr double kQuarter = 0.25;
constexpr int kUpperScaleFloor = 100;
constexpr int kMaxByte = 255;

// The box sizes of a window, their logarithms (the x values of the fit) and the sums of the fit that
// do not depend on the counts, added in point order as the least-squares slope adds them.
struct Fit {
  int half = 0;
  int count = 0;
  int sizes[kMaxSizes] = {};
  double x[kMaxSizes] = {};
  double sx = 0, sxx = 0, denominator = 0;
  std::vector<double> logCount;  // ln(n + 1) for every count n a window can give
};

Fit MakeFit(int half) {
  Fit fit;
  fit.half = half;
  const int* sizes = half == kSmallHalf ? kSmallSizes : kLargeSizes;
  fit.count = half == kSmallHalf ? 4 : 5;
  for (int k = 0; k < fit.count; ++k) {
    fit.sizes[k] = sizes[k];
    fit.x[k] = std::log(static_cast<double>(sizes[k]));
    fit.sx += fit.x[k];
    fit.sxx += fit.x[k] * fit.x[k];
  }
  fit.denominator = fit.count * fit.sxx - fit.sx * fit.sx;
  const int side = 2 * half;
  fit.logCount.resize(static_cast<std::size_t>(side) * side + 1);
  for (std::size_t n = 0; n < fit.logCount.size(); ++n)
    fit.logCount[n] = std::log(static_cast<double>(n) + 1);
  return fit;
}

// Minus the least-squares slope of (x_k, ln(N_k + 1)), with the operations of the shared slope in the
// same order, so that the value is the same to the last bit.
inline double Dimension(const Fit& fit, const std::uint16_t* counts) {
  double sxy = 0, sy = 0;
  for (int k = 0; k < fit.count; ++k) {
    const double y = fit.logCount[counts[k]];
    sxy += fit.x[k] * y;
    sy += y;
  }
  return -((fit.count * sxy - fit.sx * sy) / fit.denominator);
}

// Work memory of one band of lines, reused from band to band.
struct BandWork {
  std::vector<std::uint8_t> present;  // the value at each pixel of the band's lines (0 / 1)
  std::vector<std::uint8_t> across;   // a box's width: the value somewhere in columns x .. x + s - 1
  std::vector<std::uint8_t> box;      // the value somewhere in the s x s box whose top-left is (y, x)
  // Per box size, a summed table over the boxes whose top-left corners lie s apart: entry (y, x) counts
  // the occupied boxes at (y - a s, x - b s), a, b >= 0. Counts are kept modulo 2^16: a window's
  // difference of four entries is below 2^16 and so comes out exact.
  std::vector<std::uint16_t> sums[kMaxSizes];
  std::vector<double> upper, lower;  // window dimensions of two consecutive window lines
};

int Stride(int columns) {
  return columns + kPad;
}

// Occupied boxes of size s for box tops 0 .. rows - s of the band and lefts 0 .. columns - s.
void OccupiedBoxes(BandWork& w, int rows, int columns, int s) {
  const int width = columns - s + 1;
  for (int r = 0; r < rows; ++r) {
    const std::uint8_t* in = w.present.data() + static_cast<std::size_t>(r) * columns;
    std::uint8_t* out = w.across.data() + static_cast<std::size_t>(r) * columns;
    std::copy(in, in + width, out);
    for (int d = 1; d < s; ++d)
      for (int x = 0; x < width; ++x) out[x] |= in[x + d];
  }
  for (int y = 0; y + s <= rows; ++y) {
    std::uint8_t* out = w.box.data() + static_cast<std::size_t>(y) * columns;
    const std::uint8_t* in = w.across.data() + static_cast<std::size_t>(y) * columns;
    std::copy(in, in + width, out);
    for (int d = 1; d < s; ++d) {
      const std::uint8_t* below = in + static_cast<std::size_t>(d) * columns;
      for (int x = 0; x < width; ++x) out[x] |= below[x];
    }
  }
}

// The strided summed table of the occupied boxes of size s (sums[k]), with kPad zero lines and columns
// before the first box.
void StridedSums(BandWork& w, int k, int rows, int columns, int s) {
  const int stride = Stride(columns);
  const int width = columns - s + 1;
  std::vector<std::uint16_t>& sums = w.sums[k];
  std::fill(sums.begin(), sums.begin() + static_cast<std::ptrdiff_t>(kPad) * stride, 0);
  for (int y = 0; y + s <= rows; ++y) {
    std::uint16_t* row = sums.data() + static_cast<std::size_t>(y + kPad) * stride;
    const std::uint16_t* above = row - static_cast<std::ptrdiff_t>(s) * stride;
    const std::uint8_t* box = w.box.data() + static_cast<std::size_t>(y) * columns;
    std::fill(row, row + kPad, 0);
    std::uint16_t* cells = row + kPad;
    for (int x = 0; x < width; ++x) cells[x] = static_cast<std::uint16_t>(box[x] + cells[x - s]);
    for (int x = 0; x < width; ++x) cells[x] = static_cast<std::uint16_t>(cells[x] + above[kPad + x]);
  }
}

// Window dimensions of window line t (band-relative) for window lefts 0 .. lefts - 1.
void WindowLine(const Fit& fit, const BandWork& w, int t, int columns, int lefts, double* out) {
  const int stride = Stride(columns);
  const int side = 2 * fit.half;
  const std::uint16_t* bottomRow[kMaxSizes];
  const std::uint16_t* topRow[kMaxSizes];
  int reach[kMaxSizes];
  for (int k = 0; k < fit.count; ++k) {
    const int s = fit.sizes[k];
    reach[k] = side - s;  // from the first box of a line of boxes to its last
    bottomRow[k] = w.sums[k].data() + static_cast<std::size_t>(t + reach[k] + kPad) * stride + kPad;
    topRow[k] = w.sums[k].data() + static_cast<std::size_t>(t - s + kPad) * stride + kPad;
  }
  std::uint16_t counts[kMaxSizes];
  for (int l = 0; l < lefts; ++l) {
    for (int k = 0; k < fit.count; ++k) {
      const int s = fit.sizes[k];
      const int right = l + reach[k];
      counts[k] = static_cast<std::uint16_t>(bottomRow[k][right] - topRow[k][right] - bottomRow[k][l - s] +
                                             topRow[k][l - s]);
    }
    out[l] = Dimension(fit, counts);
  }
}

struct Job {
  const BytePlane* binary;
  std::uint8_t value;
  bool upperScale;
  const Fit* fit;
  BytePlane* result;
};

// Map lines h + first .. h + last - 1: the windows whose top lines are first .. last.
void ExploreBand(const Job& job, BandWork& w, int first, int last) {
  const BytePlane& binary = *job.binary;
  const Fit& fit = *job.fit;
  const int h = fit.half;
  const int columns = binary.Columns();
  const int rows = last - first + 2 * h;
  const int lefts = columns - 2 * h + 1;
  const std::size_t cells = static_cast<std::size_t>(rows) * columns;
  w.present.resize(cells);
  w.across.resize(cells);
  w.box.resize(cells);
  for (int r = 0; r < rows; ++r) {
    const std::uint8_t* in = binary[first + r];
    std::uint8_t* out = w.present.data() + static_cast<std::size_t>(r) * columns;
    for (int x = 0; x < columns; ++x) out[x] = in[x] == job.value;
  }
  for (int k = 0; k < fit.count; ++k) {
    w.sums[k].resize(static_cast<std::size_t>(rows + kPad) * Stride(columns));
    OccupiedBoxes(w, rows, columns, fit.sizes[k]);
    StridedSums(w, k, rows, columns, fit.sizes[k]);
  }
  w.upper.resize(static_cast<std::size_t>(lefts));
  w.lower.resize(static_cast<std::size_t>(lefts));
  WindowLine(fit, w, 0, columns, lefts, w.upper.data());
  for (int t = 1; t <= last - first; ++t) {
    WindowLine(fit, w, t, columns, lefts, w.lower.data());
    std::uint8_t* out = (*job.result)[first + t - 1 + h] + h;
    const double* d12 = w.upper.data();
    const double* d34 = w.lower.data();
    for (int l = 0; l + 1 < lefts; ++l) {
      const double mean = (d12[l] + d12[l + 1] + d34[l] + d34[l + 1]) * kQuarter;
      const int g = std::clamp(static_cast<int>(kPercent * mean + kRound), 0, kMaxByte);
      if (!job.upperScale || g >= kUpperScaleFloor) out[l] = static_cast<std::uint8_t>(g);
    }
    std::swap(w.upper, w.lower);
  }
}

}  // namespace

int ExplorationHalfWindow(int windowSide) {
  if (windowSide == kExplorationSmallSide) return kSmallHalf;
  if (windowSide == kExplorationLargeSide) return kLargeHalf;
  return 0;
}

BytePlane RunFractalExploration(const BytePlane& binary, const ExplorationParams& params,
                                const std::function<void(double)>& progress) {
  BytePlane result(binary.Columns(), binary.Lines());
  const int h = ExplorationHalfWindow(params.WindowSide);
  const int mapLines = binary.Lines() - 2 * h;
  const int mapColumns = binary.Columns() - 2 * h;
  // A value no pixel can hold counts no box anywhere: every dimension is 0, and so is the map.
  if (h == 0 || mapLines <= 0 || mapColumns <= 0 || params.Value < 0 || params.Value > kMaxByte)
    return result;

  const Fit fit = MakeFit(h);
  const Job job{&binary, static_cast<std::uint8_t>(params.Value), params.ScaleType == kExplorationUpperScale,
                &fit, &result};
  ScratchPool<BandWork> work;
  const std::int64_t grain = parallel::RowGrain(binary.Columns());
  // Groups of bands, so that the progress is told between them from this thread.
  const std::int64_t group = grain * std::max(1, parallel::Threads()) * 2;
  for (std::int64_t top = 0; top < mapLines; top += group) {
    const std::int64_t count = std::min<std::int64_t>(group, mapLines - top);
    parallel::For(count, grain, [&](std::int64_t first, std::int64_t last) {
      auto lease = work.Take();
      ExploreBand(job, *lease, static_cast<int>(top + first), static_cast<int>(top + last));
    });
    if (progress) progress(static_cast<double>(top + count) / mapLines);
  }
  return result;
}
