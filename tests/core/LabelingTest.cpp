#include <gtest/gtest.h>

#include <vector>

#include "binary/kernels/Labeling.h"

// The labeling is checked against the literal walk on random images in ItemFillTest.
namespace {

// Binary image (1 on 255) holding `count` separate 2 x 2 items on a grid of 3-pixel cells.
BytePlane GridOfItems(int count, int perRow) {
  const int rows = (count + perRow - 1) / perRow;
  BytePlane plane(perRow * 3 + 2, rows * 3 + 2);
  plane.Fill(255);
  for (int k = 0; k < count; ++k) {
    const int top = 1 + k / perRow * 3, left = 1 + k % perRow * 3;
    plane[top][left] = plane[top][left + 1] = plane[top + 1][left] = plane[top + 1][left + 1] = 1;
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
  EXPECT_EQ((std::vector<int>{result.Labeled[0][1], result.Labeled[2][0], result.Labeled[2][1]}),
            (std::vector<int>{255, 255, 1}));
  EXPECT_EQ(binary[0][0], 1) << "the source is left as it was";
  EXPECT_EQ(PercentageOfItems(5, 0), 0.0);
}

TEST(Labeling, MoreThan253ItemsAreNotPainted) {
  const LabelingResult fits = LabelItems(GridOfItems(253, 20), 1, 100);
  EXPECT_TRUE(fits.FitsInBytes());
  EXPECT_EQ(fits.ItemCount, 254);
  EXPECT_FALSE(fits.Labeled.Empty());
  const LabelingResult tooMany = LabelItems(GridOfItems(254, 20), 1, 100);
  EXPECT_FALSE(tooMany.FitsInBytes());
  EXPECT_EQ(tooMany.KeptItems, 254);
  EXPECT_TRUE(tooMany.Labeled.Empty());
}

}  // namespace
