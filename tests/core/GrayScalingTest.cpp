#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "graytone/kernels/GrayScaling.h"

// trunc((v - Min) / (Max - Min) x 254) + Offset within Floor .. 255; the Offset alone when there is no
// range or no number.
TEST(GrayScaling, LinearBetweenMinimumAndMaximumWithinFloorAnd255) {
  const double nan = std::nan("");
  const std::tuple<GrayScaling, double, int> cases[] = {
      {{2, 3, 0}, 2.0, 0},    {{2, 3, 0}, 3.0, 254},   {{2, 3, 0}, 2.5, 127},    {{2, 3, 0}, 2.0039, 0},
      {{2, 3, 1}, 2.0, 1},    {{2, 3, 1}, 3.0, 255},   {{2, 3, 1}, 2.5, 128},    {{2, 3, 1}, 1.0, 0},
      {{2, 3, 1}, 4.0, 255},  {{2, 3, 1, 1}, 1.0, 1},  {{2, 3, 1, 1}, 1.999, 1}, {{2, 3, 1, 1}, 4.0, 255},
      {{2, 2, 1, 1}, 7.0, 1}, {{2.5, 2.5, 0}, 2.5, 0}, {{2.5, 2.5, 1}, 2.5, 1},  {{2, 3, 0}, nan, 0},
      {{nan, 3, 1}, 2.0, 1}};
  for (auto [scaling, value, gray] : cases)
    EXPECT_EQ(scaling.Gray(value), gray) << scaling.Min << " " << scaling.Max << " offset " << scaling.Offset
                                         << " floor " << scaling.Floor << ": " << value;
}

// An empty rectangle leaves all white, and a plane of another size is made anew.
TEST(GrayScaling, EmptyRectangleOnAPlaneOfAnotherSize) {
  BytePlane other(2, 2);
  ScaleToGray(DoublePlane(5, 4), {1.0, 5.0, 0}, {3, 1, 0, 4}, other);
  EXPECT_EQ(std::tuple(other.Columns(), other.Lines()), std::tuple(5, 4));
  EXPECT_EQ(std::vector<int>(other.Data(), other.Data() + other.Size()), std::vector<int>(20, 255));
}
