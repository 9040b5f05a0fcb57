#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "binary/kernels/ShapeMeasures.h"

namespace {

constexpr std::uint8_t kBackground = 255;

BytePlane Blank(int columns, int lines) {
  BytePlane plane(columns, lines);
  plane.Fill(kBackground);
  return plane;
}

void Rectangle(BytePlane& plane, int top, int left, int lines, int columns, std::uint8_t code) {
  for (int i = top; i < top + lines; ++i)
    for (int j = left; j < left + columns; ++j) plane[i][j] = code;
}

ItemShape Measure(const BytePlane& labels, int code) {
  return MeasureItem(labels, code, IndexItems(labels)[code]);
}

// ---- The measures as the treatment was first described: whole-image planes, the hull walked with
// angles, lines drawn with running reals, fills over the whole image (within its bounds). ----

using Grid = std::vector<std::vector<int>>;

Grid Zeros(int lines, int columns) {
  return Grid(lines, std::vector<int>(columns, 0));
}

// Cells still 0 inside [top, bottom] x [left, right] after filling, from the first 0 cell of that
// rectangle, the 0 cells 4-connected to it; the later regions are counted as holes.
struct Regions {
  std::vector<std::int64_t> holes;  // sizes of the regions after the first
  Grid marked;                      // 1 outside, 2 in a hole
};

Regions FillRegions(const Grid& plane, int top, int bottom, int left, int right) {
  const int lines = static_cast<int>(plane.size()), columns = static_cast<int>(plane[0].size());
  Regions r{{}, Zeros(lines, columns)};
  bool first = true;
  for (int i = top; i <= bottom; ++i)
    for (int j = left; j <= right; ++j) {
      if (plane[i][j] != 0 || r.marked[i][j] != 0) continue;
      const int mark = first ? 1 : 2;
      std::vector<std::pair<int, int>> stack{{i, j}};
      r.marked[i][j] = mark;
      std::int64_t size = 0;
      while (!stack.empty()) {
        auto [a, b] = stack.back();
        stack.pop_back();
        ++size;
        const int next[4][2] = {{a - 1, b}, {a + 1, b}, {a, b - 1}, {a, b + 1}};
        for (auto& n : next)
          if (n[0] >= 0 && n[0] < lines && n[1] >= 0 && n[1] < columns && plane[n[0]][n[1]] == 0 &&
              r.marked[n[0]][n[1]] == 0) {
            r.marked[n[0]][n[1]] = mark;
            stack.push_back({n[0], n[1]});
          }
      }
      if (!first) r.holes.push_back(size);
      first = false;
    }
  return r;
}

// The plane with 1 everywhere except over the bounding box of its 1 cells enlarged by one.
Grid Boxed(const Grid& cells, int& top, int& bottom, int& left, int& right) {
  const int lines = static_cast<int>(cells.size()), columns = static_cast<int>(cells[0].size());
  top = lines, bottom = -1, left = columns, right = -1;
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j)
      if (cells[i][j]) {
        top = std::min(top, i), bottom = std::max(bottom, i);
        left = std::min(left, j), right = std::max(right, j);
      }
  --top, ++bottom, --left, ++right;
  Grid boxed(lines, std::vector<int>(columns, 1));
  for (int i = top; i <= bottom; ++i)
    for (int j = left; j <= right; ++j) boxed[i][j] = cells[i][j];
  return boxed;
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

Grid Edges(const Grid& inside, std::int64_t& count) {
  const int lines = static_cast<int>(inside.size()), columns = static_cast<int>(inside[0].size());
  Grid edge = Zeros(lines, columns);
  count = 0;
  for (int i = 1; i < lines - 1; ++i)
    for (int j = 1; j < columns - 1; ++j)
      if (inside[i][j] && inside[i - 1][j] + inside[i + 1][j] + inside[i][j - 1] + inside[i][j + 1] < 4) {
        edge[i][j] = 1;
        ++count;
      }
  return edge;
}

std::vector<std::pair<int, int>> AngleWalk(const Grid& edge) {
  std::vector<std::pair<int, int>> pixels;
  for (std::size_t i = 0; i < edge.size(); ++i)
    for (std::size_t j = 0; j < edge[0].size(); ++j)
      if (edge[i][j]) pixels.push_back({static_cast<int>(i), static_cast<int>(j)});
  std::pair<int, int> first = pixels[0];
  for (auto p : pixels)
    if (p.first > first.first || (p.first == first.first && p.second < first.second)) first = p;
  std::vector<std::pair<int, int>> hull{first};
  auto v = first;
  double previous = -1;
  for (;;) {
    double best = 361, farthest = -1;
    std::pair<int, int> next;
    for (auto q : pixels) {
      if (q == v) continue;
      double a = 90 - std::atan2(q.second - v.second, v.first - q.first) * 45 / std::atan(1.0);
      if (a < 0) a += 360;
      const double d = std::hypot(q.first - v.first, q.second - v.second);
      if (a > previous && (a < best || (a == best && d > farthest))) best = a, farthest = d, next = q;
    }
    if (best == 361) break;
    hull.push_back(next);
    if (next == first) break;
    v = next;
    previous = best;
  }
  return hull;
}

void DrawLine(std::pair<int, int> from, std::pair<int, int> to, Grid& plane) {
  const int d = std::max(std::abs(to.first - from.first), std::abs(to.second - from.second));
  if (d == 0) return;
  const double sl = double(to.first - from.first) / d, sc = double(to.second - from.second) / d;
  double x = from.first, y = from.second;
  for (;;) {
    const int r = static_cast<int>(std::trunc(x + 0.5)), c = static_cast<int>(std::trunc(y + 0.5));
    if (r == to.first && c == to.second) return;
    plane[r][c] = 1;
    x += sl, y += sc;
  }
}

std::int64_t Count(const Grid& g) {
  std::int64_t n = 0;
  for (auto& row : g)
    for (int v : row) n += v != 0;
  return n;
}

ItemShape Reference(const BytePlane& labels, int code) {
  const int lines = labels.Lines(), columns = labels.Columns();
  const double pi = 4 * std::atan(1.0);
  ItemShape s;
  s.Code = code;
  Grid b = Zeros(lines, columns);
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

  const auto hull = AngleWalk(edge);
  if (hull.size() == 1) {
    s.ConvexPerimeter = s.ConvexZone = 1;
  } else {
    Grid outline = Zeros(lines, columns);
    for (std::size_t k = 1; k < hull.size(); ++k) DrawLine(hull[k - 1], hull[k], outline);
    s.ConvexPerimeter = Count(outline);
    int top, bottom, left, right;
    const Grid boxed = Boxed(outline, top, bottom, left, right);
    const Regions r = FillRegions(boxed, top, bottom, left, right);
    for (int i = top; i <= bottom; ++i)
      for (int j = left; j <= right; ++j)
        if (boxed[i][j] == 0 && r.marked[i][j] != 1) outline[i][j] = 1;
    s.ConvexZone = Count(outline);
  }
  s.ConvexityIndex = std::min(100.0, 100 * S / double(s.ConvexZone));
  s.PerimeterConvexity = std::min(100.0, 100 * double(s.ConvexPerimeter) / P);

  int top, bottom, left, right;
  const Grid boxed = Boxed(b, top, bottom, left, right);
  const Regions r = FillRegions(boxed, top, bottom, left, right);
  s.Holes.Min = std::int64_t(lines) * columns;
  for (std::int64_t hole : r.holes) {
    ++s.Holes.Count;
    s.Holes.Min = std::min(s.Holes.Min, hole);
    s.Holes.Max = std::max(s.Holes.Max, hole);
    s.Holes.Total += hole;
  }
  Grid filled = b;
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j)
      if (r.marked[i][j] == 2) filled[i][j] = 1;
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

void ExpectSame(const ItemShape& got, const ItemShape& want) {
  constexpr double kSums = 1e-9;  // link lengths added in another order
  EXPECT_EQ(got.Code, want.Code);
  EXPECT_EQ(got.Surface, want.Surface);
  EXPECT_EQ(got.CentreLine, want.CentreLine);
  EXPECT_EQ(got.CentreColumn, want.CentreColumn);
  ASSERT_EQ(got.Measurable, want.Measurable);
  EXPECT_EQ(got.Perimeter, want.Perimeter);
  EXPECT_EQ(got.RecalculatedSurface, want.RecalculatedSurface);
  EXPECT_NEAR(got.PerimeterLength, want.PerimeterLength, kSums);
  EXPECT_EQ(got.Rodondity, want.Rodondity);
  EXPECT_EQ(got.PerimeterPerSurface, want.PerimeterPerSurface);
  EXPECT_NEAR(got.EuclidianPerSurface, want.EuclidianPerSurface, kSums);
  EXPECT_EQ(got.ConvexPerimeter, want.ConvexPerimeter);
  EXPECT_EQ(got.ConvexZone, want.ConvexZone);
  EXPECT_EQ(got.ConvexityIndex, want.ConvexityIndex);
  EXPECT_EQ(got.PerimeterConvexity, want.PerimeterConvexity);
  EXPECT_EQ(got.Holes.Count, want.Holes.Count);
  EXPECT_EQ(got.Holes.Min, want.Holes.Min);
  EXPECT_EQ(got.Holes.Max, want.Holes.Max);
  EXPECT_EQ(got.Holes.Total, want.Holes.Total);
  EXPECT_EQ(got.PorosityRate, want.PorosityRate);
  EXPECT_EQ(got.ConvexPorosityRate, want.ConvexPorosityRate);
  EXPECT_EQ(got.ExternalPerimeterPixels, want.ExternalPerimeterPixels);
  EXPECT_NEAR(got.ExternalPerimeter, want.ExternalPerimeter, kSums);
  EXPECT_EQ(got.ExternalConvexity, want.ExternalConvexity);
  EXPECT_EQ(got.ExternalPerimeterConvexity, want.ExternalPerimeterConvexity);
  EXPECT_EQ(got.CircleRadius, want.CircleRadius);
  EXPECT_EQ(got.Ratio1, want.Ratio1);
  EXPECT_NEAR(got.Ratio2, want.Ratio2, kSums);
}

}  // namespace

TEST(ShapeMeasures, FilledRectangleOfFiveByFour) {
  BytePlane labels = Blank(12, 10);
  Rectangle(labels, 2, 2, 4, 5, 1);  // lines 2..5, columns 2..6
  const ItemShape s = Measure(labels, 1);
  EXPECT_EQ(s.Surface, 20);
  EXPECT_EQ(s.Perimeter, 14);
  EXPECT_EQ(s.RecalculatedSurface, 13);
  // 14 side links round the border and one corner link at each corner, each counted from both ends.
  EXPECT_NEAR(s.PerimeterLength, 2 * (14 * 0.5 + 4 * 0.707), 1e-12);
  EXPECT_EQ(s.ConvexPerimeter, 14);  // the hull's outline is the border
  EXPECT_EQ(s.ConvexZone, 20);
  EXPECT_EQ(s.ConvexityIndex, 100);
  EXPECT_EQ(s.PerimeterConvexity, 100);
  EXPECT_EQ(s.Holes.Count, 0);
  EXPECT_EQ(std::tuple(s.PorosityRate, s.ConvexPorosityRate), std::tuple(0.0, 0.0));
  EXPECT_EQ(std::tuple(s.CentreLine, s.CentreColumn), std::tuple(3, 4));  // 3.5 and 4 truncated
  EXPECT_DOUBLE_EQ(s.Rodondity, 9.8);
  EXPECT_DOUBLE_EQ(s.CircleRadius, std::sqrt(13 / M_PI));
}

TEST(ShapeMeasures, RingCountsItsHoleAndTheFilledItemIsTheSquare) {
  BytePlane labels = Blank(15, 13);
  Rectangle(labels, 2, 3, 9, 9, 4);
  Rectangle(labels, 5, 6, 3, 3, kBackground);
  const ItemShape s = Measure(labels, 4);
  EXPECT_EQ(s.Surface, 72);
  EXPECT_EQ(std::tuple(s.Holes.Count, s.Holes.Min, s.Holes.Max, s.Holes.Total), std::tuple(1, 9, 9, 9));
  EXPECT_NEAR(s.PorosityRate, 100.0 * 9 / 81, 1e-12);
  EXPECT_EQ(s.Perimeter, 32 + 12);  // the border and the 12 pixels beside the hole
  EXPECT_EQ(s.ConvexZone, 81);
  EXPECT_NEAR(s.ConvexPorosityRate, 100.0 * 9 / 81, 1e-12);
  EXPECT_NEAR(s.ConvexityIndex, 100.0 * 72 / 81, 1e-12);
  EXPECT_EQ(s.ExternalConvexity, 100);  // the hole counts as part of the item
  EXPECT_EQ(s.ExternalPerimeterPixels, 32);
  EXPECT_EQ(s.ExternalPerimeterConvexity, 100);
}

TEST(ShapeMeasures, DiscOfRadiusOneHundred) {
  BytePlane labels = Blank(211, 211);
  for (int i = 0; i < 211; ++i)
    for (int j = 0; j < 211; ++j)
      if ((i - 105) * (i - 105) + (j - 105) * (j - 105) <= 100 * 100) labels[i][j] = 7;
  const ItemShape s = Measure(labels, 7);
  EXPECT_EQ(s.Surface, 31417);
  EXPECT_EQ(std::tuple(s.CentreLine, s.CentreColumn), std::tuple(105, 105));
  EXPECT_EQ(s.Holes.Count, 0);
  EXPECT_GT(s.ConvexityIndex, 99.0);  // the hull takes a few cells of the digital circle's notches
  EXPECT_NEAR(s.CircleRadius, 100, 0.5);
}

TEST(ShapeMeasures, SinglePixelIsItsOwnHullAndFramePixelsAloneAreNotMeasurable) {
  BytePlane labels = Blank(10, 10);
  labels[4][4] = 1;
  labels[0][3] = labels[0][4] = 2;  // on the frame only
  labels[9][0] = 3;
  const ItemShape one = Measure(labels, 1);
  EXPECT_EQ(std::tuple(one.Perimeter, one.ConvexPerimeter, one.ConvexZone), std::tuple(1, 1, 1));
  EXPECT_EQ(std::tuple(one.ConvexityIndex, one.PerimeterConvexity, one.ExternalPerimeterConvexity),
            std::tuple(100.0, 100.0, 100.0));
  EXPECT_EQ(one.RecalculatedSurface, 0.5);
  for (int code : {2, 3}) {
    const ItemShape frame = Measure(labels, code);
    EXPECT_FALSE(frame.Measurable);
    EXPECT_EQ(frame.Surface, code == 2 ? 2 : 1);
  }
}

TEST(ShapeMeasures, ItemOpenTowardTheFrameHasNoHole) {
  // A U on lines 1..4 whose opening reaches the frame line: the opening is outside, not a hole.
  BytePlane labels = Blank(12, 8);
  Rectangle(labels, 0, 3, 5, 5, 1);
  Rectangle(labels, 0, 4, 4, 3, kBackground);
  // And an item on the first inner line that closes a cell against the frame.
  labels[1][9] = labels[2][10] = labels[1][11] = 2;
  EXPECT_EQ(Measure(labels, 1).Holes.Count, 0);
  EXPECT_EQ(Measure(labels, 2).Holes.Count, 0);
}

TEST(ShapeMeasures, SameAsTheWholeImageMeasuresOnRandomItems) {
  std::mt19937 random(11);
  for (int trial = 0; trial < 12; ++trial) {
    const int lines = 20 + static_cast<int>(random() % 30), columns = 20 + static_cast<int>(random() % 30);
    BytePlane labels = Blank(columns, lines);
    for (int k = 0; k < 14; ++k) {
      const std::uint8_t code = static_cast<std::uint8_t>(1 + random() % 5);
      const int top = static_cast<int>(random() % lines), left = static_cast<int>(random() % columns);
      const int h = 1 + static_cast<int>(random() % 9), w = 1 + static_cast<int>(random() % 9);
      const bool ring = random() % 2;
      for (int i = top; i < std::min(lines, top + h); ++i)
        for (int j = left; j < std::min(columns, left + w); ++j)
          if (!ring || i == top || j == left || i == top + h - 1 || j == left + w - 1) labels[i][j] = code;
    }
    for (int k = 0; k < 30; ++k)
      labels[random() % lines][random() % columns] = static_cast<std::uint8_t>(1 + random() % 5);
    const ItemIndex index = IndexItems(labels);
    const std::vector<int> codes = index.PresentCodes();
    const std::vector<ItemShape> shapes = MeasureItems(labels, index, codes);
    ASSERT_EQ(shapes.size(), codes.size());
    for (std::size_t k = 0; k < codes.size(); ++k) {
      SCOPED_TRACE(testing::Message() << "trial " << trial << " code " << codes[k]);
      ExpectSame(shapes[k], Reference(labels, codes[k]));
    }
  }
}
