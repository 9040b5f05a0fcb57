#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "binary/kernels/Resample.h"
#include "fixtures/Patterns.h"
#include "imaging/LeastSquares.h"
#include "imaging/Parallel.h"
#include "imaging/SeedFill.h"
#include "urban/kernels/DrawnDisc.h"
#include "urban/kernels/Expansion.h"

namespace {

// The expansion worked out literally on planes of the image size, every step from scratch: the
// circle traced point by point (sine and cosine of each accumulated angle), consecutive points
// joined, the disc filled from the centre by the seed fill, counted, masked, and reduced five times
// by ResampleByBoxes.
int PointsOf(int r) {
  return r <= 33 ? 360 : r <= 64 ? 720 : r <= 107 ? 1440 : 2880;
}

void JoinLiterally(BytePlane& plane, int l0, int c0, int l1, int c1) {
  const int steps = std::max(std::abs(l1 - l0), std::abs(c1 - c0));
  for (int k = 0; k <= steps; ++k) {
    const double l = steps == 0 ? l0 : l0 + static_cast<double>(l1 - l0) * k / steps;
    const double c = steps == 0 ? c0 : c0 + static_cast<double>(c1 - c0) * k / steps;
    plane[static_cast<int>(l + 0.5)][static_cast<int>(c + 0.5)] = 1;
  }
}

void DrawCircleLiterally(BytePlane& plane, int cy, int cx, int r, int planRadius) {
  const int n = PointsOf(planRadius);
  const double step = 360.0 / n;
  const double c = 4 * std::atan(1.0) * (1.0 / 180);
  double a = 0;
  int firstLine = 0, firstColumn = 0, lastLine = 0, lastColumn = 0;
  for (int k = 0; k < n; ++k, a += step) {
    const int line = cy - static_cast<int>(r * std::sin(a * c));
    const int column = cx + static_cast<int>(r * std::cos(a * c));
    if (k == 0) {
      firstLine = line;
      firstColumn = column;
    } else {
      JoinLiterally(plane, lastLine, lastColumn, line, column);
    }
    plane[line][column] = 1;
    lastLine = line;
    lastColumn = column;
  }
  JoinLiterally(plane, lastLine, lastColumn, firstLine, firstColumn);
}

BytePlane FilledDiscLiterally(int lines, int columns, int cy, int cx, int r, int planRadius) {
  BytePlane disc(columns, lines);
  disc.Fill(255);
  DrawCircleLiterally(disc, cy, cx, r, planRadius);
  SeedFill(disc, cy, cx, 1);
  return disc;
}

std::int64_t CountOf(const BytePlane& plane, std::uint8_t value, bool equal = true) {
  std::int64_t n = 0;
  for (std::size_t k = 0; k < plane.Size(); ++k) n += (plane.Data()[k] == value) == equal;
  return n;
}

std::vector<ExpansionStep> ReferenceExpansion(const BytePlane& image, const ExpansionParams& p) {
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
    for (std::size_t k = 0; k < disc.Size(); ++k) {
      const int v = image.Data()[k];
      covered.Data()[k] = disc.Data()[k] == 1 && p.MinValue <= v && v <= p.MaxValue ? 1 : 255;
    }
    ExpansionStep step;
    step.Radius = r;
    step.DiscPixels = CountOf(disc, 1);
    step.CoveredPixels = CountOf(covered, 1);
    step.Density =
        step.DiscPixels == 0 ? 0.0 : static_cast<double>(100.0L * step.CoveredPixels / step.DiscPixels);
    double x[5], y[5];
    bool empty = false;
    for (int s = 2; s <= 6; ++s) {
      const BytePlane reduced = ResampleByBoxes(covered, lines / s, columns / s);
      const std::int64_t n = reduced.Empty() ? 0 : CountOf(reduced, 255, false);
      empty = empty || n == 0;
      x[s - 2] = std::log(static_cast<double>(s));
      y[s - 2] = std::log(static_cast<double>(n));
    }
    const double d = empty ? 0.0 : -LeastSquaresSlope(x, y, 5);
    step.FractalDimension = d > 0 ? d : 0.0;
    steps.push_back(step);
  }
  return steps;
}

void ExpectSameSteps(const std::vector<ExpansionStep>& fast, const std::vector<ExpansionStep>& reference) {
  ASSERT_EQ(fast.size(), reference.size());
  for (std::size_t k = 0; k < fast.size(); ++k) {
    SCOPED_TRACE("radius " + std::to_string(reference[k].Radius));
    EXPECT_EQ(fast[k].Radius, reference[k].Radius);
    EXPECT_EQ(fast[k].DiscPixels, reference[k].DiscPixels);
    EXPECT_EQ(fast[k].CoveredPixels, reference[k].CoveredPixels);
    EXPECT_EQ(fast[k].Density, reference[k].Density);
    EXPECT_EQ(fast[k].FractalDimension, reference[k].FractalDimension);
  }
}

ExpansionParams Params(int cy, int cx, int first, int last, int width, int min, int max) {
  ExpansionParams p;
  p.CentreLine = cy;
  p.CentreColumn = cx;
  p.FirstRadius = first;
  p.LastRadius = last;
  p.CrownWidth = width;
  p.MinValue = min;
  p.MaxValue = max;
  return p;
}

// Random gray values in blobs: neighbouring pixels alike, so that the covered part has both solid
// areas and ragged edges.
BytePlane Blobs(int columns, int lines, std::uint32_t seed) {
  const BytePlane noise = MakeRandomGray(columns / 4 + 1, lines / 4 + 1, seed);
  const BytePlane fine = MakeRandomGray(columns, lines, seed + 1);
  BytePlane plane(columns, lines);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j) plane[i][j] = fine[i][j] < 40 ? fine[i][j] : noise[i / 4][j / 4];
  return plane;
}

}  // namespace

TEST(ExpansionTest, EqualsTheStepByStepReferenceOnRandomImages) {
  struct Case {
    int columns, lines, cy, cx, first, last, width, min, max;
  };
  const Case cases[] = {
      {90, 80, 40, 45, 1, 39, 0, 0, 120},          // from the smallest radius to the border
      {90, 80, 40, 45, 2, 39, 1, 60, 200},         // rings of width 1
      {101, 77, 30, 50, 8, 30, 5, 100, 255},       // off-centre rings
      {130, 150, 70, 64, 20, 64, 12, 0, 90},       // plans of 720 and 1440 points
      {240, 230, 114, 120, 100, 114, 0, 50, 180},  // the finest plan
      {31, 29, 14, 15, 1, 14, 0, 0, 255},          // sides 5 and 6 barely fit
  };
  std::uint32_t seed = 11;
  for (const Case& c : cases) {
    SCOPED_TRACE("case seed " + std::to_string(seed));
    const BytePlane image = Blobs(c.columns, c.lines, seed++);
    const ExpansionParams p = Params(c.cy, c.cx, c.first, c.last, c.width, c.min, c.max);
    ExpectSameSteps(Expand(image, p), ReferenceExpansion(image, p));
  }
}

TEST(ExpansionTest, LargeCirclesAreJoinedAndEqualTheReference) {
  // From radius 467 on, consecutive points of the finest plan are two pixels apart somewhere.
  const BytePlane image = Blobs(950, 944, 5);
  const ExpansionParams p = Params(471, 474, 465, 470, 0, 0, 150);
  ExpectSameSteps(Expand(image, p), ReferenceExpansion(image, p));
  const ExpansionParams ring = Params(471, 474, 468, 470, 3, 0, 150);
  ExpectSameSteps(Expand(image, ring), ReferenceExpansion(image, ring));
}

TEST(ExpansionTest, ConsecutivePointsAreNeighboursBelowRadius467Only) {
  CircleTables tables;
  std::vector<std::array<int, 2>> points;
  auto joined = [&](int r) {
    tables.Points(1000, 1000, r, r, points);
    for (std::size_t k = 0; k < points.size(); ++k) {
      const auto& a = points[k];
      const auto& b = points[(k + 1) % points.size()];
      if (std::abs(a[0] - b[0]) > 1 || std::abs(a[1] - b[1]) > 1) return false;
    }
    return true;
  };
  for (int r = 1; r < 467; ++r) EXPECT_TRUE(joined(r)) << r;
  EXPECT_FALSE(joined(467));
  EXPECT_FALSE(joined(900));
}

TEST(ExpansionTest, PointsAndAngleStepFollowTheRadius) {
  EXPECT_EQ(PlanOfRadius(33).Points, 360);
  EXPECT_EQ(PlanOfRadius(34).Points, 720);
  EXPECT_EQ(PlanOfRadius(64).Step, 0.5);
  EXPECT_EQ(PlanOfRadius(65).Points, 1440);
  EXPECT_EQ(PlanOfRadius(107).Step, 0.25);
  EXPECT_EQ(PlanOfRadius(108).Points, 2880);
  EXPECT_EQ(PlanOfRadius(108).Step, 0.125);
}

TEST(ExpansionTest, DrawnDiscAreaIsWithinThreePercentOfPiRSquared) {
  DiscWorkspace work;
  for (int r : {8, 9, 12, 20, 33, 34, 64, 65, 107, 108, 200, 466, 467, 600, 1500}) {
    const double area = static_cast<double>(DrawnDisc(2000, 2000, r, r, work).PixelCount());
    EXPECT_NEAR(area / (std::numbers::pi * r * r), 1.0, 0.03) << r;
  }
  // The smallest disc: the centre and its four neighbours.
  EXPECT_EQ(DrawnDisc(5, 5, 1, 1, work).PixelCount(), 5);
}

TEST(ExpansionTest, RingIsTheOuterDiscWithoutTheInnerOne) {
  DiscWorkspace work;
  const RowRuns outer = DrawnDisc(300, 300, 150, 150, work);
  const RowRuns inner = DrawnDisc(300, 300, 140, 150, work);
  const RowRuns ring = Difference(outer, inner);
  EXPECT_EQ(ring.PixelCount(), outer.PixelCount() - inner.PixelCount());
  EXPECT_EQ(ring.Row(300 - 145).size(), 1u);  // above the inner disc: one run
  EXPECT_EQ(ring.Row(300 - 120).size(), 2u);  // across the inner disc: two
  EXPECT_EQ(ring.Row(300).size(), 2u);
}

TEST(ExpansionTest, AnImageFullyInsideTheThresholdGivesDensity100AndAPlaneDimension) {
  const BytePlane image = MakeGrayRamp(300, 300);
  const auto steps = Expand(image, Params(150, 150, 100, 140, 0, 0, 255));
  ASSERT_EQ(steps.size(), 40u);
  for (const ExpansionStep& step : steps) {
    EXPECT_EQ(step.Density, 100.0);
    EXPECT_GT(step.FractalDimension, 1.9) << step.Radius;
    EXPECT_LT(step.FractalDimension, 2.05) << step.Radius;
  }
}

TEST(ExpansionTest, ALineThroughTheCentreGivesADimensionNearOne) {
  BytePlane image(301, 301);
  for (int j = 0; j < 301; ++j) image[150][j] = 200;
  const auto steps = Expand(image, Params(150, 150, 8, 150, 0, 100, 255));
  for (const ExpansionStep& step : steps) {
    EXPECT_EQ(step.CoveredPixels, 2 * step.Radius + 1) << step.Radius;
    if (step.Radius >= 32) {
      EXPECT_NEAR(step.FractalDimension, 1.0, 0.1) << step.Radius;
    }
    EXPECT_GT(step.FractalDimension, 0.6) << step.Radius;
  }
}

TEST(ExpansionTest, AnEmptyRangeGivesDensityAndDimensionZero) {
  const BytePlane image = MakeGrayRamp(60, 60);
  for (auto [min, max] : {std::pair{200, 100}, std::pair{300, 400}, std::pair{-5, -1}}) {
    const auto steps = Expand(image, Params(30, 30, 5, 20, 0, min, max));
    ASSERT_EQ(steps.size(), 15u);
    for (const ExpansionStep& step : steps) {
      EXPECT_EQ(step.CoveredPixels, 0);
      EXPECT_EQ(step.Density, 0.0);
      EXPECT_EQ(step.FractalDimension, 0.0);
      EXPECT_FALSE(std::signbit(step.FractalDimension));
    }
  }
}

TEST(ExpansionTest, StepsRunFromTheFirstRadiusToBeforeTheLast) {
  const BytePlane image = MakeGrayRamp(300, 200);
  EXPECT_EQ(LargestLastRadius(200, 300, 100, 150), 99);
  const auto steps = Expand(image, Params(100, 150, 10, 12, 0, 0, 255));
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0].Radius, 10);
  EXPECT_EQ(steps[1].Radius, 11);
  std::vector<double> fractions;
  Expand(image, Params(100, 150, 10, 14, 0, 0, 255), [&](double f) { fractions.push_back(f); });
  EXPECT_EQ(fractions, (std::vector<double>{0.25, 0.5, 0.75, 1.0}));
}

TEST(ExpansionTest, ParametersOutsideTheImageOrOutOfOrderGiveNoStep) {
  const BytePlane image = MakeGrayRamp(300, 200);
  struct Case {
    int cy, cx, first, last, width;
  };
  const Case refused[] = {
      {100, 150, 10, 10, 0},   // no step
      {100, 150, 10, 9, 0},    // last before first
      {100, 150, 0, 20, 0},    // no first radius
      {100, 150, -3, 20, 0},   // negative first radius
      {100, 150, 10, 100, 0},  // past the bottom edge: 100 > 99
      {10, 150, 5, 11, 0},     // past the top edge
      {100, 295, 2, 6, 0},     // past the right edge
      {200, 150, 1, 2, 0},     // centre outside
      {-1, 150, 1, 2, 0},      // centre outside
      {100, 150, 10, 20, 10},  // crown as wide as the first radius
      {100, 150, 10, 20, -1},  // negative crown width
  };
  for (const Case& c : refused) {
    const ExpansionParams p = Params(c.cy, c.cx, c.first, c.last, c.width, 0, 255);
    EXPECT_FALSE(ExpansionFits(200, 300, p)) << c.cy << " " << c.cx << " " << c.first << " " << c.last;
    EXPECT_TRUE(Expand(image, p).empty());
  }
  EXPECT_TRUE(ExpansionFits(200, 300, Params(100, 150, 10, 99, 9, 0, 255)));
  EXPECT_TRUE(ExpansionFits(200, 300, Params(10, 150, 5, 10, 0, 0, 255)));
}

TEST(ExpansionTest, DimensionOfCountsIsTheNegatedSlopeOrZero) {
  // N(s) = 1000 / s^2: dimension 2.
  std::array<std::int64_t, 5> plane{};
  for (int k = 0; k < 5; ++k) plane[k] = std::llround(36000.0 / ((k + 2) * (k + 2)));
  EXPECT_NEAR(ExpansionDimension(plane), 2.0, 1e-3);
  EXPECT_EQ(ExpansionDimension({1, 2, 3, 4, 5}), 0.0);           // counts growing with the side: negative
  EXPECT_NEAR(ExpansionDimension({9, 9, 9, 9, 9}), 0.0, 1e-12);  // flat: 0, never -0
  EXPECT_FALSE(std::signbit(ExpansionDimension({9, 9, 9, 9, 9})));
  EXPECT_EQ(ExpansionDimension({40, 20, 10, 0, 3}), 0.0);  // a count of 0 has no logarithm
  EXPECT_EQ(ExpansionDensity(3, 4), 75.0);
  EXPECT_EQ(ExpansionDensity(0, 0), 0.0);
}

TEST(ExpansionTest, ResultsDoNotDependOnTheThreadCount) {
  const BytePlane image = Blobs(400, 400, 77);
  const ExpansionParams p = Params(200, 200, 150, 170, 0, 0, 130);
  parallel::SetThreadLimit(1);
  const auto one = Expand(image, p);
  parallel::SetThreadLimit(0);
  const auto all = Expand(image, p);
  ExpectSameSteps(all, one);
}
