// Homogeneity by sliding sums: each band of lines keeps the count of in-threshold pixels of every
// column over the window's lines, moved down one line at a time, and slides the window along a line
// over those column counts.
#include "urban/kernels/Homogeneity.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "imaging/GrayRange.h"
#include "imaging/Parallel.h"

namespace {

constexpr std::uint8_t kUntreated = 255;
constexpr std::int64_t kPercent = 100;

// trunc(100 c / area) for 0 <= c <= area, exactly: read from a table for the usual windows; for the
// largest, a first guess through the reciprocal, then set right by integer comparisons.
struct Percentage {
  static constexpr std::int64_t kTabled = std::int64_t{1} << 16;
  std::int64_t area;
  double inverse;
  std::vector<std::uint8_t> table;
  explicit Percentage(std::int64_t a)
      : area(a), inverse(static_cast<double>(kPercent) / static_cast<double>(a)) {
    if (area >= kTabled) return;
    table.resize(static_cast<std::size_t>(area) + 1);
    for (std::int64_t c = 0; c <= area; ++c)
      table[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(kPercent * c / area);
  }
  int operator()(std::int64_t c) const {
    if (!table.empty()) return table[static_cast<std::size_t>(c)];
    const std::int64_t scaled = kPercent * c;
    auto q = static_cast<std::int64_t>(static_cast<double>(c) * inverse);
    while (q > 0 && q * area > scaled) --q;
    while ((q + 1) * area <= scaled) ++q;
    return static_cast<int>(q);
  }
};

void AddLine(const std::uint8_t* row, int columns, const GrayRange& t, int sign, std::int32_t* counts) {
  for (int j = 0; j < columns; ++j) counts[j] += sign * static_cast<std::int32_t>(t.Contains(row[j]));
}

}  // namespace

bool HomogeneityRangeFits(int range, int lines, int columns) {
  return range >= 0 && 2 * static_cast<std::int64_t>(range) + 1 <= std::min(lines, columns);
}

BytePlane Homogeneization(const BytePlane& plane, const HomogeneityParams& params) {
  const int lines = plane.Lines();
  const int columns = plane.Columns();
  BytePlane result(columns, lines);
  if (result.Empty()) return result;
  if (!HomogeneityRangeFits(params.Range, lines, columns)) {
    result.Fill(kUntreated);
    return result;
  }
  const int r = params.Range;
  const int side = 2 * r + 1;
  const Percentage percentage(static_cast<std::int64_t>(side) * side);
  const GrayRange threshold = MakeGrayRange(params.MinValue, params.MaxValue);
  // Bands at least a window high, so that setting up a band's column counts costs no more than its lines.
  const std::int64_t grain = std::max<std::int64_t>(parallel::RowGrain(columns), side);
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    std::vector<std::int32_t> counts(static_cast<std::size_t>(columns), 0);
    bool counting = false;
    for (auto i = static_cast<int>(first); i < last; ++i) {
      std::uint8_t* out = result[i];
      if (i < r || i > lines - r - 1) {
        std::memset(out, kUntreated, static_cast<std::size_t>(columns));
        continue;
      }
      if (!counting) {
        for (int y = i - r; y <= i + r; ++y) AddLine(plane[y], columns, threshold, 1, counts.data());
        counting = true;
      } else {
        AddLine(plane[i + r], columns, threshold, 1, counts.data());
        AddLine(plane[i - r - 1], columns, threshold, -1, counts.data());
      }
      std::memset(out, kUntreated, static_cast<std::size_t>(r));
      std::memset(out + columns - r, kUntreated, static_cast<std::size_t>(r));
      std::int64_t window = 0;
      for (int j = 0; j < side; ++j) window += counts[static_cast<std::size_t>(j)];
      const std::uint8_t* centre = plane[i];
      for (int c = r;; ++c) {
        const bool treated = !params.Centered || threshold.Contains(centre[c]);
        out[c] = treated ? static_cast<std::uint8_t>(percentage(window)) : kUntreated;
        if (c + r + 1 >= columns) break;
        window += counts[static_cast<std::size_t>(c + r + 1)] - counts[static_cast<std::size_t>(c - r)];
      }
    }
  });
  return result;
}
