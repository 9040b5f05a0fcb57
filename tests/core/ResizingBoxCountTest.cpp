#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/ResizingBoxCount.h"
#include "fixtures/Fractals.h"
#include "imaging/Parallel.h"

namespace {

// The counts as the treatment states them: a full scan for the item's bounds, a frame raised to
// the next multiple of 8 filled with 255, the item copied into its corner, boxes counted.
std::array<std::int64_t, 4> LiteralCounts(const BytePlane& labels, int code) {
  int top = labels.Lines(), bottom = -1, left = labels.Columns(), right = -1;
  for (int i = 0; i < labels.Lines(); ++i)
    for (int j = 0; j < labels.Columns(); ++j)
      if (labels[i][j] == code) {
        top = std::min(top, i);
        bottom = std::max(bottom, i);
        left = std::min(left, j);
        right = std::max(right, j);
      }
  int h = bottom - top + 1, w = right - left + 1;
  h += 8 - h % 8;
  w += 8 - w % 8;
  std::vector<std::vector<int>> frame(h, std::vector<int>(w, 255));
  for (int a = 0; a <= bottom - top; ++a)
    for (int b = 0; b <= right - left; ++b) frame[a][b] = labels[top + a][left + b] == code ? 1 : 255;
  std::array<std::int64_t, 4> counts{};
  const int sides[4] = {1, 2, 4, 8};
  for (int k = 0; k < 4; ++k)
    for (int i = 0; i < h; i += sides[k])
      for (int j = 0; j < w; j += sides[k]) {
        bool hit = false;
        for (int a = i; a < i + sides[k]; ++a)
          for (int b = j; b < j + sides[k]; ++b) hit = hit || frame[a][b] == 1;
        counts[k] += hit;
      }
  return counts;
}

BytePlane Blank(int lines, int columns) {
  BytePlane plane(columns, lines);
  plane.Fill(255);
  return plane;
}

ResizingCounts Measure(const BytePlane& labels, int code) {
  return ResizingBoxCount(labels, IndexItems(labels)[code], code);
}

}  // namespace

TEST(ResizingBoxCount, FramesAreRaisedToTheNextMultipleOfEightAbove) {
  EXPECT_EQ(ResizedFrameSide(8), 16);
  EXPECT_EQ(ResizedFrameSide(13), 16);
  EXPECT_EQ(ResizedFrameSide(1), 8);
  EXPECT_EQ(ResizedFrameSide(16), 24);
}

TEST(ResizingBoxCount, HandWorkedItems) {
  struct Case {
    const char* name;
    BytePlane labels;
    int code;
    std::array<std::int64_t, 4> boxes;
    double dimension;
    int frameLines, frameColumns;
  };
  BytePlane onePixel = Blank(20, 20);
  onePixel[7][11] = 3;
  BytePlane line = Blank(5, 40);
  for (int j = 9; j < 25; ++j) line[2][j] = 6;  // 16 pixels from an odd column: boxes from the item's edge
  BytePlane triangle = fixtures::SierpinskiTriangle(64, 12, 255);
  Case cases[] = {
      {"filled 8 x 8", fixtures::FilledSquare(30, 30, 3, 5, 8, 2), 2, {64, 16, 4, 1}, 2.0, 16, 16},
      {"one pixel", std::move(onePixel), 3, {1, 1, 1, 1}, 0.0, 8, 8},
      {"16-pixel line", std::move(line), 6, {16, 8, 4, 2}, 1.0, 8, 24},
      {"Sierpinski triangle 64",
       std::move(triangle),
       12,
       {729, 243, 81, 27},
       std::log(3.0) / std::log(2.0),
       72,
       72},
  };
  for (const Case& c : cases) {
    const ResizingCounts counts = Measure(c.labels, c.code);
    ASSERT_TRUE(counts.Present) << c.name;
    EXPECT_EQ(counts.Boxes, c.boxes) << c.name;
    EXPECT_NEAR(counts.Dimension, c.dimension, 1e-12) << c.name;
    EXPECT_EQ(std::tuple(counts.FrameLines, counts.FrameColumns), std::tuple(c.frameLines, c.frameColumns))
        << c.name;
  }
  // The one-pixel item's slope is 0: its dimension is a plain 0, never printed "-0.0000".
  EXPECT_FALSE(std::signbit(Measure(cases[1].labels, 3).Dimension));
}

TEST(ResizingBoxCount, RandomItemsCountLikeTheirFramesAtEveryThreadCount) {
  std::mt19937 random(29);
  BytePlane labels = Blank(120, 97);
  for (int k = 0; k < 3000; ++k)
    labels[random() % 120][random() % 97] = static_cast<std::uint8_t>(1 + random() % 30);
  // Items touching the image's last line and column: the frame reads nothing past the image.
  labels[119][96] = 31;
  labels[118][90] = 31;
  const ItemIndex index = IndexItems(labels);
  const std::vector<int> codes = index.PresentCodes();
  for (const int threads : {1, 4}) {
    parallel::SetThreadLimit(threads);
    const std::vector<ResizingCounts> all = ResizingBoxCounts(labels, index, codes);
    ASSERT_EQ(all.size(), codes.size());
    for (std::size_t k = 0; k < codes.size(); ++k) {
      EXPECT_EQ(all[k].Code, codes[k]);
      EXPECT_EQ(all[k].Boxes, LiteralCounts(labels, codes[k])) << codes[k];
    }
  }
  parallel::SetThreadLimit(0);
}

TEST(ResizingBoxCount, AbsentOrImpossibleCodesAreNotMeasured) {
  const BytePlane labels = fixtures::FilledSquare(10, 10, 2, 2, 3, 5);
  const ItemIndex index = IndexItems(labels);
  const std::vector<ResizingCounts> counts = ResizingBoxCounts(labels, index, {5, 9, -3, 400});
  ASSERT_EQ(counts.size(), 4u);
  EXPECT_TRUE(counts[0].Present);
  for (std::size_t k = 1; k < 4; ++k) {
    EXPECT_FALSE(counts[k].Present) << k;
    EXPECT_EQ(counts[k].Boxes, (std::array<std::int64_t, 4>{})) << k;
    EXPECT_TRUE(std::isnan(counts[k].Dimension)) << k;
  }
}
