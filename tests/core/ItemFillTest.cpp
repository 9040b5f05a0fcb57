#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "ThreadCounts.h"
#include "binary/kernels/Labeling.h"
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

// The first cell where two planes of one size differ, -1 when none.
template <class T, class U>
long FirstDifference(const Plane<T>& a, const Plane<U>& b) {
  for (std::size_t k = 0; k < a.Size(); ++k) {
    if (a.Data()[k] != b.Data()[k]) return static_cast<long>(k);
  }
  return -1;
}

// `bands` 0: CountItems as the treatments call it (banded on its own when the plane is large); -1:
// the same with a stack kept between calls; -2: the dilation's walk, which keeps every item.
ItemCountResult Walk(BytePlane& binary, IntPlane& labels, int minSize, int maxSize, int bands,
                     PixelStack& kept) {
  if (bands == -2) return WalkItemsForDilation(binary, labels);
  if (bands == -1) return CountItems(binary, labels, minSize, maxSize, kept);
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
    SCOPED_TRACE(std::to_string(c.minSize) + ".." + std::to_string(c.maxSize));
    BytePlane binary(20, 12);
    binary[2][2] = binary[2][5] = binary[2][6] = binary[3][5] = binary[3][6] = 1;
    for (int i = 2; i < 5; ++i) std::fill(binary[i] + 10, binary[i] + 13, 1);
    IntPlane labels(20, 12);
    const ItemCountResult result = CountItems(binary, labels, c.minSize, c.maxSize);
    EXPECT_EQ(std::tuple(result.KeptItems, result.LabeledPixels), std::tuple(c.items, c.pixels));
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
    SCOPED_TRACE(bands);
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
    EXPECT_EQ(std::tuple(result.ItemCount, result.LabeledPixels), std::tuple(3, 5));
    EXPECT_EQ((std::vector<int>{labels[1][1], labels[2][1], labels[1][9], labels[2][8], labels[7][5]}),
              (std::vector<int>{1, 1, 2, 2, 3}));
    EXPECT_EQ(binary[7][5], 0);
    for (auto [i, j] : {std::pair{9, 3}, {9, 4}, {5, 9}, {6, 9}, {0, 1}, {0, 2}, {4, 4}}) {
      EXPECT_EQ(binary[i][j], i == 4 ? 0 : 1) << i << "," << j;
      EXPECT_EQ(labels[i][j], kUntouched) << i << "," << j;
    }
  }
}

// Random planes of every shape (rows wider than the 64 columns read at a time among them), values 0,
// 1 and 255, every third with rows repeated in streaks (the walk keeps one copy of their runs), some
// differing on column 0 only, outside the runs. The walks, cut into bands every way, against the
// literal walk; the walk of the frame, its pixels per code, its painted codes and the labeling against
// the literal walk of a frame-cleared copy.
TEST_P(ItemFillAtThreads, SameItemsAsTheLiteralWalkOnRandomImages) {
  std::mt19937 random(2024);
  PixelStack kept;
  for (int round = 0; round < 160; ++round) {
    SCOPED_TRACE(round);
    const bool wide = round % 4 == 0;
    const int lines = 1 + static_cast<int>(random() % (wide ? 13 : 40));
    const int columns = wide ? 60 + static_cast<int>(random() % 150) : 1 + static_cast<int>(random() % 40);
    const unsigned density = 20 + random() % 60;
    BytePlane a(columns, lines);
    for (int i = 0; i < lines; ++i) {
      const bool repeat = round % 3 == 0 && i > 0 && random() % 4 != 0;
      for (int j = 0; j < columns; ++j)
        a[i][j] = repeat ? a[i - 1][j] : random() % 100 < density ? 1 : random() % 2 ? 0 : 255;
      if (repeat && random() % 6 == 0) a[i][0] = static_cast<std::uint8_t>(random() % 2);
    }
    const int minSize = static_cast<int>(random() % 4);
    const int maxSize = random() % 3 == 0 ? 6 : 1 << 30;
    IntPlane expectedLabels(columns, lines);
    expectedLabels.Fill(kUntouched);
    BytePlane expectedPlane = a.Clone();
    const int expectedCount = LiteralCountItems(expectedPlane, expectedLabels, minSize, maxSize);
    for (int bands : {-1, 0, 1, 2, 3, 7, 64, lines}) {
      SCOPED_TRACE(bands);
      BytePlane b = a.Clone();
      IntPlane labels(columns, lines);
      labels.Fill(kUntouched);
      ASSERT_EQ(Walk(b, labels, minSize, maxSize, bands, kept).ItemCount, expectedCount);
      ASSERT_EQ(std::tuple(FirstDifference(labels, expectedLabels), FirstDifference(b, expectedPlane)),
                std::tuple(-1, -1));
    }

    BytePlane framed = a.Clone(), expectedCodes(columns, lines);
    for (int i = 0; i < lines; ++i) framed[i][0] = framed[i][columns - 1] = 0;
    for (int j = 0; j < columns; ++j) framed[0][j] = framed[lines - 1][j] = 0;
    IntPlane framedLabels(columns, lines);
    const int framedCount = LiteralCountItems(framed, framedLabels, minSize, maxSize);
    std::vector<std::int64_t> perCode(static_cast<std::size_t>(framedCount) + 1, 0);
    std::int64_t framedPixels = 0;
    for (std::size_t k = 0; k < a.Size(); ++k) {
      const int label = framedLabels.Data()[k];
      expectedCodes.Data()[k] = static_cast<std::uint8_t>(label > 0 ? label : 255);
      if (label > 0) ++perCode[static_cast<std::size_t>(label)], ++framedPixels;
    }
    for (int bands : {0, 1, 3, lines}) {
      SCOPED_TRACE(bands);
      PixelStack stack;
      const ItemCountResult result = CountItemsInFrame(a, minSize, maxSize, stack, bands);
      ASSERT_EQ(std::tuple(result.ItemCount, result.LabeledPixels), std::tuple(framedCount, framedPixels));
      ASSERT_EQ(ItemPixelsPerCode(stack), perCode);
      if (framedCount > 254) continue;
      BytePlane codes(columns, lines);
      PaintItemCodes(stack, a, codes, 255);
      ASSERT_EQ(FirstDifference(codes, expectedCodes), -1);
    }
    const LabelingResult labeled = LabelItems(a, minSize, maxSize);
    ASSERT_EQ(std::tuple(labeled.ItemCount, labeled.LabeledPixels, labeled.PixelsPerCode),
              std::tuple(framedCount, framedPixels, perCode));
    ASSERT_TRUE(!labeled.FitsInBytes() || FirstDifference(labeled.Labeled, expectedCodes) == -1);
  }
}

// Long and branchy single items (a square, a spiral, a comb) and a noise large enough for CountItems
// to cut it into bands when several cores are there, with items of every shape crossing band edges:
// every way of walking gives the one-band walk's items, and that one finds each single item whole.
TEST_P(ItemFillAtThreads, LargeItemsAreTheSameHoweverCut) {
  std::mt19937 random(5);
  BytePlane noise(700, 520);
  for (std::size_t k = 0; k < noise.Size(); ++k) noise.Data()[k] = random() % 100 < 40 ? 1 : 0;
  std::pair<const char*, BytePlane> cases[] = {
      {"square", fixtures::FilledSquare(200, 200, 10, 10, 180, 1, 0)},
      {"spiral", fixtures::Spiral(181, 1, 0)},
      {"comb", fixtures::Comb(200, 150, 1, 0)},
      {"noise", std::move(noise)}};
  PixelStack kept;
  for (auto& [name, plane] : cases) {
    SCOPED_TRACE(name);
    BytePlane one = plane.Clone();
    IntPlane oneLabels(one.Columns(), one.Lines());
    const ItemCountResult expected = CountItemsInBands(one, oneLabels, 0, 1 << 30, 1);
    if (std::string(name) == "noise") {
      EXPECT_GT(expected.KeptItems, 1000);
    } else {
      EXPECT_EQ(std::tuple(expected.ItemCount, expected.LabeledPixels, FirstDifference(oneLabels, plane),
                           FirstDifference(one, BytePlane(one.Columns(), one.Lines()))),
                std::tuple(1, std::count(plane.Data(), plane.Data() + plane.Size(), 1), -1, -1));
    }
    for (int bands : {0, 4, 9, 37, one.Lines(), -2}) {
      SCOPED_TRACE(bands);
      BytePlane many = plane.Clone();
      IntPlane manyLabels(one.Columns(), one.Lines());
      const ItemCountResult result = Walk(many, manyLabels, 0, 1 << 30, bands, kept);
      EXPECT_EQ(std::tuple(result.ItemCount, result.LabeledPixels),
                std::tuple(expected.ItemCount, expected.LabeledPixels));
      ASSERT_EQ(std::tuple(FirstDifference(manyLabels, oneLabels), FirstDifference(many, one)),
                std::tuple(-1, -1));
    }
  }
}

TEST(ItemFill, MismatchedOrEmptyPlanesLabelNothing) {
  BytePlane binary(5, 5), empty;
  binary[2][2] = 1;
  IntPlane small(3, 3), none;
  EXPECT_EQ(CountItems(binary, small, 0, 10).ItemCount, 0);
  EXPECT_EQ(CountItems(empty, none, 0, 10).ItemCount, 0);
}

}  // namespace
