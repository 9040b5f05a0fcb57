#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "ThreadCounts.h"
#include "binary/kernels/ItemIndex.h"

namespace {

class ItemIndexAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(ItemIndexAtThreads);

auto Fields(const ItemBounds& b) {
  return b.Present() ? std::tuple(b.Pixels, b.MinLine, b.MaxLine, b.MinColumn, b.MaxColumn)
                     : std::tuple(b.Pixels, 0, 0, 0, 0);
}

TEST_P(ItemIndexAtThreads, CountsAndRectanglesMatchAPixelByPixelScan) {
  std::mt19937 random(7);
  for (const int side : {1, 5, 700}) {
    BytePlane labels(side + 3, side);
    labels.Fill(255);
    for (int k = 0; k < side * 2; ++k)
      labels[random() % side][random() % (side + 3)] = static_cast<std::uint8_t>(1 + random() % 20);
    std::array<ItemBounds, 256> expected{};
    for (int i = 0; i < labels.Lines(); ++i) {
      for (int j = 0; j < labels.Columns(); ++j) {
        ItemBounds& e = expected[labels[i][j]];
        if (!e.Present()) e = {0, i, i, j, j};
        ++e.Pixels;
        e.MaxLine = i;
        e.MinColumn = std::min(e.MinColumn, j);
        e.MaxColumn = std::max(e.MaxColumn, j);
      }
    }
    const ItemIndex index = IndexItems(labels);
    for (int value = 0; value < 256; ++value)
      ASSERT_EQ(Fields(index[value]), Fields(expected[value])) << value;
  }
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
  EXPECT_EQ(std::tuple(index.HighestCode(), index[11].Lines(), IndexItems(BytePlane()).HighestCode()),
            std::tuple(254, 1, 0));
}

}  // namespace
