#include <gtest/gtest.h>

#include <cmath>

#include "binary/kernels/ItemContour.h"
#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/PerimeterDimension.h"
#include "binary/kernels/PerimeterOrientation.h"
#include "fixtures/Blocks.h"
#include "fixtures/Fractals.h"

namespace {

std::vector<ContourPoint> Contour(const BytePlane& labels, int code) {
  return ItemContour(labels, IndexItems(labels)[code], code);
}

}  // namespace

// Lengths of 0 have no logarithm: no -inf anywhere, and without L(1), L(2) and L(4) no slope.
// One pixel: 4 + 1 points, L(4) = 0. Two pixels side by side: 6 + 1 points, only L(8) = 0.
TEST(PerimeterDimension, ShortContoursAreNotMeasurableAndStoreNoInfinity) {
  // Item lines and columns, contour points, measurable.
  for (const auto& [lines, columns, points, measurable] :
       {std::tuple(1, 1, 5, false), {1, 2, 7, true}, {2, 2, 9, true}}) {
    BytePlane labels = UniformPlane(6, 6);
    FillBlock(labels, 2, 2, lines, columns, 4);
    const PerimeterMeasure measure = MeasurePerimeter(Contour(labels, 4));
    EXPECT_EQ(std::tuple(measure.ContourPoints, measure.Measurable, std::isnan(measure.Slope),
                         std::isnan(measure.Ratio)),
              std::tuple(points, measurable, !measurable, !measurable));
    EXPECT_TRUE(std::isnan(measure.LogLength[3]));  // L(8) = 0 below ten points
    for (const double y : measure.LogLength) EXPECT_FALSE(std::isinf(y));
  }
}

// Each code of the list in turn, an absent one marked. With x = 0, ln 2, ln 4 equally spaced, the
// least-squares slope of three points is (y3 - y1) / (x3 - x1): for the eight square, ten times
// (ln L(4) - ln L(1)) / ln 4 from its hand lengths, -0.2540.
TEST(PerimeterDimension, EachCodeOfTheListIsMeasuredAndAnAbsentOneIsMarked) {
  const BytePlane labels = SquaresInARow({1, 5}, {8, 1});  // the eight square and one pixel
  const std::vector<PerimeterMeasure> measures =
      PerimeterDimensions(labels, IndexItems(labels), {5, 9, 1, 300});
  ASSERT_EQ(measures.size(), 4u);
  EXPECT_EQ(std::tuple(measures[0].Code, measures[0].ContourPoints, measures[2].ContourPoints,
                       measures[2].Measurable),
            std::tuple(5, 5, 33, true));
  EXPECT_FALSE(measures[1].Present || measures[1].Measurable || measures[3].Present);
  const double slope =
      10 * (std::log(16 + 4 * std::sqrt(17.0)) - std::log(28 + 4 * std::sqrt(2.0))) / std::log(4.0);
  EXPECT_NEAR(measures[2].Slope, slope, 1e-12);
  EXPECT_NEAR(measures[2].Ratio, 1 - slope, 1e-12);
}

TEST(PerimeterOrientation, StepAnglesFollowTheCompass) {
  // Step (dy, dx) after a step of this angle, its angle.
  const int cases[][4] = {{0, 1, 0, 0},     {0, 3, 270, 0},  {0, 1, 271, 360}, {0, -1, 0, 180},
                          {1, 0, 0, 90},    {-2, 0, 0, 270}, {1, 1, 0, 45},    {1, -1, 0, 135},
                          {-1, -1, 0, 225}, {-1, 1, 0, 315}, {2, 1, 0, 63},    {1, 4, 0, 14},
                          {-4, 1, 0, 284},  {4, -1, 0, 104}};
  for (const auto& [dy, dx, previous, angle] : cases)
    EXPECT_EQ(StepAngle(dy, dx, previous), angle) << dy << ", " << dx << " after " << previous;
}

// The eight square's contour at L = 1: seven steps right (0, turned 90), one up-right (45: 135),
// seven up (90: 180), one up-left (135: 225), seven left (180: 270), one down-left (225: 315), seven
// down (270: 360) and the closing step down-right (315: 405 - 360 = 45).
TEST(PerimeterOrientation, TheEightSquareTurnsAQuarterAtATime) {
  const std::vector<ContourPoint> square = Contour(fixtures::FilledSquare(12, 12, 1, 1, 8), fixtures::kItem);
  std::vector<int> quarters;
  for (const int angle : {90, 135, 180, 225, 270, 315, 360, 45})
    quarters.insert(quarters.end(), angle % 90 == 0 ? 7 : 1, angle);
  EXPECT_EQ(OrientationSequence(square, 1), quarters);
  // L = 4: points (10,2) (10,6) (9,10) (5,10) (1,9) (1,5) (2,1) (6,1) (10,2); the steps of one line
  // and four columns make atan(1/4) = 14.04 degrees.
  EXPECT_EQ(OrientationSequence(square, 4), (std::vector<int>{90, 104, 180, 194, 270, 284, 360, 14}));
  // L = 16: (10,2) to (1,9) and back, 9 lines for 7 columns: atan(9/7) = 52.1 degrees.
  EXPECT_EQ(OrientationSequence(square, 16), (std::vector<int>{142, 322}));
  // L = N - 1: from the start to itself; L = N and beyond: no step; L < 1 never advances.
  for (const int length : {32, 33, 100, 0, -3})
    EXPECT_TRUE(OrientationSequence(square, length).empty()) << length;
  // N = 9, L = 3: points 1, 4, 7 give two angles (right, then up); the piece from 7 to 9 is left out.
  const std::vector<ContourPoint> hook = {{5, 0}, {5, 1}, {5, 2}, {5, 3}, {4, 3},
                                          {3, 3}, {2, 3}, {2, 2}, {2, 1}};
  EXPECT_EQ(OrientationSequence(hook, 3), (std::vector<int>{90, 180}));
}
