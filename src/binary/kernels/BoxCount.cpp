#include "binary/kernels/BoxCount.h"

#include <algorithm>
#include <cmath>

#include "binary/kernels/BoxCountEverySide.h"
#include "imaging/LeastSquares.h"

namespace {

using Count = std::int64_t;

// Below this many cells a loop runs on one core: waking the team would cost more than it saves.
constexpr std::size_t kParallelWork = std::size_t{1} << 16;

bool IsFilled(std::uint64_t itemPixels, std::uint64_t boxPixels, bool totalFitting) {
  return totalFitting ? itemPixels == boxPixels : itemPixels > 0;
}

// Counts of item pixels per box of one side, row by row.
struct BoxGrid {
  int Side = 0;
  int Lines = 0;
  int Columns = 0;
  std::vector<std::uint32_t> Cells;
};

// Box grid of side `side` straight from the image.
BoxGrid GridFromImage(const BytePlane& plane, const ItemSelector& items, int lines, int columns, int side) {
  BoxGrid grid{side, lines / side, columns / side, {}};
  grid.Cells.assign(static_cast<std::size_t>(grid.Lines) * grid.Columns, 0);
#pragma omp parallel for schedule(static) if (grid.Cells.size() * side * side > kParallelWork)
  for (int a = 0; a < grid.Lines; ++a) {
    std::uint32_t* out = grid.Cells.data() + static_cast<std::size_t>(a) * grid.Columns;
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
  return grid;
}

// Box grid of side factor x parent.Side from the grid of a divisor side.
BoxGrid GridFromGrid(const BoxGrid& parent, int factor) {
  BoxGrid grid{parent.Side * factor, parent.Lines / factor, parent.Columns / factor, {}};
  grid.Cells.assign(static_cast<std::size_t>(grid.Lines) * grid.Columns, 0);
#pragma omp parallel for schedule(static) if (parent.Cells.size() > kParallelWork)
  for (int a = 0; a < grid.Lines; ++a) {
    std::uint32_t* out = grid.Cells.data() + static_cast<std::size_t>(a) * grid.Columns;
    for (int i = a * factor; i < (a + 1) * factor; ++i) {
      const std::uint32_t* row = parent.Cells.data() + static_cast<std::size_t>(i) * parent.Columns;
      for (int b = 0; b < grid.Columns; ++b) {
        const std::uint32_t* box = row + static_cast<std::size_t>(b) * factor;
        std::uint32_t n = 0;
        for (int k = 0; k < factor; ++k) n += box[k];
        out[b] += n;
      }
    }
  }
  return grid;
}

struct GridCounts {
  Count Filled = 0;
  Count ItemPixels = 0;
};

GridCounts CountGrid(const BoxGrid& grid, bool totalFitting) {
  const std::uint64_t boxPixels = static_cast<std::uint64_t>(grid.Side) * grid.Side;
  Count filled = 0, itemPixels = 0;
  const std::int64_t cells = static_cast<std::int64_t>(grid.Cells.size());
#pragma omp parallel for reduction(+ : filled, itemPixels) schedule(static) if (cells > static_cast<std::int64_t>(kParallelWork))
  for (std::int64_t k = 0; k < cells; ++k) {
    const std::uint32_t n = grid.Cells[static_cast<std::size_t>(k)];
    filled += IsFilled(n, boxPixels, totalFitting);
    itemPixels += n;
  }
  return {filled, itemPixels};
}

int SmallestPrimeFactor(int n) {
  for (int p = 2; static_cast<long long>(p) * p <= n; ++p) {
    if (n % p == 0) return p;
  }
  return n;
}

// Divisor sides only: each side's grid is summed from the grid of its greatest proper divisor
// (itself a counted side), so only the prime sides read the image.
void CountDivisorSides(const BytePlane& plane, const ItemSelector& items, const BoxCountParams& params,
                       int greatestSide, BoxCountTable& table) {
  const int lines = params.Lines;
  const int columns = params.Columns;
  std::vector<BoxGrid> grids(static_cast<std::size_t>(greatestSide) + 1);
  bool itemsCounted = false;
  for (int s = 2; s <= greatestSide; ++s) {
    if (lines % s != 0 || columns % s != 0) continue;
    const int factor = SmallestPrimeFactor(s);
    const int parent = s / factor;
    BoxGrid grid = parent == 1 ? GridFromImage(plane, items, lines, columns, s)
                               : GridFromGrid(grids[static_cast<std::size_t>(parent)], factor);
    const GridCounts counts = CountGrid(grid, params.TotalFitting);
    table.Filled[static_cast<std::size_t>(s)] = counts.Filled;
    table.Examined[static_cast<std::size_t>(s)] = static_cast<Count>(grid.Lines) * grid.Columns;
    if (!itemsCounted) {
      // Every grid covers the whole image: its sum is the count of side 1.
      table.Filled[1] = counts.ItemPixels;
      itemsCounted = true;
    }
    grids[static_cast<std::size_t>(s)] = std::move(grid);
  }
  if (!itemsCounted) {
    Count sum = 0;
    for (int i = 0; i < lines; ++i) {
      const std::uint8_t* row = plane[i];
      for (int j = 0; j < columns; ++j) sum += items.IsItem[row[j]];
    }
    table.Filled[1] = sum;
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
