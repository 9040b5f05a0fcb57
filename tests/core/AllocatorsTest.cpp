#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "imaging/Allocators.h"

namespace {

struct Sizes {
  int columns;
  int lines;
};

class RefusedSizes : public ::testing::TestWithParam<Sizes> {};

TEST_P(RefusedSizes, EveryPlaneKindIsEmpty) {
  const auto [columns, lines] = GetParam();
  EXPECT_TRUE(AllocByteMatrix(columns, lines).Empty());
  EXPECT_TRUE(AllocWordMatrix(columns, lines).Empty());
  EXPECT_TRUE(AllocIntMatrix(columns, lines).Empty());
  EXPECT_TRUE(AllocDoubleMatrix(columns, lines).Empty());
}

// The last two ask for far more than any machine has: refused, not an abort.
INSTANTIATE_TEST_SUITE_P(Allocators, RefusedSizes,
                         ::testing::Values(Sizes{0, 5}, Sizes{5, 0}, Sizes{0, 0}, Sizes{-1, 5}, Sizes{5, -1},
                                           Sizes{INT_MIN, 3}, Sizes{INT_MAX, INT_MAX},
                                           Sizes{1 << 20, 1 << 20}));

TEST(Allocators, OneByOneByteIsASingleZero) {
  BytePlane plane = AllocByteMatrix(1, 1);
  ASSERT_FALSE(plane.Empty());
  EXPECT_EQ(plane.Columns(), 1);
  EXPECT_EQ(plane.Lines(), 1);
  EXPECT_EQ(plane[0][0], 0);
}

template <class PlaneT>
void ExpectZeroFilled(const PlaneT& plane, int columns, int lines) {
  ASSERT_FALSE(plane.Empty());
  ASSERT_EQ(plane.Columns(), columns);
  ASSERT_EQ(plane.Lines(), lines);
  for (int i = 0; i < lines; ++i) {
    for (int j = 0; j < columns; ++j) ASSERT_EQ(plane[i][j], 0) << "line " << i << " column " << j;
  }
}

TEST(Allocators, ColumnsComeFirstAndCellsAreZero) {
  ExpectZeroFilled(AllocByteMatrix(7, 3), 7, 3);
  ExpectZeroFilled(AllocWordMatrix(7, 3), 7, 3);
  ExpectZeroFilled(AllocIntMatrix(7, 3), 7, 3);
  ExpectZeroFilled(AllocDoubleMatrix(7, 3), 7, 3);
}

TEST(Allocators, VectorsAreZeroFilledOrEmpty) {
  EXPECT_EQ(AllocByteVector(5), std::vector<std::uint8_t>(5, 0));
  EXPECT_EQ(AllocIntVector(4), std::vector<std::int32_t>(4, 0));
  EXPECT_EQ(AllocDoubleVector(3), std::vector<double>(3, 0.0));
  for (std::int64_t n : {std::int64_t{0}, std::int64_t{-1}, INT64_MIN, INT64_MAX}) {
    EXPECT_TRUE(AllocByteVector(n).empty()) << n;
    EXPECT_TRUE(AllocIntVector(n).empty()) << n;
    EXPECT_TRUE(AllocDoubleVector(n).empty()) << n;
  }
}

TEST(Allocators, ReleaseLeavesEmpty) {
  BytePlane bytes = AllocByteMatrix(4, 4);
  IntPlane ints = AllocIntMatrix(4, 4);
  DoublePlane doubles = AllocDoubleMatrix(4, 4);
  std::vector<std::int32_t> vector = AllocIntVector(9);
  FreeByteMatrix(bytes);
  FreeIntMatrix(ints);
  FreeDoubleMatrix(doubles);
  FreeIntVector(vector);
  EXPECT_TRUE(bytes.Empty());
  EXPECT_EQ(bytes.Lines(), 0);
  EXPECT_TRUE(ints.Empty());
  EXPECT_TRUE(doubles.Empty());
  EXPECT_TRUE(vector.empty());
  EXPECT_EQ(vector.capacity(), 0u);
}

}  // namespace
