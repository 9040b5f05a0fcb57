#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graytone/kernels/GrayScaling.h"

TEST(GrayScaling, LinearBetweenMinimumAndMaximumWithItsOffset) {
  const GrayScaling zeroBased{2.0, 3.0, 0}, oneBased{2.0, 3.0, 1};
  EXPECT_EQ(zeroBased.Gray(2.0), 0);
  EXPECT_EQ(zeroBased.Gray(3.0), 254);
  EXPECT_EQ(zeroBased.Gray(2.5), 127);
  EXPECT_EQ(zeroBased.Gray(2.0039), 0);  // trunc(0.9906)
  EXPECT_EQ(oneBased.Gray(2.0), 1);
  EXPECT_EQ(oneBased.Gray(3.0), 255);
  // Outside the range: kept within the gray values.
  EXPECT_EQ(oneBased.Gray(1.0), 0);
  EXPECT_EQ(oneBased.Gray(4.0), 255);
}

TEST(GrayScaling, NoRangeOrNoNumberGivesTheOffset) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ((GrayScaling{2.5, 2.5, 0}.Gray(2.5)), 0);
  EXPECT_EQ((GrayScaling{2.5, 2.5, 1}.Gray(2.5)), 1);
  EXPECT_EQ((GrayScaling{2.0, 3.0, 0}.Gray(nan)), 0);
  EXPECT_EQ((GrayScaling{nan, 3.0, 1}.Gray(2.0)), 1);
}

TEST(GrayScaling, ShownRectangleInAWhiteFrame) {
  DoublePlane values(5, 4);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 5; ++j) values[i][j] = i + j;
  BytePlane gray(5, 4);
  gray.Fill(9);
  ScaleToGray(values, {1.0, 5.0, 0}, {1, 2, 1, 3}, gray);
  const std::uint8_t expected[4][5] = {{255, 255, 255, 255, 255},
                                       {255, 63, 127, 190, 255},
                                       {255, 127, 190, 254, 255},
                                       {255, 255, 255, 255, 255}};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 5; ++j) EXPECT_EQ(gray[i][j], expected[i][j]) << i << "," << j;

  // An empty rectangle leaves all white; a plane of another size is made anew.
  BytePlane other(2, 2);
  ScaleToGray(values, {1.0, 5.0, 0}, {3, 1, 0, 4}, other);
  ASSERT_EQ(other.Lines(), 4);
  ASSERT_EQ(other.Columns(), 5);
  for (std::size_t k = 0; k < other.Size(); ++k) EXPECT_EQ(other.Data()[k], 255);
}

TEST(GrayScaling, ValuesBelowTheMinimumStopAtTheFloor) {
  const GrayScaling plain{2.0, 3.0, 1};
  EXPECT_EQ(plain.Gray(2.0), 1);
  EXPECT_EQ(plain.Gray(3.0), 255);
  EXPECT_EQ(plain.Gray(2.5), 128);
  EXPECT_EQ(plain.Gray(1.0), 0);  // trunc(-254) + 1, kept at 0
  const GrayScaling floored{2.0, 3.0, 1, 1};
  EXPECT_EQ(floored.Gray(1.0), 1);
  EXPECT_EQ(floored.Gray(1.999), 1);
  EXPECT_EQ(floored.Gray(4.0), 255);
  EXPECT_EQ((GrayScaling{2.0, 2.0, 1, 1}).Gray(7.0), 1);  // no range: one tone
}
