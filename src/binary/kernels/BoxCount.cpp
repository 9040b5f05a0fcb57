#include "binary/kernels/BoxCount.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

#include "binary/kernels/BoxCountEverySide.h"
#include "imaging/LeastSquares.h"
#include "imaging/Parallel.h"

namespace {

using Count = std::int64_t;

bool IsFilled(std::uint64_t itemPixels, std::uint64_t boxPixels, bool totalFitting) {
  return totalFitting ? itemPixels == boxPixels : itemPixels > 0;
}

// Counts of item pixels per box of one side: rows [FirstRow, FirstRow + rows) of a grid of
// Lines x Columns boxes, at Cells (the whole grid, or one strip's rows of it).
struct GridRows {
  int Side = 0;
  int Columns = 0;
  int FirstRow = 0;
  std::uint32_t* Cells = nullptr;

  std::uint32_t* Row(int a) const { return Cells + static_cast<std::size_t>(a - FirstRow) * Columns; }
};

// Box row a of a grid straight from the image.
void GridRowFromImage(const BytePlane& plane, const ItemSelector& items, const GridRows& grid, int a) {
  const int side = grid.Side;
  std::uint32_t* out = grid.Row(a);
  std::fill(out, out + grid.Columns, 0);
  for (int i = a * side; i < (a + 1) * side; ++i) {
    const std::uint8_t* row = plane[i];
    if (side == 2) {
      for (int b = 0; b < grid.Columns; ++b)
        out[b] += items.IsItem[row[2 * b]] + items.IsItem[row[2 * b + 1]];
    } else {
      for (int b = 0; b < grid.Columns; ++b) {
        const std::uint8_t* box = row + static_cast<std::size_t>(b) * side;
        std::uint32_t n = 0;
        for (int k = 0; k < side; ++k) n += items.IsItem[box[k]];
        out[b] += n;
      }
    }
  }
}

// Box row a of a grid of side factor x parent.Side from the grid of that divisor side.
void GridRowFromGrid(const GridRows& parent, int factor, const GridRows& grid, int a) {
  std::uint32_t* out = grid.Row(a);
  std::fill(out, out + grid.Columns, 0);
  for (int i = a * factor; i < (a + 1) * factor; ++i) {
    const std::uint32_t* row = parent.Row(i);
    for (int b = 0; b < grid.Columns; ++b) {
      const std::uint32_t* box = row + static_cast<std::size_t>(b) * factor;
      std::uint32_t n = 0;
      for (int k = 0; k < factor; ++k) n += box[k];
      out[b] += n;
    }
  }
}

struct RowCounts {
  Count Filled = 0;
  Count ItemPixels = 0;
};

RowCounts CountGridRow(const GridRows& grid, int a, bool totalFitting) {
  const std::uint64_t boxPixels = static_cast<std::uint64_t>(grid.Side) * grid.Side;
  const std::uint32_t* row = grid.Row(a);
  RowCounts counts;
  for (int b = 0; b < grid.Columns; ++b) {
    counts.Filled += IsFilled(row[b], boxPixels, totalFitting);
    counts.ItemPixels += row[b];
  }
  return counts;
}

int SmallestPrimeFactor(int n) {
  for (int p = 2; static_cast<long long>(p) * p <= n; ++p) {
    if (n % p == 0) return p;
  }
  return n;
}

// The largest divisor of n that is at most `limit` (1 at least).
int LargestDivisorUpTo(int n, int limit) {
  for (int d = std::min(n, limit); d > 1; --d) {
    if (n % d == 0) return d;
  }
  return 1;
}

// Divisor sides only: each side's grid is summed from the grid of its greatest proper divisor (itself
// a counted side), so only the prime sides read the image. The image is cut into strips whose height
// is a divisor side S: the sides dividing S are counted strip by strip on the threads, each strip
// going from the image up through its divisors with grids of its own rows; the other sides (larger,
// or of another prime) follow from the whole grids of their divisors, which are small, or from the
// image. Only the grids those sides read are kept whole.
void CountDivisorSides(const BytePlane& plane, const ItemSelector& items, const BoxCountParams& params,
                       int greatestSide, BoxCountTable& table) {
  const int lines = params.Lines;
  const int columns = params.Columns;
  const std::int64_t maxStrip = parallel::RowGrain(columns);
  const int strip =
      LargestDivisorUpTo(std::gcd(lines, columns), static_cast<int>(std::min<std::int64_t>(maxStrip, lines)));
  std::vector<int> stripSides, otherSides;
  std::vector<bool> kept(static_cast<std::size_t>(greatestSide) + 1, false);
  for (int s = 2; s <= greatestSide; ++s) {
    if (lines % s != 0 || columns % s != 0) continue;
    table.Examined[static_cast<std::size_t>(s)] = static_cast<Count>(lines / s) * (columns / s);
    if (strip % s == 0) {
      stripSides.push_back(s);
    } else {
      otherSides.push_back(s);
      kept[static_cast<std::size_t>(s)] = true;
      kept[static_cast<std::size_t>(s / SmallestPrimeFactor(s))] = true;
    }
  }
  // Every cell of a grid is written before it is read.
  std::vector<std::unique_ptr<std::uint32_t[]>> whole(static_cast<std::size_t>(greatestSide) + 1);
  for (int s = 2; s <= greatestSide; ++s) {
    if (kept[static_cast<std::size_t>(s)] && lines % s == 0 && columns % s == 0)
      whole[static_cast<std::size_t>(s)].reset(
          new std::uint32_t[static_cast<std::size_t>(lines / s) * (columns / s)]);
  }
  const auto wholeGrid = [&](int s) {
    return GridRows{s, columns / s, 0, whole[static_cast<std::size_t>(s)].get()};
  };

  // Per chunk: the item pixels, then the filled boxes of each strip side.
  const std::size_t perChunk = stripSides.size() + 1;
  const std::int64_t grain = strip * std::max<std::int64_t>(1, maxStrip / strip);
  std::vector<Count> partial(static_cast<std::size_t>(parallel::ChunkCount(lines, grain)) * perChunk, 0);
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    Count* sums = partial.data() + static_cast<std::size_t>(parallel::ChunkIndex(first, grain)) * perChunk;
    if (stripSides.empty()) {
      for (std::int64_t i = first; i < last; ++i) {
        const std::uint8_t* row = plane[static_cast<int>(i)];
        for (int j = 0; j < columns; ++j) sums[0] += items.IsItem[row[j]];
      }
      return;
    }
    // The chunk's rows of every strip side not kept whole, side after side in one block.
    std::vector<GridRows> grids(static_cast<std::size_t>(greatestSide) + 1);
    std::size_t localCells = 0;
    for (const int s : stripSides)
      localCells += kept[static_cast<std::size_t>(s)] ? 0 : (last - first) / s * (columns / s);
    const std::unique_ptr<std::uint32_t[]> local(new std::uint32_t[localCells]);
    std::size_t used = 0;
    for (const int s : stripSides) {
      if (kept[static_cast<std::size_t>(s)]) {
        grids[static_cast<std::size_t>(s)] = wholeGrid(s);
      } else {
        grids[static_cast<std::size_t>(s)] =
            GridRows{s, columns / s, static_cast<int>(first / s), local.get() + used};
        used += static_cast<std::size_t>((last - first) / s * (columns / s));
      }
    }
    for (std::size_t k = 0; k < stripSides.size(); ++k) {
      const int s = stripSides[k];
      const int factor = SmallestPrimeFactor(s);
      const GridRows& grid = grids[static_cast<std::size_t>(s)];
      for (int a = static_cast<int>(first / s); a < static_cast<int>(last / s); ++a) {
        if (factor == s) {
          GridRowFromImage(plane, items, grid, a);
        } else {
          GridRowFromGrid(grids[static_cast<std::size_t>(s / factor)], factor, grid, a);
        }
        const RowCounts counts = CountGridRow(grid, a, params.TotalFitting);
        sums[k + 1] += counts.Filled;
        // The first side is a prime read from the image: its sums are the strip's item pixels.
        if (k == 0) sums[0] += counts.ItemPixels;
      }
    }
  });
  for (std::size_t c = 0; c < partial.size() / perChunk; ++c) {
    table.Filled[1] += partial[c * perChunk];
    for (std::size_t k = 0; k < stripSides.size(); ++k)
      table.Filled[static_cast<std::size_t>(stripSides[k])] += partial[c * perChunk + k + 1];
  }

  for (const int s : otherSides) {
    const int factor = SmallestPrimeFactor(s);
    const GridRows grid = wholeGrid(s);
    for (int a = 0; a < lines / s; ++a) {
      if (factor == s) {
        GridRowFromImage(plane, items, grid, a);
      } else {
        GridRowFromGrid(wholeGrid(s / factor), factor, grid, a);
      }
      table.Filled[static_cast<std::size_t>(s)] += CountGridRow(grid, a, params.TotalFitting).Filled;
    }
  }
  table.Examined[1] = static_cast<Count>(lines) * columns;
}

}  // namespace

ItemSelector ItemSelector::Value(int value) {
  ItemSelector selector;
  if (value >= 0 && value <= 255) selector.IsItem[static_cast<std::size_t>(value)] = 1;
  return selector;
}

ItemSelector ItemSelector::Range(int minimum, int maximum) {
  ItemSelector selector;
  for (int v = std::max(minimum, 0); v <= std::min(maximum, 255); ++v)
    selector.IsItem[static_cast<std::size_t>(v)] = 1;
  return selector;
}

BoxCountTable CountBoxes(const BytePlane& plane, const ItemSelector& items, const BoxCountParams& params) {
  BoxCountTable table;
  BoxCountParams used = params;
  used.Lines = std::min(params.Lines, plane.Lines());
  used.Columns = std::min(params.Columns, plane.Columns());
  const int greatestSide = std::min({params.GreatestBox, used.Lines, used.Columns});
  if (greatestSide < 1) {
    table.Filled.assign(1, 0);
    table.Examined.assign(1, 0);
    return table;
  }
  table.Filled.assign(static_cast<std::size_t>(greatestSide) + 1, 0);
  table.Examined.assign(static_cast<std::size_t>(greatestSide) + 1, 0);
  if (used.EverySize) {
    CountEverySide(plane, items, used.Lines, used.Columns, greatestSide, used.TotalFitting, table);
  } else {
    CountDivisorSides(plane, items, used, greatestSide, table);
  }
  return table;
}

BoxCountPoints KeepBoxCountPoints(const BoxCountTable& table, bool untilEquality, bool totalFitting) {
  BoxCountPoints points;
  int equalities = 0;
  for (int s = 1; s <= table.GreatestSide(); ++s) {
    const Count filled = table.Filled[static_cast<std::size_t>(s)];
    const Count examined = table.Examined[static_cast<std::size_t>(s)];
    if (untilEquality) {
      if (examined != 0 && filled == examined) ++equalities;
      if (equalities >= 2) break;
    }
    if (filled == 0) continue;
    const double side = static_cast<double>(s);
    points.Sides.push_back(s);
    points.LogSize.push_back(totalFitting ? std::log(side * side) : std::log(side));
    points.LogCount.push_back(std::log(static_cast<double>(filled)));
  }
  return points;
}

BoxCountResult BoxCounting(const BytePlane& plane, const ItemSelector& items, const BoxCountParams& params,
                           bool untilEquality) {
  BoxCountResult result;
  result.Table = CountBoxes(plane, items, params);
  result.Points = KeepBoxCountPoints(result.Table, untilEquality, params.TotalFitting);
  const double slope =
      LeastSquaresSlope(result.Points.LogSize.data(), result.Points.LogCount.data(), result.Points.Count());
  result.Defined = !std::isnan(slope);
  result.Dimension = result.Defined ? -slope : slope;
  return result;
}
