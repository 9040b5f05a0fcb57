#include <gtest/gtest.h>

#include <array>
#include <random>
#include <tuple>

#include "binary/kernels/ItemIndex.h"
#include "imaging/Parallel.h"

TEST(ItemIndex, CountsAndRectanglesMatchAPixelByPixelScan) {
  std::mt19937 random(7);
  for (const int threads : {1, 3}) {
    parallel::SetThreadLimit(threads);
    for (const int side : {1, 5, 700}) {
      BytePlane labels(side + 3, side);
      labels.Fill(255);
      for (int k = 0; k < side * 2; ++k) {
        const int code = 1 + static_cast<int>(random() % 20);
        labels[random() % side][random() % (side + 3)] = static_cast<std::uint8_t>(code);
      }
      std::array<ItemBounds, 256> expected{};
      for (int i = 0; i < labels.Lines(); ++i)
        for (int j = 0; j < labels.Columns(); ++j) {
          ItemBounds& e = expected[labels[i][j]];
          if (!e.Present()) e = {0, i, i, j, j};
          ++e.Pixels;
          e.MaxLine = i;
          e.MinColumn = std::min(e.MinColumn, j);
          e.MaxColumn = std::max(e.MaxColumn, j);
        }
      const ItemIndex index = IndexItems(labels);
      for (int value = 0; value < 256; ++value) {
        const ItemBounds& got = index[value];
        const ItemBounds& e = expected[value];
        ASSERT_EQ(got.Pixels, e.Pixels) << value;
        if (!e.Present()) continue;
        EXPECT_EQ(std::tuple(got.MinLine, got.MaxLine, got.MinColumn, got.MaxColumn),
                  std::tuple(e.MinLine, e.MaxLine, e.MinColumn, e.MaxColumn));
      }
    }
  }
  parallel::SetThreadLimit(0);
}

TEST(ItemIndex, PresentCodesSkipTheBackgroundAndZero) {
  BytePlane labels(4, 2);
  labels.Fill(255);
  labels[0][0] = 0;
  labels[0][1] = 11;
  labels[1][3] = 2;
  labels[1][2] = 254;
  const ItemIndex index = IndexItems(labels);
  EXPECT_EQ(index.PresentCodes(), (std::vector<int>{2, 11, 254}));
  EXPECT_EQ(index.HighestCode(), 254);
  EXPECT_EQ(index[11].Lines(), 1);
  EXPECT_EQ(IndexItems(BytePlane()).HighestCode(), 0);
}
