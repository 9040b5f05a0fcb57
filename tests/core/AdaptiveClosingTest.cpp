#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <queue>
#include <random>
#include <tuple>
#include <vector>

#include "imaging/ItemFill.h"
#include "imaging/Parallel.h"
#include "urban/kernels/AdaptiveClosing.h"

namespace {

constexpr std::uint8_t kItem = 1;
constexpr std::uint8_t kBack = 255;
constexpr int kNone = INT_MAX;  // background of the int mask: above every code

struct Reference {
  BytePlane mask;
  std::vector<int> steps;
  int startPieces = 0;
};

// The linking as written, cycle by cycle on whole planes: the mask relabeled by the item walk at each
// cycle, growth code by code (a later code overwriting an earlier one), the contact test, the merge,
// the notch pass and the shrink steps. With the program's corrections: int codes over a background
// above them all, a step record that grows, a stop when there is no piece, the frame not eating the
// shape in the shrink, and the value's pixels kept.
Reference ReferenceClosing(const BytePlane& binary, int v) {
  const int lines = binary.Lines(), columns = binary.Columns();
  Reference out;
  IntPlane fill(columns, lines), work(columns, lines);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j) fill[i][j] = binary[i][j] == v ? 1 : 0;
  auto interior = [&](int i, int j) { return i >= 1 && i <= lines - 2 && j >= 1 && j <= columns - 2; };
  const int four[4][2] = {{-1, 0}, {0, 1}, {1, 0}, {0, -1}};
  const int eight[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}};
  auto contact = [&] {
    for (int i = 1; i <= lines - 2; ++i)
      for (int j = 1; j <= columns - 2; ++j) {
        const int p = fill[i][j];
        if (p == kNone) continue;
        for (int a = -1; a <= 1; ++a)
          for (int b = -1; b <= 1; ++b)
            if (fill[i + a][j + b] != p && fill[i + a][j + b] < kNone) return true;
      }
    return false;
  };
  for (bool first = true;; first = false) {
    for (int i = 0; i < lines; ++i) fill[i][0] = fill[i][columns - 1] = 0;
    for (int j = 0; j < columns; ++j) fill[0][j] = fill[lines - 1][j] = 0;
    BytePlane ones(columns, lines);
    for (int i = 0; i < lines; ++i)
      for (int j = 0; j < columns; ++j) ones[i][j] = fill[i][j] == 1 ? 1 : 0;
    IntPlane labels(columns, lines);
    labels.Fill(kNone);
    const ItemCountResult walked = WalkItemsForDilation(ones, labels);
    if (first) out.startPieces = walked.KeptItems;
    fill = std::move(labels);
    if (walked.ItemCount == 0) return out;
    if (walked.ItemCount == 1) break;
    work.Fill(kNone);
    for (int k = 1; k <= walked.ItemCount; ++k)
      for (int i = 1; i <= lines - 2; ++i)
        for (int j = 1; j <= columns - 2; ++j)
          if (fill[i][j] == k)
            for (const auto& d : four)
              if (fill[i + d[0]][j + d[1]] == kNone) work[i + d[0]][j + d[1]] = k;
    for (std::size_t n = 0; n < fill.Size(); ++n)
      if (work.Data()[n] < kNone) fill.Data()[n] = work.Data()[n];
    out.steps.push_back(1);
    if (!contact()) {
      work.Fill(kNone);
      for (int i = 1; i <= lines - 2; ++i)
        for (int j = 1; j <= columns - 2; ++j)
          for (int k = 1; k <= walked.ItemCount; ++k)
            if (fill[i][j] == k)
              for (const auto& d : eight)
                if (fill[i + d[0]][j + d[1]] == kNone) work[i + d[0]][j + d[1]] = k;
      for (std::size_t n = 0; n < fill.Size(); ++n)
        if (work.Data()[n] < kNone) fill.Data()[n] = work.Data()[n];
      out.steps.push_back(2);
    }
    for (std::size_t n = 0; n < fill.Size(); ++n) fill.Data()[n] = fill.Data()[n] < kNone ? 1 : kNone;
  }
  work.Fill(kNone);
  for (int i = 1; i <= lines - 2; ++i)
    for (int j = 1; j <= columns - 2; ++j) {
      if (fill[i][j] != kNone) continue;
      int around = 0;
      for (const auto& d : four) around += fill[i + d[0]][j + d[1]] < kNone;
      if (around >= 3) work[i][j] = 1;
    }
  for (std::size_t n = 0; n < fill.Size(); ++n)
    if (work.Data()[n] == 1) fill.Data()[n] = 1;
  for (const int step : out.steps) {
    work.Fill(kNone);
    for (int i = 1; i <= lines - 2; ++i)
      for (int j = 1; j <= columns - 2; ++j) {
        if (fill[i][j] != 1) continue;
        const int count = step == 1 ? 4 : 8;
        for (int k = 0; k < count; ++k) {
          const int a = i + (step == 1 ? four[k][0] : eight[k][0]);
          const int b = j + (step == 1 ? four[k][1] : eight[k][1]);
          if (interior(a, b) && fill[a][b] == kNone) work[i][j] = 1;
        }
      }
    for (std::size_t n = 0; n < fill.Size(); ++n)
      if (work.Data()[n] == 1) fill.Data()[n] = kNone;
  }
  out.mask = BytePlane(columns, lines);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j) out.mask[i][j] = fill[i][j] == 1 || binary[i][j] == v ? kItem : kBack;
  return out;
}

int Pieces(const BytePlane& mask) {
  const int lines = mask.Lines(), columns = mask.Columns();
  BytePlane seen(columns, lines);
  int pieces = 0;
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j) {
      if (mask[i][j] != kItem || seen[i][j]) continue;
      ++pieces;
      std::queue<std::pair<int, int>> queue;
      queue.push({i, j});
      seen[i][j] = 1;
      while (!queue.empty()) {
        const auto [a, b] = queue.front();
        queue.pop();
        for (int da = -1; da <= 1; ++da)
          for (int db = -1; db <= 1; ++db) {
            const int x = a + da, y = b + db;
            if (x < 0 || y < 0 || x >= lines || y >= columns || seen[x][y] || mask[x][y] != kItem) continue;
            seen[x][y] = 1;
            queue.push({x, y});
          }
      }
    }
  return pieces;
}

BytePlane Random(int columns, int lines, unsigned seed, int perThousand, int value) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> draw(0, 999), other(0, 254);
  BytePlane plane(columns, lines);
  for (std::size_t n = 0; n < plane.Size(); ++n) {
    const int v = other(random);
    plane.Data()[n] = static_cast<std::uint8_t>(draw(random) < perThousand ? value : (v == value ? 255 : v));
  }
  return plane;
}

bool Equal(const BytePlane& a, const BytePlane& b) {
  return a.Lines() == b.Lines() && a.Columns() == b.Columns() &&
         std::equal(a.Data(), a.Data() + a.Size(), b.Data());
}

bool KeepsTheValue(const BytePlane& binary, int value, const BytePlane& mask) {
  for (std::size_t n = 0; n < binary.Size(); ++n)
    if (binary.Data()[n] == value && mask.Data()[n] != kItem) return false;
  return true;
}

AdaptiveClosingResult Link(const BytePlane& binary, int value, BytePlane& mask) {
  return AdaptiveClosingLinking(binary, value, mask);
}

BytePlane Blank(int columns, int lines) {
  BytePlane plane(columns, lines);
  plane.Fill(kBack);
  return plane;
}

}  // namespace

TEST(AdaptiveClosingTest, EqualsTheCycleByCycleLinkingOnRandomImages) {
  for (const unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
    for (const int perThousand : {1, 4, 15, 60, 300}) {
      const BytePlane binary =
          Random(60, 60, seed * 1000 + static_cast<unsigned>(perThousand), perThousand, 40);
      const Reference expected = ReferenceClosing(binary, 40);
      BytePlane mask;
      const AdaptiveClosingResult result = Link(binary, 40, mask);
      EXPECT_EQ(result.StartPieces, expected.startPieces) << seed << " " << perThousand;
      EXPECT_EQ(result.Steps, expected.steps) << seed << " " << perThousand;
      if (expected.startPieces == 0) continue;
      EXPECT_TRUE(Equal(mask, expected.mask)) << seed << " " << perThousand;
      EXPECT_EQ(result.Pieces, Pieces(expected.mask)) << seed << " " << perThousand;
      EXPECT_TRUE(KeepsTheValue(binary, 40, mask));
    }
  }
}

TEST(AdaptiveClosingTest, OneThreadAndSeveralGiveTheSameResult) {
  const BytePlane binary = Random(150, 83, 8, 6, 1);
  const Reference expected = ReferenceClosing(binary, 1);
  for (const int threads : {1, 0}) {
    parallel::SetThreadLimit(threads);
    BytePlane mask;
    EXPECT_EQ(Link(binary, 1, mask).Steps, expected.steps);
    EXPECT_TRUE(Equal(mask, expected.mask)) << threads;
  }
  parallel::SetThreadLimit(0);
}

TEST(AdaptiveClosingTest, PiecesThreeApartAreLinkedByAFourThenAnEightStep) {
  BytePlane binary = Blank(20, 11);
  for (int j = 3; j <= 6; ++j) binary[4][j] = binary[5][j] = binary[6][j] = 1;
  for (int j = 10; j <= 13; ++j) binary[4][j] = binary[5][j] = binary[6][j] = 1;
  BytePlane mask;
  const AdaptiveClosingResult result = Link(binary, 1, mask);
  EXPECT_EQ(result.StartPieces, 2);
  EXPECT_EQ(result.Steps, (std::vector<int>{kGrowth4, kGrowth8}));
  EXPECT_EQ(result.Pieces, 1);
  EXPECT_TRUE(KeepsTheValue(binary, 1, mask));
  for (int j = 7; j <= 9; ++j) EXPECT_EQ(mask[5][j], kItem) << j;  // the gap is bridged
}

TEST(AdaptiveClosingTest, TwoSinglePixelsTwoApartStayApartAfterTheShrink) {
  BytePlane binary = Blank(11, 11);
  binary[5][3] = binary[5][6] = 1;
  BytePlane mask;
  const AdaptiveClosingResult result = Link(binary, 1, mask);
  EXPECT_EQ(result.StartPieces, 2);
  EXPECT_EQ(result.Steps, (std::vector<int>{kGrowth4}));
  EXPECT_EQ(result.Pieces, 2);  // the thin link does not survive the shrink
  EXPECT_TRUE(KeepsTheValue(binary, 1, mask));
}

TEST(AdaptiveClosingTest, OnePieceOnlyGetsItsNotchesFilled) {
  // A 5 x 3 ring: the two ends of its hole have 3 neighbours in the piece and join; the middle has 2
  // and, the pass being made once, stays out.
  BytePlane binary = Blank(10, 10);
  for (int j = 2; j <= 6; ++j) binary[2][j] = binary[4][j] = 1;
  binary[3][2] = binary[3][6] = 1;
  BytePlane mask;
  const AdaptiveClosingResult result = Link(binary, 1, mask);
  EXPECT_EQ(result.StartPieces, 1);
  EXPECT_TRUE(result.Steps.empty());
  EXPECT_EQ(std::tuple(mask[3][3], mask[3][4], mask[3][5]), std::tuple(kItem, kBack, kItem));
  EXPECT_EQ(std::count(mask.Data(), mask.Data() + mask.Size(), kItem), 14);
  EXPECT_EQ(result.Pieces, 1);
}

TEST(AdaptiveClosingTest, ThreeHundredPiecesAreAllLinkedAndNoneIsLost) {
  // 3 x 3 blocks 3 pixels apart, 15 a row: more pieces than a byte has codes.
  BytePlane binary = Blank(94, 124);
  int placed = 0;
  for (int i = 2; i + 3 < 124 && placed < 300; i += 6)
    for (int j = 2; j + 3 < 94 && placed < 300; j += 6, ++placed)
      for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b) binary[i + a][j + b] = 7;
  ASSERT_EQ(placed, 300);
  BytePlane mask;
  const AdaptiveClosingResult result = Link(binary, 7, mask);
  EXPECT_EQ(result.StartPieces, 300);
  EXPECT_EQ(result.Pieces, 1);
  EXPECT_TRUE(KeepsTheValue(binary, 7, mask));
  const Reference expected = ReferenceClosing(binary, 7);
  EXPECT_EQ(result.Steps, expected.steps);
  EXPECT_TRUE(Equal(mask, expected.mask));
}

TEST(AdaptiveClosingTest, TheBorderNeitherEatsTheShapeNorLosesTheValue) {
  // Three lines: nothing inside the frame can be eroded by it, and the frame's own pixels stay.
  BytePlane binary = Blank(12, 3);
  binary[1][2] = binary[1][6] = binary[0][9] = 1;
  BytePlane mask;
  const AdaptiveClosingResult result = Link(binary, 1, mask);
  EXPECT_EQ(result.StartPieces, 2);
  EXPECT_EQ(result.Pieces, 2);  // the linked line and the frame pixel apart from it
  for (int j = 2; j <= 6; ++j) EXPECT_EQ(mask[1][j], kItem) << j;
  EXPECT_EQ(mask[0][9], kItem);
  EXPECT_TRUE(KeepsTheValue(binary, 1, mask));
  // A piece along the frame keeps its outer line.
  BytePlane edge = Blank(12, 12);
  for (int j = 1; j <= 10; ++j) edge[1][j] = 1;
  edge[8][5] = 1;
  EXPECT_GT(Link(edge, 1, mask).StartPieces, 1);
  EXPECT_TRUE(KeepsTheValue(edge, 1, mask));
}

TEST(AdaptiveClosingTest, NoPieceChangesNothing) {
  BytePlane binary = Blank(10, 10);
  binary[0][4] = 1;  // on the frame only
  BytePlane mask(10, 10);
  mask.Fill(9);
  const AdaptiveClosingResult result = Link(binary, 1, mask);
  EXPECT_EQ(result.StartPieces, 0);
  EXPECT_EQ(std::count(mask.Data(), mask.Data() + mask.Size(), 9), 100);
  EXPECT_EQ(Link(Blank(2, 9), 255, mask).StartPieces, 0);
  EXPECT_EQ(Link(binary, 300, mask).StartPieces, 0);
}
