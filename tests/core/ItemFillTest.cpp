#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "fixtures/Fractals.h"
#include "imaging/ItemFill.h"

namespace {

// Slow reference of the walk, step by step: nothing is popped, and after every new pixel the search
// backtracks from the top of the stack. Slow on branchy items; a reference for small images. A kept
// item of one pixel is labeled too (its size is 0 for the bounds only).
int LiteralCountItems(BytePlane& m, IntPlane& labels, long long minSize, long long maxSize) {
  const int lines = m.Lines(), columns = m.Columns();
  std::vector<std::pair<int, int>> stack(static_cast<std::size_t>(lines) * columns + 2);
  int itemCount = 0;
  for (int i = 1; i <= lines - 2; ++i) {
    for (int j = 1; j <= columns - 2; ++j) {
      if (m[i][j] != 1) continue;
      int n = 1, back = 0;
      stack[1] = {i, j};
      m[i][j] = 0;
      std::pair<int, int> current{i, j};
      for (;;) {
        bool taken = false;
        for (int r = current.first - 1; r <= current.first + 1 && !taken; ++r) {
          for (int c = current.second - 1; c <= current.second + 1 && !taken; ++c) {
            if (0 < r && r < lines && 0 < c && c < columns && m[r][c] == 1) {
              stack[static_cast<std::size_t>(++n)] = {r, c};
              m[r][c] = 0;
              back = 0;
              current = {r, c};
              taken = true;
            }
          }
        }
        if (taken) continue;
        if (++back >= n) break;
        current = stack[static_cast<std::size_t>(n - back)];
      }
      const long long size = n == 1 ? 0 : n;
      if (minSize <= size && size <= maxSize) {
        itemCount = itemCount + 1 == 10 ? 11 : itemCount + 1;
        for (int p = 1; p <= n; ++p) labels[stack[p].first][stack[p].second] = itemCount;
      }
    }
  }
  return itemCount;
}

// Labels of cells no kept item covers: the walk must leave them as they were.
constexpr std::int32_t kUntouched = -7;

BytePlane Zeros(int lines, int columns) {
  return BytePlane(columns, lines);
}

void Block(BytePlane& plane, int top, int left, int side) {
  for (int i = top; i < top + side; ++i) {
    for (int j = left; j < left + side; ++j) plane[i][j] = 1;
  }
}

TEST(ItemFill, TwelveBlocksGetCodesInRasterOrderWithoutTen) {
  BytePlane binary = Zeros(20, 30);
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 4; ++col) Block(binary, 1 + row * 6, 1 + col * 7, 3);
  }
  IntPlane labels(30, 20);
  const ItemCountResult result = CountItems(binary, labels, 1, 1000);
  EXPECT_EQ(result.ItemCount, 13);
  EXPECT_EQ(result.KeptItems, 12);
  const int expected[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13};
  for (int k = 0; k < 12; ++k) {
    const int top = 1 + k / 4 * 6, left = 1 + k % 4 * 7;
    EXPECT_EQ(labels[top][left], expected[k]);
    EXPECT_EQ(labels[top + 2][left + 2], expected[k]);
  }
  for (std::size_t k = 0; k < binary.Size(); ++k) ASSERT_EQ(binary.Data()[k], 0) << "the walk consumes items";
}

TEST(ItemFill, CornerTouchingPairIsOneItem) {
  BytePlane binary = Zeros(10, 10);
  Block(binary, 2, 2, 2);
  Block(binary, 4, 4, 2);
  IntPlane labels(10, 10);
  EXPECT_EQ(CountItems(binary, labels, 1, 100).ItemCount, 1);
  EXPECT_EQ(labels[5][5], 1);
}

TEST(ItemFill, SizeBoundsAndSinglePixels) {
  struct Case {
    int minSize, maxSize, items;
    std::int64_t pixels;
  };
  // A single pixel (size 0), a 2 x 2 block (4) and a 3 x 3 block (9).
  const Case cases[] = {{0, 100, 3, 14}, {1, 100, 2, 13}, {5, 100, 1, 9},
                        {0, 0, 1, 1},    {4, 4, 1, 4},    {10, 5, 0, 0}};
  for (const Case& c : cases) {
    BytePlane binary = Zeros(12, 20);
    binary[2][2] = 1;
    Block(binary, 2, 5, 2);
    Block(binary, 2, 10, 3);
    IntPlane labels(20, 12);
    const ItemCountResult result = CountItems(binary, labels, c.minSize, c.maxSize);
    EXPECT_EQ(result.KeptItems, c.items) << c.minSize << ".." << c.maxSize;
    EXPECT_EQ(result.LabeledPixels, c.pixels) << c.minSize << ".." << c.maxSize;
    EXPECT_EQ(binary[2][2], 0) << "a dropped item is consumed all the same";
  }
  EXPECT_EQ(ItemSize(1), 0);
  EXPECT_EQ(ItemSize(2), 2);
}

TEST(ItemFill, ImageEdgesFollowTheWalkRules) {
  BytePlane binary = Zeros(8, 8);
  for (int j = 2; j <= 4; ++j) binary[0][j] = 1;  // line 0: never reached
  Block(binary, 1, 2, 2);
  binary[7][7] = 1;  // last line and column: never starts an item
  binary[5][7] = 1;  // reached from (5, 6)
  binary[5][6] = 1;
  IntPlane labels(8, 8);
  const ItemCountResult result = CountItems(binary, labels, 0, 100);
  EXPECT_EQ(result.ItemCount, 2);
  EXPECT_EQ(binary[0][3], 1);
  EXPECT_EQ(labels[0][3], 0);
  EXPECT_EQ(labels[2][3], 1);
  EXPECT_EQ(labels[5][7], 2);
  EXPECT_EQ(binary[7][7], 1);
  EXPECT_EQ(labels[7][7], 0);
}

TEST(ItemFill, LongAndBranchyItemsAreSingleItems) {
  struct Case {
    const char* name;
    BytePlane plane;
  };
  Case cases[] = {{"large square", fixtures::FilledSquare(200, 200, 10, 10, 180, 1, 0)},
                  {"spiral", fixtures::Spiral(101, 1, 0)},
                  {"comb", fixtures::Comb(60, 300, 1, 0)}};
  for (Case& c : cases) {
    std::int64_t ones = 0;
    for (std::size_t k = 0; k < c.plane.Size(); ++k) ones += c.plane.Data()[k] == 1;
    IntPlane labels(c.plane.Columns(), c.plane.Lines());
    const ItemCountResult result = CountItems(c.plane, labels, 1, 1 << 30);
    EXPECT_EQ(result.ItemCount, 1) << c.name;
    EXPECT_EQ(result.LabeledPixels, ones) << c.name;
  }
}

TEST(ItemFill, SameItemsAsTheLiteralWalkOnRandomImages) {
  std::mt19937 random(2024);
  PixelStack stack;
  for (int round = 0; round < 150; ++round) {
    const int lines = 1 + static_cast<int>(random() % 30), columns = 1 + static_cast<int>(random() % 30);
    const unsigned density = 20 + random() % 60;
    BytePlane a(columns, lines);
    for (std::size_t k = 0; k < a.Size(); ++k) a.Data()[k] = random() % 100 < density ? 1 : 0;
    BytePlane b = a.Clone();
    const int minSize = static_cast<int>(random() % 4), maxSize = static_cast<int>(random() % 2 ? 1000 : 6);
    IntPlane expectedLabels(columns, lines), labels(columns, lines);
    expectedLabels.Fill(kUntouched);
    labels.Fill(kUntouched);
    const int expectedCount = LiteralCountItems(a, expectedLabels, minSize, maxSize);
    const ItemCountResult result = CountItems(b, labels, minSize, maxSize, stack);
    ASSERT_EQ(result.ItemCount, expectedCount) << "round " << round;
    for (int i = 0; i < lines; ++i) {
      for (int j = 0; j < columns; ++j) {
        ASSERT_EQ(labels[i][j], expectedLabels[i][j]) << "round " << round << " at " << i << "," << j;
        ASSERT_EQ(b[i][j], a[i][j]) << "round " << round << " at " << i << "," << j;
      }
    }
  }
}

TEST(ItemFill, BandedWalkGivesTheLiteralWalksItems) {
  std::mt19937 random(77);
  for (int round = 0; round < 120; ++round) {
    const int lines = 2 + static_cast<int>(random() % 40), columns = 2 + static_cast<int>(random() % 40);
    const unsigned density = 20 + random() % 60;
    BytePlane a(columns, lines);
    for (std::size_t k = 0; k < a.Size(); ++k) a.Data()[k] = random() % 100 < density ? 1 : 0;
    const int minSize = static_cast<int>(random() % 4), maxSize = static_cast<int>(random() % 2 ? 1000 : 6);
    IntPlane expectedLabels(columns, lines);
    expectedLabels.Fill(kUntouched);
    BytePlane expectedPlane = a.Clone();
    const int expectedCount = LiteralCountItems(expectedPlane, expectedLabels, minSize, maxSize);
    for (int bands : {2, 3, 7, 64}) {
      BytePlane b = a.Clone();
      IntPlane labels(columns, lines);
      labels.Fill(kUntouched);
      const ItemCountResult result = CountItemsInBands(b, labels, minSize, maxSize, bands);
      ASSERT_EQ(result.ItemCount, expectedCount) << "round " << round << " bands " << bands;
      for (int i = 0; i < lines; ++i) {
        for (int j = 0; j < columns; ++j) {
          ASSERT_EQ(labels[i][j], expectedLabels[i][j])
              << "round " << round << " bands " << bands << " at " << i << "," << j;
          ASSERT_EQ(b[i][j], expectedPlane[i][j])
              << "round " << round << " bands " << bands << " at " << i << "," << j;
        }
      }
    }
  }
}

TEST(ItemFill, BandedWalkOnLongItems) {
  // Items crossing every band edge, down to one line a band.
  BytePlane comb = fixtures::Comb(200, 150);
  BytePlane spiral = fixtures::Spiral(181);
  for (BytePlane* plane : {&comb, &spiral}) {
    std::int64_t ones = 0;
    for (std::size_t k = 0; k < plane->Size(); ++k) ones += plane->Data()[k] == 1;
    for (int bands : {1, 4, 9, plane->Lines()}) {
      BytePlane copy = plane->Clone();
      IntPlane labels(copy.Columns(), copy.Lines());
      const ItemCountResult result = CountItemsInBands(copy, labels, 1, 1 << 30, bands);
      EXPECT_EQ(result.ItemCount, 1) << bands;
      EXPECT_EQ(result.LabeledPixels, ones) << bands;
      for (std::size_t k = 0; k < copy.Size(); ++k) {
        ASSERT_EQ(labels.Data()[k], plane->Data()[k] == 1 ? 1 : 0) << bands << " at " << k;
        ASSERT_NE(copy.Data()[k], 1) << bands << " at " << k;
      }
    }
  }
}

TEST(ItemFill, WideRowsGiveTheLiteralWalksItems) {
  // Rows wider than the 64 columns read at a time, runs crossing those blocks and the row's end.
  std::mt19937 random(9);
  for (int round = 0; round < 40; ++round) {
    const int lines = 2 + static_cast<int>(random() % 12), columns = 60 + static_cast<int>(random() % 150);
    BytePlane a(columns, lines);
    for (std::size_t k = 0; k < a.Size(); ++k)
      a.Data()[k] = random() % 100 < 70 ? 1 : (random() % 2 ? 0 : 255);
    IntPlane expectedLabels(columns, lines);
    expectedLabels.Fill(kUntouched);
    BytePlane expectedPlane = a.Clone();
    const int expectedCount = LiteralCountItems(expectedPlane, expectedLabels, 0, 1 << 30);
    for (int bands : {1, 2, lines}) {
      BytePlane b = a.Clone();
      IntPlane labels(columns, lines);
      labels.Fill(kUntouched);
      ASSERT_EQ(CountItemsInBands(b, labels, 0, 1 << 30, bands).ItemCount, expectedCount) << round;
      for (std::size_t k = 0; k < a.Size(); ++k) {
        ASSERT_EQ(labels.Data()[k], expectedLabels.Data()[k]) << round << " bands " << bands << " at " << k;
        ASSERT_EQ(b.Data()[k], expectedPlane.Data()[k]) << round << " bands " << bands << " at " << k;
      }
    }
  }
}

TEST(ItemFill, ItemsOrderedByTheirFirstPixelThatCanStart) {
  // Item A begins on the last column, where no item starts, and is first started on line 2 at
  // column 8; item B starts on line 2 at column 1, so it is found first. Item C lies on the last
  // line only and item D on the last column only: never walked, left as they were. Item E is a
  // single pixel, kept with a minimum size of 0.
  for (int bands : {1, 2, 3, 10}) {
    BytePlane binary = Zeros(10, 10);
    binary[1][9] = binary[2][8] = 1;  // A
    binary[2][1] = binary[3][1] = 1;  // B
    binary[9][3] = binary[9][4] = 1;  // C
    binary[5][9] = binary[6][9] = 1;  // D
    binary[7][5] = 1;                 // E
    IntPlane labels(10, 10);
    labels.Fill(kUntouched);
    const ItemCountResult result = CountItemsInBands(binary, labels, 0, 100, bands);
    EXPECT_EQ(result.ItemCount, 3) << bands;
    EXPECT_EQ(result.LabeledPixels, 5) << bands;
    EXPECT_EQ(labels[2][1], 1) << bands;
    EXPECT_EQ(labels[1][9], 2) << bands;
    EXPECT_EQ(labels[2][8], 2) << bands;
    EXPECT_EQ(labels[7][5], 3) << bands;
    EXPECT_EQ(binary[7][5], 0) << bands;
    for (auto [i, j] : {std::pair{9, 3}, {9, 4}, {5, 9}, {6, 9}}) {
      EXPECT_EQ(binary[i][j], 1) << bands << " at " << i << "," << j;
      EXPECT_EQ(labels[i][j], kUntouched) << bands << " at " << i << "," << j;
    }
    EXPECT_EQ(labels[4][4], kUntouched) << "background is left as it was";
  }
}

TEST(ItemFill, DroppedItemsLeaveTheirLabelsAsTheyWere) {
  BytePlane binary = Zeros(8, 8);
  Block(binary, 1, 1, 2);
  binary[5][5] = 1;
  IntPlane labels(8, 8);
  labels.Fill(kUntouched);
  EXPECT_EQ(CountItems(binary, labels, 1, 100).ItemCount, 1);
  EXPECT_EQ(labels[5][5], kUntouched);
  EXPECT_EQ(binary[5][5], 0);
  EXPECT_EQ(labels[2][2], 1);
}

TEST(ItemFill, LargePlanesGiveTheSameItemsAsOneWalk) {
  // Large enough for CountItems to cut the plane into bands when several cores are there.
  const BytePlane discs = fixtures::RandomDiscs(640, 600, 900, 9, 11, 1, 0);
  BytePlane one = discs.Clone(), many = discs.Clone();
  IntPlane oneLabels(600, 640), manyLabels(600, 640);
  const ItemCountResult expected = CountItemsInBands(one, oneLabels, 3, 400, 1);
  const ItemCountResult result = CountItems(many, manyLabels, 3, 400);
  EXPECT_GT(expected.KeptItems, 100);
  EXPECT_EQ(result.ItemCount, expected.ItemCount);
  EXPECT_EQ(result.LabeledPixels, expected.LabeledPixels);
  for (std::size_t k = 0; k < one.Size(); ++k) {
    ASSERT_EQ(manyLabels.Data()[k], oneLabels.Data()[k]) << k;
    ASSERT_EQ(many.Data()[k], one.Data()[k]) << k;
  }
}

TEST(ItemFill, ManyBandsGiveOneBandsItemsOnLargeNoise) {
  // Dense noise: items of every shape and size, many crossing band edges.
  std::mt19937 random(5);
  BytePlane noise(700, 520);
  for (std::size_t k = 0; k < noise.Size(); ++k) noise.Data()[k] = random() % 100 < 40 ? 1 : 0;
  BytePlane one = noise.Clone();
  IntPlane oneLabels(700, 520);
  const ItemCountResult expected = CountItemsInBands(one, oneLabels, 0, 1 << 30, 1);
  EXPECT_GT(expected.KeptItems, 1000);
  for (int bands : {2, 8, 37, 520}) {
    BytePlane many = noise.Clone();
    IntPlane manyLabels(700, 520);
    const ItemCountResult result = CountItemsInBands(many, manyLabels, 0, 1 << 30, bands);
    EXPECT_EQ(result.ItemCount, expected.ItemCount) << bands;
    EXPECT_EQ(result.LabeledPixels, expected.LabeledPixels) << bands;
    for (std::size_t k = 0; k < one.Size(); ++k) {
      ASSERT_EQ(manyLabels.Data()[k], oneLabels.Data()[k]) << bands << " at " << k;
      ASSERT_EQ(many.Data()[k], one.Data()[k]) << bands << " at " << k;
    }
  }
  BytePlane mask = noise.Clone();
  IntPlane maskLabels(700, 520);
  EXPECT_EQ(WalkItemsForDilation(mask, maskLabels).ItemCount, expected.ItemCount);
  for (std::size_t k = 0; k < one.Size(); ++k) ASSERT_EQ(maskLabels.Data()[k], oneLabels.Data()[k]) << k;
}

TEST(ItemFill, DilationWalkLabelsEveryItem) {
  BytePlane mask = Zeros(10, 10);
  mask[2][2] = 1;
  Block(mask, 5, 5, 3);
  IntPlane labels(10, 10);
  const ItemCountResult result = WalkItemsForDilation(mask, labels);
  EXPECT_EQ(result.ItemCount, 2);
  EXPECT_EQ(labels[2][2], 1);
  EXPECT_EQ(labels[7][7], 2);
}

TEST(ItemFill, MismatchedOrEmptyPlanesLabelNothing) {
  BytePlane binary = Zeros(5, 5);
  binary[2][2] = 1;
  IntPlane small(3, 3);
  EXPECT_EQ(CountItems(binary, small, 0, 10).ItemCount, 0);
  BytePlane empty;
  IntPlane none;
  EXPECT_EQ(CountItems(empty, none, 0, 10).ItemCount, 0);
}

}  // namespace
