#include "binary/kernels/HoleCensus.h"

#include <algorithm>

namespace {

// 4-connected fill of the cells with none of the `stop` bits, from `start`, setting `mark` on them.
// Stops at the grid's edge. Returns the cells marked.
std::int64_t Fill(BytePlane& grid, std::int64_t start, std::uint8_t stop, std::uint8_t mark,
                  std::vector<std::int64_t>& stack) {
  const int columns = grid.Columns();
  const int lines = grid.Lines();
  std::uint8_t* cells = grid.Data();
  stack.clear();
  cells[start] |= mark;
  stack.push_back(start);
  std::int64_t count = 0;
  const auto visit = [&](std::int64_t cell) {
    if ((cells[cell] & stop) == 0) {
      cells[cell] |= mark;
      stack.push_back(cell);
    }
  };
  while (!stack.empty()) {
    const std::int64_t cell = stack.back();
    stack.pop_back();
    ++count;
    const std::int64_t line = cell / columns, column = cell % columns;
    if (line > 0) visit(cell - columns);
    if (line + 1 < lines) visit(cell + columns);
    if (column > 0) visit(cell - 1);
    if (column + 1 < columns) visit(cell + 1);
  }
  return count;
}

}  // namespace

std::int64_t FillOutside(BytePlane& grid, std::uint8_t wall, std::vector<std::int64_t>& stack) {
  if (grid.Empty() || (grid[0][0] & (wall | shape_cell::kOutside)) != 0) return 0;
  return Fill(grid, 0, wall | shape_cell::kOutside, shape_cell::kOutside, stack);
}

HoleCensus CountHoles(BytePlane& grid, std::int64_t noHoleMin, std::vector<std::int64_t>& stack) {
  using namespace shape_cell;
  HoleCensus census;
  census.Min = noHoleMin;
  const std::int64_t size = static_cast<std::int64_t>(grid.Size());
  const std::uint8_t* cells = grid.Data();
  for (std::int64_t cell = 0; cell < size; ++cell) {
    if ((cells[cell] & (kItem | kOutside | kHole)) != 0) continue;
    const std::int64_t hole = Fill(grid, cell, kItem | kOutside | kHole, kHole, stack);
    ++census.Count;
    census.Min = std::min(census.Min, hole);
    census.Max = std::max(census.Max, hole);
    census.Total += hole;
  }
  return census;
}
