#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <numeric>
#include <random>
#include <tuple>
#include <utility>

#include "ThreadCounts.h"
#include "binary/kernels/Labeling.h"
#include "fixtures/Fractals.h"
#include "imaging/ItemFill.h"

namespace {

class ItemFillAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(ItemFillAtThreads);

// Literal walk: nothing popped, each search backtracks from the stack's top; a lone pixel has size 0.
int LiteralCountItems(BytePlane& m, IntPlane& labels, long long minSize, long long maxSize) {
  const int lines = m.Lines(), columns = m.Columns();
  std::vector<std::pair<int, int>> stack(static_cast<std::size_t>(lines) * columns + 2);
  int itemCount = 0;
  for (int i = 1; i <= lines - 2; ++i)
    for (int j = 1; j <= columns - 2; ++j) {
      if (m[i][j] != 1) continue;
      int n = 1, back = 0;
      stack[1] = {i, j};
      m[i][j] = 0;
      std::pair<int, int> current{i, j};
      for (;;) {
        bool taken = false;
        for (int r = current.first - 1; r <= current.first + 1 && !taken; ++r)
          for (int c = current.second - 1; c <= current.second + 1 && !taken; ++c)
            if (0 < r && r < lines && 0 < c && c < columns && m[r][c] == 1) {
              stack[static_cast<std::size_t>(++n)] = {r, c};
              m[r][c] = 0, back = 0, current = {r, c}, taken = true;
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
  return itemCount;
}

constexpr std::int32_t kUntouched = -7;  // labels no kept item covers keep it
constexpr int kNoBound = 1 << 30;

template <class T, class U>
std::size_t FirstDifference(const Plane<T>& a, const Plane<U>& b) {
  return static_cast<std::size_t>(std::mismatch(a.Data(), a.Data() + a.Size(), b.Data()).first - a.Data());
}

// `bands` 0: CountItems as called; -1: with a kept stack; -2: the dilation's walk (keeps every item).
ItemCountResult Walk(BytePlane& binary, IntPlane& labels, int minSize, int maxSize, int bands,
                     PixelStack& kept) {
  if (bands == -2) return WalkItemsForDilation(binary, labels);
  if (bands == -1) return CountItems(binary, labels, minSize, maxSize, kept);
  return bands == 0 ? CountItems(binary, labels, minSize, maxSize)
                    : CountItemsInBands(binary, labels, minSize, maxSize, bands);
}

// Every walk of `a` against the literal one; frame walk, codes and labeling against a frame-cleared copy.
void ExpectTheLiteralWalk(const BytePlane& a, int minSize, int maxSize, std::initializer_list<int> bands) {
  const int lines = a.Lines(), columns = a.Columns();
  IntPlane expectedLabels(columns, lines);
  expectedLabels.Fill(kUntouched);
  BytePlane expectedPlane = a.Clone();
  const int expectedCount = LiteralCountItems(expectedPlane, expectedLabels, minSize, maxSize);
  const std::int64_t expectedPixels = std::count_if(expectedLabels.Data(), expectedLabels.Data() + a.Size(),
                                                    [](std::int32_t label) { return label > 0; });
  PixelStack kept;
  for (int band : bands) {
    SCOPED_TRACE(band);
    if (band == -2 && (minSize > 0 || maxSize < kNoBound)) continue;
    BytePlane b = a.Clone();
    IntPlane labels(columns, lines);
    labels.Fill(kUntouched);
    const ItemCountResult result = Walk(b, labels, minSize, maxSize, band, kept);
    ASSERT_EQ(std::tuple(result.ItemCount, result.LabeledPixels), std::tuple(expectedCount, expectedPixels));
    ASSERT_EQ(std::tuple(FirstDifference(labels, expectedLabels), FirstDifference(b, expectedPlane)),
              std::tuple(a.Size(), a.Size()));
  }
  BytePlane framed = a.Clone(), expectedCodes(columns, lines);
  for (int i = 0; i < lines; ++i) framed[i][0] = framed[i][columns - 1] = 0;
  for (int j = 0; j < columns; ++j) framed[0][j] = framed[lines - 1][j] = 0;
  IntPlane framedLabels(columns, lines);
  const int framedCount = LiteralCountItems(framed, framedLabels, minSize, maxSize);
  std::vector<std::int64_t> perCode(static_cast<std::size_t>(framedCount) + 1, 0);
  for (std::size_t k = 0; k < a.Size(); ++k) {
    const int label = framedLabels.Data()[k];
    expectedCodes.Data()[k] = static_cast<std::uint8_t>(label > 0 ? label : 255);
    perCode[static_cast<std::size_t>(std::max(label, 0))] += label > 0;
  }
  const std::int64_t framedPixels = std::accumulate(perCode.begin(), perCode.end(), std::int64_t{0});
  for (int band : {1, 3, lines}) {
    SCOPED_TRACE(band);
    PixelStack stack;
    const ItemCountResult result = CountItemsInFrame(a, minSize, maxSize, stack, band);
    ASSERT_EQ(std::tuple(result.ItemCount, result.LabeledPixels), std::tuple(framedCount, framedPixels));
    ASSERT_EQ(ItemPixelsPerCode(stack), perCode);
    BytePlane codes(columns, lines);
    if (framedCount <= 254) PaintItemCodes(stack, a, codes, 255);
    ASSERT_TRUE(framedCount > 254 || FirstDifference(codes, expectedCodes) == a.Size());
  }
  const LabelingResult labeled = LabelItems(a, minSize, maxSize, kept);
  ASSERT_EQ(std::tuple(labeled.ItemCount, labeled.LabeledPixels, labeled.PixelsPerCode),
            std::tuple(framedCount, framedPixels, perCode));
  ASSERT_TRUE(!labeled.FitsInBytes() || FirstDifference(labeled.Labeled, expectedCodes) == a.Size());
}

// Frame pixels are never walked nor start an item.
TEST(ItemFill, HandWorkedSizeBoundsOrderAndBorders) {
  const int u = kUntouched;
  const std::tuple<int, int, std::int64_t, std::vector<int>> cases[] = {
      {0, 100, 14, {1, 2, 3, 4}}, {1, 100, 13, {1, 2, 3, u}}, {3, 100, 9, {u, u, 1, u}},
      {0, 0, 1, {u, u, u, 1}},    {2, 2, 4, {1, 2, u, u}},    {10, 5, 0, {u, u, u, u}}};
  PixelStack kept;
  for (const auto& [minSize, maxSize, pixels, codes] : cases) {
    for (int bands : {-1, 0, 1, 2, 3, 10}) {
      SCOPED_TRACE(testing::Message() << minSize << ".." << maxSize << " bands " << bands);
      BytePlane binary(10, 10);
      binary[0][1] = binary[0][2] = binary[1][1] = binary[2][1] = 1;           // line 0, B
      binary[1][9] = binary[2][8] = binary[8][1] = 1;                          // A, E
      binary[9][3] = binary[9][4] = binary[5][9] = binary[6][9] = 1;           // C, D
      for (int i = 4; i < 7; ++i) std::fill(binary[i] + 3, binary[i] + 6, 1);  // Q
      IntPlane labels(10, 10);
      labels.Fill(kUntouched);
      const ItemCountResult result = Walk(binary, labels, minSize, maxSize, bands, kept);
      const auto items = std::count_if(codes.begin(), codes.end(), [](int c) { return c > 0; });
      EXPECT_EQ(std::tuple(result.ItemCount, result.KeptItems, result.LabeledPixels),
                std::tuple(items, items, pixels));
      EXPECT_EQ((std::vector<int>{labels[1][1], labels[2][1], labels[1][9], labels[2][8], labels[5][4],
                                  labels[8][1]}),
                (std::vector<int>{codes[0], codes[0], codes[1], codes[1], codes[2], codes[3]}));
      for (auto [i, j] : {std::pair{0, 1}, {0, 2}, {9, 3}, {9, 4}, {5, 9}, {6, 9}, {3, 3}})
        EXPECT_TRUE(binary[i][j] == (i != 3) && labels[i][j] == kUntouched) << i << "," << j;
    }
  }
  BytePlane binary = fixtures::FilledSquare(5, 5, 2, 2, 1, 1, 0), empty;
  IntPlane small(3, 3), none;
  EXPECT_EQ(std::tuple(CountItems(binary, small, 0, 10).ItemCount, CountItems(empty, none, 0, 10).ItemCount),
            std::tuple(0, 0));  // planes of different sizes, empty planes
}

// Random planes, some wider than 64 columns, every third with repeated rows (some differing on column 0).
TEST_P(ItemFillAtThreads, SameItemsAsTheLiteralWalkOnRandomAndLargeImages) {
  std::mt19937 random(2024);
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
    const int minSize = static_cast<int>(random() % 4), maxSize = random() % 3 == 0 ? 6 : kNoBound;
    ASSERT_NO_FATAL_FAILURE(ExpectTheLiteralWalk(a, minSize, maxSize, {-2, -1, 0, 1, 2, 3, 7, 64, lines}));
  }
  // Long and branchy items crossing every band edge.
  const std::pair<const char*, BytePlane> cases[] = {{"spiral", fixtures::Spiral(181, 1, 0)},
                                                     {"comb", fixtures::Comb(200, 150, 1, 0)}};
  for (const auto& [name, plane] : cases) {
    SCOPED_TRACE(name);
    ASSERT_NO_FATAL_FAILURE(ExpectTheLiteralWalk(plane, 0, kNoBound, {-2, 0, 4, 9, 37, plane.Lines()}));
  }
}

// Single pixels two apart, 20 to a row: 253 items fit in bytes (codes skip 10), 254 do not.
TEST(Labeling, MoreThan253ItemsAreNotPainted) {
  for (const int count : {253, 254}) {
    BytePlane dots(43, (count + 19) / 20 * 2 + 3);
    dots.Fill(255);
    for (int k = 0; k < count; ++k) dots[2 + k / 20 * 2][2 + k % 20 * 2] = 1;
    const LabelingResult result = LabelItems(dots, 0, 100);
    EXPECT_EQ(std::tuple(result.FitsInBytes(), result.KeptItems, result.ItemCount, result.Labeled.Empty()),
              std::tuple(count == 253, count, count + 1, count != 253));
  }
  EXPECT_EQ(PercentageOfItems(5, 0), 0.0);
}

}  // namespace
