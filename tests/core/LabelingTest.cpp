#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "binary/kernels/Labeling.h"

namespace {

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

std::string Percent(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%4.2lf", value);
  return text;
}

bool SamePlane(const BytePlane& a, const BytePlane& b) {
  if (a.Lines() != b.Lines() || a.Columns() != b.Columns()) return false;
  for (std::size_t k = 0; k < a.Size(); ++k) {
    if (a.Data()[k] != b.Data()[k]) return false;
  }
  return true;
}

TEST(Labeling, TenItemsSkipTheCodeTen) {
  const BytePlane binary = GridOfItems(10, 5);
  const LabelingResult result = LabelItems(binary, 1, 100);
  EXPECT_EQ(result.ItemCount, 11);
  EXPECT_EQ(result.KeptItems, 10);
  ASSERT_EQ(result.PixelsPerCode.size(), 12u);
  EXPECT_EQ(result.PixelsPerCode[10], 0);
  EXPECT_EQ(result.PixelsPerCode[11], 4);
  EXPECT_EQ(result.Labeled[1][1], 1);
  EXPECT_EQ(result.Labeled[4][13], 11);
  EXPECT_EQ(result.Labeled[0][0], 255);
  EXPECT_EQ(result.LabeledPixels, 40);
}

TEST(Labeling, PercentagesOverImageAndItems) {
  BytePlane binary(10, 10);
  binary.Fill(255);
  for (int j = 1; j <= 3; ++j) binary[2][j] = 1;  // 3 pixels
  binary[6][6] = binary[6][7] = 1;                // 2 pixels
  binary[8][2] = 1;                               // lone, dropped with minimum 1
  const LabelingResult result = LabelItems(binary, 1, 100);
  ASSERT_EQ(result.ItemCount, 2);
  EXPECT_EQ(Percent(PercentageOfImage(result.PixelsPerCode[1], 10, 10)), "3.00");
  EXPECT_EQ(Percent(PercentageOfItems(result.PixelsPerCode[1], result.LabeledPixels)), "60.00");
  EXPECT_EQ(Percent(PercentageOfItems(result.PixelsPerCode[2], result.LabeledPixels)), "40.00");
  EXPECT_EQ(result.Labeled[8][2], 255);
  EXPECT_EQ(PercentageOfItems(5, 0), 0.0);
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
}

TEST(Labeling, RangeKeepingNothing) {
  const LabelingResult result = LabelItems(GridOfItems(4, 4), 10, 5);
  EXPECT_EQ(result.ItemCount, 0);
  EXPECT_EQ(result.PixelsPerCode.size(), 1u);
  for (std::size_t k = 0; k < result.Labeled.Size(); ++k) ASSERT_EQ(result.Labeled.Data()[k], 255);
}

TEST(Labeling, MoreThan253ItemsCanBeRefusedWithoutSideEffects) {
  const BytePlane fits = GridOfItems(253, 20);
  const LabelingResult ok = LabelItems(fits, 1, 100);
  EXPECT_TRUE(ok.FitsInBytes());
  EXPECT_EQ(ok.ItemCount, 254);
  EXPECT_FALSE(ok.Labeled.Empty());

  const BytePlane binary = GridOfItems(254, 20);
  const BytePlane before = binary.Clone();
  const LabelingResult tooMany = LabelItems(binary, 1, 100);
  EXPECT_FALSE(tooMany.FitsInBytes());
  EXPECT_EQ(tooMany.KeptItems, 254);
  EXPECT_TRUE(tooMany.Labeled.Empty());
  EXPECT_TRUE(SamePlane(binary, before));
}

TEST(Labeling, SameAsTheItemWalkOnAFrameClearedCopy) {
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

TEST(Labeling, CountPixelsOfValue) {
  const BytePlane binary = GridOfItems(7, 3);
  EXPECT_EQ(CountPixelsOfValue(binary, 1), 28);
  EXPECT_EQ(CountPixelsOfValue(binary, 255), static_cast<std::int64_t>(binary.Size()) - 28);
}

}  // namespace
