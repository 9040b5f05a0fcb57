#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>

#include "ThreadCounts.h"
#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/ResizingBoxCount.h"
#include "fixtures/Blocks.h"
#include "fixtures/Fractals.h"

namespace {

class ItemIndexAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(ItemIndexAtThreads);

// Literal counts: bounds scanned, the item in the corner of a frame raised to the next multiple of 8.
std::array<std::int64_t, 4> LiteralCounts(const BytePlane& labels, int code) {
  int top = labels.Lines(), bottom = -1, left = labels.Columns(), right = -1;
  for (int i = 0; i < labels.Lines(); ++i)
    for (int j = 0; j < labels.Columns(); ++j)
      if (labels[i][j] == code)
        top = std::min(top, i), bottom = std::max(bottom, i), left = std::min(left, j),
        right = std::max(right, j);
  const int h = bottom - top + 1 + 8 - (bottom - top + 1) % 8,
            w = right - left + 1 + 8 - (right - left + 1) % 8;
  std::array<std::int64_t, 4> counts{};
  for (int k = 0, side = 1; k < 4; ++k, side *= 2)
    for (int i = 0; i < h; i += side)
      for (int j = 0; j < w; j += side) {
        bool hit = false;
        for (int a = top + i; a < top + i + side; ++a)
          for (int b = left + j; b < left + j + side; ++b)
            hit = hit || (a <= bottom && b <= right && labels[a][b] == code);
        counts[k] += hit;
      }
  return counts;
}

}  // namespace

TEST(ResizingBoxCount, HandWorkedItems) {
  const auto expect = [](const BytePlane& labels, int code, std::array<std::int64_t, 4> boxes,
                         double dimension, int frameLines, int frameColumns) {
    SCOPED_TRACE(code);
    const ResizingCounts counts = ResizingBoxCount(labels, IndexItems(labels)[code], code);
    EXPECT_EQ(std::tuple(counts.Present, counts.Boxes, counts.FrameLines, counts.FrameColumns),
              std::tuple(true, boxes, frameLines, frameColumns));
    EXPECT_NEAR(counts.Dimension, dimension, 1e-12);
    EXPECT_FALSE(std::signbit(counts.Dimension));  // the one pixel's 0 is never printed "-0.0000"
  };
  BytePlane onePixel = UniformPlane(20, 20), line = UniformPlane(40, 5);
  onePixel[7][11] = 3;
  FillBlock(line, 2, 9, 1, 16, 6);  // 16 pixels from an odd column: boxes from the item's edge
  expect(fixtures::FilledSquare(30, 30, 3, 5, 8, 2), 2, {64, 16, 4, 1}, 2.0, 16, 16);
  expect(onePixel, 3, {1, 1, 1, 1}, 0.0, 8, 8);
  expect(line, 6, {16, 8, 4, 2}, 1.0, 8, 24);
  expect(fixtures::SierpinskiTriangle(64, 12), 12, {729, 243, 81, 27}, std::log(3.0) / std::log(2.0), 72, 72);
}

TEST_P(ItemIndexAtThreads, ResizingBoxCountsLikeTheItemsFramesAndSkipsAbsentCodes) {
  std::mt19937 random(29);
  BytePlane labels = UniformPlane(97, 120);
  for (int k = 0; k < 3000; ++k)
    labels[random() % 120][random() % 97] = static_cast<std::uint8_t>(1 + random() % 30);
  // Items touching the last line and column: the frame reads nothing past the image.
  labels[119][96] = labels[118][90] = 31;
  const ItemIndex index = IndexItems(labels);
  std::vector<int> codes = index.PresentCodes();
  const std::size_t present = codes.size();
  codes.insert(codes.end(), {32, -3, 400});  // absent or impossible: not measured
  const std::vector<ResizingCounts> all = ResizingBoxCounts(labels, index, codes);
  ASSERT_EQ(all.size(), codes.size());
  for (std::size_t k = 0; k < present; ++k)
    EXPECT_EQ(std::tuple(all[k].Code, all[k].Boxes), std::tuple(codes[k], LiteralCounts(labels, codes[k])));
  for (std::size_t k = present; k < codes.size(); ++k)
    EXPECT_TRUE(!all[k].Present && all[k].Boxes[0] == 0 && std::isnan(all[k].Dimension)) << codes[k];
}

auto Fields(const ItemBounds& b) {
  return b.Present() ? std::tuple(b.Pixels, b.MinLine, b.MaxLine, b.MinColumn, b.MaxColumn)
                     : std::tuple(b.Pixels, 0, 0, 0, 0);
}

TEST_P(ItemIndexAtThreads, CountsRectanglesAndPresentCodesMatchAPixelByPixelScan) {
  std::mt19937 random(7);
  for (const int side : {1, 5, 700}) {
    BytePlane labels = UniformPlane(side + 3, side);
    for (int k = 0; k < side * 2; ++k)
      labels[random() % side][random() % (side + 3)] = static_cast<std::uint8_t>(1 + random() % 20);
    std::array<ItemBounds, 256> expected{};
    for (int i = 0; i < labels.Lines(); ++i)
      for (int j = 0; j < labels.Columns(); ++j) {
        ItemBounds& e = expected[labels[i][j]];
        if (!e.Present()) e = {0, i, i, j, j};
        ++e.Pixels, e.MaxLine = i;
        e.MinColumn = std::min(e.MinColumn, j), e.MaxColumn = std::max(e.MaxColumn, j);
      }
    const ItemIndex index = IndexItems(labels);
    for (int value = 0; value < 256; ++value)
      ASSERT_EQ(Fields(index[value]), Fields(expected[value])) << value;
  }
  // Present codes skip the background and zero.
  BytePlane small = UniformPlane(4, 2);
  small[0][0] = 0, small[0][1] = 11, small[1][3] = 2, small[1][2] = 254;
  const ItemIndex index = IndexItems(small);
  EXPECT_EQ(index.PresentCodes(), (std::vector<int>{2, 11, 254}));
  EXPECT_EQ(std::tuple(index.HighestCode(), index[11].Lines(), IndexItems(BytePlane()).HighestCode()),
            std::tuple(254, 1, 0));
}
