#include <gtest/gtest.h>

#include "graytone/kernels/GrayScaling.h"

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
