#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "imaging/Allocators.h"

namespace {

// Every kind of plane: columns first, zero cells; refused sizes give an empty plane (the last two ask
// for far more than any machine has: refused, not an abort); released, it is empty.
template <class PlaneT>
void CheckPlanes(PlaneT (*alloc)(int, int), void (*release)(PlaneT&)) {
  const PlaneT plane = alloc(7, 3);
  ASSERT_EQ(std::tuple(plane.Columns(), plane.Lines()), std::tuple(7, 3));
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 7; ++j) ASSERT_EQ(plane[i][j], 0) << "line " << i << " column " << j;
  EXPECT_EQ(alloc(1, 1)[0][0], 0);
  const std::pair<int, int> refused[] = {
      {0, 5}, {5, 0}, {0, 0}, {-1, 5}, {5, -1}, {INT_MIN, 3}, {INT_MAX, INT_MAX}, {1 << 20, 1 << 20}};
  for (const auto& [columns, lines] : refused)
    EXPECT_TRUE(alloc(columns, lines).Empty()) << columns << " x " << lines;
  PlaneT released = alloc(4, 4);
  if (release != nullptr) release(released);
  EXPECT_EQ(std::tuple(released.Empty(), released.Lines()), std::tuple(release != nullptr, release ? 0 : 4));
}

TEST(Allocators, PlanesOfEveryKind) {
  CheckPlanes(AllocByteMatrix, FreeByteMatrix);
  CheckPlanes<WordPlane>(AllocWordMatrix, nullptr);
  CheckPlanes(AllocIntMatrix, FreeIntMatrix);
  CheckPlanes(AllocDoubleMatrix, FreeDoubleMatrix);
}

TEST(Allocators, VectorsAreZeroFilledOrEmpty) {
  EXPECT_EQ(AllocByteVector(5), std::vector<std::uint8_t>(5, 0));
  EXPECT_EQ(AllocIntVector(4), std::vector<std::int32_t>(4, 0));
  EXPECT_EQ(AllocDoubleVector(3), std::vector<double>(3, 0.0));
  for (std::int64_t n : {std::int64_t{0}, std::int64_t{-1}, INT64_MIN, INT64_MAX})
    EXPECT_TRUE(AllocByteVector(n).empty() && AllocIntVector(n).empty() && AllocDoubleVector(n).empty()) << n;
  std::vector<std::int32_t> released = AllocIntVector(9);
  FreeIntVector(released);
  EXPECT_EQ(released.capacity(), 0u);
}

}  // namespace
