#pragma once
// Fills on the small grid that holds one item: the cells 4-connected to the grid's outer ring
// (the outside), and the holes, regions of non-item cells that the outside does not reach.
// The grid's cells are bit sets; its outer ring must hold no wall.
#include <cstdint>
#include <vector>

#include "imaging/Plane.h"

namespace shape_cell {
constexpr std::uint8_t kItem = 1;
constexpr std::uint8_t kOutside = 2;
constexpr std::uint8_t kHole = 4;
constexpr std::uint8_t kEdge = 8;        // perimeter pixel of the item
constexpr std::uint8_t kOuterEdge = 16;  // perimeter pixel of the item with its holes filled
}  // namespace shape_cell

struct HoleCensus {
  int Count = 0;
  std::int64_t Min = 0;  // smallest hole, in pixels (the starting value when there is no hole)
  std::int64_t Max = 0;
  std::int64_t Total = 0;
};

// Marks kOutside on every cell without a `wall` bit 4-connected to the top-left corner, which lies
// on the outer ring; returns their number. `stack` is working memory.
std::int64_t FillOutside(BytePlane& grid, std::uint8_t wall, std::vector<std::int64_t>& stack);

// After FillOutside with kItem as the wall: every remaining 4-connected region of cells that are
// neither item nor outside is a hole, marked kHole. Min starts at `noHoleMin`.
HoleCensus CountHoles(BytePlane& grid, std::int64_t noHoleMin, std::vector<std::int64_t>& stack);
