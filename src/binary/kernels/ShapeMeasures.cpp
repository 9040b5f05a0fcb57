#include "binary/kernels/ShapeMeasures.h"

#include <algorithm>
#include <cmath>

#include "binary/kernels/ConvexHull.h"
#include "imaging/Parallel.h"

namespace {

using namespace shape_cell;

constexpr double kSideLink = 0.5;
constexpr double kCornerLink = 0.707;
constexpr double kMaxIndex = 100;

double Pi() {
  return 4 * std::atan(1.0);
}

// 100 * part / whole, never above 100.
double Index(std::int64_t part, std::int64_t whole) {
  return std::min(kMaxIndex, 100.0 * static_cast<double>(part) / static_cast<double>(whole));
}

// Marks `edge` on the cells holding `inside` that have a 4-neighbour without it; returns their number.
// The grid's outer ring holds no such cell.
std::int64_t MarkEdges(BytePlane& grid, std::uint8_t inside, bool insideIsSet, std::uint8_t edge) {
  const int lines = grid.Lines(), columns = grid.Columns();
  const auto in = [&](std::uint8_t cell) { return ((cell & inside) != 0) == insideIsSet; };
  std::int64_t count = 0;
  for (int i = 1; i + 1 < lines; ++i) {
    const std::uint8_t* up = grid[i - 1];
    std::uint8_t* row = grid[i];
    const std::uint8_t* down = grid[i + 1];
    for (int j = 1; j + 1 < columns; ++j) {
      if (!in(row[j])) continue;
      if (in(up[j]) && in(down[j]) && in(row[j - 1]) && in(row[j + 1])) continue;
      row[j] |= edge;
      ++count;
    }
  }
  return count;
}

// Length of the chain of `edge` cells: each cell adds 0.5 for every side neighbour and 0.707 for
// every corner neighbour that is an `edge` cell too (so each link counts from both ends).
double EdgeLength(const BytePlane& grid, std::uint8_t edge) {
  const int lines = grid.Lines(), columns = grid.Columns();
  std::int64_t sides = 0, corners = 0;
  for (int i = 1; i + 1 < lines; ++i) {
    const std::uint8_t* up = grid[i - 1];
    const std::uint8_t* row = grid[i];
    const std::uint8_t* down = grid[i + 1];
    for (int j = 1; j + 1 < columns; ++j) {
      if ((row[j] & edge) == 0) continue;
      sides += ((up[j] & edge) != 0) + ((down[j] & edge) != 0) + ((row[j - 1] & edge) != 0) +
               ((row[j + 1] & edge) != 0);
      corners += ((up[j - 1] & edge) != 0) + ((up[j + 1] & edge) != 0) + ((down[j - 1] & edge) != 0) +
                 ((down[j + 1] & edge) != 0);
    }
  }
  return kSideLink * static_cast<double>(sides) + kCornerLink * static_cast<double>(corners);
}

struct Hull {
  std::int64_t Outline = 0;  // npc
  std::int64_t Zone = 0;     // npz
};

// The outline of the convex hull of the perimeter pixels and the cells it encloses. The grid's first
// cell is the image position (top, left): the sides are drawn in image positions.
Hull ConvexHullOf(const BytePlane& grid, int top, int left, std::vector<std::int64_t>& stack) {
  std::vector<PixelPoint> edges;
  for (int i = 0; i < grid.Lines(); ++i)
    for (int j = 0; j < grid.Columns(); ++j)
      if (grid[i][j] & kEdge) edges.push_back({top + i, left + j});
  const std::vector<PixelPoint> corners = ConvexHullVertices(std::move(edges));
  // A single pixel is its own hull.
  if (corners.size() == 1) return {1, 1};
  BytePlane outline(grid.Columns(), grid.Lines());
  for (std::size_t k = 1; k < corners.size(); ++k)
    DrawMatrixLine(corners[k - 1].Line, corners[k - 1].Column, corners[k].Line, corners[k].Column, outline,
                   top, left);
  Hull hull;
  for (std::size_t k = 0; k < outline.Size(); ++k) hull.Outline += outline.Data()[k];
  // The outline is 8-connected: a 4-connected fill from the ring cannot cross it.
  hull.Zone = static_cast<std::int64_t>(outline.Size()) - FillOutside(outline, kItem, stack);
  return hull;
}

}  // namespace

ItemShape MeasureItem(const BytePlane& labels, int code, const ItemBounds& bounds) {
  ItemShape shape;
  shape.Code = code;
  shape.Surface = bounds.Pixels;
  if (!bounds.Present()) return shape;
  const int lines = labels.Lines(), columns = labels.Columns();

  // The item's rectangle with a ring of background round it; the image's frame is background.
  const int top = bounds.MinLine - 1, left = bounds.MinColumn - 1;
  BytePlane grid(bounds.Columns() + 2, bounds.Lines() + 2);
  std::int64_t lineSum = 0, columnSum = 0;
  for (int i = bounds.MinLine; i <= bounds.MaxLine; ++i) {
    const std::uint8_t* row = labels[i];
    std::uint8_t* cells = grid[i - top];
    const bool innerLine = i > 0 && i < lines - 1;
    for (int j = bounds.MinColumn; j <= bounds.MaxColumn; ++j) {
      if (row[j] != code) continue;
      lineSum += i;
      columnSum += j;
      if (innerLine && j > 0 && j < columns - 1) cells[j - left] = kItem;
    }
  }
  const std::int64_t s = shape.Surface;
  shape.CentreLine = lineSum / s;
  shape.CentreColumn = columnSum / s;

  shape.Perimeter = MarkEdges(grid, kItem, true, kEdge);
  if (shape.Perimeter == 0) return shape;  // only frame pixels
  shape.Measurable = true;
  const std::int64_t p = shape.Perimeter;
  const double pi = Pi();
  shape.RecalculatedSurface = static_cast<double>(s - p) + 0.5 * static_cast<double>(p);
  shape.PerimeterLength = EdgeLength(grid, kEdge);
  shape.Rodondity = static_cast<double>(p * p) / static_cast<double>(s);
  shape.PerimeterPerSurface = 100.0 * static_cast<double>(p) / static_cast<double>(s);
  shape.EuclidianPerSurface = 100.0 * shape.PerimeterLength / shape.RecalculatedSurface;

  std::vector<std::int64_t> stack;
  const Hull hull = ConvexHullOf(grid, top, left, stack);
  shape.ConvexPerimeter = hull.Outline;
  shape.ConvexZone = hull.Zone;
  shape.ConvexityIndex = Index(s, hull.Zone);
  shape.PerimeterConvexity = Index(hull.Outline, p);

  FillOutside(grid, kItem, stack);
  shape.Holes = CountHoles(grid, static_cast<std::int64_t>(lines) * columns, stack);
  const std::int64_t holes = shape.Holes.Total;
  if (shape.Holes.Count > 0) {
    shape.PorosityRate = 100.0 * static_cast<double>(holes) / static_cast<double>(holes + s);
    shape.ConvexPorosityRate = 100.0 * static_cast<double>(holes) / static_cast<double>(hull.Zone);
  }

  // The item with its holes filled is every cell the outside does not reach.
  shape.ExternalPerimeterPixels = MarkEdges(grid, kOutside, false, kOuterEdge);
  shape.ExternalPerimeter = EdgeLength(grid, kOuterEdge);
  shape.ExternalConvexity = Index(s + holes, hull.Zone);
  shape.ExternalPerimeterConvexity = Index(hull.Outline, shape.ExternalPerimeterPixels);

  shape.CircleRadius = std::sqrt(shape.RecalculatedSurface / pi);
  shape.CirclePerimeter = 2 * pi * shape.CircleRadius;
  shape.Ratio1 = static_cast<double>(p) / shape.CirclePerimeter;
  shape.Ratio2 = shape.ExternalPerimeter / shape.CirclePerimeter;
  return shape;
}

std::vector<ItemShape> MeasureItems(const BytePlane& labels, const ItemIndex& index,
                                    const std::vector<int>& codes) {
  std::vector<ItemShape> shapes(codes.size());
  // One item a chunk: items differ widely in size, and each writes its own entry.
  parallel::For(static_cast<std::int64_t>(codes.size()), 1, [&](std::int64_t first, std::int64_t last) {
    for (std::int64_t k = first; k < last; ++k) shapes[k] = MeasureItem(labels, codes[k], index[codes[k]]);
  });
  return shapes;
}
