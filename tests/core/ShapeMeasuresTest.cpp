#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

#include "HullWalk.h"
#include "binary/kernels/PatternTable.h"
#include "binary/kernels/ShapeMeasures.h"
#include "fixtures/Blocks.h"

namespace {

ItemShape Measure(const BytePlane& labels, int code) {
  return MeasureItem(labels, code, IndexItems(labels)[code]);
}

// The literal measures: whole-image grids, the hull walked with angles, lines of running reals, fills.
using Grid = std::vector<std::vector<int>>;

// Sets to `mark` the 0 cells 4-connected to (i, j); returns their number.
std::int64_t Flood(Grid& g, int i, int j, int mark) {
  const int lines = static_cast<int>(g.size()), columns = static_cast<int>(g[0].size());
  std::vector<std::pair<int, int>> stack{{i, j}};
  g[i][j] = mark;
  std::int64_t count = 0;
  while (!stack.empty()) {
    const auto [a, b] = stack.back();
    stack.pop_back();
    ++count;
    for (const auto& [c, d] :
         {std::pair{a - 1, b}, std::pair{a + 1, b}, std::pair{a, b - 1}, std::pair{a, b + 1}})
      if (c >= 0 && c < lines && d >= 0 && d < columns && g[c][d] == 0)
        g[c][d] = mark, stack.push_back({c, d});
  }
  return count;
}

double LinkLength(const Grid& edge) {
  double length = 0;
  for (std::size_t i = 1; i + 1 < edge.size(); ++i)
    for (std::size_t j = 1; j + 1 < edge[0].size(); ++j) {
      if (!edge[i][j]) continue;
      for (int a = -1; a <= 1; ++a)
        for (int b = -1; b <= 1; ++b)
          if ((a || b) && edge[i + a][j + b]) length += (a && b) ? 0.707 : 0.5;
    }
  return length;
}

// The cells of `inside` with a 4-neighbour outside it, off the frame; `count` gets their number.
Grid Edges(const Grid& inside, std::int64_t& count) {
  const int lines = static_cast<int>(inside.size()), columns = static_cast<int>(inside[0].size());
  Grid edge = Grid(lines, std::vector<int>(columns));
  count = 0;
  for (int i = 1; i < lines - 1; ++i)
    for (int j = 1; j < columns - 1; ++j)
      if (inside[i][j] && inside[i - 1][j] + inside[i + 1][j] + inside[i][j - 1] + inside[i][j + 1] < 4)
        edge[i][j] = 1, ++count;
  return edge;
}

void DrawLine(PixelPoint from, PixelPoint to, Grid& plane) {
  const int d = std::max(std::abs(to.Line - from.Line), std::abs(to.Column - from.Column));
  if (d == 0) return;
  const double sl = double(to.Line - from.Line) / d, sc = double(to.Column - from.Column) / d;
  double x = from.Line, y = from.Column;
  for (;;) {
    const int r = static_cast<int>(std::trunc(x + 0.5)), c = static_cast<int>(std::trunc(y + 0.5));
    if (r == to.Line && c == to.Column) return;
    plane[r][c] = 1;
    x += sl, y += sc;
  }
}

ItemShape Reference(const BytePlane& labels, int code) {
  const int lines = labels.Lines(), columns = labels.Columns();
  const double pi = 4 * std::atan(1.0);
  ItemShape s;
  s.Code = code;
  Grid b = Grid(lines, std::vector<int>(columns));
  std::int64_t sumLines = 0, sumColumns = 0;
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j)
      if (labels[i][j] == code) b[i][j] = 1, ++s.Surface, sumLines += i, sumColumns += j;
  if (s.Surface == 0) return s;
  s.CentreLine = sumLines / s.Surface;
  s.CentreColumn = sumColumns / s.Surface;
  for (int i = 0; i < lines; ++i) b[i][0] = b[i][columns - 1] = 0;
  for (int j = 0; j < columns; ++j) b[0][j] = b[lines - 1][j] = 0;
  const Grid edge = Edges(b, s.Perimeter);
  if (s.Perimeter == 0) return s;
  s.Measurable = true;
  const double S = double(s.Surface), P = double(s.Perimeter);
  s.RecalculatedSurface = (S - P) + 0.5 * P;
  s.PerimeterLength = LinkLength(edge);
  s.Rodondity = P * P / S;
  s.PerimeterPerSurface = 100 * P / S;
  s.EuclidianPerSurface = 100 * s.PerimeterLength / s.RecalculatedSurface;
  std::vector<PixelPoint> edgePixels;
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j)
      if (edge[i][j]) edgePixels.push_back({i, j});
  const auto hull = AngleWalkHull(edgePixels);
  s.ConvexPerimeter = s.ConvexZone = 1;
  if (hull.size() > 1) {
    Grid outline = Grid(lines, std::vector<int>(columns));
    for (std::size_t k = 1; k < hull.size(); ++k) DrawLine(hull[k - 1], hull[k], outline);
    s.ConvexPerimeter = 0;
    for (const auto& row : outline) s.ConvexPerimeter += std::count(row.begin(), row.end(), 1);
    s.ConvexZone = std::int64_t(lines) * columns - Flood(outline, 0, 0, 2);  // the frame is outside
  }
  s.ConvexityIndex = std::min(100.0, 100 * S / double(s.ConvexZone));
  s.PerimeterConvexity = std::min(100.0, 100 * double(s.ConvexPerimeter) / P);
  // Holes: the non-item cells the outside does not reach from the frame.
  Grid filled = b;
  Flood(filled, 0, 0, 2);
  s.Holes.Min = std::int64_t(lines) * columns;
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j)
      if (filled[i][j] == 0) {
        const std::int64_t hole = Flood(filled, i, j, 3);
        ++s.Holes.Count;
        s.Holes.Min = std::min(s.Holes.Min, hole);
        s.Holes.Max = std::max(s.Holes.Max, hole);
        s.Holes.Total += hole;
      }
  for (auto& row : filled)
    for (int& v : row) v = v != 2;
  const double H = double(s.Holes.Total);
  if (s.Holes.Count) {
    s.PorosityRate = 100 * H / (H + S);
    s.ConvexPorosityRate = 100 * H / double(s.ConvexZone);
  }
  const Grid outer = Edges(filled, s.ExternalPerimeterPixels);
  s.ExternalPerimeter = LinkLength(outer);
  s.ExternalConvexity = std::min(100.0, 100 * (S + H) / double(s.ConvexZone));
  s.ExternalPerimeterConvexity =
      std::min(100.0, 100 * double(s.ConvexPerimeter) / double(s.ExternalPerimeterPixels));
  s.CircleRadius = std::sqrt(s.RecalculatedSurface / pi);
  s.CirclePerimeter = 2 * pi * s.CircleRadius;
  s.Ratio1 = P / s.CirclePerimeter;
  s.Ratio2 = s.ExternalPerimeter / s.CirclePerimeter;
  return s;
}

// Every measure; those made of link lengths, added in another order, to the report's six decimals.
auto Fields(const ItemShape& s) {
  const auto six = [](double v) { return std::round(v * 1e6); };
  return std::tuple(s.Code, s.Surface, s.CentreLine, s.CentreColumn, s.Measurable, s.Perimeter,
                    s.RecalculatedSurface, s.Rodondity, s.PerimeterPerSurface, s.ConvexPerimeter,
                    s.ConvexZone, s.ConvexityIndex, s.PerimeterConvexity, s.Holes.Count, s.Holes.Min,
                    s.Holes.Max, s.Holes.Total, s.PorosityRate, s.ConvexPorosityRate,
                    s.ExternalPerimeterPixels, s.ExternalConvexity, s.ExternalPerimeterConvexity,
                    s.CircleRadius, s.CirclePerimeter, s.Ratio1, six(s.PerimeterLength),
                    six(s.EuclidianPerSurface), six(s.ExternalPerimeter), six(s.Ratio2));
}

}  // namespace

// A disc of radius 100 is x^2 + y^2 <= 100^2: 31417 pixels. A U and item 2 closing cells against
// the frame: no holes.
TEST(ShapeMeasures, ADiscASinglePixelFrameItemsAndOpeningsTowardTheFrame) {
  BytePlane disc = UniformPlane(211, 211);
  FillDisc(disc, 105, 105, 100, 7);
  const ItemShape d = Measure(disc, 7);
  EXPECT_EQ(std::tuple(d.Surface, d.CentreLine, d.CentreColumn, d.Holes.Count), std::tuple(31417, 105, 105, 0));
  EXPECT_NEAR(d.CircleRadius, 100, 0.5);
  BytePlane labels = UniformPlane(14, 10);
  FillBlock(labels, 0, 3, 5, 5, 1);
  FillBlock(labels, 0, 4, 4, 3, 255);
  labels[1][9] = labels[2][10] = labels[1][11] = 2;
  labels[7][7] = 4;                 // a single pixel is its own hull
  labels[9][3] = labels[9][4] = 5;  // on the frame only: not measurable
  labels[9][0] = 6;
  EXPECT_EQ(std::tuple(Measure(labels, 1).Holes.Count, Measure(labels, 2).Holes.Count), std::tuple(0, 0));
  const ItemShape one = Measure(labels, 4), five = Measure(labels, 5), six = Measure(labels, 6);
  EXPECT_EQ(std::tuple(one.Perimeter, one.ConvexPerimeter, one.ConvexZone, one.RecalculatedSurface,
                       one.ConvexityIndex, one.PerimeterConvexity, one.ExternalPerimeterConvexity),
            std::tuple(1, 1, 1, 0.5, 100.0, 100.0, 100.0));
  EXPECT_EQ(std::tuple(five.Measurable, five.Surface, six.Measurable, six.Surface),
            std::tuple(false, 2, false, 1));
  for (int code : {1, 2, 4, 5, 6}) EXPECT_EQ(Fields(Measure(labels, code)), Fields(Reference(labels, code)));
}

TEST(ShapeMeasures, SameAsTheWholeImageMeasuresOnRandomItems) {
  std::mt19937 random(11);
  for (int trial = 0; trial < 12; ++trial) {
    const int lines = 20 + static_cast<int>(random() % 30), columns = 20 + static_cast<int>(random() % 30);
    BytePlane labels = UniformPlane(columns, lines);
    for (int k = 0; k < 14; ++k) {  // blocks and rings
      const int top = static_cast<int>(random() % lines), left = static_cast<int>(random() % columns);
      const int h = std::min(1 + static_cast<int>(random() % 9), lines - top);
      const int w = std::min(1 + static_cast<int>(random() % 9), columns - left);
      FillBlock(labels, top, left, h, w, static_cast<std::uint8_t>(1 + random() % 5));
      if (random() % 2) FillBlock(labels, top + 1, left + 1, h - 2, w - 2, 255);
    }
    for (int k = 0; k < 30; ++k)
      labels[random() % lines][random() % columns] = static_cast<std::uint8_t>(1 + random() % 5);
    const ItemIndex index = IndexItems(labels);
    const std::vector<int> codes = index.PresentCodes();
    const std::vector<ItemShape> shapes = MeasureItems(labels, index, codes);
    ASSERT_EQ(shapes.size(), codes.size());
    for (std::size_t k = 0; k < codes.size(); ++k)
      EXPECT_EQ(Fields(shapes[k]), Fields(Reference(labels, codes[k]))) << trial << " code " << codes[k];
  }
}

TEST(ConvexHull, HandWorkedShapesAndTheAngleWalkOnRandomPixelSets) {
  using P = std::vector<PixelPoint>;
  EXPECT_EQ(ConvexHullVertices({{0, 0}, {0, 4}, {4, 4}, {4, 0}, {2, 2}, {4, 2}}),
            (P{{4, 0}, {4, 4}, {0, 4}, {0, 0}, {4, 0}}));
  EXPECT_EQ(ConvexHullVertices({}), P{});
  std::mt19937 random(3);
  for (int trial = 0; trial < 400; ++trial) {
    const int side = 2 + static_cast<int>(random() % 30), count = 1 + static_cast<int>(random() % 40);
    std::set<std::pair<int, int>> unique;
    for (int k = 0; k < count; ++k)
      unique.insert({static_cast<int>(random() % side), static_cast<int>(random() % side)});
    std::vector<PixelPoint> points;
    for (auto [line, column] : unique) points.push_back({line, column});
    ASSERT_EQ(ConvexHullVertices(points), AngleWalkHull(points)) << "trial " << trial;
  }
}

TEST(DrawMatrixLine, CellsOfHandWorkedLinesWithoutTheEndPoint) {
  using Set = std::set<std::pair<int, int>>;
  const auto cells = [](int line1, int column1, int line2, int column2, int columns = 8) {
    BytePlane plane(columns, 8);
    DrawMatrixLine(line1, column1, line2, column2, plane);
    Set set;
    for (int i = 0; i < plane.Lines(); ++i)
      for (int j = 0; j < plane.Columns(); ++j)
        if (plane[i][j]) set.insert({i, j});
    return set;
  };
  EXPECT_EQ(cells(0, 0, 2, 5), (Set{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}));  // 0, 0.4, .. 1.6 rounded
  const Set fourteen = cells(0, 0, 1, 14);  // seven steps of 1/14 add up to just below 0.5
  EXPECT_TRUE(fourteen.count({0, 7}) == 1 && fourteen.count({1, 7}) == 0);
  EXPECT_EQ(cells(3, 3, 3, 3), Set{});                                   // no length, no cell
  EXPECT_EQ(cells(1, 13, 1, 18, 16), (Set{{1, 13}, {1, 14}, {1, 15}}));  // the cells inside only
}

// Whole rows are checked in the handler's tables; here an item on the frame at half a metre.
TEST(PatternTable, AnItemOnTheFrameHasOnlyItsSurfaceAndTheExtensionIsAddedOnlyWhenMissing) {
  ItemShape frame;
  frame.Code = 12, frame.Surface = 3;
  const std::string row = PatternTableRow(frame, 0.5);
  EXPECT_EQ(row.substr(0, row.find("\tundefined")), "12\t3\t0.750000");
  const std::pair<std::string, std::string> cases[] = {{"/data/items", "/data/items.xls"},
                                                       {"/data/items.xls", "/data/items.xls"},
                                                       {"ITEMS.XLS", "ITEMS.XLS"},
                                                       {"items.xls.bak", "items.xls.bak.xls"},
                                                       {"", ".xls"}};
  for (const auto& [name, expected] : cases) EXPECT_EQ(WithXlsExtension(name), expected) << name;
}
