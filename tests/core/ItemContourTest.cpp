#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "binary/kernels/ItemContour.h"
#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/PerimeterDimension.h"
#include "fixtures/Blocks.h"
#include "fixtures/Fractals.h"

namespace {

using Grid = std::vector<std::vector<int>>;

// The contour as the treatment states it, step by step: a full scan for the bounding box, a frame of
// (last - first) + 7 lines and columns with the item at line 1, column 1, two dilation passes
// through a work plane copied back and cleared, the 4-neighbour contour, the thinning in raster
// order, and the walk (second point up-right, else right, else the general order).
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
  // Every cell but the frame's outer ring, in raster order.
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

std::vector<ContourPoint> Contour(const BytePlane& labels, int code) {
  return ItemContour(labels, IndexItems(labels)[code], code);
}

}  // namespace

// An 8 x 8 square grows to 10 x 10 at frame lines and columns 1 .. 10; its border less the four
// corners is walked from (10, 2) rightward, up the right side, leftward and down: 32 points, the
// start repeated. L(1) = 4 x 7 + 4 sqrt 2, L(2) = 4 x 6 + 4 sqrt 5, L(4) = 4 x 4 + 4 sqrt 17,
// L(8) = 4 sqrt 65 (points 1, 9, 17, 25, 33).
TEST(ItemContour, AnEightSquareIsWalkedAlongItsBorderWithoutTheCorners) {
  const std::vector<ContourPoint> points = Contour(fixtures::FilledSquare(20, 20, 3, 5, 8), fixtures::kItem);
  ASSERT_EQ(points.size(), 33u);
  EXPECT_EQ(std::tuple(points.front(), points[16], points.back()),
            std::tuple(ContourPoint{10, 2}, ContourPoint{1, 9}, ContourPoint{10, 2}));
  const double expected[4] = {28 + 4 * std::sqrt(2.0), 24 + 4 * std::sqrt(5.0), 16 + 4 * std::sqrt(17.0),
                              4 * std::sqrt(65.0)};
  for (int k = 0; k < 4; ++k) EXPECT_NEAR(YardstickLength(points, kYardsticks[k]), expected[k], 1e-12);
}

TEST(ItemContour, EqualsTheLiteralConstructionOnRandomItems) {
  std::mt19937 random(1234);
  // Random discs and specks of one code within lines x columns.
  const auto paint = [&random](BytePlane& labels, int top, int left, int lines, int columns, int code) {
    for (int k = 0; k < 6; ++k) {
      const int i = top + static_cast<int>(random() % lines), j = left + static_cast<int>(random() % columns);
      FillDisc(labels, i, j, static_cast<int>(random() % 4), static_cast<std::uint8_t>(code));
    }
  };
  for (int trial = 0; trial < 60; ++trial) {
    BytePlane labels = UniformPlane(44, 40);
    // Three items side by side (codes 3, 4, 200) and others' pixels close by.
    paint(labels, 2, 1, 14, 12, 3);
    paint(labels, 0, 13, 16, 14, 4);
    paint(labels, 20, 0, 20, 44, 200);
    const ItemIndex index = IndexItems(labels);
    for (const int code : index.PresentCodes())
      EXPECT_EQ(ItemContour(labels, index[code], code), LiteralContour(labels, code))
          << "trial " << trial << " code " << code;
  }
}

TEST(ItemContour, AnAbsentCodeOrBoundsOutsideThePlaneGiveNoContour) {
  const BytePlane square = fixtures::FilledSquare(10, 10, 2, 2, 3);
  const ItemIndex index = IndexItems(square);
  EXPECT_TRUE(ItemContour(square, index[9], 9).empty());
  ItemBounds outside = index[fixtures::kItem];
  outside.MaxLine = 10;
  EXPECT_TRUE(ItemContour(square, outside, fixtures::kItem).empty());
  EXPECT_TRUE(ItemContour(square, index[fixtures::kItem], 300).empty());
  EXPECT_EQ(YardstickLength(Contour(square, fixtures::kItem), 0), 0.0);  // no yardstick
}
