#include "binary/kernels/LinealCount.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "binary/kernels/ValueBits.h"
#include "imaging/LeastSquares.h"
#include "imaging/Parallel.h"

namespace {

constexpr int kBlock = 12;  // every segment size divides it, so blocks of 12 hold whole segments
constexpr int kBlockPatterns = 1 << kBlock;
constexpr std::int64_t kColumnGrain = 512;

// Occupied segments of each size within one block of 12 cells, by the block's pattern of item cells.
using BlockCounts = std::array<std::uint8_t, kSegmentSizeCount>;

constexpr std::array<BlockCounts, kBlockPatterns> MakeBlockTable() {
  std::array<BlockCounts, kBlockPatterns> table{};
  for (int pattern = 0; pattern < kBlockPatterns; ++pattern) {
    for (int k = 0; k < kSegmentSizeCount; ++k) {
      const int size = kSegmentSizes[k];
      int occupied = 0;
      for (int start = 0; start < kBlock; start += size) {
        const int segment = ((1 << size) - 1) << start;
        occupied += (pattern & segment) != 0;
      }
      table[pattern][k] = static_cast<std::uint8_t>(occupied);
    }
  }
  return table;
}

constexpr std::array<BlockCounts, kBlockPatterns> kBlockTable = MakeBlockTable();

using TraceCounts = std::array<std::int64_t, kSegmentSizeCount>;

void AddBlock(TraceCounts& counts, std::uint32_t pattern) {
  const BlockCounts& block = kBlockTable[pattern];
  for (int k = 0; k < kSegmentSizeCount; ++k) counts[k] += block[k];
}

// One line as a trace.
TraceCounts CountLine(const std::uint8_t* row, int columns, std::uint8_t code) {
  TraceCounts counts{};
  int j = 0;
  for (; j + kBlock <= columns; j += kBlock) AddBlock(counts, value_bits::EqualBits12(row + j, code));
  std::uint32_t tail = 0;
  for (int k = 0; j + k < columns; ++k) tail |= static_cast<std::uint32_t>(row[j + k] == code) << k;
  if (tail != 0) AddBlock(counts, tail);
  return counts;
}

// Columns first .. last - 1 as traces, twelve lines at a time.
void CountColumns(const BytePlane& binary, std::uint8_t code, int first, int last, TraceCounts* counts) {
  const int lines = binary.Lines();
  std::vector<std::uint16_t> patterns(static_cast<std::size_t>(last - first));
  for (int top = 0; top < lines; top += kBlock) {
    std::fill(patterns.begin(), patterns.end(), 0);
    const int rows = std::min(kBlock, lines - top);
    for (int k = 0; k < rows; ++k) {
      const std::uint8_t* row = binary[top + k] + first;
      for (int j = 0; j < last - first; ++j)
        patterns[j] = static_cast<std::uint16_t>(patterns[j] | ((row[j] == code) << k));
    }
    for (int j = 0; j < last - first; ++j)
      if (patterns[j] != 0) AddBlock(counts[j], patterns[j]);
  }
}

double NaN() {
  return std::numeric_limits<double>::quiet_NaN();
}

std::array<double, kSegmentSizeCount> LogSizes() {
  std::array<double, kSegmentSizeCount> logs{};
  for (int k = 0; k < kSegmentSizeCount; ++k) logs[k] = std::log(static_cast<double>(kSegmentSizes[k]));
  return logs;
}

}  // namespace

int PaddedTraceLength(int length) {
  return length + kBlock - length % kBlock;
}

int GlobalFitPoints(LinealOrientation orientation) {
  return orientation == LinealOrientation::Lines ? kSegmentSizeCount : kTraceFitPoints;
}

LinealResult LinealCounting(const BytePlane& binary, int code, LinealOrientation orientation) {
  LinealResult result;
  result.LogSize = LogSizes();
  const bool lines = orientation == LinealOrientation::Lines;
  const int traces = lines ? binary.Lines() : binary.Columns();
  const int length = lines ? binary.Columns() : binary.Lines();
  std::vector<TraceCounts> counts(static_cast<std::size_t>(std::max(traces, 0)));
  // A code no byte can hold: no pixel bears it.
  if (!binary.Empty() && code >= 0 && code <= 255) {
    const auto value = static_cast<std::uint8_t>(code);
    if (lines) {
      parallel::For(traces, parallel::RowGrain(length), [&](std::int64_t first, std::int64_t last) {
        for (int i = static_cast<int>(first); i < last; ++i) counts[i] = CountLine(binary[i], length, value);
      });
    } else {
      parallel::For(traces, kColumnGrain, [&](std::int64_t first, std::int64_t last) {
        CountColumns(binary, value, static_cast<int>(first), static_cast<int>(last), counts.data() + first);
      });
    }
  }

  // Per-trace slopes, summed in trace order.
  for (const TraceCounts& trace : counts) {
    if (trace[0] == 0) continue;
    double y[kTraceFitPoints];
    for (int k = 0; k < kTraceFitPoints; ++k) y[k] = std::log(static_cast<double>(trace[k]));
    result.SlopeSum += -LeastSquaresSlope(result.LogSize.data(), y, kTraceFitPoints);
    result.TraceCount += 1;
    for (int k = 0; k < kSegmentSizeCount; ++k) result.Totals[k] += trace[k];
  }
  if (result.TraceCount == 0) {
    result.MeanSlope = result.MeanDimension = result.GlobalSlope = result.GlobalDimension = NaN();
    result.LogCount.fill(NaN());
    return result;
  }
  const double mean = result.SlopeSum / result.TraceCount;
  result.MeanSlope = -mean;
  result.MeanDimension = 1 + mean;
  for (int k = 0; k < kSegmentSizeCount; ++k)
    result.LogCount[k] = std::log(static_cast<double>(result.Totals[k]));
  result.GlobalSlope =
      LeastSquaresSlope(result.LogSize.data(), result.LogCount.data(), GlobalFitPoints(orientation));
  result.GlobalDimension = 1 - result.GlobalSlope;
  return result;
}
