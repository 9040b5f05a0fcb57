#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "binary/kernels/ItemContour.h"
#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/PerimeterDimension.h"
#include "binary/kernels/PerimeterOrientation.h"
#include "fixtures/Blocks.h"
#include "fixtures/Fractals.h"

namespace {

using Grid = std::vector<std::vector<int>>;

// Literal contour: bounds scan, frame of size + 7, two dilations, 4-contour, raster thinning, walk.
std::vector<ContourPoint> LiteralContour(const BytePlane& labels, int code) {
  int top = labels.Lines(), bottom = -1, left = labels.Columns(), right = -1;
  for (int i = 0; i < labels.Lines(); ++i)
    for (int j = 0; j < labels.Columns(); ++j)
      if (labels[i][j] == code)
        top = std::min(top, i), bottom = std::max(bottom, i), left = std::min(left, j),
        right = std::max(right, j);
  if (bottom < 0) return {};
  const int H = bottom - top + 7, W = right - left + 7;
  Grid frame(H, std::vector<int>(W, 0)), work(H, std::vector<int>(W, 0));
  for (int i = top; i <= bottom; ++i)
    for (int j = left; j <= right; ++j) frame[i - top + 1][j - left + 1] = labels[i][j] == code;
  const auto inner = [&](const auto& visit) {
    for (int i = 1; i <= H - 2; ++i)
      for (int j = 1; j <= W - 2; ++j) visit(i, j);
  };
  for (int pass = 0; pass < 2; ++pass, frame = work, work.assign(H, std::vector<int>(W, 0)))
    inner([&](int i, int j) {
      for (int a = -1; a <= 1; ++a)
        for (int b = -1; b <= 1; ++b) work[i][j] = std::max(work[i][j], frame[i + a][j + b]);
    });
  inner([&](int i, int j) {
    work[i][j] =
        frame[i][j] && (!frame[i - 1][j] || !frame[i + 1][j] || !frame[i][j - 1] || !frame[i][j + 1]);
  });
  frame = work;
  inner([&](int i, int j) {
    const int sum = frame[i - 1][j - 1] + 2 * frame[i - 1][j] + 4 * frame[i - 1][j + 1] +
                    8 * frame[i][j + 1] + 16 * frame[i + 1][j + 1] + 32 * frame[i + 1][j] +
                    64 * frame[i + 1][j - 1] + 128 * frame[i][j - 1];
    if (frame[i][j] && (sum == 10 || sum == 40 || sum == 160 || sum == 130)) frame[i][j] = 0;
  });
  std::vector<ContourPoint> points;
  for (int i = H - 1; i >= 0 && points.empty(); --i)
    for (int j = 0; j < W && points.empty(); ++j)
      if (frame[i][j]) points.push_back({i, j});
  const ContourPoint start = points[0];
  frame[start.Line][start.Column] = 0;
  const int order[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}};
  auto next = [&](ContourPoint p, int first, int last) {
    for (int s = first; s <= last; ++s) {
      const ContourPoint q{p.Line + order[s][0], p.Column + order[s][1]};
      if (frame[q.Line][q.Column]) return q;
    }
    return ContourPoint{-1, -1};
  };
  ContourPoint second = next(start, 2, 3);  // up-right, then right
  if (second.Line < 0) second = next(start, 0, 7);
  for (ContourPoint p = second; p.Line >= 0; p = next(p, 0, 7)) {
    frame[p.Line][p.Column] = 0;
    points.push_back(p);
  }
  points.push_back(start);
  return points;
}

}  // namespace

// The square grown to 10 x 10, walked from (10, 2) without its corners: 32 points and the start again.
TEST(ItemContour, AnEightSquareIsWalkedAlongItsBorderWithoutTheCornersAndTurnsByQuarters) {
  const BytePlane square = fixtures::FilledSquare(20, 20, 3, 5, 8);
  const ItemIndex index = IndexItems(square);
  const std::vector<ContourPoint> points = ItemContour(square, index[fixtures::kItem], fixtures::kItem);
  ASSERT_EQ(points.size(), 33u);
  EXPECT_EQ(std::tuple(points.front(), points[16], points.back()),
            std::tuple(ContourPoint{10, 2}, ContourPoint{1, 9}, ContourPoint{10, 2}));
  const double expected[4] = {28 + 4 * std::sqrt(2.0), 24 + 4 * std::sqrt(5.0), 16 + 4 * std::sqrt(17.0),
                              4 * std::sqrt(65.0)};
  for (int k = 0; k < 4; ++k) EXPECT_NEAR(YardstickLength(points, kYardsticks[k]), expected[k], 1e-12);
  EXPECT_EQ(YardstickLength(points, 0), 0.0);  // no yardstick
  // An absent code, bounds past the plane, a code beyond a byte: no contour.
  ItemBounds outside = index[fixtures::kItem];
  outside.MaxLine = 20;
  EXPECT_TRUE(ItemContour(square, index[9], 9).empty() &&
              ItemContour(square, outside, fixtures::kItem).empty() &&
              ItemContour(square, index[fixtures::kItem], 300).empty());
  // At L = 1 seven steps per side and one per corner, each angle turned by 90 (the last 405 - 360).
  std::vector<int> quarters;
  for (const int angle : {90, 135, 180, 225, 270, 315, 360, 45})
    quarters.insert(quarters.end(), angle % 90 == 0 ? 7 : 1, angle);
  EXPECT_EQ(OrientationSequence(points, 1), quarters);
  // L = 16: (10,2) to (1,9) and back, atan(9/7) = 52.1 degrees.
  EXPECT_EQ(OrientationSequence(points, 16), (std::vector<int>{142, 322}));
  // L = N - 1: from the start to itself; L = N and beyond: no step; L < 1 never advances.
  for (const int length : {32, 33, 100, 0, -3})
    EXPECT_TRUE(OrientationSequence(points, length).empty()) << length;
  // N = 9, L = 3: points 1, 4, 7 give two angles (right, then up); the piece from 7 to 9 is left out.
  const std::vector<ContourPoint> hook = {{5, 0}, {5, 1}, {5, 2}, {5, 3}, {4, 3},
                                          {3, 3}, {2, 3}, {2, 2}, {2, 1}};
  EXPECT_EQ(OrientationSequence(hook, 3), (std::vector<int>{90, 180}));
}

TEST(ItemContour, EqualsTheLiteralConstructionOnRandomItems) {
  std::mt19937 random(1234);
  const auto paint = [&random](BytePlane& labels, int top, int left, int lines, int columns, int code) {
    for (int k = 0; k < 6; ++k) {
      const int i = top + static_cast<int>(random() % lines), j = left + static_cast<int>(random() % columns);
      FillDisc(labels, i, j, static_cast<int>(random() % 4), static_cast<std::uint8_t>(code));
    }
  };
  for (int trial = 0; trial < 60; ++trial) {
    BytePlane labels = UniformPlane(44, 40);
    paint(labels, 2, 1, 14, 12, 3);
    paint(labels, 0, 13, 16, 14, 4);
    paint(labels, 20, 0, 20, 44, 200);
    const ItemIndex index = IndexItems(labels);
    for (const int code : index.PresentCodes())
      EXPECT_EQ(ItemContour(labels, index[code], code), LiteralContour(labels, code))
          << "trial " << trial << " code " << code;
  }
}

// Lengths of 0 have no logarithm: no -inf, and without L(1), L(2) and L(4) no slope.
TEST(PerimeterDimension, ShortContoursUnmeasurableEachCodeOfTheListMeasuredAbsentOnesMarked) {
  for (const auto& [lines, columns, points, measurable] :
       {std::tuple(1, 1, 5, false), {1, 2, 7, true}, {2, 2, 9, true}}) {
    BytePlane labels = UniformPlane(6, 6);
    FillBlock(labels, 2, 2, lines, columns, 4);
    const PerimeterMeasure measure = MeasurePerimeter(ItemContour(labels, IndexItems(labels)[4], 4));
    EXPECT_EQ(std::tuple(measure.ContourPoints, measure.Measurable, std::isnan(measure.Slope),
                         std::isnan(measure.Ratio)),
              std::tuple(points, measurable, !measurable, !measurable));
    EXPECT_TRUE(std::isnan(measure.LogLength[3]));  // L(8) = 0 below ten points
    for (const double y : measure.LogLength) EXPECT_FALSE(std::isinf(y));
  }
  // Three equally spaced x: the slope is 10 (ln L(4) - ln L(1)) / ln 4 from the square's hand lengths.
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
  // dy, dx, previous angle, angle.
  const int cases[][4] = {{0, 3, 270, 0}, {0, 1, 271, 360}, {0, -1, 0, 180}, {1, 0, 0, 90},  {-2, 0, 0, 270},
                          {2, 1, 0, 63},  {1, 4, 0, 14},    {-4, 1, 0, 284}, {4, -1, 0, 104}};
  for (const auto& [dy, dx, previous, angle] : cases)
    EXPECT_EQ(StepAngle(dy, dx, previous), angle) << dy << ", " << dx << " after " << previous;
}
