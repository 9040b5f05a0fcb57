#include <gtest/gtest.h>

#include "binary/kernels/Labeling.h"

// The labeling is checked against the literal walk on random images in ItemFillTest.
namespace {

// Binary image (1 on 255) holding `count` single pixels two apart, 20 to a row.
BytePlane Dots(int count) {
  BytePlane plane(43, (count + 19) / 20 * 2 + 3);
  plane.Fill(255);
  for (int k = 0; k < count; ++k) plane[2 + k / 20 * 2][2 + k % 20 * 2] = 1;
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
  const LabelingResult fits = LabelItems(Dots(253), 0, 100);
  EXPECT_TRUE(fits.FitsInBytes());
  EXPECT_EQ(fits.ItemCount, 254);
  EXPECT_FALSE(fits.Labeled.Empty());
  const LabelingResult tooMany = LabelItems(Dots(254), 0, 100);
  EXPECT_FALSE(tooMany.FitsInBytes());
  EXPECT_EQ(tooMany.KeptItems, 254);
  EXPECT_TRUE(tooMany.Labeled.Empty());
}

}  // namespace
