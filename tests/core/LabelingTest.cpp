#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "ThreadCounts.h"
#include "binary/kernels/Labeling.h"

namespace {

class LabelingAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(LabelingAtThreads);

// Binary image (1 on 255) holding `count` separate 2 x 2 items on a grid of 3-pixel cells.
BytePlane GridOfItems(int count, int perRow) {
  const int rows = (count + perRow - 1) / perRow;
  BytePlane plane(perRow * 3 + 2, rows * 3 + 2);
  plane.Fill(255);
  for (int k = 0; k < count; ++k) {
    const int top = 1 + k / perRow * 3, left = 1 + k % perRow * 3;
    for (int i = top; i < top + 2; ++i) {
      for (int j = left; j < left + 2; ++j) plane[i][j] = 1;
    }
  }
  return plane;
}

TEST(Labeling, EdgePixelsBecomeBackground) {
  BytePlane binary(8, 8);
  binary.Fill(255);
  for (int i = 0; i <= 3; ++i) binary[i][0] = binary[i][1] = 1;  // touches line 0 and column 0
  const LabelingResult result = LabelItems(binary, 1, 100);
  ASSERT_EQ(result.ItemCount, 1);
  EXPECT_EQ(result.PixelsPerCode[1], 3);  // (1,1), (2,1), (3,1)
  EXPECT_EQ(result.Labeled[0][1], 255);
  EXPECT_EQ(result.Labeled[2][0], 255);
  EXPECT_EQ(result.Labeled[2][1], 1);
  EXPECT_EQ(binary[0][0], 1) << "the source is left as it was";
  EXPECT_EQ(PercentageOfItems(5, 0), 0.0);
}

TEST(Labeling, MoreThan253ItemsAreNotPainted) {
  const BytePlane fits = GridOfItems(253, 20);
  const LabelingResult ok = LabelItems(fits, 1, 100);
  EXPECT_TRUE(ok.FitsInBytes());
  EXPECT_EQ(ok.ItemCount, 254);
  EXPECT_FALSE(ok.Labeled.Empty());

  const LabelingResult tooMany = LabelItems(GridOfItems(254, 20), 1, 100);
  EXPECT_FALSE(tooMany.FitsInBytes());
  EXPECT_EQ(tooMany.KeptItems, 254);
  EXPECT_TRUE(tooMany.Labeled.Empty());
}

TEST_P(LabelingAtThreads, SameAsTheItemWalkOnAFrameClearedCopy) {
  // The labeling reads the frame as background without copying; the reference clears it on a copy
  // and walks that, one band at a time.
  std::mt19937 random(31);
  for (int round = 0; round < 60; ++round) {
    const int lines = 1 + static_cast<int>(random() % 40), columns = 1 + static_cast<int>(random() % 150);
    BytePlane binary(columns, lines);
    for (std::size_t k = 0; k < binary.Size(); ++k) binary.Data()[k] = random() % 100 < 45 ? 1 : 255;
    const int minSize = static_cast<int>(random() % 3), maxSize = random() % 2 ? 1 << 30 : 8;
    BytePlane copy = binary.Clone();
    for (int i = 0; i < lines; ++i) copy[i][0] = copy[i][columns - 1] = 0;
    for (int j = 0; j < columns; ++j) copy[0][j] = copy[lines - 1][j] = 0;
    IntPlane labels(columns, lines);
    const ItemCountResult expected = CountItemsInBands(copy, labels, minSize, maxSize, 1);
    for (int bands : {1, 3, lines}) {
      PixelStack stack;
      const ItemCountResult result = CountItemsInFrame(binary, minSize, maxSize, stack, bands);
      ASSERT_EQ(result.ItemCount, expected.ItemCount) << round << " bands " << bands;
      ASSERT_EQ(result.LabeledPixels, expected.LabeledPixels) << round << " bands " << bands;
      const std::vector<std::int64_t> perCode = ItemPixelsPerCode(stack);
      ASSERT_EQ(perCode.size(), static_cast<std::size_t>(expected.ItemCount) + 1);
      std::vector<std::int64_t> expectedPerCode(perCode.size(), 0);
      for (std::size_t k = 0; k < labels.Size(); ++k) {
        if (labels.Data()[k] > 0) ++expectedPerCode[static_cast<std::size_t>(labels.Data()[k])];
      }
      EXPECT_EQ(perCode, expectedPerCode) << round << " bands " << bands;
      if (result.ItemCount > 254) continue;
      BytePlane codes(columns, lines);
      PaintItemCodes(stack, binary, codes, 255);
      for (std::size_t k = 0; k < labels.Size(); ++k) {
        const int code = labels.Data()[k] > 0 ? labels.Data()[k] : 255;
        ASSERT_EQ(codes.Data()[k], code) << round << " bands " << bands << " at " << k;
      }
    }
    const LabelingResult labeled = LabelItems(binary, minSize, maxSize);
    EXPECT_EQ(labeled.ItemCount, expected.ItemCount) << round;
  }
}

}  // namespace
