#include <gtest/gtest.h>

#include <numeric>

#include "diagrams/kernels/GrayHistogram.h"

namespace {

TEST(GrayHistogram, BorderWiderThanHalfTheImageCountsNothing) {
  BytePlane image(4, 4);
  EXPECT_EQ(GrayHistogram(image, 0)[0], 16);
  EXPECT_EQ(GrayHistogram(image, 1)[0], 4);
  const GrayCounts none = GrayHistogram(image, 2);
  EXPECT_EQ(std::accumulate(none.begin(), none.end(), 0), 0);
  EXPECT_EQ(GrayHistogram(BytePlane(), 0)[0], 0);
}

TEST(GrayHistogram, LocalCountsStayInsideBothPlanes) {
  BytePlane image(3, 2), mask(2, 3);
  image.Fill(9);
  mask.Fill(1);
  // The common part is 2 lines of 2 columns.
  EXPECT_EQ(LocalGrayHistogram(image, mask, 1)[9], 4);
  EXPECT_EQ(LocalGrayHistogram(image, mask, 2)[9], 0);
}

}  // namespace
