#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "ThreadCounts.h"
#include "binary/kernels/Resample.h"
#include "fixtures/Patterns.h"
#include "fixtures/Pixels.h"
#include "imaging/LeastSquares.h"
#include "imaging/SeedFill.h"
#include "urban/kernels/DrawnDisc.h"
#include "urban/kernels/Expansion.h"

namespace {

using Point = std::array<int, 2>;

// The expansion literally, each step from scratch: the circle traced by accumulated angles, points
// joined, seed-filled from the centre, counted, masked, reduced five times by ResampleByBoxes.
void JoinLiterally(BytePlane& plane, Point a, Point b) {
  const int steps = std::max(std::abs(b[0] - a[0]), std::abs(b[1] - a[1]));
  for (int k = 0; k <= steps; ++k) {
    auto at = [&](int p, int q) {
      return static_cast<int>((steps == 0 ? p : p + static_cast<double>(q - p) * k / steps) + 0.5);
    };
    plane[at(a[0], b[0])][at(a[1], b[1])] = 1;
  }
}

BytePlane FilledDiscLiterally(int lines, int columns, int cy, int cx, int r, int planRadius) {
  BytePlane disc(columns, lines);
  disc.Fill(255);
  const int n = planRadius <= 33 ? 360 : planRadius <= 64 ? 720 : planRadius <= 107 ? 1440 : 2880;
  const double step = 360.0 / n, toRadians = 4 * std::atan(1.0) * (1.0 / 180);
  std::vector<Point> points;
  double a = 0;
  for (int k = 0; k < n; ++k, a += step)
    points.push_back({cy - static_cast<int>(r * std::sin(a * toRadians)),
                      cx + static_cast<int>(r * std::cos(a * toRadians))});
  for (int k = 0; k < n; ++k) JoinLiterally(disc, points[k], points[(k + 1) % n]);
  SeedFill(disc, cy, cx, 1);
  return disc;
}

using Rows = std::vector<std::tuple<int, std::int64_t, std::int64_t, double, double>>;
Rows Text(const std::vector<ExpansionStep>& steps) {
  Rows rows;
  for (const ExpansionStep& s : steps)
    rows.emplace_back(s.Radius, s.DiscPixels, s.CoveredPixels, s.Density, s.FractalDimension);
  return rows;
}

Rows ReferenceExpansion(const BytePlane& image, const ExpansionParams& p) {
  const int lines = image.Lines(), columns = image.Columns();
  std::vector<ExpansionStep> steps;
  for (int r = p.FirstRadius; r < p.LastRadius; ++r) {
    BytePlane disc = FilledDiscLiterally(lines, columns, p.CentreLine, p.CentreColumn, r, r);
    if (p.CrownWidth > 0) {
      const BytePlane inner =
          FilledDiscLiterally(lines, columns, p.CentreLine, p.CentreColumn, r - p.CrownWidth, r);
      for (std::size_t k = 0; k < disc.Size(); ++k)
        if (inner.Data()[k] == 1) disc.Data()[k] = 255;
    }
    BytePlane covered(columns, lines);
    for (std::size_t k = 0; k < disc.Size(); ++k)
      covered.Data()[k] =
          disc.Data()[k] == 1 && p.MinValue <= image.Data()[k] && image.Data()[k] <= p.MaxValue ? 1 : 255;
    const std::int64_t inDisc = CountOf(disc, 1), inCovered = CountOf(covered, 1);
    double x[5], y[5];
    bool empty = false;
    for (int s = 2; s <= 6; ++s) {
      const BytePlane reduced = ResampleByBoxes(covered, lines / s, columns / s);
      const auto n = static_cast<std::int64_t>(reduced.Size()) - CountOf(reduced, 255);
      empty = empty || n == 0;
      x[s - 2] = std::log(static_cast<double>(s));
      y[s - 2] = std::log(static_cast<double>(n));
    }
    const double d = empty ? 0.0 : -LeastSquaresSlope(x, y, 5);
    steps.push_back({r, d > 0 ? d : 0.0, inDisc == 0 ? 0.0 : static_cast<double>(100.0L * inCovered / inDisc),
                     inDisc, inCovered});
  }
  return Text(steps);
}

// Random gray blobs: the covered part has both solid areas and ragged edges.
BytePlane Blobs(int columns, int lines, std::uint32_t seed) {
  const BytePlane noise = MakeRandomGray(columns / 4 + 1, lines / 4 + 1, seed);
  BytePlane plane = MakeRandomGray(columns, lines, seed + 1);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j) plane[i][j] = plane[i][j] < 40 ? plane[i][j] : noise[i / 4][j / 4];
  return plane;
}

class ExpansionAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(ExpansionAtThreads);

}  // namespace

TEST_P(ExpansionAtThreads, EqualsTheStepByStepReferenceOnRandomImages) {
  const struct {
    int columns, lines;
    ExpansionParams p;
  } cases[] = {
      {90, 80, {40, 45, 1, 39, 0, 0, 120}},          // from the smallest radius to the border
      {90, 80, {40, 45, 2, 39, 1, 60, 200}},         // rings of width 1
      {101, 77, {30, 50, 8, 30, 5, 100, 255}},       // off-centre rings
      {130, 150, {70, 64, 20, 64, 12, 0, 90}},       // plans of 720 and 1440 points
      {240, 230, {114, 120, 100, 114, 0, 50, 180}},  // the finest plan
      {31, 29, {14, 15, 1, 14, 0, 0, 255}},          // sides 5 and 6 barely fit
  };
  std::uint32_t seed = 11;
  for (const auto& c : cases) {
    const BytePlane image = Blobs(c.columns, c.lines, seed++);
    EXPECT_EQ(Text(Expand(image, c.p)), ReferenceExpansion(image, c.p)) << "seed " << seed - 1;
  }
}

TEST(ExpansionTest, FromRadius467ConsecutivePointsAreApartAndTheCirclesAreStillJoined) {
  CircleTables tables;
  std::vector<Point> points;
  auto neighbours = [&](int r) {
    tables.Points(1000, 1000, r, r, points);
    for (std::size_t k = 0; k < points.size(); ++k) {
      const Point a = points[k], b = points[(k + 1) % points.size()];
      if (std::abs(a[0] - b[0]) > 1 || std::abs(a[1] - b[1]) > 1) return false;
    }
    return true;
  };
  EXPECT_TRUE(neighbours(466));
  EXPECT_FALSE(neighbours(467));  // so the comparison below goes through the joining
  const BytePlane image = Blobs(950, 944, 5);
  for (const ExpansionParams& p :
       {ExpansionParams{471, 474, 466, 469, 0, 0, 150}, {471, 474, 468, 470, 3, 0, 150}})
    EXPECT_EQ(Text(Expand(image, p)), ReferenceExpansion(image, p));
}

TEST(ExpansionTest, DrawnDiscAreaIsWithinThreePercentOfPiRSquared) {
  DiscWorkspace work;
  for (int r : {8, 9, 12, 20, 33, 34, 64, 65, 107, 108, 200, 466, 467, 600, 1500}) {
    const double area = static_cast<double>(DrawnDisc(2000, 2000, r, r, work).PixelCount());
    EXPECT_NEAR(area / (std::numbers::pi * r * r), 1.0, 0.03) << r;
  }
  EXPECT_EQ(DrawnDisc(5, 5, 1, 1, work).PixelCount(), 5);  // the centre and its four neighbours
}

TEST(ExpansionTest, APlaneGivesDensity100AndAboutTwoAnEmptyRangeZero) {
  const auto steps = Expand(MakeGrayRamp(300, 300), {150, 150, 100, 140, 0, 0, 255});
  ASSERT_EQ(steps.size(), 40u);
  for (const ExpansionStep& step : steps) {
    EXPECT_EQ(step.Density, 100.0);
    EXPECT_NEAR(step.FractalDimension, 1.975, 0.075) << step.Radius;  // 1.9 .. 2.05
  }
  // An empty range.
  const auto none = Expand(MakeGrayRamp(60, 60), {30, 30, 5, 20, 0, 200, 100});
  ASSERT_EQ(none.size(), 15u);
  for (const ExpansionStep& step : none) {
    EXPECT_EQ(std::tuple(step.CoveredPixels, step.Density, step.FractalDimension), std::tuple(0, 0.0, 0.0));
    EXPECT_FALSE(std::signbit(step.FractalDimension));
  }
  // Counts growing with the side, or flat, give 0 (not -0); a count of 0 has no logarithm.
  EXPECT_EQ(ExpansionDimension({1, 2, 3, 4, 5}), 0.0);
  EXPECT_FALSE(std::signbit(ExpansionDimension({9, 9, 9, 9, 9})));
  EXPECT_EQ(ExpansionDimension({40, 20, 10, 0, 3}), 0.0);
}

TEST(ExpansionTest, ParametersOutsideTheImageOrOutOfOrderGiveNoStep) {
  const BytePlane image = MakeGrayRamp(300, 200);
  const int refused[][5] = {
      {100, 150, 10, 10, 0},  {100, 150, 0, 20, 0},    // no step; no first radius
      {100, 150, 10, 100, 0}, {10, 150, 5, 11, 0},     // past the bottom edge (100 > 99); the top edge
      {100, 295, 2, 6, 0},    {200, 150, 1, 2, 0},     // past the right edge; centre outside
      {-1, 150, 1, 2, 0},     {100, 150, 10, 20, 10},  // centre outside; crown as wide as the first radius
      {100, 150, 10, 20, -1},                          // negative crown width
  };
  for (const auto& c : refused) {
    const ExpansionParams p{c[0], c[1], c[2], c[3], c[4], 0, 255};
    EXPECT_FALSE(ExpansionFits(200, 300, p)) << c[0] << " " << c[1] << " " << c[2] << " " << c[3];
    EXPECT_TRUE(Expand(image, p).empty());
  }
}
