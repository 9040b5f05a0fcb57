#include "graytone/kernels/PinsStretch.h"

#include <algorithm>
#include <array>
#include <climits>
#include <vector>

#include "imaging/Allocators.h"
#include "imaging/Parallel.h"

namespace {

using Sum = std::uint16_t;
using SumTable = std::array<std::uint8_t, kPinsHistogramCells>;

// The sum at one pixel with every neighbour outside the image replaced by the centre: the rule of
// the frame, where the fast loop below cannot reach.
int SumAt(const BytePlane& w, int i, int j, bool eight) {
  const int centre = w[i][j];
  int sum = centre;
  auto add = [&](int di, int dj) {
    const int y = i + di, x = j + dj;
    sum += w.Contains(y, x) ? w[y][x] : centre;
  };
  add(-1, 0);
  add(0, 1);
  add(1, 0);
  add(0, -1);
  if (eight) {
    add(-1, -1);
    add(-1, 1);
    add(1, 1);
    add(1, -1);
  }
  return sum;
}

// The sums of line i into out[0 .. columns - 1].
void RowSums(const BytePlane& w, int i, bool eight, Sum* out) {
  const int lines = w.Lines(), columns = w.Columns();
  if (i == 0 || i == lines - 1 || columns < 3) {
    for (int j = 0; j < columns; ++j) out[j] = static_cast<Sum>(SumAt(w, i, j, eight));
    return;
  }
  const std::uint8_t* up = w[i - 1];
  const std::uint8_t* centre = w[i];
  const std::uint8_t* down = w[i + 1];
  out[0] = static_cast<Sum>(SumAt(w, i, 0, eight));
  out[columns - 1] = static_cast<Sum>(SumAt(w, i, columns - 1, eight));
  if (eight) {
    for (int j = 1; j < columns - 1; ++j)
      out[j] = static_cast<Sum>(up[j - 1] + up[j] + up[j + 1] + centre[j - 1] + centre[j] + centre[j + 1] +
                                down[j - 1] + down[j] + down[j + 1]);
  } else {
    for (int j = 1; j < columns - 1; ++j)
      out[j] = static_cast<Sum>(up[j] + centre[j - 1] + centre[j] + centre[j + 1] + down[j]);
  }
}

double ClampPercentage(double percentage) {
  return percentage >= 0 ? std::min(percentage, 100.0) : 0.0;  // NaN gives 0 too
}

// The sums bounded by the smallest and largest, and the histogram of the inner pixels' sums.
struct SumStatistics {
  int min = INT_MAX;
  int max = 0;
  std::vector<std::int64_t> histogram;
};

SumStatistics Statistics(const BytePlane& w, bool eight, bool withHistogram) {
  const int lines = w.Lines(), columns = w.Columns();
  const std::int64_t grain = parallel::RowGrain(columns);
  const std::int64_t chunks = parallel::ChunkCount(lines, grain);
  std::vector<Sum> sums(static_cast<std::size_t>(chunks) * columns);
  std::vector<int> mins(chunks, INT_MAX), maxs(chunks, 0);
  std::vector<std::int64_t> histograms(withHistogram ? chunks * kPinsHistogramCells : 0);
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    const std::int64_t chunk = parallel::ChunkIndex(first, grain);
    Sum* row = sums.data() + chunk * columns;
    std::int64_t* histogram = withHistogram ? histograms.data() + chunk * kPinsHistogramCells : nullptr;
    int lo = INT_MAX, hi = 0;
    for (int i = static_cast<int>(first); i < last; ++i) {
      RowSums(w, i, eight, row);
      for (int j = 0; j < columns; ++j) {
        lo = std::min<int>(lo, row[j]);
        hi = std::max<int>(hi, row[j]);
      }
      if (histogram && i >= 1 && i <= lines - 2)
        for (int j = 1; j <= columns - 2; ++j) ++histogram[row[j]];
    }
    mins[chunk] = lo;
    maxs[chunk] = hi;
  });
  SumStatistics statistics;
  statistics.min = *std::min_element(mins.begin(), mins.end());
  statistics.max = *std::max_element(maxs.begin(), maxs.end());
  if (withHistogram) {
    statistics.histogram.assign(kPinsHistogramCells, 0);
    for (std::int64_t chunk = 0; chunk < chunks; ++chunk)
      for (int s = 0; s < kPinsHistogramCells; ++s)
        statistics.histogram[s] += histograms[chunk * kPinsHistogramCells + s];
  }
  return statistics;
}

// Walks the histogram from the smallest sum up: the cut stands just below the first sum at which
// more than n pixels are counted. False when the whole histogram holds n pixels or fewer.
bool LowCut(const SumStatistics& statistics, std::int64_t n, int& cut) {
  std::int64_t total = 0;
  for (int s = statistics.min; s <= statistics.max; ++s) {
    total += statistics.histogram[s];
    if (total > n) {
      cut = s - 1;
      return true;
    }
  }
  return false;
}

// The same from the largest sum down; the cut stands just above.
bool HighCut(const SumStatistics& statistics, std::int64_t n, int& cut) {
  std::int64_t total = 0;
  for (int s = statistics.max; s >= statistics.min; --s) {
    total += statistics.histogram[s];
    if (total > n) {
      cut = s + 1;
      return true;
    }
  }
  return false;
}

// The saturation count n of a percentage, in this order of operations.
std::int64_t SaturatedPixels(int lines, int columns, double percentage) {
  return static_cast<std::int64_t>(0.01 * lines * columns * ClampPercentage(percentage));
}

}  // namespace

PinsOutcome PinsStretch(const BytePlane& source, const PinsParams& params, BytePlane& out) {
  PinsOutcome outcome;
  const int lines = source.Lines(), columns = source.Columns();
  if (source.Empty()) return outcome;
  const bool eight = params.Vicinity == 8;
  const bool saturate = params.Saturation != 0;

  const SumStatistics statistics = Statistics(source, eight, saturate);
  outcome.MinSum = statistics.min;
  outcome.MaxSum = statistics.max;

  // Every sum lies in [min, max]: the rescaling is a table over that range.
  SumTable table{};
  if (!saturate) {
    const int spread = statistics.max - statistics.min;
    for (int s = statistics.min; s <= statistics.max; ++s)
      table[s] =
          spread == 0 ? 0 : static_cast<std::uint8_t>(static_cast<double>(s - statistics.min) / spread * 255);
  } else {
    if (!LowCut(statistics, SaturatedPixels(lines, columns, params.LowPercentage), outcome.LowCut)) {
      outcome.Status = PinsStatus::NoLowCut;
      return outcome;
    }
    if (!HighCut(statistics, SaturatedPixels(lines, columns, params.HighPercentage), outcome.HighCut)) {
      outcome.Status = PinsStatus::NoHighCut;
      return outcome;
    }
    if (outcome.LowCut >= outcome.HighCut) {
      outcome.Status = PinsStatus::CutsCrossed;
      return outcome;
    }
    const int low = outcome.LowCut, high = outcome.HighCut;
    const int range = high - low + 1;
    for (int s = statistics.min; s <= statistics.max; ++s)
      table[s] = s < low    ? 0
                 : s > high ? 255
                            : static_cast<std::uint8_t>(static_cast<double>(s - low) / range * 253 + 1);
  }

  if (out.Lines() != lines || out.Columns() != columns) {
    out = AllocByteMatrix(columns, lines);
    if (out.Empty()) {
      outcome.Status = PinsStatus::NoMemory;
      return outcome;
    }
  }
  const std::int64_t grain = parallel::RowGrain(columns);
  std::vector<Sum> sums(static_cast<std::size_t>(parallel::ChunkCount(lines, grain)) * columns);
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    Sum* row = sums.data() + parallel::ChunkIndex(first, grain) * columns;
    const int n = columns;  // a local bound: the byte stores below could alias a captured one
    for (int i = static_cast<int>(first); i < last; ++i) {
      RowSums(source, i, eight, row);
      std::uint8_t* target = out[i];
      for (int j = 0; j < n; ++j) target[j] = table[row[j]];
    }
  });
  return outcome;
}
