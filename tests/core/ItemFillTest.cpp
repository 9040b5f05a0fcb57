#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "ThreadCounts.h"
#include "fixtures/Fractals.h"
#include "imaging/ItemFill.h"

namespace {

class ItemFillAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(ItemFillAtThreads);

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

void Block(BytePlane& plane, int top, int left, int side) {
  for (int i = top; i < top + side; ++i) {
    for (int j = left; j < left + side; ++j) plane[i][j] = 1;
  }
}

std::int64_t Ones(const BytePlane& plane) {
  std::int64_t ones = 0;
  for (std::size_t k = 0; k < plane.Size(); ++k) ones += plane.Data()[k] == 1;
  return ones;
}

// `bands` 0: CountItems as the treatments call it (banded on its own when the plane is large).
ItemCountResult Walk(BytePlane& binary, IntPlane& labels, int minSize, int maxSize, int bands) {
  return bands == 0 ? CountItems(binary, labels, minSize, maxSize)
                    : CountItemsInBands(binary, labels, minSize, maxSize, bands);
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
    BytePlane binary(20, 12);
    binary[2][2] = 1;
    Block(binary, 2, 5, 2);
    Block(binary, 2, 10, 3);
    IntPlane labels(20, 12);
    const ItemCountResult result = CountItems(binary, labels, c.minSize, c.maxSize);
    EXPECT_EQ(std::tuple(result.KeptItems, result.LabeledPixels), std::tuple(c.items, c.pixels))
        << c.minSize << ".." << c.maxSize;
    EXPECT_EQ(binary[2][2], 0) << "a dropped item is consumed all the same";
  }
  EXPECT_EQ(std::tuple(ItemSize(1), ItemSize(2)), std::tuple(0, 2));
}

TEST(ItemFill, ItemsOrderedByTheirFirstPixelThatCanStart) {
  // Item A begins on the last column, where no item starts, and is first started on line 2 at
  // column 8; item B starts on line 1 at column 1, so it is found first; the pixels above B on line 0
  // are never reached. Item C lies on the last line only and item D on the last column only: never
  // walked, left as they were. Item E is a single pixel, kept with a minimum size of 0.
  for (int bands : {1, 2, 3, 10}) {
    BytePlane binary(10, 10);
    binary[1][9] = binary[2][8] = 1;  // A
    binary[1][1] = binary[2][1] = 1;  // B
    binary[0][1] = binary[0][2] = 1;  // line 0
    binary[9][3] = binary[9][4] = 1;  // C
    binary[5][9] = binary[6][9] = 1;  // D
    binary[7][5] = 1;                 // E
    IntPlane labels(10, 10);
    labels.Fill(kUntouched);
    const ItemCountResult result = CountItemsInBands(binary, labels, 0, 100, bands);
    EXPECT_EQ(std::tuple(result.ItemCount, result.LabeledPixels), std::tuple(3, 5)) << bands;
    EXPECT_EQ((std::vector<int>{labels[1][1], labels[2][1], labels[1][9], labels[2][8], labels[7][5]}),
              (std::vector<int>{1, 1, 2, 2, 3}))
        << bands;
    EXPECT_EQ(binary[7][5], 0) << bands;
    for (auto [i, j] : {std::pair{9, 3}, {9, 4}, {5, 9}, {6, 9}, {0, 1}, {0, 2}}) {
      EXPECT_EQ(binary[i][j], 1) << bands << " at " << i << "," << j;
      EXPECT_EQ(labels[i][j], kUntouched) << bands << " at " << i << "," << j;
    }
    EXPECT_EQ(labels[4][4], kUntouched) << "background is left as it was";
  }
}

TEST_P(ItemFillAtThreads, LongAndBranchyItemsAreSingleItemsAcrossEveryBandEdge) {
  struct Case {
    const char* name;
    BytePlane plane;
  };
  Case cases[] = {{"square of 32400 pixels", fixtures::FilledSquare(200, 200, 10, 10, 180, 1, 0)},
                  {"spiral", fixtures::Spiral(181, 1, 0)},
                  {"comb", fixtures::Comb(200, 150, 1, 0)}};
  for (Case& c : cases) {
    const std::int64_t ones = Ones(c.plane);
    for (int bands : {0, 1, 4, 9, c.plane.Lines()}) {
      BytePlane copy = c.plane.Clone();
      IntPlane labels(copy.Columns(), copy.Lines());
      const ItemCountResult result = Walk(copy, labels, 1, 1 << 30, bands);
      EXPECT_EQ(std::tuple(result.ItemCount, result.LabeledPixels), std::tuple(1, ones)) << c.name << bands;
      for (std::size_t k = 0; k < copy.Size(); ++k) {
        ASSERT_EQ(labels.Data()[k], c.plane.Data()[k]) << c.name << " bands " << bands << " at " << k;
        ASSERT_EQ(copy.Data()[k], 0) << c.name << " bands " << bands << " at " << k;
      }
    }
  }
}

// Random planes of every shape (rows wider than the 64 columns read at a time among them), values
// 0, 1 and 255, size bounds, and every way of cutting into bands, against the literal walk.
TEST_P(ItemFillAtThreads, SameItemsAsTheLiteralWalkOnRandomImages) {
  std::mt19937 random(2024);
  PixelStack stack;
  for (int round = 0; round < 160; ++round) {
    const bool wide = round % 4 == 0;
    const int lines = 1 + static_cast<int>(random() % (wide ? 13 : 40));
    const int columns = wide ? 60 + static_cast<int>(random() % 150) : 1 + static_cast<int>(random() % 40);
    const unsigned density = 20 + random() % 60;
    BytePlane a(columns, lines);
    for (std::size_t k = 0; k < a.Size(); ++k)
      a.Data()[k] = random() % 100 < density ? 1 : (random() % 2 ? 0 : 255);
    const int minSize = static_cast<int>(random() % 4);
    const int maxSize = random() % 3 == 0 ? 6 : 1 << 30;
    IntPlane expectedLabels(columns, lines);
    expectedLabels.Fill(kUntouched);
    BytePlane expectedPlane = a.Clone();
    const int expectedCount = LiteralCountItems(expectedPlane, expectedLabels, minSize, maxSize);
    for (int bands : {-1, 0, 1, 2, 3, 7, 64, lines}) {  // -1: CountItems with a stack kept between calls
      BytePlane b = a.Clone();
      IntPlane labels(columns, lines);
      labels.Fill(kUntouched);
      const ItemCountResult result = bands < 0 ? CountItems(b, labels, minSize, maxSize, stack)
                                               : Walk(b, labels, minSize, maxSize, bands);
      ASSERT_EQ(result.ItemCount, expectedCount) << "round " << round << " bands " << bands;
      for (std::size_t k = 0; k < a.Size(); ++k) {
        ASSERT_EQ(labels.Data()[k], expectedLabels.Data()[k]) << round << " bands " << bands << " at " << k;
        ASSERT_EQ(b.Data()[k], expectedPlane.Data()[k]) << round << " bands " << bands << " at " << k;
      }
    }
  }
}

// Rows repeated in streaks (the walk keeps one copy of their runs): streaks across band edges, on
// the last line where nothing starts, with runs on the last column; the walk and the labeling of a
// frame-cleared copy against the literal walk.
TEST_P(ItemFillAtThreads, RepeatedRowsAreWalkedAndPaintedLikeAnyOther) {
  std::mt19937 random(77);
  for (int round = 0; round < 40; ++round) {
    const int lines = 2 + static_cast<int>(random() % 40);
    const int columns = 1 + static_cast<int>(random() % (round % 3 == 0 ? 150 : 20));
    BytePlane a(columns, lines);
    for (int i = 0; i < lines;) {
      std::vector<std::uint8_t> row(static_cast<std::size_t>(columns));
      for (std::uint8_t& cell : row) cell = random() % 100 < 45 ? 1 : (random() % 2 ? 0 : 255);
      for (int n = 1 + static_cast<int>(random() % 8); n > 0 && i < lines; --n, ++i) {
        std::copy(row.begin(), row.end(), a[i]);
        if (random() % 6 == 0)
          a[i][0] = static_cast<std::uint8_t>(random() % 2);  // outside the runs' columns
      }
    }
    const int minSize = static_cast<int>(random() % 3), maxSize = random() % 2 ? 1 << 30 : 12;
    for (int bands : {1, 2, 5, lines}) {
      IntPlane expectedLabels(columns, lines), labels(columns, lines);
      expectedLabels.Fill(kUntouched);
      labels.Fill(kUntouched);
      BytePlane expectedPlane = a.Clone(), b = a.Clone();
      const int expectedCount = LiteralCountItems(expectedPlane, expectedLabels, minSize, maxSize);
      ASSERT_EQ(CountItemsInBands(b, labels, minSize, maxSize, bands).ItemCount, expectedCount) << round;
      for (std::size_t k = 0; k < a.Size(); ++k) {
        ASSERT_EQ(labels.Data()[k], expectedLabels.Data()[k]) << round << " bands " << bands << " at " << k;
        ASSERT_EQ(b.Data()[k], expectedPlane.Data()[k]) << round << " bands " << bands << " at " << k;
      }

      BytePlane framed = a.Clone();
      for (int i = 0; i < lines; ++i) framed[i][0] = framed[i][columns - 1] = 0;
      for (int j = 0; j < columns; ++j) framed[0][j] = framed[lines - 1][j] = 0;
      IntPlane framedLabels(columns, lines);
      const int framedCount = LiteralCountItems(framed, framedLabels, minSize, maxSize);
      PixelStack stack;
      ASSERT_EQ(CountItemsInFrame(a, minSize, maxSize, stack, bands).ItemCount, framedCount) << round;
      if (framedCount > 254) continue;
      BytePlane codes(columns, lines);
      PaintItemCodes(stack, a, codes, 255);
      for (std::size_t k = 0; k < a.Size(); ++k) {
        const int code = framedLabels.Data()[k] > 0 ? framedLabels.Data()[k] : 255;
        ASSERT_EQ(codes.Data()[k], code) << round << " bands " << bands << " at " << k;
      }
    }
  }
}

TEST_P(ItemFillAtThreads, LargeNoiseGivesOneWalksItemsHoweverCut) {
  // Large enough for CountItems to cut the plane into bands when several cores are there; items of
  // every shape and size, many crossing band edges.
  std::mt19937 random(5);
  BytePlane noise(700, 520);
  for (std::size_t k = 0; k < noise.Size(); ++k) noise.Data()[k] = random() % 100 < 40 ? 1 : 0;
  BytePlane one = noise.Clone();
  IntPlane oneLabels(700, 520);
  const ItemCountResult expected = CountItemsInBands(one, oneLabels, 0, 1 << 30, 1);
  EXPECT_GT(expected.KeptItems, 1000);
  for (int bands : {0, 8, 37, 520, -1}) {  // -1: the dilation's walk
    BytePlane many = noise.Clone();
    IntPlane manyLabels(700, 520);
    const ItemCountResult result =
        bands < 0 ? WalkItemsForDilation(many, manyLabels) : Walk(many, manyLabels, 0, 1 << 30, bands);
    EXPECT_EQ(std::tuple(result.ItemCount, result.LabeledPixels),
              std::tuple(expected.ItemCount, expected.LabeledPixels))
        << bands;
    for (std::size_t k = 0; k < one.Size(); ++k) {
      ASSERT_EQ(manyLabels.Data()[k], oneLabels.Data()[k]) << bands << " at " << k;
      ASSERT_EQ(many.Data()[k], one.Data()[k]) << bands << " at " << k;
    }
  }
}

TEST(ItemFill, MismatchedOrEmptyPlanesLabelNothing) {
  BytePlane binary(5, 5);
  binary[2][2] = 1;
  IntPlane small(3, 3);
  EXPECT_EQ(CountItems(binary, small, 0, 10).ItemCount, 0);
  BytePlane empty;
  IntPlane none;
  EXPECT_EQ(CountItems(empty, none, 0, 10).ItemCount, 0);
}

}  // namespace
