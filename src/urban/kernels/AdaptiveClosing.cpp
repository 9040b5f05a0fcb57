// Adaptive closing linking. The growth follows the shape's edge instead of passing over the whole
// plane: only the pixels next to the shape can join it, and only a pixel that joins can make two
// pieces touch, so the pieces are kept as sets of item codes joined as pixels join. The shrinking
// and the notches work on packed rows.
#include "urban/kernels/AdaptiveClosing.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

#include "imaging/Parallel.h"
#include "urban/kernels/BitRows.h"

namespace {

using Index = std::int64_t;

constexpr std::uint8_t kOut = 0;     // inside the frame, outside the shape
constexpr std::uint8_t kIn = 1;      // in the shape
constexpr std::uint8_t kQueued = 2;  // joining in the current step
constexpr std::uint8_t kFrame = 3;   // the outermost lines and columns: never part of the shape
constexpr std::uint8_t kItem = 1;
constexpr int kNotchNeighbours = 3;

struct Growth {
  BytePlane cells;                 // kOut, kIn, kFrame
  IntPlane codes;                  // the code of the piece each pixel of the shape came from
  std::vector<int> parent;         // sets of codes: the pieces as they have joined
  int pieces = 0;
  std::vector<Index> edge;         // pixels of the shape with an outside pixel among their 8 neighbours
  std::vector<Index> joined;       // the pixels of the current step
  Index offsets[8] = {};           // the 8 neighbours: the first four are the 4 neighbours
};

int Root(std::vector<int>& parent, int code) {
  while (parent[static_cast<std::size_t>(code)] != code) {
    const int up = parent[static_cast<std::size_t>(code)];
    parent[static_cast<std::size_t>(code)] = parent[static_cast<std::size_t>(up)];
    code = up;
  }
  return code;
}

bool HasOutsideNeighbour(const Growth& g, Index p) {
  const std::uint8_t* cells = g.cells.Data();
  for (Index offset : g.offsets)
    if (cells[p + offset] == kOut) return true;
  return false;
}

// One growth step with the first `neighbours` offsets; true when two pieces came to touch.
bool Grow(Growth& g, int neighbours) {
  std::uint8_t* cells = g.cells.Data();
  std::int32_t* codes = g.codes.Data();
  g.joined.clear();
  for (Index p : g.edge) {
    for (int n = 0; n < neighbours; ++n) {
      const Index q = p + g.offsets[n];
      if (cells[q] != kOut) continue;
      cells[q] = kQueued;
      codes[q] = codes[p];  // any neighbour's piece: the pieces are joined below anyway
      g.joined.push_back(q);
    }
  }
  for (Index q : g.joined) cells[q] = kIn;
  bool touched = false;
  for (Index q : g.joined) {
    for (Index offset : g.offsets) {
      if (cells[q + offset] != kIn) continue;
      const int a = Root(g.parent, codes[q]);
      const int b = Root(g.parent, codes[q + offset]);
      if (a == b) continue;
      g.parent[static_cast<std::size_t>(std::max(a, b))] = std::min(a, b);
      --g.pieces;
      touched = true;
    }
  }
  std::erase_if(g.edge, [&](Index p) { return !HasOutsideNeighbour(g, p); });
  for (Index q : g.joined)
    if (HasOutsideNeighbour(g, q)) g.edge.push_back(q);
  return touched;
}

// The value's pixels inside the frame; the frame marked.
void MarkCells(const BytePlane& binary, int value, BytePlane& cells) {
  const int lines = binary.Lines();
  const int columns = binary.Columns();
  parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first); i < last; ++i) {
      const std::uint8_t* in = binary[i];
      std::uint8_t* out = cells[i];
      if (i == 0 || i == lines - 1) {
        std::fill(out, out + columns, kFrame);
        continue;
      }
      out[0] = out[columns - 1] = kFrame;
      for (int j = 1; j + 1 < columns; ++j) out[j] = in[j] == value ? kIn : kOut;
    }
  });
}

// The shape's pixels with an outside neighbour, in raster order.
std::vector<Index> FindEdge(const Growth& g) {
  const int lines = g.cells.Lines();
  const int columns = g.cells.Columns();
  const std::int64_t grain = parallel::RowGrain(columns);
  std::vector<std::vector<Index>> parts(static_cast<std::size_t>(parallel::ChunkCount(lines - 2, grain)));
  parallel::For(lines - 2, grain, [&](std::int64_t first, std::int64_t last) {
    auto& part = parts[static_cast<std::size_t>(parallel::ChunkIndex(first, grain))];
    for (Index i = first + 1; i < last + 1; ++i)
      for (Index j = 1; j + 1 < columns; ++j) {
        const Index p = i * columns + j;
        if (g.cells.Data()[p] == kIn && HasOutsideNeighbour(g, p)) part.push_back(p);
      }
  });
  std::vector<Index> edge;
  for (const auto& part : parts) edge.insert(edge.end(), part.begin(), part.end());
  return edge;
}

// The shape as bits, with the notches filled: an outside pixel with 3 or 4 of its 4 neighbours in the
// shape (the frame is outside the shape here).
BitRows ShapeWithNotches(const BytePlane& cells) {
  const int lines = cells.Lines();
  const int columns = cells.Columns();
  BitRows bits(columns, lines);
  parallel::For(lines - 2, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first) + 1; i < last + 1; ++i) {
      const std::uint8_t* up = cells[i - 1];
      const std::uint8_t* mid = cells[i];
      const std::uint8_t* down = cells[i + 1];
      std::uint64_t* row = bits.Row(i);
      for (int j = 1; j + 1 < columns; ++j) {
        bool in = mid[j] == kIn;
        if (mid[j] == kOut) {
          const int around = (up[j] == kIn) + (down[j] == kIn) + (mid[j - 1] == kIn) + (mid[j + 1] == kIn);
          in = around >= kNotchNeighbours;
        }
        if (in) row[j / 64] |= std::uint64_t{1} << (j % 64);
      }
    }
  });
  return bits;
}

// The recorded steps as erosions, where pixels inside the frame outside the shape eat the shape.
void Shrink(BitRows& bits, const std::vector<int>& steps) {
  const int lines = bits.Lines();
  const int columns = bits.Columns();
  int top = lines, bottom = -1;  // the lines holding the shape: no other line can change
  for (int i = 0; i < lines; ++i) {
    const std::uint64_t* row = bits.Row(i);
    if (std::any_of(row, row + bits.Words(), [](std::uint64_t w) { return w != 0; })) {
      top = std::min(top, i);
      bottom = i;
    }
  }
  if (bottom < 0 || steps.empty()) return;
  ExaminedRegion region;
  region.first = 1;
  region.last = lines - 2;
  region.columns = ColumnSpan(columns, 1, columns - 2);
  BitRows other = bits;
  for (int step : steps)
    RunBitPass(step == kGrowth4 ? BitPass::Erode4 : BitPass::Erode8, region, bits, other, top, bottom);
}

// 8-connected pieces of the mask's value 1 anywhere in the plane: counted inside a frame one pixel wider.
int CountPieces(const BytePlane& mask, PixelStack& stack) {
  const int lines = mask.Lines();
  const int columns = mask.Columns();
  BytePlane framed(columns + 2, lines + 2);
  parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first); i < last; ++i) std::copy(mask[i], mask[i] + columns, framed[i + 1] + 1);
  });
  return CountItemsInFrame(framed, 0, INT_MAX, stack).KeptItems;
}

}  // namespace

AdaptiveClosingResult AdaptiveClosingLinking(const BytePlane& binary, int value, BytePlane& mask,
                                             PixelStack& stack) {
  AdaptiveClosingResult result;
  const int lines = binary.Lines();
  const int columns = binary.Columns();
  if (lines < 3 || columns < 3) return result;

  Growth g;
  g.cells = BytePlane(columns, lines);
  MarkCells(binary, value, g.cells);
  {
    BytePlane walked = g.cells.Clone();  // the walk takes the pixels of value 1 (kIn) and consumes them
    g.codes = IntPlane(columns, lines);
    const ItemCountResult pieces = WalkItemsForDilation(walked, g.codes, stack);
    result.StartPieces = pieces.KeptItems;
    g.pieces = pieces.KeptItems;
    g.parent.resize(static_cast<std::size_t>(pieces.ItemCount) + 1);
    std::iota(g.parent.begin(), g.parent.end(), 0);
  }
  if (result.StartPieces == 0) return result;

  const Index c = columns;
  const Index offsets[8] = {-c, 1, c, -1, -c - 1, -c + 1, c + 1, c - 1};
  std::copy(offsets, offsets + 8, g.offsets);
  g.edge = FindEdge(g);
  while (g.pieces > 1 && !g.edge.empty()) {
    const bool touched = Grow(g, 4);
    result.Steps.push_back(kGrowth4);
    if (!touched) {
      Grow(g, 8);
      result.Steps.push_back(kGrowth8);
    }
  }
  g.codes = IntPlane();

  BitRows bits = ShapeWithNotches(g.cells);
  g.cells = BytePlane();
  Shrink(bits, result.Steps);

  mask = BytePlane(columns, lines);
  UnpackItems(bits, mask);
  parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first); i < last; ++i) {
      const std::uint8_t* in = binary[i];
      std::uint8_t* out = mask[i];
      for (int j = 0; j < columns; ++j)
        if (in[j] == value) out[j] = kItem;
    }
  });
  result.Pieces = CountPieces(mask, stack);
  return result;
}
