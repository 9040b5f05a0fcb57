#include <gtest/gtest.h>

#include <algorithm>

#include "ThreadCounts.h"
#include "fixtures/Blocks.h"
#include "fixtures/Patterns.h"
#include "fixtures/Pixels.h"
#include "urban/kernels/Morphology.h"

namespace {

constexpr std::uint8_t kItem = 1;
constexpr std::uint8_t kBack = 255;

BytePlane Binary(const BytePlane& plane, int value) {
  BytePlane item(plane.Columns(), plane.Lines());
  for (std::size_t n = 0; n < plane.Size(); ++n) item.Data()[n] = plane.Data()[n] == value ? kItem : kBack;
  return item;
}

// Majority smoothing as written: full rounds over a work plane until one changes nothing.
BytePlane ReferenceSmoothing(const BytePlane& plane, int value) {
  const int lines = plane.Lines(), columns = plane.Columns();
  BytePlane item = Binary(plane, value), work(columns, lines);
  for (bool changed = true; changed;) {
    changed = false;
    work.Fill(kBack);
    for (int i = 1; i <= lines - 2; ++i)
      for (int j = 1; j <= columns - 2; ++j) {
        int count = 0;
        for (int a = -1; a <= 1; ++a)
          for (int b = -1; b <= 1; ++b) count += item[i + a][j + b] == kItem;
        if (count >= 5) work[i][j] = kItem;
      }
    for (std::size_t n = 0; n < item.Size(); ++n)
      if (work.Data()[n] == kItem && item.Data()[n] != kItem) item.Data()[n] = kItem, changed = true;
  }
  return item;
}

// The morphology as written: a work plane a pass, the band fixed by n; a step passes over 4 then 8.
BytePlane ReferenceMorpho(const BytePlane& plane, int value, int kind, int n) {
  const int lines = plane.Lines(), columns = plane.Columns();
  BytePlane item = Binary(plane, value), work(columns, lines);
  const int around[8][2] = {{-1, 0}, {0, 1}, {1, 0}, {0, -1}, {-1, -1}, {-1, 1}, {1, 1}, {1, -1}};
  // A background pixel of the band next to the item joins it (dilation) or takes those pixels out.
  auto pass = [&](bool dilate, int count) {
    work.Fill(kBack);
    for (int i = 2 * n; i <= lines - 2 * n - 1; ++i)
      for (int j = 2 * n; j <= columns - 2 * n - 1; ++j)
        for (int k = 0; k < count; ++k) {
          const int a = i + around[k][0], b = j + around[k][1];
          if (item[i][j] != kItem && item[a][b] == kItem) work[dilate ? i : a][dilate ? j : b] = kItem;
        }
    for (std::size_t p = 0; p < item.Size(); ++p)
      if (work.Data()[p] == kItem) item.Data()[p] = dilate ? kItem : kBack;
  };
  auto steps = [&](bool dilate) {
    for (int s = 0; s < n; ++s) pass(dilate, 4), pass(dilate, 8);
  };
  const bool dilateFirst = kind == kMorphoDilation || kind == kMorphoClosing;
  if (kind >= kMorphoDilation && kind <= kMorphoOpening) steps(dilateFirst);
  if (kind == kMorphoClosing || kind == kMorphoOpening) steps(!dilateFirst);
  return item;
}

BytePlane Morphed(BytePlane plane, int value, int kind, int n) {
  MorphoMath(plane, value, kind, n);
  return plane;
}

// Items (1 on 255; Binary(items, kBack) is their complement) at least `margin` from every edge.
BytePlane InnerItems(int size, int margin, unsigned seed) {
  BytePlane plane = Morphed(MakeRandomValues(size, size, seed, 550, 1), 1, -1, 0);  // only made binary
  for (int i = 0; i < size; ++i)
    for (int j = 0; j < size; ++j)
      if (i < margin || j < margin || i >= size - margin || j >= size - margin) plane[i][j] = kBack;
  return plane;
}

bool Contains(const BytePlane& outer, const BytePlane& inner) {
  return std::equal(inner.Data(), inner.Data() + inner.Size(), outer.Data(),
                    [](std::uint8_t in, std::uint8_t out) { return in != kItem || out == kItem; });
}

class MorphologyAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(MorphologyAtThreads);

}  // namespace

TEST_P(MorphologyAtThreads, SmoothingEqualsTheRoundByRoundSmoothingOnRandomImages) {
  auto expectReference = [](const BytePlane& plane, int value) {
    BytePlane smoothed = plane.Clone();
    MajoritySmoothing(smoothed, value);
    EXPECT_EQ(PlaneText(smoothed), PlaneText(ReferenceSmoothing(plane, value)));
  };
  for (const unsigned seed : {1u, 2u, 3u, 4u})
    for (const int percent : {10, 40, 50, 60}) {
      SCOPED_TRACE(testing::Message() << seed << " " << percent);
      expectReference(MakeRandomValues(60, 60, seed * 7 + percent, 10 * percent, 9), 9);
    }
  expectReference(MakeRandomValues(257, 131, 77, 450, 3), 3);
}

TEST_P(MorphologyAtThreads, MorphologyEqualsThePassByPassMorphologyOnRandomImages) {
  for (const int kind : {0, 1, 2, 3})
    for (const int n : {1, 2, 3})
      for (const unsigned seed : {5u, 6u})
        for (const int percent : {5, 30, 70}) {
          SCOPED_TRACE(testing::Message()
                       << "kind " << kind << " n " << n << " seed " << seed << " " << percent);
          const BytePlane plane = MakeRandomValues(60, 60, seed * 13 + percent + n, 10 * percent, 200);
          EXPECT_EQ(PlaneText(Morphed(plane.Clone(), 200, kind, n)),
                    PlaneText(ReferenceMorpho(plane, 200, kind, n)));
        }
  // Widths across word boundaries.
  const BytePlane plane = MakeRandomValues(131, 67, 3, 500, 1);
  EXPECT_EQ(PlaneText(Morphed(plane.Clone(), 1, 2, 4)), PlaneText(ReferenceMorpho(plane, 1, 2, 4)));
  EXPECT_EQ(PlaneText(Morphed(plane.Clone(), 1, 3, 2)), PlaneText(ReferenceMorpho(plane, 1, 3, 2)));
}

TEST(MorphologyTest, ANotchFillsRoundByRoundAndTinyPlanesOrNoIterationOnlyBecomeBinary) {
  // A notch two pixels deep in a 5 x 5 block: its bottom (7 neighbours) joins first, then its top.
  BytePlane deep = UniformPlane(10, 10);
  FillBlock(deep, 2, 2, 5, 5, 5);
  deep[2][4] = deep[3][4] = kBack;
  EXPECT_EQ(MajoritySmoothing(deep, 5), 2);
  EXPECT_EQ(CountOf(deep, kItem), 25);
  BytePlane tiny = UniformPlane(2, 5, 6), empty;
  tiny[1][1] = 3;
  EXPECT_EQ(std::tuple(MajoritySmoothing(tiny, 6), MajoritySmoothing(empty, 1)), std::tuple(0, 0));
  EXPECT_EQ(CountOf(tiny, kItem), 9);
  // No examined pixel or no iteration only makes the plane binary for the morphology too.
  for (const auto& [size, n] :
       {std::pair(8, 2), std::pair(20, 0), std::pair(20, -3), std::pair(9, 1 << 30)}) {
    const BytePlane plane = MakeRandomValues(size, size, 4, 500, 7);
    EXPECT_EQ(PlaneText(Morphed(plane.Clone(), 7, kMorphoClosing, n)), PlaneText(Binary(plane, 7)))
        << size << " " << n;
  }
  EXPECT_EQ(CountOf(Morphed(UniformPlane(20, 20, 3), 300, kMorphoDilation, 1), kBack),
            400);  // no byte holds 300
}

TEST(MorphoMathTest, APixelDilatesIntoTheStructuringElementAndNarrowStripsVanish) {
  // n steps of a cross then a square: 21, 69, 145, 249 pixels, reach 2n along the axes, corners cut.
  const std::int64_t expected[] = {21, 69, 145, 249};
  for (int n = 1; n <= 4; ++n) {
    BytePlane plane = UniformPlane(41, 41);
    plane[20][20] = 1;
    MorphoMath(plane, 1, kMorphoDilation, n);
    EXPECT_EQ(CountOf(plane, kItem), expected[n - 1]) << n;
    EXPECT_EQ(std::tuple(plane[20][20 + 2 * n], plane[20][21 + 2 * n], plane[20 - 2 * n][20 - 2 * n]),
              std::tuple(kItem, kBack, kBack));
  }
  // Strips of width 4 or less vanish under one erosion step, and all of these under an opening of 2.
  for (const int width : {1, 2, 3, 4, 5}) {
    BytePlane plane = UniformPlane(30, 30);
    FillBlock(plane, 6, 10, 18, width, 1);
    EXPECT_EQ(CountOf(Morphed(plane.Clone(), 1, kMorphoErosion, 1), kItem) == 0, width <= 4) << width;
    EXPECT_EQ(CountOf(Morphed(std::move(plane), 1, kMorphoOpening, 2), kItem), 0) << width;
  }
}

TEST(MorphoMathTest, ClosingContainsTheItemsWhichContainTheOpeningBothIdempotentAndErosionDualToDilation) {
  for (const int n : {1, 2, 3})
    for (const unsigned seed : {11u, 12u, 13u}) {
      SCOPED_TRACE(testing::Message() << n << " " << seed);
      const BytePlane items = InnerItems(60, 4 * n, seed);
      const BytePlane closed = Morphed(items.Clone(), 1, kMorphoClosing, n);
      const BytePlane opened = Morphed(items.Clone(), 1, kMorphoOpening, n);
      EXPECT_TRUE(Contains(closed, items));
      EXPECT_TRUE(Contains(items, opened));
      EXPECT_EQ(PlaneText(Morphed(closed.Clone(), 1, kMorphoClosing, n)), PlaneText(closed));
      EXPECT_EQ(PlaneText(Morphed(opened.Clone(), 1, kMorphoOpening, n)), PlaneText(opened));
      // Duality: the erosion is the complement of the dilated complement.
      EXPECT_EQ(PlaneText(Morphed(items.Clone(), 1, kMorphoErosion, n)),
                PlaneText(Binary(Morphed(Binary(items, kBack), 1, kMorphoDilation, n), kBack)));
    }
}
