#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "imaging/Allocators.h"

namespace {

template <class PlaneT>
void ExpectZeroFilled(const PlaneT& plane, int columns, int lines) {
  ASSERT_EQ(plane.Columns(), columns);
  ASSERT_EQ(plane.Lines(), lines);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j) ASSERT_EQ(plane[i][j], 0) << "line " << i << " column " << j;
}

TEST(Allocators, ColumnsComeFirstAndCellsAreZero) {
  ExpectZeroFilled(AllocByteMatrix(1, 1), 1, 1);
  ExpectZeroFilled(AllocByteMatrix(7, 3), 7, 3);
  ExpectZeroFilled(AllocWordMatrix(7, 3), 7, 3);
  ExpectZeroFilled(AllocIntMatrix(7, 3), 7, 3);
  ExpectZeroFilled(AllocDoubleMatrix(7, 3), 7, 3);
}

// The last two ask for far more than any machine has: refused, not an abort.
TEST(Allocators, RefusedSizesGiveEmptyPlanesOfEveryKind) {
  const std::pair<int, int> sizes[] = {
      {0, 5}, {5, 0}, {0, 0}, {-1, 5}, {5, -1}, {INT_MIN, 3}, {INT_MAX, INT_MAX}, {1 << 20, 1 << 20}};
  for (const auto& [columns, lines] : sizes) {
    EXPECT_TRUE(AllocByteMatrix(columns, lines).Empty()) << columns << " x " << lines;
    EXPECT_TRUE(AllocWordMatrix(columns, lines).Empty()) << columns << " x " << lines;
    EXPECT_TRUE(AllocIntMatrix(columns, lines).Empty()) << columns << " x " << lines;
    EXPECT_TRUE(AllocDoubleMatrix(columns, lines).Empty()) << columns << " x " << lines;
  }
}

TEST(Allocators, VectorsAreZeroFilledOrEmpty) {
  EXPECT_EQ(AllocByteVector(5), std::vector<std::uint8_t>(5, 0));
  EXPECT_EQ(AllocIntVector(4), std::vector<std::int32_t>(4, 0));
  EXPECT_EQ(AllocDoubleVector(3), std::vector<double>(3, 0.0));
  for (std::int64_t n : {std::int64_t{0}, std::int64_t{-1}, INT64_MIN, INT64_MAX}) {
    EXPECT_TRUE(AllocByteVector(n).empty() && AllocIntVector(n).empty() && AllocDoubleVector(n).empty()) << n;
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
  EXPECT_TRUE(bytes.Empty() && ints.Empty() && doubles.Empty() && vector.empty());
  EXPECT_EQ(bytes.Lines(), 0);
  EXPECT_EQ(vector.capacity(), 0u);
}

}  // namespace
