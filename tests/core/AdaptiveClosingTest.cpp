#include <gtest/gtest.h>

#include <climits>

#include "ThreadCounts.h"
#include "fixtures/Blocks.h"
#include "fixtures/Patterns.h"
#include "fixtures/Pixels.h"
#include "imaging/ItemFill.h"
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

// The linking cycle by cycle on whole planes (relabel, grow code by code, contact, merge, notch, shrink),
// with int codes, a growing step record, a stop on no piece, a frame that spares the shape, value kept.
Reference ReferenceClosing(const BytePlane& binary, int v) {
  const int lines = binary.Lines(), columns = binary.Columns();
  const int around[8][2] = {{-1, 0}, {0, 1}, {1, 0}, {0, -1}, {-1, -1}, {-1, 1}, {1, 1}, {1, -1}};
  Reference out;
  IntPlane fill(columns, lines), work(columns, lines);
  for (std::size_t n = 0; n < fill.Size(); ++n) fill.Data()[n] = binary.Data()[n] == v ? 1 : 0;
  auto interior = [&](auto&& f) {  // every pixel inside the frame, in raster order
    for (int i = 1; i <= lines - 2; ++i)
      for (int j = 1; j <= columns - 2; ++j) f(i, j, fill[i][j]);
  };
  auto at = [&](IntPlane& p, int i, int j, int k) -> int& { return p[i + around[k][0]][j + around[k][1]]; };
  auto merge = [&] {
    for (std::size_t n = 0; n < fill.Size(); ++n)
      if (work.Data()[n] < kNone) fill.Data()[n] = work.Data()[n];
  };
  // Background among a piece pixel's `count` neighbours takes its code (only `code`'s when not 0).
  auto grow = [&](int count, int code) {
    interior([&](int i, int j, int p) {
      for (int k = 0; k < count; ++k)
        if (p != kNone && (code == 0 || p == code) && at(fill, i, j, k) == kNone) at(work, i, j, k) = p;
    });
  };
  auto contact = [&] {
    bool touch = false;
    interior([&](int i, int j, int p) {
      for (int k = 0; k < 8; ++k)
        touch = touch || (p != kNone && at(fill, i, j, k) != p && at(fill, i, j, k) < kNone);
    });
    return touch;
  };
  for (bool first = true;; first = false) {
    for (int i = 0; i < lines; ++i) fill[i][0] = fill[i][columns - 1] = 0;
    for (int j = 0; j < columns; ++j) fill[0][j] = fill[lines - 1][j] = 0;
    BytePlane ones(columns, lines);
    for (std::size_t n = 0; n < fill.Size(); ++n) ones.Data()[n] = fill.Data()[n] == 1 ? 1 : 0;
    fill.Fill(kNone);
    const ItemCountResult walked = WalkItemsForDilation(ones, fill);
    if (first) out.startPieces = walked.KeptItems;
    if (walked.ItemCount == 0) return out;
    if (walked.ItemCount == 1) break;
    work.Fill(kNone);
    for (int code = 1; code <= walked.ItemCount; ++code) grow(4, code);  // a later code overwrites
    merge();
    out.steps.push_back(1);
    if (!contact()) {
      work.Fill(kNone);
      grow(8, 0);
      merge();
      out.steps.push_back(2);
    }
    for (std::size_t n = 0; n < fill.Size(); ++n) fill.Data()[n] = fill.Data()[n] < kNone ? 1 : kNone;
  }
  work.Fill(kNone);
  interior([&](int i, int j, int p) {
    int in = 0;
    for (int k = 0; k < 4; ++k) in += at(fill, i, j, k) < kNone;
    if (p == kNone && in >= 3) work[i][j] = 1;
  });
  merge();
  for (const int step : out.steps) {
    work.Fill(kNone);
    interior([&](int i, int j, int p) {
      for (int k = 0; k < (step == 1 ? 4 : 8); ++k) {
        const int a = i + around[k][0], b = j + around[k][1];
        if (p == 1 && a >= 1 && a <= lines - 2 && b >= 1 && b <= columns - 2 && fill[a][b] == kNone)
          work[i][j] = 1;
      }
    });
    for (std::size_t n = 0; n < fill.Size(); ++n)
      if (work.Data()[n] == 1) fill.Data()[n] = kNone;
  }
  out.mask = BytePlane(columns, lines);
  for (std::size_t n = 0; n < fill.Size(); ++n)
    out.mask.Data()[n] = fill.Data()[n] == 1 || binary.Data()[n] == v ? kItem : kBack;
  return out;
}

// 8-connected pieces anywhere in the plane: the item walk over it with a background border added.
int Pieces(const BytePlane& mask) {
  BytePlane padded(mask.Columns() + 2, mask.Lines() + 2);
  for (int i = 0; i < mask.Lines(); ++i)
    for (int j = 0; j < mask.Columns(); ++j) padded[i + 1][j + 1] = mask[i][j] == kItem ? 1 : 0;
  IntPlane labels(padded.Columns(), padded.Lines());
  return CountItems(padded, labels, 0, INT_MAX).KeptItems;
}

AdaptiveClosingResult ExpectReference(const BytePlane& binary, int value, BytePlane& mask) {
  const Reference expected = ReferenceClosing(binary, value);
  const AdaptiveClosingResult result = AdaptiveClosingLinking(binary, value, mask);
  EXPECT_EQ(result.StartPieces, expected.startPieces);
  EXPECT_EQ(result.Steps, expected.steps);
  if (expected.startPieces == 0) return result;
  EXPECT_EQ(PlaneText(mask), PlaneText(expected.mask));
  EXPECT_EQ(result.Pieces, Pieces(expected.mask));
  for (std::size_t n = 0; n < binary.Size(); ++n)  // no pixel of the value is lost
    EXPECT_TRUE(binary.Data()[n] != value || mask.Data()[n] == kItem) << n;
  return result;
}

class AdaptiveClosingAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(AdaptiveClosingAtThreads);

}  // namespace

TEST_P(AdaptiveClosingAtThreads, EqualsTheCycleByCycleLinkingOnRandomImages) {
  BytePlane mask;
  for (const unsigned seed : {1u, 2u, 3u})
    for (const int perThousand : {1, 4, 15, 60, 300}) {
      SCOPED_TRACE(testing::Message() << seed << " " << perThousand);
      ExpectReference(MakeRandomValues(60, 60, seed * 1000 + perThousand, perThousand, 40), 40, mask);
    }
  ExpectReference(MakeRandomValues(150, 83, 8, 6, 1), 1, mask);
}

TEST(AdaptiveClosingTest, HandWorkedPiecesAreLinkedWithoutLosingAPixelAndNoPieceChangesNothing) {
  BytePlane apart = UniformPlane(20, 11), many = UniformPlane(94, 124), mask;
  // Two blocks 3 apart: a 4 then an 8 step bridge the gap.
  FillBlock(apart, 4, 3, 3, 4, 1);
  FillBlock(apart, 4, 10, 3, 4, 1);
  AdaptiveClosingResult r = ExpectReference(apart, 1, mask);
  EXPECT_EQ(std::tuple(r.StartPieces, r.Pieces, r.Steps),
            std::tuple(2, 1, std::vector<int>{kGrowth4, kGrowth8}));
  for (int j = 7; j <= 9; ++j) EXPECT_EQ(mask[5][j], kItem) << j;
  // 300 blocks of 3 x 3, 3 apart, 15 a row: more pieces than a byte has codes, none lost.
  for (int k = 0; k < 300; ++k) FillBlock(many, 2 + 6 * (k / 15), 2 + 6 * (k % 15), 3, 3, 1);
  r = ExpectReference(many, 1, mask);
  EXPECT_EQ(std::tuple(r.StartPieces, r.Pieces), std::tuple(300, 1));
  // No piece inside the frame: nothing is done.
  BytePlane frame = UniformPlane(10, 10), untouched = UniformPlane(10, 10, 9);
  frame[0][4] = 1;  // on the frame only
  EXPECT_EQ(AdaptiveClosingLinking(frame, 1, untouched).StartPieces, 0);
  EXPECT_EQ(CountOf(untouched, 9), 100);
  EXPECT_EQ(AdaptiveClosingLinking(UniformPlane(2, 9), 255, mask).StartPieces, 0);
  EXPECT_EQ(AdaptiveClosingLinking(frame, 300, mask).StartPieces, 0);
}
